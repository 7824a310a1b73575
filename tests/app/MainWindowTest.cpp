#include "EventLoopWait.h"
#include "ProgramTestSupport.h"
#include "TestFiles.h"
#include "app/HelpWindow.h"
#include "editing/EditEventController.h"
#include "timeline/view/TimelineView.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

// The window is built as on a desktop without an icon theme, where our own pictures must stand in.
class NoIconTheme {
public:
    NoIconTheme() {
        QIcon::setThemeSearchPaths({});
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName(u"none"_s);
    }
    ~NoIconTheme() {
        QIcon::setThemeName(m_name);
        QIcon::setThemeSearchPaths(m_searchPaths);
        QIcon::setFallbackSearchPaths(m_fallbackPaths);
    }

private:
    QString m_name = QIcon::themeName();
    QStringList m_searchPaths = QIcon::themeSearchPaths();
    QStringList m_fallbackPaths = QIcon::fallbackSearchPaths();
};

// Clicks the button named `text` in the next dialog that opens over the window, however it is run.
class DialogAnswer {
public:
    DialogAnswer(const MainWindow& window, const QString& text) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, &window, text] {
            for (QWidget* dialog : window.findChildren<QWidget*>())
                if (dialog->isWindow() && dialog->isVisible())
                    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                        if (button->text().remove(u'&') == text) {
                            m_answered = true;
                            if (const auto* box = qobject_cast<QMessageBox*>(dialog))
                                m_text = box->text();
                            button->click();
                            return;
                        }
        });
        m_poll.start(10);
    }
    bool answered() const { return m_answered; }
    // The text of an alert answered.
    const QString& text() const { return m_text; }

private:
    QTimer m_poll;
    bool m_answered = false;
    QString m_text;
};

class MainWindowTest : public ProgramTest {
protected:
    MainWindowTest() { launch(false); }
    QAction* action(const QKeySequence& shortcut) const {
        for (QAction* candidate : window().findChildren<QAction*>())
            if (candidate->shortcut() == shortcut)
                return candidate;
        throw std::runtime_error("no action for " + shortcut.toString().toStdString());
    }
    MainWindow& window() const { return delegate.mainWindow(); }
    TimelineViewController& timeline() const { return delegate.timelineViewController(); }
    TimelineView& view() const { return window().timelineView(); }
    QToolBar& toolBar() const { return *window().findChild<QToolBar*>(); }
    // The tool bar's controls from left to right, as the user sees them (not the separators and the
    // stretch before the search field).
    QList<QWidget*> toolBarControls() const {
        QList<QWidget*> controls;
        for (QAction* action : toolBar().actions())
            if (QWidget* widget = toolBar().widgetForAction(action);
                widget && !action->isSeparator() && widget->metaObject() != &QWidget::staticMetaObject)
                controls.append(widget);
        std::sort(controls.begin(), controls.end(),
                  [](const QWidget* left, const QWidget* right) { return left->x() < right->x(); });
        return controls;
    }
    QToolButton* toolButton(const QKeySequence& shortcut) const {
        return qobject_cast<QToolButton*>(toolBar().widgetForAction(action(shortcut)));
    }
    void activate() {
        window().activateWindow();
        ASSERT_TRUE(waitFor([this] { return QApplication::activeWindow() == &window(); }));
    }

