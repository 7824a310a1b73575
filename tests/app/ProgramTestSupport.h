#pragma once

#include "app/ApplicationDelegate.h"
#include "base/UserDefaults.h"
#include "store/vdir/CalendarStoreLocation.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <stdexcept>

using namespace Qt::StringLiterals;

// The whole program over a calendar folder and settings of its own, without the welcome panel. launch()
// starts it, with its clock stopped on this week's or next week's Wednesday at 10:00 when asked (so that the
// calendar window loaded around the real now holds it).
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        if (!CalendarStoreLocation::prepare(calendars.path()))
            throw std::runtime_error("cannot create the calendar folder");
        defaults.setValue(u"showFirstTimeLaunchPanelKey"_s, false);
    }
    void launch(bool stoppedClock) {
        delegate.start(calendars.path());
        if (stoppedClock)
            delegate.timelineViewController().setClock([] { return now(); });
        delegate.finishLaunching();
    }
    static CalendarDate wednesday() {
        const CalendarDate today = CalendarDate::now().truncateToDay();
        return today.dateByAddingDays((3 - today.dayOfWeek() + 7) % 7);
    }
    static CalendarDate now() { return wednesday().addingSeconds(10 * 3600); }

    QTemporaryDir settings, calendars;
    UserDefaults defaults{settings.filePath(u"verdalune.conf"_s)};
    ApplicationDelegate delegate{defaults};
};
