#pragma once

#include <QWidget>

class QComboBox;
class SearchResultsModel;
class QTableView;
class QToolButton;

// The pane below the timeline while a search is on: which calendars and which part of time to search,
// a button that ends the search, and the table of matches. Return on a row or a double click opens it;
// Escape anywhere in the pane ends the search.
class SearchResultsPane : public QWidget {
    Q_OBJECT
public:
    explicit SearchResultsPane(QWidget* parent = nullptr);

    // Items in the order of the stored modes: "All Calendars", "Shown Calendars".
    QComboBox* calendarsChoice() const { return m_calendarsChoice; }
    // Items in the order of the stored modes: "Past and Future", "Future", "Past".
    QComboBox* rangeChoice() const { return m_rangeChoice; }
    QTableView* table() const { return m_table; }
    void setResults(SearchResultsModel* results);
    QToolButton* closeButton() const { return m_closeButton; }

signals:
    void closeRequested();
    void rowOpened();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QComboBox* m_calendarsChoice;
    QComboBox* m_rangeChoice;
    QToolButton* m_closeButton;
    QTableView* m_table;
};
