#include "MainWindow.h"

#include "ActionsController.h"
#include "DialogFocusReturn.h"
#include "HelpWindow.h"
#include "ReadProgressStatus.h"
#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "base/Version.h"
#include "editing/fitIntoScreen.h"
#include "shortcut/HotKeyModifiers.h"
#include "shortcut/PTKeyCombo.h"
#include "shortcut/PreferenceKeys.h"
#include "store/ApplicationModel.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"
#include "timeline/view/ZoomController.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace {
constexpr int SLIDER_MAXIMUM = 1000;

// The desktop's icon, else our own picture of the same name, so that the tool bar is never blank.
QIcon themeIcon(const QString& name) {
    return QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/toolbar/%1.svg").arg(name)));
}

QString plainText(const QAction* action) {
    return action->text().remove(u'&');
}

// "Previous (Ctrl+Left)": the first shortcut of each action, written as this desktop writes keys.
QString withShortcuts(const QString& text, const QList<const QAction*>& actions) {
    QStringList keys;
    for (const QAction* action : actions)
        keys.append(action->shortcut().toString(QKeySequence::NativeText));
    return QStringLiteral("%1 (%2)").arg(text, keys.join(QStringLiteral(", ")));
}

} // namespace

MainWindow::MainWindow(UserDefaults& userDefaults, QWidget* parent)
    : QMainWindow(parent), m_userDefaults(userDefaults), m_sideSplitter(new QSplitter(Qt::Horizontal, this)),
      m_timelineSplitter(new QSplitter(Qt::Vertical)), m_scrollArea(new QScrollArea),
      m_view(new TimelineView) {
    setWindowTitle(QStringLiteral("Verdalune"));
    new DialogFocusReturn(*this, *m_view);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_view->placeInScrollArea(*m_scrollArea);
    m_timelineSplitter->addWidget(m_scrollArea);
    m_timelineSplitter->setCollapsible(0, false);
    m_sideSplitter->addWidget(m_timelineSplitter);
    m_sideSplitter->setChildrenCollapsible(false);
    // Dragged shut, the side pane counts as hidden by the user.
    connect(m_sideSplitter, &QSplitter::splitterMoved, this, [this] {
        if (m_sideSplitter->count() < 2)
            return;
        const bool shown = m_sideSplitter->sizes().front() > 0;
        if (m_showSidePane && m_showSidePane->isChecked() != shown) {
            m_showSidePane->setChecked(shown);
            emit sidePaneShownChanged(shown);
        }
    });
    setCentralWidget(m_sideSplitter);
    resize(1280, 800);
    if (restoreGeometry(m_userDefaults.value(GEOMETRY_KEY).toByteArray()))
        fitIntoScreen(*this);
}

void MainWindow::showReadProgress(qsizetype read, qsizetype total) {
    if (!m_readProgress) {
        m_readProgress = new ReadProgressStatus;
        statusBar()->addWidget(m_readProgress, 1);
    }
    m_readProgress->showProgress(read, total);
    statusBar()->setVisible(!m_readProgress->isHidden());
}

void MainWindow::setSidePane(QWidget* pane) {
    m_sidePane = pane;
    m_sideSplitter->insertWidget(0, pane);
    m_sideSplitter->setCollapsible(0, true);
    m_sideSplitter->setStretchFactor(1, 1);
    m_sideSplitter->setSizes({220, width() - 220});
}

void MainWindow::setSearchField(QWidget* field) {
    auto* spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    field->setMaximumWidth(260);
    field->setToolTip(withShortcuts(tr("Search events"), {m_find}));
    m_toolBar->addWidget(field);
    orderTabs();
}

void MainWindow::setSidePaneShown(bool shown) {
    if (m_sideSplitter->count() < 2)
        return;
    QWidget* pane = m_sideSplitter->widget(0);
    pane->setVisible(shown);
    if (shown && m_sideSplitter->sizes().front() == 0)
        m_sideSplitter->setSizes({220, width() - 220});
    if (m_showSidePane)
        m_showSidePane->setChecked(shown);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_userDefaults.setValue(GEOMETRY_KEY, saveGeometry());
    m_userDefaults.synchronize();
    QMainWindow::closeEvent(event);
}

