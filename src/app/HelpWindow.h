#pragma once

#include <QWidget>

class QTextBrowser;

// The user guide shipped in the program's resources, in a window of its own beside the main window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The topics other windows open: the section of the guide with this id.
    static inline const QString EDIT_EVENT = QStringLiteral("editEvent");
    static inline const QString TIPS = QStringLiteral("tipsForEfficientUsage");
    static inline const QString FEEDBACK = QStringLiteral("feedback");

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the guide at a topic, or at its start for none, and brings the window to the front.
    void showTopic(const QString& topic = {});
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
