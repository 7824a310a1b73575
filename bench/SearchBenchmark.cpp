// One keystroke in the search field over the 10,000-event store with a year either side loaded: the
// matches filtered, sorted and in the table, the nearest one selected, and the pane painted. Once with the
// events' text folded already, once right after a reload brought new records of all of them.
#include "VdirGenerator.h"
#include "base/UndoManager.h"
#include "base/UserDefaults.h"
#include "search/SearchController.h"
#include "search/SearchResultsPane.h"
#include "store/ApplicationModel.h"
#include "store/CalendarController.h"
#include "store/CalendarStoreController.h"
#include "store/NonInteractiveUserInteraction.h"
#include "store/vdir/VdirCalendarStore.h"
#include "timeline/view/TimelineView.h"
#include "timeline/view/TimelineViewController.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "offscreenBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int EVENTS = 10000;

struct Window {
    explicit Window(const QString& root)
        : store(root), defaults(QDir(root).filePath(QStringLiteral("bench.conf"))),
          storeController(store, interaction), controller(model, storeController, undo, defaults) {
        auto* layout = new QVBoxLayout(&window);
        auto* area = new QScrollArea;
        auto* view = new TimelineView;
        view->placeInScrollArea(*area);
        splitter->addWidget(area);
        timeline = std::make_unique<TimelineViewController>(*view, model, controller, undo);
        search = std::make_unique<SearchController>(model, controller, *timeline, defaults, [] {});
        search->placeInSplitter(*splitter);
        layout->addWidget(search->searchField());
        layout->addWidget(splitter);
        window.resize(1280, 800);
        window.show();
        QCoreApplication::processEvents();
    }

    VdirCalendarStore store;
    NonInteractiveUserInteraction interaction;
    UndoManager undo;
    UserDefaults defaults;
    ApplicationModel model;
    CalendarStoreController storeController;
    CalendarController controller;
    QWidget window;
    QSplitter* splitter = new QSplitter(Qt::Vertical);
    std::unique_ptr<TimelineViewController> timeline;
    std::unique_ptr<SearchController> search;
};

struct Fixture {
    Fixture() { VdirGenerator::write(root.path(), EVENTS, QDate::currentDate().year() - 1); }
    QTemporaryDir root;
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

// range(0): 0 types the first letter ("e", which opens the pane and matches most events), 1 the last of
// "lunch"; range(1): 1 replaces every record before each keystroke, so that all text is folded anew.
void keystrokeToResults(benchmark::State& state) {
    Window w(fixture().root.path());
    QLineEdit* field = w.search->searchField();
    const QString before = state.range(0) == 0 ? QString() : QStringLiteral("lunc");
    const char key = state.range(0) == 0 ? 'e' : 'h';
    field->setText(QStringLiteral("x")); // loads the year either side once
    QImage frame(w.search->resultsPane()->size().expandedTo(QSize(1280, 300)),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        field->setText(before);
        if (state.range(1) == 1) {
            EventList copies;
            for (const auto& event : w.model.events())
                copies.append(event->copy());
            w.model.setEvents(copies);
        }
        state.ResumeTiming();
        QTest::keyClick(field, key);
        QCoreApplication::processEvents();
        w.search->resultsPane()->render(&frame);
    }
    state.counters["loaded"] = double(w.model.events().size());
    state.counters["matches"] = double(w.search->foundEvents().size());
    if (w.search->foundEvents().isEmpty() || !w.search->selectedEvent())
        state.SkipWithError("nothing found or selected");
}

} // namespace

BENCHMARK(keystrokeToResults)->Args({0, 0})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runOffscreenBenchmarks<QApplication>(argc, argv);
}
