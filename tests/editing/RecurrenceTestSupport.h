#pragma once

#include "records/CalRecurrenceRule.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Chooses the entry `text` of `combo` as a user does: opens its list, moves to the entry and presses
// Return. The combo announces activated() once, as for a real choice.
inline void choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

// Presses `key` on the focused widget; the widget focused then.
inline QWidget* focusAfter(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    return QApplication::focusWidget();
}

inline std::shared_ptr<CalRecurrenceRule> makeRule(CalRecurrenceRule::Type type, int interval = 1) {
    return CalRecurrenceRule::rule(type, interval);
}

inline void PrintTo(const CalNthWeekDay& nth, std::ostream* out) {
    *out << "{weekday " << nth.dayOfTheWeek << ", week " << nth.weekNumber << '}';
}
