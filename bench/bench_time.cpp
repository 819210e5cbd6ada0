// SPDX-License-Identifier: MIT
// Journal search formats two dates for every session on every keystroke: 10,000 sessions must
// stay well inside one 16 ms frame.
#include "core/time/Calendar.h"
#include "core/time/DateFormatting.h"
#include "core/time/TextServices.h"

#include <benchmark/benchmark.h>
#include <vector>

using namespace brevanta;

namespace {

constexpr int sessionCount = 10'000;

const Calendar& journalCalendar() {
    static const Calendar calendar(u"America/New_York", u"en_US");
    return calendar;
}

// One session a day or so, at varying times, going back about 27 years.
std::vector<Instant> sessionStarts(std::int64_t offsetMSecs = 0) {
    std::vector<Instant> starts;
    starts.reserve(sessionCount);
    const std::int64_t newest = 1'741'119'300'000;
    for (int index = 0; index < sessionCount; ++index)
        starts.push_back(Instant::fromMSecsSinceEpoch(newest - std::int64_t(index) * 86'400'000 -
                                                      (index % 37) * 611'000 + offsetMSecs));
    return starts;
}

void formatBothStyles(const std::vector<Instant>& starts, benchmark::State& state) {
    for (const Instant start : starts) {
        QString complete = DateFormatting::completeDateShortTime(start, journalCalendar());
        QString abbreviated = DateFormatting::abbreviatedDate(start, journalCalendar());
        benchmark::DoNotOptimize(complete);
        benchmark::DoNotOptimize(abbreviated);
    }
    state.SetItemsProcessed(state.items_processed() + std::int64_t(starts.size()));
}

// Every instant new to the formatters: ICU formats each one.
void BM_FormatJournalDates_FirstTime(benchmark::State& state) {
    std::int64_t shift = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto starts = sessionStarts(++shift);
        state.ResumeTiming();
        formatBothStyles(starts, state);
    }
}
BENCHMARK(BM_FormatJournalDates_FirstTime)->Unit(benchmark::kMillisecond);

// The next keystroke: the same sessions again.
void BM_FormatJournalDates_Again(benchmark::State& state) {
    const auto starts = sessionStarts();
    formatBothStyles(starts, state);
    for (auto _ : state)
        formatBothStyles(starts, state);
}
BENCHMARK(BM_FormatJournalDates_Again)->Unit(benchmark::kMillisecond);

// A keystroke end to end, as the journal filter does it: build each session's searchable text
// (title, notes, two dates, an entry and its group) and look for the query in it.
void BM_SearchKeystroke(benchmark::State& state) {
    const auto starts = sessionStarts();
    const QString title = QStringLiteral("Scales in E major");
    const QString notes = QStringLiteral("Slow practice, metronome at 60. Étude no. 3 next time.");
    const QString entry = QStringLiteral("Arpeggios with alternate picking");
    const QString group = QStringLiteral("Look Forward");
    for (auto _ : state) {
        const CaseInsensitiveSearch search(u"mar 4", journalCalendar().localeName());
        int found = 0;
        for (const Instant start : starts) {
            const QString text = title + u' ' + notes + u' ' +
                                 DateFormatting::completeDateShortTime(start, journalCalendar()) +
                                 u' ' + DateFormatting::abbreviatedDate(start, journalCalendar()) +
                                 u' ' + entry + u' ' + u' ' + group;
            found += search.isFoundIn(text) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * sessionCount);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

void BM_StartOfDay(benchmark::State& state) {
    const auto starts = sessionStarts();
    for (auto _ : state) {
        for (const Instant start : starts)
            benchmark::DoNotOptimize(journalCalendar().startOfDay(start));
    }
    state.SetItemsProcessed(state.iterations() * sessionCount);
}
BENCHMARK(BM_StartOfDay)->Unit(benchmark::kMillisecond);

void BM_DaysBetweenConsecutiveSessions(benchmark::State& state) {
    const auto starts = sessionStarts();
    for (auto _ : state) {
        for (std::size_t index = 1; index < starts.size(); ++index)
            benchmark::DoNotOptimize(
                journalCalendar().daysBetween(starts[index], starts[index - 1]));
    }
    state.SetItemsProcessed(state.iterations() * (sessionCount - 1));
}
BENCHMARK(BM_DaysBetweenConsecutiveSessions)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
