// The status line under the outline follows calendars switched on and off, and calendars coming and going.
#include "outline/StatusDescriptionController.h"

#include "LoopTestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(StatusDescriptionControllerTest, countsTheCalendarsShown) {
    Loop loop;
    for (const QString& uid : {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s})
        loop.makeCalendar(uid);
    loop.load();
    StatusDescriptionController status(loop.model);
    QSignalSpy changes(&status, &StatusDescriptionController::statusDescriptionChanged);
    EXPECT_EQ(status.statusDescription(), u"showing all calendars"_s);

    loop.model.removeEnabledCalendarUids({u"b"_s, u"d"_s});
    EXPECT_EQ(status.statusDescription(), u"showing 3 of 5 calendars"_s);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), u"showing 3 of 5 calendars"_s);

    // A sixth calendar, switched on as it is created.
    auto calendar = loop.controller.createNewCalendar();
    ASSERT_FALSE(loop.controller.addCalendar(*calendar));
    EXPECT_EQ(status.statusDescription(), u"showing 4 of 6 calendars"_s);

    loop.model.addEnabledCalendarUids({u"b"_s, u"d"_s});
    EXPECT_EQ(status.statusDescription(), u"showing all calendars"_s);
    EXPECT_EQ(changes.constLast().at(0).toString(), u"showing all calendars"_s);
}

} // namespace
