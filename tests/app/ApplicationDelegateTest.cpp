#include "app/ApplicationDelegate.h"
#include "DateEnvironmentGuard.h"
#include "app/ApplicationDefaults.h"
#include "base/UserDefaults.h"
#include "dates/DateFormatter.h"
#include "store/vdir/CalendarStoreLocation.h"
#include "timeline/view/TimelineView.h"

#include <gtest/gtest.h>

#include <functional>

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

TEST(ApplicationDefaultsTest, TheFactoryFileAndTheLocaleGiveTheDefaults) {
    const QVariantMap us = ApplicationDefaults::registeredDefaults(QLocale(u"en_US"_s));
    EXPECT_EQ(us.value(u"timelineTimeInterval"_s).toDouble(), 432000);
    EXPECT_EQ(us.value(u"timelineMode"_s).toInt(), 0);
    EXPECT_TRUE(us.value(u"showFirstTimeLaunchPanelKey"_s).toBool());
    EXPECT_EQ(us.value(u"alarmTimeInterval"_s).toDouble(), -900) << "a new alarm comes before the start";
    EXPECT_EQ(us.value(u"timeDisplayHours"_s).toInt(), 12);
    EXPECT_EQ(us.value(u"dayMonthOrder"_s).toInt(), 1);
    const QVariantMap german = ApplicationDefaults::registeredDefaults(QLocale(u"de_DE"_s));
    EXPECT_EQ(german.value(u"timeDisplayHours"_s).toInt(), 24);
    EXPECT_EQ(german.value(u"dayMonthOrder"_s).toInt(), 0);
}

TEST(ApplicationDelegateTest, ScaleZoomAndClockComeFromTheSettingsAndGoBackThere) {
    QTemporaryDir settings, calendars;
    const QString file = settings.filePath(u"verdalune.conf"_s);
    {
        UserDefaults stored(file);
        stored.setValue(u"timelineMode"_s, 1);
        stored.setValue(u"timelineTimeInterval"_s, 86400.0);
        stored.setValue(u"timeDisplayHours"_s, 24);
        stored.synchronize();
    }
    UserDefaults defaults(file);
    ApplicationDelegate delegate(defaults);
    ASSERT_TRUE(CalendarStoreLocation::prepare(calendars.path()));
    delegate.start(calendars.path());
    delegate.finishLaunching();
    TimelineViewController& timeline = delegate.timelineViewController();
    EXPECT_EQ(timeline.viewMode(), TimelineViewController::Linear);
    EXPECT_DOUBLE_EQ(timeline.timeInterval(), 86400);
    EXPECT_EQ(delegate.mainWindow().timelineView().dateFormatter()->timeModeHours(), 24);
    EXPECT_EQ(delegate.mainWindow().windowTitle(), u"Verdalune"_s);

    timeline.toggleLinearLogScale();
    timeline.increaseRange();
    defaults.setValue(u"timeDisplayHours"_s, 12);
    EXPECT_EQ(defaults.value(u"timelineMode"_s).toInt(), 0);
    EXPECT_DOUBLE_EQ(defaults.value(u"timelineTimeInterval"_s).toDouble(), 129600);
    EXPECT_EQ(delegate.mainWindow().timelineView().dateFormatter()->timeModeHours(), 12);
    // A first start finds the calendar "Home".
    ASSERT_EQ(delegate.applicationModel().calendars().size(), 1);
    EXPECT_EQ(delegate.applicationModel().calendars().front()->title, u"Home"_s);
}

TEST(ApplicationDelegateTest, AnotherCalendarSystemIsWarnedAboutAndLuckGoesOn) {
    const DateEnvironmentGuard buddhist(u"America/New_York"_s, u"th_TH"_s);
    QTemporaryDir settings, calendars;
    UserDefaults defaults(settings.filePath(u"verdalune.conf"_s));
    ApplicationDelegate delegate(defaults);
    ASSERT_TRUE(CalendarStoreLocation::prepare(calendars.path()));
    delegate.start(calendars.path());
    QStringList warnings;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (auto* box : delegate.mainWindow().findChildren<QMessageBox*>())
            for (QAbstractButton* button : box->buttons())
                if (box->isVisible() && button->text() == u"I'm feeling lucky!"_s) {
                    warnings.append(box->text());
                    button->click();
                }
    });
    answer.start(10);
    delegate.finishLaunching();
    EXPECT_EQ(warnings, QStringList{u"This application probably won't work with your type of calendar."_s});
    EXPECT_TRUE(delegate.mainWindow().isVisible());
}