    const NoIconTheme noIconTheme; // made before the window, which launch() builds
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
    // Ctrl+= zooms in as Ctrl++ does.
    activate();
    view().setFocus();
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Equal, Qt::KeyboardModifiers(Qt::ControlModifier)},
                                         {Qt::Key_Plus, Qt::ControlModifier}}) {
        timeline().setTimeInterval(100000);
        QTest::keyClick(&view(), key, modifiers);
        EXPECT_LT(timeline().timeInterval(), 100000) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(MainWindowTest, EditCommandsAreEnabledAndNamedByWhatTheyWouldDo) {
    QAction* undo = action(QKeySequence::Undo);
    QAction* redo = action(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QAction* remove = action(QKeySequence::Delete);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(remove->isEnabled()) << "nothing selected";

    const CalendarDate start = CalendarDate::now().addingSeconds(3 * 3600);
    ASSERT_TRUE(delegate.timelineViewController().createEventWithStart(start, start.addingSeconds(3600)));
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

TEST_F(MainWindowTest, CopyAndPasteKeysActOnEventsUnlessATextFieldHasThem) {
    activate();
    const CalendarDate start = CalendarDate::now().addingSeconds(3 * 3600);
    const auto created = timeline().createEventWithStart(start, start.addingSeconds(3600));
    ASSERT_TRUE(created);
    QAction* paste = action(QKeySequence::Paste);
    EXPECT_FALSE(paste->isEnabled()) << "nothing copied yet";
    auto* search = qobject_cast<QLineEdit*>(toolBarControls().back());
    ASSERT_TRUE(search);
    search->setFocus();
    search->setText(u"lunch"_s);
    search->selectAll();
    QTest::keyClick(search, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"lunch"_s);
    EXPECT_FALSE(paste->isEnabled()) << "the field copied, not the event";

    search->clear();
    delegate.applicationModel().setSelectedEvent(created);
    view().setFocus();
    QTest::keyClick(&view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(u"text/calendar"_s));
    QTest::keyClick(&view(), Qt::Key_V, Qt::ControlModifier);
    const auto pasted = delegate.applicationModel().selectedEvent();
    EXPECT_TRUE(pasted && pasted->uid != created->uid && pasted->title == created->title);
}

TEST_F(MainWindowTest, F1OpensTheGuideAndTheEditorsF1ItsPageOnTheEditor) {
    activate();
    QTest::keyClick(&view(), Qt::Key_F1);
    HelpWindow* help = window().helpWindow();
    ASSERT_TRUE(help && help->isVisible());
    const QTextBrowser& guide = *help->browser();
    ASSERT_TRUE(guide.toPlainText().contains(u"Typing an event"_s)) << "the guide from the resources";
    EXPECT_EQ(guide.verticalScrollBar()->value(), 0);
    // Whether the heading (the last place the text stands, after the contents) is in the browser's view.
    const auto shows = [&](const QString& heading) {
        const QTextCursor found =
            guide.document()->find(heading, guide.document()->characterCount(),
                                   QTextDocument::FindCaseSensitively | QTextDocument::FindBackward);
        return !found.isNull() && guide.viewport()->rect().contains(guide.cursorRect(found));
    };
    for (const auto& [topic, heading] : {std::pair{HelpWindow::EDIT_EVENT, u"The event editor"_s},
                                         {HelpWindow::FEEDBACK, u"When something goes wrong"_s},
                                         {HelpWindow::TIPS, u"Getting started"_s}}) {
        window().showHelp(topic);
        EXPECT_TRUE(shows(heading)) << topic.toStdString();
    }
    EXPECT_FALSE(shows(u"The event editor"_s));
    help->close();

    EditEventController& editor = delegate.editEventController();
    editor.showWithNewEvent(delegate.calendarController().createNewEvent());
    editor.activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == &editor; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(shows(u"The event editor"_s));
    editor.cancelAction();
}

TEST_F(MainWindowTest, AnOpenedReminderShowsItsOccurrenceSelectedInView) {
    auto far = delegate.calendarController().createNewEvent();
    far->title = u"Far away"_s;
    far->startDate = CalendarDate::now().dateByAddingDays(40).toQDateTime();
    far->endDate = far->startDate.addSecs(3600);
    delegate.calendarController().addEvent(*far);
    QCoreApplication::processEvents();
    ASSERT_FALSE(delegate.applicationModel().selectedEvent());

    delegate.showEvent(far->uid, far->startDate);
    const auto selected = delegate.applicationModel().selectedEvent();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->uid, far->uid);
    EXPECT_TRUE(view().startDate() <= CalendarDate::fromQDateTime(far->startDate) &&
                CalendarDate::fromQDateTime(far->startDate) < view().endDate());
    delegate.showEvent(u"gone"_s, far->startDate);
    EXPECT_EQ(delegate.applicationModel().selectedEvent(), selected) << "an unknown uid changes nothing";
}

TEST_F(MainWindowTest, SizeAndPlaceOutliveTheWindowWithinTheScreen) {
    window().show();
    window().setGeometry(40, 60, 700, 500);
    window().close();
    ASSERT_TRUE(defaults.contains(MainWindow::GEOMETRY_KEY));
    EXPECT_EQ(MainWindow(defaults).geometry(), QRect(40, 60, 700, 500));

    // Kept from a larger screen or scale: it comes back within this screen.
    window().show();
    window().setGeometry(300, 200, 2560, 1600);
    window().close();
    const MainWindow next(defaults);
    const QRect available = next.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(next.frameGeometry())) << available.width() << "x" << available.height();
}

TEST_F(MainWindowTest, CtrlWClosesTheWindowAndKeepsItsPlaceAndZoomOnDisk) {
    activate();
    window().setGeometry(60, 80, 640, 480);
    timeline().setTimeInterval(3 * 86400.0);
    QTest::keyClick(&view(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window().isVisible());
    UserDefaults reread(settings.filePath(u"verdalune.conf"_s));
    EXPECT_EQ(MainWindow(reread).geometry(), QRect(60, 80, 640, 480));
    EXPECT_EQ(reread.value(u"timelineTimeInterval"_s).toDouble(), 3 * 86400.0);
}

TEST_F(MainWindowTest, EveryToolBarButtonHasAPictureANameAndATipWithItsShortcut) {
    const QList<QWidget*> controls = toolBarControls();
    int buttons = 0;
    for (QWidget* control : controls) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
        auto* button = qobject_cast<QToolButton*>(control);
        if (!button)
            continue;
        ++buttons;
        const std::string name = button->accessibleName().toStdString();
        EXPECT_FALSE(button->icon().isNull()) << name;
        EXPECT_FALSE(button->icon().pixmap(22).isNull()) << name << ": the picture draws";
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << name << ": no name beside it";
        const QString keys = button->defaultAction()->shortcut().toString(QKeySequence::NativeText);
        EXPECT_FALSE(keys.isEmpty()) << name;
        EXPECT_TRUE(button->toolTip().contains(keys)) << button->toolTip().toStdString();
    }
    EXPECT_EQ(buttons, 7) << "new event, previous, today, next, zoom out and in, scale";
    EXPECT_EQ(toolButton(Qt::CTRL | Qt::Key_Left)->toolTip(), u"Previous (Ctrl+Left)"_s);
    ASSERT_TRUE(toolButton(QKeySequence::New));
    EXPECT_EQ(toolButton(QKeySequence::New)->accessibleName(), u"New Event"_s);
    // The controls that are not buttons name the keys that do the same.
    auto* slider = toolBar().findChild<QSlider*>();
    ASSERT_TRUE(slider);
    EXPECT_TRUE(slider->toolTip().contains(
        action(QKeySequence::ZoomIn)->shortcut().toString(QKeySequence::NativeText)));
    auto* search = qobject_cast<QLineEdit*>(controls.back());
    ASSERT_TRUE(search) << "the search field at the right end";
    EXPECT_TRUE(
        search->toolTip().contains(QKeySequence(QKeySequence::Find).toString(QKeySequence::NativeText)));
}

TEST_F(MainWindowTest, TabGoesThroughTheToolBarLeftToRightThenToTheTimeline) {
    activate();
    EXPECT_TRUE(view().hasFocus()) << "the timeline has the keys from the start";
    const QList<QWidget*> controls = toolBarControls();
    ASSERT_GE(controls.size(), 9);
    controls.front()->setFocus(Qt::TabFocusReason);
    QList<QWidget*> reached{QApplication::focusWidget()};
    for (int step = 0; step < controls.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget());
    }
    QList<QWidget*> expected = controls;
    expected.append(&view());
    EXPECT_EQ(reached, expected);
    QTest::keyClick(&view(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), controls.back()) << "Shift+Tab goes back";
}