void MainWindow::setUpCommands(TimelineViewController& timeline, ActionsController& actions,
                               UndoManager& undoManager, ApplicationModel& model) {
    setUpFileMenu(actions);
    setUpEditMenu(actions, undoManager, model);
    setUpViewMenu(timeline, actions);
    setUpCalendarMenu(model);
    setUpHelpMenu();
    setUpToolBar(timeline);
}

void MainWindow::setUpFileMenu(ActionsController& actions) {
    QMenu* menu = menuBar()->addMenu(tr("&File"));
    m_newEvent =
        menu->addAction(tr("&New Event"), QKeySequence::New, &actions, &ActionsController::createNewEvent);
    m_newEvent->setIcon(themeIcon(QStringLiteral("appointment-new")));
    m_newCalendar = menu->addAction(tr("New &Calendar…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
                                    this, &MainWindow::newCalendarRequested);
    menu->addAction(tr("&Import…"), QKeySequence(Qt::CTRL | Qt::Key_I), this, &MainWindow::importRequested);
    m_syncNow = menu->addAction(tr("&Sync Now"), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                                &MainWindow::syncNowRequested);
    m_syncNow->setEnabled(false);
    menu->addSeparator();
    // Closing the last window ends the program, keeping the window's size, place and zoom: the same as
    // the window's close button.
    QAction* closeWindow = menu->addAction(tr("&Close Window"), this, &QWidget::close);
    QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    if (const QKeySequence ctrlW(Qt::CTRL | Qt::Key_W); !closeKeys.contains(ctrlW))
        closeKeys.prepend(ctrlW);
    closeWindow->setShortcuts(closeKeys);
    menu->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
}

void MainWindow::setUpToolBar(TimelineViewController& timeline) {
    QToolBar* bar = addToolBar(tr("Timeline"));
    m_toolBar = bar;
    bar->setMovable(false);
    // Pictures only, whatever the platform theme asks: the names would not fit beside the slider.
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBarButton(m_newEvent);
    bar->addSeparator();
    addToolBarButton(m_previous);
    addToolBarButton(m_today);
    addToolBarButton(m_next);
    bar->addSeparator();

    addToolBarButton(m_zoomOut);
    auto* slider = new QSlider(Qt::Horizontal, bar);
    slider->setRange(0, SLIDER_MAXIMUM);
    slider->setMaximumWidth(240);
    slider->setAccessibleName(tr("Zoom"));
    slider->setToolTip(withShortcuts(tr("Zoom: six hours to a hundred days"), {m_zoomIn, m_zoomOut}));
    m_zoom = new ZoomController(timeline, 0, SLIDER_MAXIMUM, this);
    slider->setValue(int(std::lround(m_zoom->sliderValue())));
    connect(slider, &QSlider::valueChanged, m_zoom, [this](int value) { m_zoom->setSliderValue(value); });
    connect(m_zoom, &ZoomController::sliderValueChanged, slider, [slider](double value) {
        const QSignalBlocker quiet(slider); // the slider's own step would round the interval
        slider->setValue(int(std::lround(value)));
    });
    bar->addWidget(slider);
    addToolBarButton(m_zoomIn);
    bar->addSeparator();
    addToolBarButton(m_logarithmic, tr("Switch between a linear and a logarithmic time scale"));
    orderTabs();
}

void MainWindow::addToolBarButton(QAction* action, const QString& description) {
    m_toolBar->addAction(action);
    action->setToolTip(withShortcuts(description.isEmpty() ? plainText(action) : description, {action}));
    QWidget* button = m_toolBar->widgetForAction(action);
    button->setFocusPolicy(Qt::TabFocus); // a click leaves the keyboard where it was
    button->setAccessibleName(plainText(action));
}

// Tab goes left to right through the tool bar, then to the timeline.
void MainWindow::orderTabs() {
    QWidget* previous = nullptr;
    for (QAction* action : m_toolBar->actions()) {
        QWidget* widget = m_toolBar->widgetForAction(action);
        if (!widget || !(widget->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    setTabOrder(previous, m_view);
}

void MainWindow::setUpEditMenu(ActionsController& actions, UndoManager& undoManager,
                               ApplicationModel& model) {
    QMenu* menu = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = menu->addAction(tr("Undo"), QKeySequence::Undo, &undoManager, &UndoManager::undo);
    QAction* redo = menu->addAction(tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &undoManager,
                                    &UndoManager::redo);
    auto refreshUndo = [undo, redo, &undoManager] {
        undo->setEnabled(undoManager.canUndo());
        undo->setText(undoManager.undoActionName().isEmpty()
                          ? tr("Undo")
                          : tr("Undo %1").arg(undoManager.undoActionName()));
        redo->setEnabled(undoManager.canRedo());
        redo->setText(undoManager.redoActionName().isEmpty()
                          ? tr("Redo")
                          : tr("Redo %1").arg(undoManager.redoActionName()));
    };
    connect(&undoManager, &UndoManager::changed, this, refreshUndo);
    refreshUndo();
    menu->addSeparator();
    // A focused text field takes its own Copy and Paste keys before these.
    QAction* copy =
        menu->addAction(tr("&Copy Event"), QKeySequence::Copy, &actions, &ActionsController::copyEvent);
    QAction* paste =
        menu->addAction(tr("&Paste Event"), QKeySequence::Paste, &actions, &ActionsController::pasteEvent);
    QAction* duplicate = menu->addAction(tr("D&uplicate Event"), QKeySequence(Qt::CTRL | Qt::Key_D), &actions,
                                         &ActionsController::duplicateEvent);
    auto refreshPaste = [paste, &actions] { paste->setEnabled(actions.clipboard().event() != nullptr); };
    connect(&actions.clipboard(), &EventClipboard::changed, this, refreshPaste);
    refreshPaste();
    menu->addSeparator();
    m_find = menu->addAction(tr("&Find…"), QKeySequence::Find, this, &MainWindow::findRequested);
    // Return itself is the timeline's key: a shortcut here would take it from every field.
    QAction* show = menu->addAction(tr("&Show Event") + QStringLiteral("\t") + tr("Return"), &actions,
                                    &ActionsController::showSelectedEvent);
    QAction* remove =
        menu->addAction(tr("Delete Event"), QKeySequence::Delete, &actions, &ActionsController::deleteEvent);
    auto refreshEventCommands = [show, remove, copy, duplicate, &model] {
        for (QAction* action : {show, remove, copy, duplicate})
            action->setEnabled(model.selectedEvent() != nullptr);
    };
    connect(&model, &ApplicationModel::selectedEventChanged, this, refreshEventCommands);
    refreshEventCommands();
    // Escape ends naming an event in place without saving.
    auto* cancel = new QAction(this);
    cancel->setShortcut(Qt::Key_Escape);
    connect(cancel, &QAction::triggered, m_view, &TimelineView::cancelOperation);
    addAction(cancel);
    menu->addSeparator();
    // Linux desktops put the preferences last in Edit, under Ctrl+Comma.
    menu->addAction(tr("Pre&ferences…"), QKeySequence(Qt::CTRL | Qt::Key_Comma), this,
                    &MainWindow::preferencesRequested);
}

void MainWindow::setUpViewMenu(TimelineViewController& timeline, ActionsController& actions) {
    QMenu* menu = menuBar()->addMenu(tr("&View"));
    menu->addAction(tr("One Day"), QKeySequence(Qt::CTRL | Qt::Key_1), &actions,
                    &ActionsController::displayOneDay);
    menu->addAction(tr("One Week"), QKeySequence(Qt::CTRL | Qt::Key_2), &actions,
                    &ActionsController::displayOneWeek);
    menu->addAction(tr("One Month"), QKeySequence(Qt::CTRL | Qt::Key_3), &actions,
                    &ActionsController::displayOneMonth);
    menu->addSeparator();
    m_today = menu->addAction(tr("Today"), QKeySequence(Qt::CTRL | Qt::Key_T), &actions,
                              &ActionsController::showNow);
    m_today->setIcon(themeIcon(QStringLiteral("go-jump-today")));
    m_previous = menu->addAction(tr("Previous"), QKeySequence(Qt::CTRL | Qt::Key_Left), &timeline,
                                 &TimelineViewController::previousView);
    m_previous->setIcon(themeIcon(QStringLiteral("go-previous")));
    m_next = menu->addAction(tr("Next"), QKeySequence(Qt::CTRL | Qt::Key_Right), &timeline,
                             &TimelineViewController::nextView);
    m_next->setIcon(themeIcon(QStringLiteral("go-next")));
    menu->addAction(tr("Go to Date…"), QKeySequence(Qt::CTRL | Qt::Key_G), this,
                    &MainWindow::goToDateRequested);
    menu->addSeparator();
    m_showSidePane = menu->addAction(tr("Show &Calendars"));
    m_showSidePane->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_showSidePane->setCheckable(true);
    m_showSidePane->setChecked(true);
    connect(m_showSidePane, &QAction::triggered, this, [this](bool shown) {
        setSidePaneShown(shown);
        emit sidePaneShownChanged(shown);
    });
    menu->addSeparator();
    m_zoomIn = menu->addAction(tr("Zoom In"), &timeline, &TimelineViewController::decreaseRange);
    // Ctrl+= as well, for keyboards on which + needs Shift.
    QList<QKeySequence> zoomInKeys = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    if (const QKeySequence equals(Qt::CTRL | Qt::Key_Equal); !zoomInKeys.contains(equals))
        zoomInKeys.append(equals);
    m_zoomIn->setShortcuts(zoomInKeys);
    m_zoomIn->setIcon(themeIcon(QStringLiteral("zoom-in")));
    m_zoomOut = menu->addAction(tr("Zoom Out"), QKeySequence::ZoomOut, &timeline,
                                &TimelineViewController::increaseRange);
    m_zoomOut->setIcon(themeIcon(QStringLiteral("zoom-out")));
    // Checked: the logarithmic scale; unchecked: the linear one.
    m_logarithmic = menu->addAction(tr("Logarithmic Scale"));
    m_logarithmic->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_logarithmic->setIcon(themeIcon(QStringLiteral("measure")));
    m_logarithmic->setCheckable(true);
    m_logarithmic->setChecked(timeline.viewMode() == TimelineViewController::Logarithmic);
    connect(m_logarithmic, &QAction::triggered, &timeline, &TimelineViewController::toggleLinearLogScale);
    connect(&timeline, &TimelineViewController::viewModeChanged, m_logarithmic,
            [this](int mode) { m_logarithmic->setChecked(mode == TimelineViewController::Logarithmic); });
}

void MainWindow::setUpHelpMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Help"));
    menu->addAction(tr("Verdalune &Help"), QKeySequence::HelpContents, this, [this] { showHelp(); });
    menu->addAction(tr("&Tips for Efficient Usage"), this, [this] { showHelp(HelpWindow::TIPS); });
    menu->addAction(tr("&Keyboard Shortcuts"), this, &MainWindow::showKeyboardShortcuts);
    menu->addAction(tr("When Something Goes &Wrong"), this, [this] { showHelp(HelpWindow::FEEDBACK); });
    menu->addAction(tr("&About Verdalune"), this, [this] {
        QMessageBox::about(this, tr("About Verdalune"),
                           tr("<b>Verdalune</b> %1<br>Your calendars on one zoomable timeline. Type an event "
                              "in plain English: <i>tomorrow 12:30 to 13:30 lunch</i>.")
                               .arg(QLatin1StringView(Version::text)));
    });
}

void MainWindow::showHelp(const QString& topic) {
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showTopic(topic);
}

void MainWindow::showKeyboardShortcuts() {
    QStringList rows;
    for (QAction* top : menuBar()->actions())
        for (QAction* action : top->menu()->actions())
            if (!action->shortcut().isEmpty())
                rows.append(QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                                .arg(plainText(action),
                                     QKeySequence::listToString(action->shortcuts(), QKeySequence::NativeText)
                                         .toHtmlEscaped()));
    // The keys of the timeline, which no menu holds.
    const std::pair<QString, QString> timelineKeys[] = {
        {tr("Show Event"), tr("Return")},
        {tr("Select the previous or next event"), tr("Left, Right")},
        {tr("Select the event in the row above or below"), tr("Up, Down")},
        {tr("Step through the events shown"), tr("Tab, Shift+Tab")},
        {tr("Earlier or later"), tr("Page Up, Page Down")},
        {tr("Show now"), tr("Home")},
        {tr("Stop a drag or naming, then clear the selection"), tr("Escape")},
        {tr("Zoom in or out at the pointer"), tr("Ctrl+wheel")},
        {tr("Move in time"), tr("Shift+wheel")},
    };
    for (const auto& [what, keys] : timelineKeys)
        rows.append(QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>").arg(what, keys));
    bool isNumber = false;
    const int code = m_userDefaults.value(PreferenceKeys::NEW_EVENT_HOT_KEY_CODE).toInt(&isNumber);
    const QString global =
        isNumber && code >= 0
            ? PTKeyCombo(code, HotKeyModifiers::fromDesktopFlags(
                                   m_userDefaults.value(PreferenceKeys::NEW_EVENT_HOT_KEY_FLAGS).toUInt()))
                  .description()
            : tr("none (set it in Preferences)");
    rows.append(QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                    .arg(tr("New event from anywhere"), global.toHtmlEscaped()));
    QMessageBox::information(this, tr("Keyboard Shortcuts"),
                             QStringLiteral("<table>%1</table>").arg(rows.join(QString())));
}

void MainWindow::setUpCalendarMenu(ApplicationModel& model) {
    QMenu* menu = menuBar()->addMenu(tr("&Calendar"));
    QAction* edit = menu->addAction(tr("&Edit Calendar…"), this, &MainWindow::editCalendarRequested);
    QAction* remove = menu->addAction(tr("&Remove Calendar…"), this, &MainWindow::removeCalendarRequested);
    auto refresh = [edit, remove, &model] {
        edit->setEnabled(model.selectedCalendar() != nullptr);
        remove->setEnabled(!model.calendars().isEmpty());
    };
    connect(&model, &ApplicationModel::selectedCalendarChanged, this, refresh);
    connect(&model, &ApplicationModel::calendarsChanged, this, refresh);
    refresh();
    menu->addSeparator();
    QAction* addAccount = menu->addAction(tr("&Add CalDAV Account…"), this, &MainWindow::addAccountRequested);
    m_removeAccount = menu->addAction(tr("Remove Acc&ount…"), this, &MainWindow::removeAccountRequested);
    m_removeAccount->setEnabled(false);
    // The same commands from the pane's context menu (the Menu key or Shift+F10 there).
    if (m_sidePane) {
        auto* separator = new QAction(m_sidePane);
        separator->setSeparator(true);
        m_sidePane->addActions({m_newCalendar, edit, remove, separator, addAccount, m_removeAccount});
        m_sidePane->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void MainWindow::setSyncNowEnabled(bool enabled) {
    m_syncNow->setEnabled(enabled);
}

void MainWindow::setRemoveAccountEnabled(bool enabled) {
    m_removeAccount->setEnabled(enabled);
}