TEST(ApplicationDelegateTest, TheCalendarsPaneHidesUntickedCalendarsAndTheChoicesOutliveARestart) {
    QTemporaryDir settings, calendars;
    const QString file = settings.filePath(u"verdalune.conf"_s);
    ASSERT_TRUE(CalendarStoreLocation::prepare(calendars.path()));
    QString workUid;
    {
        UserDefaults defaults(file);
        ApplicationDelegate delegate(defaults);
        delegate.start(calendars.path());
        delegate.finishLaunching();
        auto work = delegate.calendarController().createNewCalendar();
        work->title = u"Work"_s;
        ASSERT_FALSE(delegate.calendarController().addCalendar(*work));
        workUid = work->uid;
        auto event = delegate.calendarController().createNewEvent();
        event->calendar = delegate.applicationModel().calendarWithUid(workUid);
        delegate.calendarController().addEvent(*event);
        TimelineView& view = delegate.mainWindow().timelineView();
        ASSERT_EQ(view.events().size(), 1);

        // Unticked in the outline: gone from the timeline at once.
        CalendarsOutlineController& outline = delegate.calendarsOutlineController();
        const QModelIndex row = outline.view()
                                    ->model()
                                    ->match(outline.view()->model()->index(0, 0), Qt::DisplayRole, u"Work"_s,
                                            1, Qt::MatchRecursive)
                                    .value(0);
        ASSERT_TRUE(row.isValid());
        outline.view()->setCurrentIndex(row);
        QTest::keyClick(outline.view(), Qt::Key_Space);
        EXPECT_TRUE(view.events().isEmpty());
        EXPECT_EQ(delegate.applicationModel().selectedCalendarUid(), workUid);
        delegate.mainWindow().setSidePaneShown(false);
        outline.setShouldDisplayCalendarsOutline(false);
        defaults.synchronize();
    }
    UserDefaults defaults(file);
    ApplicationDelegate delegate(defaults);
    delegate.start(calendars.path());
    delegate.finishLaunching();
    EXPECT_TRUE(delegate.mainWindow().timelineView().events().isEmpty()) << "still unticked";
    EXPECT_EQ(delegate.applicationModel().selectedCalendarUid(), workUid);
    EXPECT_FALSE(delegate.calendarsOutlineController().view()->isVisibleTo(&delegate.mainWindow()));
}

TEST(ApplicationDelegateTest, TheWelcomePanelComesOnceCentredOnTheWindowUnlessKept) {
    QTemporaryDir settings, calendars;
    const QString file = settings.filePath(u"verdalune.conf"_s);
    ASSERT_TRUE(CalendarStoreLocation::prepare(calendars.path()));
    auto launch =
        [&](const std::function<void(ApplicationDelegate&, FirstTimeLaunchPanelController&)>& check) {
            UserDefaults defaults(file);
            ApplicationDelegate delegate(defaults);
            delegate.start(calendars.path());
            delegate.finishLaunching();
            check(delegate, delegate.firstTimeLaunchPanelController());
            defaults.synchronize();
        };
    launch([](ApplicationDelegate& delegate, FirstTimeLaunchPanelController& panel) {
        ASSERT_TRUE(panel.isVisible());
        EXPECT_EQ(panel.windowModality(), Qt::WindowModal);
        const QPoint offset = delegate.mainWindow().frameGeometry().center() - panel.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 8) << "within the frame's margins";
        // Kept for later starts, then closed from the keyboard.
        panel.findChild<QCheckBox*>()->setChecked(true);
        QTest::keyClick(&panel, Qt::Key_Escape);
        EXPECT_FALSE(panel.isVisible());
    });
    launch([](ApplicationDelegate&, FirstTimeLaunchPanelController& panel) {
        ASSERT_TRUE(panel.isVisible()) << "the user kept it";
        panel.findChild<QCheckBox*>()->setChecked(false);
        QTest::keyClick(&panel, Qt::Key_Escape);
        EXPECT_FALSE(panel.isVisible());
    });
    launch(
        [](ApplicationDelegate&, FirstTimeLaunchPanelController& panel) { EXPECT_FALSE(panel.isVisible()); });
}

} // namespace
