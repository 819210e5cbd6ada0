// SPDX-License-Identifier: MIT
// The Journal screen driven as a person uses it, offscreen, at 1,000, 10,000 and 100,000
// sessions: opening it (building the screen and painting its first frame), the keystroke that
// starts a search, one that extends it, clearing the search, and deleting the selected session
// (the store's save included). Each figure is the main thread's CPU time for that step, painting
// the list included, so that other work on the machine does not count.
//
// The application writes the search texts on idle ticks from its first window on
// (JournalSearchWarmUp), a millisecond at a time, and again after every change of the journal; a
// person meets a journal whose warm-up is done, so the keystrokes run after it. Two more figures
// show the keystroke that finds the warm-up unfinished: before it began (every date formatted),
// and right after a change (dates copied from the texts before it).
#include "core/editing/PracticePreferences.h"
#include "core/journal/JournalSearchIndex.h"
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"
#include "ui/journal/SessionDetailView.h"
#include "ui/journal/SessionListView.h"
#include "ui/journal/SessionsView.h"
#include "ui/shell/JournalSearchWarmUp.h"

#include <QApplication>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <ctime>
#include <map>
#include <memory>

using namespace brevanta;

namespace {

const Calendar journalCalendar(u"America/New_York", u"en_US");
const Instant today = Instant::fromSecsSinceEpoch(1'741'600'800); // 2025-03-10T10:00Z

// One practice session a day going back from today, each with two or three entries.
std::unique_ptr<JournalStore> makeJournal(int sessionCount) {
    static const QString titles[] = {QStringLiteral("Scales in thirds"),
                                     QStringLiteral("Chord melody"),
                                     QStringLiteral("Alternate picking at 90 bpm"),
                                     QStringLiteral("Blues over a drone"),
                                     QStringLiteral("Sight-reading two new pages"),
                                     QStringLiteral("Arpeggio study")};
    QRandomGenerator random(7);
    auto store = JournalStore::open(StoreConfiguration::inMemory());
    JournalStore::ChangeBatch batch(*store);
    for (int day = 0; day < sessionCount; ++day) {
        const Instant start = today.addingMSecs(-std::int64_t(day) * 86'400'000);
        std::vector<PracticeEntryPtr> entries;
        const int count = 2 + int(random.bounded(2));
        for (int index = 0; index < count; ++index)
            entries.push_back(
                PracticeEntry::create(QUuid::createUuid(), titles[random.bounded(6)],
                                      PracticeCategory::allCases()[std::size_t(index % 3)],
                                      60 * random.bounded(5, 30), std::nullopt, 0, nullptr, start));
        store->insert(PracticeSession::create(
            QUuid::createUuid(), start, 60 * random.bounded(10, 90), PracticeSessionSource::manual,
            day % 3 == 0 ? std::optional(QStringLiteral("Metronome at 80, then 92."))
                         : std::nullopt,
            std::move(entries), start));
    }
    store->save();
    return store;
}

// The CPU time of the calling thread, in seconds.
class ThreadTimer {
public:
    ThreadTimer() { m_start = now(); }
    double elapsed() const { return now() - m_start; }

private:
    static double now() {
        timespec time{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return double(time.tv_sec) + double(time.tv_nsec) / 1e9;
    }
    double m_start = 0;
};

// Runs the application's idle-time warm-up to its end; the CPU time it took, in seconds.
double warmUp(JournalStore& store) {
    JournalSearchWarmUp warmUp(store, [] { return journalCalendar; });
    const ThreadTimer timer;
    warmUp.start();
    while (warmUp.isWalking())
        QCoreApplication::processEvents();
    return timer.elapsed();
}

// Kept across benchmarks; closed before the application object goes.
std::map<int, std::unique_ptr<JournalStore>>& journals() {
    static std::map<int, std::unique_ptr<JournalStore>> kept;
    return kept;
}

JournalStore& journal(int sessionCount) {
    auto& kept = journals()[sessionCount];
    if (!kept)
        kept = makeJournal(sessionCount);
    return *kept;
}

QSettings& settings() {
    static QTemporaryDir folder;
    static QSettings kept(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    return kept;
}

std::unique_ptr<SessionsView> openJournal(JournalStore& store) {
    auto view =
        std::make_unique<SessionsView>(store, journalCalendar, Clock::fixed(today),
                                       PracticePreferences(settings()), SessionsView::Actions{});
    view->resize(1280, 800);
    view->show();
    // The first frame: the whole screen painted once.
    benchmark::DoNotOptimize(view->grab());
    return view;
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Types `text` as the last keystroke and paints the list it leaves.
double keystroke(SessionsView& view, const QString& text) {
    const ThreadTimer timer;
    view.searchField()->setText(text);
    view.listView()->viewport()->repaint();
    return timer.elapsed();
}

void openingTheJournal(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    for (auto _ : state) {
        const ThreadTimer timer;
        auto view = openJournal(store);
        state.SetIterationTime(timer.elapsed());
        view.reset();
        settle();
    }
}

void keystrokeStartingASearch(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    auto view = openJournal(store);
    warmUp(store);
    for (auto _ : state) {
        keystroke(*view, QString());
        state.SetIterationTime(keystroke(*view, QStringLiteral("s")));
    }
    const JournalSearchIndex& index = JournalSearchIndex::of(store);
    state.counters["indexBytesPerSession"] =
        double(index.memoryBytes()) / double(store.sessions().size());
}

// The whole warm-up, which runs a millisecond at a time on idle ticks: before the first window
// opens on a journal, and when another calendar is used.
void warmingUpTheSearch(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    JournalSearchIndex& index = JournalSearchIndex::of(store);
    for (auto _ : state) {
        index.prepare(journalCalendar.withTimeZone(u"Asia/Tokyo"), 0);
        state.SetIterationTime(warmUp(store));
    }
}

// The warm-up has not begun: every session's dates are formatted by this keystroke.
void keystrokeBeforeWarmUp(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    auto view = openJournal(store);
    JournalSearchIndex& index = JournalSearchIndex::of(store);
    const Calendar elsewhere = journalCalendar.withTimeZone(u"Asia/Tokyo");
    for (auto _ : state) {
        keystroke(*view, QString());
        // Texts of another calendar: those of the journal's are gone.
        index.prepare(elsewhere, 0);
        state.SetIterationTime(keystroke(*view, QStringLiteral("s")));
    }
}

// The journal just changed and the warm-up has not walked it again.
void keystrokeRightAfterAChange(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    auto view = openJournal(store);
    warmUp(store);
    const PracticeSessionPtr edited = store.sessions().back();
    for (auto _ : state) {
        keystroke(*view, QString());
        edited->applyEdits(edited->startedAt(), edited->durationSeconds(),
                           edited->notes() ? std::nullopt
                                           : std::optional(QStringLiteral("Slow and even.")),
                           edited->entries(), today);
        state.SetIterationTime(keystroke(*view, QStringLiteral("s")));
    }
    store.rollback();
}

void keystrokeExtendingASearch(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    auto view = openJournal(store);
    warmUp(store);
    for (auto _ : state) {
        keystroke(*view, QString());
        keystroke(*view, QStringLiteral("s"));
        state.SetIterationTime(keystroke(*view, QStringLiteral("sc")));
    }
}

void clearingTheSearch(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    auto view = openJournal(store);
    warmUp(store);
    for (auto _ : state) {
        keystroke(*view, QStringLiteral("sc"));
        state.SetIterationTime(keystroke(*view, QString()));
    }
}

void deletingTheSelectedSession(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    auto view = openJournal(store);
    for (auto _ : state) {
        SessionDetailView* page = view->detailView();
        const ThreadTimer timer;
        page->deleteSession();
        settle();
        view->repaint();
        state.SetIterationTime(timer.elapsed());
    }
    state.counters["left"] = double(store.sessions().size());
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->UseManualTime()->Unit(
        benchmark::kMillisecond);
}

} // namespace

BENCHMARK(openingTheJournal)->Apply(sizes);
BENCHMARK(keystrokeStartingASearch)->Apply(sizes);
BENCHMARK(warmingUpTheSearch)->Apply(sizes);
BENCHMARK(keystrokeBeforeWarmUp)->Apply(sizes);
BENCHMARK(keystrokeRightAfterAChange)->Apply(sizes);
BENCHMARK(keystrokeExtendingASearch)->Apply(sizes);
BENCHMARK(clearingTheSearch)->Apply(sizes);
BENCHMARK(deletingTheSelectedSession)->Apply(sizes)->Iterations(50);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    journals().clear();
    return 0;
}
