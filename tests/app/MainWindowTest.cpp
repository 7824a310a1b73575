#include "app/ApplicationDelegate.h"
#include "base/UserDefaults.h"
#include "store/vdir/CalendarStoreLocation.h"
#include "timeline/view/TimelineView.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QSlider>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        if (!CalendarStoreLocation::prepare(calendars.path()))
            throw std::runtime_error("cannot create the calendar folder");
        defaults.setValue(u"showFirstTimeLaunchPanelKey"_s, false);
        delegate.start(calendars.path());
        delegate.finishLaunching();
    }
    QAction* action(const QKeySequence& shortcut) const {
        for (QAction* candidate : window().findChildren<QAction*>())
            if (candidate->shortcut() == shortcut)
                return candidate;
        throw std::runtime_error("no action for " + shortcut.toString().toStdString());
    }
    MainWindow& window() const { return delegate.mainWindow(); }
    TimelineViewController& timeline() const { return delegate.timelineViewController(); }

    QTemporaryDir settings, calendars;
    UserDefaults defaults{settings.filePath(u"verdalune.conf"_s)};
    ApplicationDelegate delegate{defaults};
};

TEST_F(MainWindowTest, TheZoomSliderKeysAndTimelineFollowEachOther) {
    auto* slider = window().findChild<QSlider*>();
    ASSERT_TRUE(slider);
    slider->setValue(slider->maximum());
    EXPECT_NEAR(timeline().timeInterval(), 8640000, 1);
    timeline().setTimeInterval(21600);
    EXPECT_EQ(slider->value(), slider->minimum());
    // The slider's own rounding does not feed back into the interval.
    timeline().setTimeInterval(100000);
    EXPECT_DOUBLE_EQ(timeline().timeInterval(), 100000);
    action(QKeySequence::ZoomIn)->trigger();
    EXPECT_LT(timeline().timeInterval(), 100000);
    action(QKeySequence::ZoomOut)->trigger();
    action(QKeySequence::ZoomOut)->trigger();
    EXPECT_GT(timeline().timeInterval(), 100000);
    for (const auto& [keys, seconds] :
         {std::pair{Qt::Key_1, 86400}, {Qt::Key_2, 604800}, {Qt::Key_3, 2678400}}) {
        action(Qt::CTRL | keys)->trigger();
        EXPECT_DOUBLE_EQ(timeline().timeInterval(), seconds);
    }
}

TEST_F(MainWindowTest, EditCommandsAreEnabledAndNamedByWhatTheyWouldDo) {
    QAction* undo = action(QKeySequence::Undo);
    QAction* redo = action(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QAction* remove = action(QKeySequence::Delete);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(remove->isEnabled()) << "nothing selected";

    const CalendarDate start = CalendarDate::now().addingSeconds(3 * 3600);
    ASSERT_TRUE(delegate.actionsController().createEventWithStart(start, start.addingSeconds(3600)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), u"Undo New Event"_s);
    remove->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(undo->text(), u"Undo Remove Event"_s);
    undo->trigger();
    EXPECT_EQ(redo->text(), u"Redo Remove Event"_s);
    EXPECT_TRUE(redo->isEnabled());
}

TEST_F(MainWindowTest, SizeAndPlaceOutliveTheWindow) {
    window().show();
    window().setGeometry(40, 60, 900, 500);
    window().close();
    ASSERT_TRUE(defaults.contains(MainWindow::GEOMETRY_KEY));
    MainWindow next(defaults);
    EXPECT_EQ(next.size(), QSize(900, 500));
}

} // namespace
