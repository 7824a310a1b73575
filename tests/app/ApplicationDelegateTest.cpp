#include "app/ApplicationDelegate.h"
#include "DateEnvironmentGuard.h"
#include "EventLoopWait.h"
#include "TestFiles.h"
#include "app/ApplicationDefaults.h"
#include "base/Logger.h"
#include "base/UserDefaults.h"
#include "dates/DateFormatter.h"
#include "editing/EditEventController.h"
#include "store/vdir/CalendarStoreLocation.h"
#include "timeline/view/TimelineView.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
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
    EXPECT_TRUE(Logger::restoreFromUserDefaults(us.value(u"loggers"_s))) << "a fresh start sets up its log";
    EXPECT_EQ(Logger::defaultLogger().level(), Logger::LOG_ERROR_LEVEL);
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
        panel.showAgainCheckBox().setChecked(true);
        QTest::keyClick(&panel, Qt::Key_Escape);
        EXPECT_FALSE(panel.isVisible());
    });
    launch([](ApplicationDelegate& delegate, FirstTimeLaunchPanelController& panel) {
        ASSERT_TRUE(panel.isVisible()) << "the user kept it";
        panel.showAgainCheckBox().setChecked(false);
        // Ctrl+N, as the panel says, closes it and opens the editor.
        QTest::keyClick(panel.focusWidget() ? panel.focusWidget() : &panel, Qt::Key_N, Qt::ControlModifier);
        EXPECT_FALSE(panel.isVisible());
        EXPECT_TRUE(delegate.editEventController().isVisible());
        EXPECT_TRUE(delegate.editEventController().isNewEvent());
    });
    launch(
        [](ApplicationDelegate&, FirstTimeLaunchPanelController& panel) { EXPECT_FALSE(panel.isVisible()); });
}

// A first start in a temporary home, with a stand-in helper that leaves a mark when started: nothing is
// written or started while the welcome panel is open, and its box decides.
class FirstStartTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            m_saved.emplace_back(name, qgetenv(name));
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toUtf8());
        qputenv("XDG_DATA_HOME", m_home.filePath(u"data"_s).toUtf8());
        ASSERT_TRUE(writeScript(m_helper, "#!/bin/sh\necho started >> \"$(dirname \"$0\")/starts\"\n"));
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved)
            qputenv(name, value);
    }
    // The login item and the entry that gives the helper its name: how many of the two exist.
    int entries() const {
        return int(QFile::exists(
                   m_home.filePath(u"config/autostart/com.pellowick.verdalunehelper.desktop"_s))) +
               int(QFile::exists(
                   m_home.filePath(u"data/applications/com.pellowick.verdalunehelper.desktop"_s)));
    }
    bool started() const { return QFile::exists(m_home.filePath(u"starts"_s)); }

    QTemporaryDir m_home;
    const QString m_helper = m_home.filePath(u"verdalune-helper"_s);
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

TEST_P(FirstStartTest, TheHelperWaitsForTheWelcomePanelAndFollowsItsBox) {
    const bool ticked = GetParam();
    QTemporaryDir calendars;
    ASSERT_TRUE(CalendarStoreLocation::prepare(calendars.path()));
    UserDefaults defaults(m_home.filePath(u"verdalune.conf"_s));
    ApplicationDelegate delegate(defaults);
    delegate.start(calendars.path());
    delegate.finishLaunching();
    delegate.startHelperControl(m_helper);
    FirstTimeLaunchPanelController& panel = delegate.firstTimeLaunchPanelController();
    ASSERT_TRUE(panel.isVisible());
    QCheckBox& box = panel.keepHelperCheckBox();
    EXPECT_TRUE(box.isChecked()) << "the factory setting";
    EXPECT_TRUE(box.accessibleName().contains(u"starts at login"_s));
    spin(300);
    EXPECT_EQ(entries(), 0);
    EXPECT_FALSE(started());
    EXPECT_EQ(delegate.helperController(), nullptr);

    // From Close, Tab reaches the box, and Space changes it.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    for (int press = 0; press < 4 && QApplication::focusWidget() != &box; ++press)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &box);
    if (!ticked)
        QTest::keyClick(&box, Qt::Key_Space);
    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(defaults.value(u"runHelperApplication"_s).toBool(), ticked);
    ASSERT_NE(delegate.helperController(), nullptr);
    EXPECT_EQ(delegate.helperController()->enabled(), ticked);
    if (ticked) {
        EXPECT_EQ(entries(), 2);
        EXPECT_TRUE(waitFor([this] { return started(); }));
        // Switched off in the preferences later: both entries go.
        delegate.preferenceController().setShouldRunHelperApplication(false);
        EXPECT_EQ(entries(), 0);
    } else {
        spin(300);
        EXPECT_EQ(entries(), 0);
        EXPECT_FALSE(started());
    }
}

INSTANTIATE_TEST_SUITE_P(TickedOrNot, FirstStartTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ticked" : "Unticked"; });

} // namespace