TEST_F(MainWindowTest, TheScaleButtonIsCheckedWhileTheScaleIsLogarithmic) {
    QToolButton* scale = toolButton(Qt::CTRL | Qt::Key_L);
    ASSERT_TRUE(scale);
    EXPECT_TRUE(scale->isCheckable());
    EXPECT_TRUE(scale->accessibleName().contains(u"Logarithmic"_s));
    EXPECT_TRUE(scale->toolTip().contains(u"linear"_s) && scale->toolTip().contains(u"logarithmic"_s));
    for (const int mode : {TimelineViewController::Linear, TimelineViewController::Logarithmic}) {
        timeline().setViewMode(mode);
        EXPECT_EQ(scale->isChecked(), mode == TimelineViewController::Logarithmic);
        scale->click();
        EXPECT_NE(timeline().viewMode(), mode);
        EXPECT_EQ(scale->isChecked(), timeline().viewMode() == TimelineViewController::Logarithmic);
    }
}

TEST_F(MainWindowTest, TheTimelineHasTheKeysAgainAfterEveryDialog) {
    activate();
    auto* search = qobject_cast<QLineEdit*>(toolBarControls().back());
    ASSERT_TRUE(search);
    auto series = delegate.calendarController().createNewEvent();
    series->startDate = CalendarDate::now().addingSeconds(3 * 3600).toQDateTime();
    series->endDate = series->startDate.addSecs(3600);
    series->recurrenceRule = CalRecurrenceRule::rule(CalRecurrenceRule::Daily);
    delegate.calendarController().addEvent(*series);
    QCoreApplication::processEvents();
    ApplicationModel& model = delegate.applicationModel();
    const qsizetype occurrences = model.eventsWithUid(series->uid).size();
    ASSERT_GT(occurrences, 1);

    // The question which occurrences, then Ctrl+Z at once.
    model.setSelectedEvent(model.eventsWithUid(series->uid).front());
    search->setFocus();
    {
        const DialogAnswer answer(window(), u"Only this occurrence"_s);
        action(QKeySequence::Delete)->trigger();
        ASSERT_TRUE(answer.answered());
    }
    ASSERT_TRUE(waitFor([this] { return view().hasFocus(); }));
    EXPECT_EQ(model.eventsWithUid(series->uid).size(), occurrences - 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model.eventsWithUid(series->uid).size(), occurrences) << "undone";

    // An alert, and Go to Date cancelled.
    for (const auto& [shortcut, button] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_G), u"Cancel"_s}, {QKeySequence(), u"OK"_s}}) {
        search->setFocus();
        const DialogAnswer answer(window(), button);
        if (shortcut.isEmpty())
            window().showKeyboardShortcuts();
        else
            action(shortcut)->trigger();
        EXPECT_TRUE(waitFor([&] { return answer.answered() && view().hasFocus(); })) << button.toStdString();
        if (shortcut.isEmpty()) {
            for (const QString& listed : {u"Tab, Shift+Tab"_s, u"Page Up, Page Down"_s, u"Ctrl+wheel"_s,
                                          u"New event from anywhere</td><td>&nbsp;&nbsp;Ctrl+Super+N"_s})
                EXPECT_TRUE(answer.text().contains(listed)) << listed.toStdString();
        }
    }

    // The event editor beside the window, closed with Escape.
    search->setFocus();
    action(QKeySequence::New)->trigger();
    EditEventController& editor = delegate.editEventController();
    ASSERT_TRUE(waitFor([&] { return editor.isActiveWindow(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(waitFor([&] { return !editor.isVisible() && view().hasFocus(); }));
}

TEST_F(MainWindowTest, AnImportedEventIsShownAndSelected) {
    // Far from the dates shown at a start; the first event of the file is the later one.
    const QDateTime later = QDateTime::currentDateTimeUtc().addDays(400);
    const QString format = u"yyyyMMdd'T'hhmmss'Z'"_s;
    const QString file = settings.filePath(u"invite.ics"_s);
    ASSERT_TRUE(writeFile(
        file,
        u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:first\\,one\r\nDTSTART:%1\r\nEND:VEVENT\r\n"
        u"BEGIN:VEVENT\r\nUID:second\r\nDTSTART:%2\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"_s
            .arg(later.toString(format), later.addDays(-1).toString(format))
            .toUtf8()));
    bool ok = false;
    delegate.importController().importFile(file, u"home"_s, ok);
    const std::shared_ptr<CalEvent> selected = delegate.applicationModel().selectedEvent();
    ASSERT_TRUE(ok && selected);
    EXPECT_EQ(selected->uid, u"first,one"_s);
    EXPECT_TRUE(delegate.applicationModel().events().contains(selected)) << "the record the timeline shows";
    EXPECT_TRUE(view().startDate().toQDateTime() <= later && later <= view().endDate().toQDateTime());
}

} // namespace
