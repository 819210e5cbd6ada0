// SPDX-License-Identifier: MIT
// Home and Insights on screen while a session is saved: the main-thread work from the save's
// change signal to the repainted page (analytics, heatmap bands, layout and paint), at journals
// of 1,000 to 100,000 sessions. The target is a 16 ms frame at 10,000 sessions and 100 ms at
// 100,000.
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/insights/HomeView.h"
#include "ui/insights/InsightsView.h"

#include <QApplication>
#include <QUuid>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace brevanta;

namespace {

// Wednesday 4 March 2026, 20:15 UTC.
constexpr std::int64_t nowMSecs = 1'772'655'300'000;
constexpr std::int64_t dayMSecs = 86'400'000;

const Calendar& userCalendar() {
    static const Calendar calendar(u"America/New_York", u"en_US");
    return calendar;
}

Clock clock() {
    return Clock::fixed(Instant::fromMSecsSinceEpoch(nowMSecs));
}

PracticeSessionPtr makeSession(Instant start, std::int64_t seconds) {
    return PracticeSession::create(QUuid::createUuid(), start, seconds,
                                   PracticeSessionSource::manual, std::nullopt, {}, start);
}

// A saved journal of `count` sessions over the last three years, so this year holds a third.
JournalStore& journal(int count) {
    static std::map<int, std::unique_ptr<JournalStore>> stores;
    auto found = stores.find(count);
    if (found == stores.end()) {
        auto store = JournalStore::open(StoreConfiguration::inMemory());
        {
            const JournalStore::ChangeBatch batch(*store);
            const std::int64_t span = 3 * 365 * dayMSecs;
            for (int index = 0; index < count; ++index) {
                const Instant start =
                    Instant::fromMSecsSinceEpoch(nowMSecs - span * index / count - 3'600'000);
                store->insert(makeSession(start, 600 + (index % 9) * 300));
            }
            store->save();
        }
        found = stores.emplace(count, std::move(store)).first;
    }
    return *found->second;
}

template <typename View> void refreshAfterSave(benchmark::State& state) {
    JournalStore& store = journal(int(state.range(0)));
    View view(store, clock(), userCalendar());
    view.resize(1280, 800);
    view.show();
    QApplication::processEvents();

    PracticeSessionPtr added;
    for (auto _ : state) {
        state.PauseTiming();
        // Saving one session today, then deleting it again: both change every figure on show.
        if (added) {
            store.remove(added);
            added.reset();
        } else {
            added = makeSession(Instant::fromMSecsSinceEpoch(nowMSecs - 60'000), 1500);
            store.insert(added);
        }
        store.save();
        state.ResumeTiming();
        QApplication::processEvents();
        view.refreshIfStale();
        view.repaint();
    }
    if (added) {
        store.remove(added);
        store.save();
    }
}

void sized(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_TEMPLATE(refreshAfterSave, HomeView)->Apply(sized);
BENCHMARK_TEMPLATE(refreshAfterSave, InsightsView)->Apply(sized);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
