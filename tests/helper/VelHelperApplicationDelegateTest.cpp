// The helper's delegate in the test process, offscreen, over a calendar tree in a temporary home.
#include "helper/VelHelperApplicationDelegate.h"
#include "EventLoopWait.h"
#include "TestFiles.h"
#include "base/UserDefaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

QStringList titles(const CalendarList& calendars) {
    QStringList result;
    for (const auto& calendar : calendars)
        result.append(calendar->title);
    result.sort();
    return result;
}

void makeCalendar(const QString& folder, const QByteArray& title) {
    ASSERT_TRUE(writeFile(folder + QStringLiteral("/displayname"), title));
}

// The shortcut's editor opens where the window's New Event would: on the calendar last selected there
// when it is editable, else on the first editable one, never on a read-only one sorted first.
TEST(VelHelperApplicationDelegateTest,
     CalendarsChangedByOtherProgramsAreOfferedAndTheEditorOpensOnAnEditableOne) {
    QTemporaryDir home;
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toUtf8());
    const QString root = home.filePath(QStringLiteral("calendars"));
    makeCalendar(root + QStringLiteral("/birthdays"), "Birthdays");
    ASSERT_TRUE(writeFile(root + QStringLiteral("/birthdays/readonly")));
    makeCalendar(root + QStringLiteral("/home"), "Home");
    UserDefaults mainDefaults(home.filePath(QStringLiteral("verdalune.conf")));
    UserDefaults ownDefaults(home.filePath(QStringLiteral("verdalunehelper.conf")));
    VelHelperApplicationDelegate delegate(mainDefaults, ownDefaults, root);
    delegate.applicationDidFinishLaunching();
    ASSERT_EQ(titles(delegate.applicationModel().calendars()), (QStringList{"Birthdays", "Home"}));

    makeCalendar(root + QStringLiteral("/work"), "Work");
    ASSERT_TRUE(waitFor([&] { return delegate.applicationModel().calendars().size() == 3; }));
    EXPECT_EQ(titles(delegate.applicationModel().calendars()), (QStringList{"Birthdays", "Home", "Work"}));
    for (const auto& [selected, expected] : {std::pair{"birthdays", "home"}, {"work", "work"}}) {
        mainDefaults.setValue(QStringLiteral("selectedCalendarUid"), QString::fromLatin1(selected));
        delegate.didPressGlobalHotKey();
        const auto& calendar = delegate.editEventController().event()->calendar;
        ASSERT_TRUE(calendar) << selected;
        EXPECT_EQ(calendar->uid, QString::fromLatin1(expected));
        delegate.editEventController().close();
    }

    delegate.didPressGlobalHotKey();
    EXPECT_TRUE(delegate.editEventController().isVisible());
    ASSERT_TRUE(QDir(root + QStringLiteral("/home")).removeRecursively());
    ASSERT_TRUE(waitFor([&] { return delegate.applicationModel().calendars().size() == 2; }));
    EXPECT_EQ(titles(delegate.applicationModel().calendars()), (QStringList{"Birthdays", "Work"}));
}

} // namespace
