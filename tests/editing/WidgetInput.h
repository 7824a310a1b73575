#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

// The control in `parent` with this accessible name; a failure when there is none.
template <typename Control> Control* control(QWidget* parent, const QString& accessibleName) {
    for (Control* candidate : parent->findChildren<Control*>()) {
        if (candidate->accessibleName() == accessibleName)
            return candidate;
    }
    ADD_FAILURE() << "no control " << accessibleName.toStdString();
    return nullptr;
}

// Chooses the entry with `text` as a user does: a click opens the pop-up, a click on the entry takes it.
inline void chooseEntry(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    const QModelIndex entry = list->model()->index(index, combo->modelColumn(), combo->rootModelIndex());
    list->scrollTo(entry);
    // The pop-up takes no release that comes as quickly as a double click after it opened: a user's hand
    // needs longer to reach the entry.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QPoint point = list->visualRect(entry).center();
    QTest::mouseMove(list->viewport(), point);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
}

// Chooses the entry `text` of `combo` as a user does from the keyboard: opens its list, moves to the entry
// and presses Return. The combo announces activated() once, as for a real choice.
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
