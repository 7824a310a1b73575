#include "SearchResultsPane.h"

#include "SearchResultsModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int MINIMUM_HEIGHT = 100;
// Rows measured for the columns that fit their text: the dates and calendar names differ little.
constexpr int MEASURED_ROWS = 50;

} // namespace

SearchResultsPane::SearchResultsPane(QWidget* parent)
    : QWidget(parent), m_calendarsChoice(new QComboBox), m_rangeChoice(new QComboBox),
      m_closeButton(new QToolButton), m_table(new QTableView) {
    m_calendarsChoice->addItems({tr("All Calendars"), tr("Shown Calendars")});
    m_calendarsChoice->setAccessibleName(tr("Calendars to search"));
    m_rangeChoice->addItems({tr("Past and Future"), tr("Future"), tr("Past")});
    m_rangeChoice->setAccessibleName(tr("Time to search"));
    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_closeButton->setAutoRaise(true);
    m_closeButton->setToolTip(tr("Close Search (Esc)"));
    m_closeButton->setAccessibleName(tr("Close search"));

    m_table->setAccessibleName(tr("Search results"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->installEventFilter(this);
    connect(m_table, &QAbstractItemView::doubleClicked, this, &SearchResultsPane::rowOpened);
    connect(m_closeButton, &QToolButton::clicked, this, &SearchResultsPane::closeRequested);

    auto* choices = new QHBoxLayout;
    choices->setContentsMargins(6, 4, 4, 0);
    choices->addWidget(m_calendarsChoice);
    choices->addWidget(m_rangeChoice);
    choices->addStretch();
    choices->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(choices);
    layout->addWidget(m_table);
    setTabOrder(m_calendarsChoice, m_rangeChoice);
    setTabOrder(m_rangeChoice, m_closeButton);
    setTabOrder(m_closeButton, m_table);
    // The divider stays 100 px above the bottom; dragging it further collapses the pane.
    setMinimumHeight(MINIMUM_HEIGHT);
}

// The date and the calendar fit their text, the title takes the rest.
void SearchResultsPane::setResults(SearchResultsModel* results) {
    m_table->setModel(results);
    QHeaderView* header = m_table->horizontalHeader();
    header->setResizeContentsPrecision(MEASURED_ROWS);
    header->setSectionResizeMode(SearchResultsModel::DateColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(SearchResultsModel::TitleColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(SearchResultsModel::CalendarColumn, QHeaderView::ResizeToContents);
}

bool SearchResultsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            emit closeRequested();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_table->currentIndex().isValid())
                emit rowOpened();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SearchResultsPane::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}
