#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// In the window's status bar while the calendars' files are read after the window has shown (a first
// start reads them all): how many of them were read. Hidden once all were.
class ReadProgressStatus : public QWidget {
    Q_OBJECT
public:
    explicit ReadProgressStatus(QWidget* parent = nullptr);

    void showProgress(qsizetype read, qsizetype total);

private:
    QLabel* m_label;
    QProgressBar* m_bar;
};
