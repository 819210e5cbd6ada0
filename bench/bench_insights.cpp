// SPDX-License-Identifier: MIT
// The journal list, its search and the insights are recomputed from the whole journal on every
// redraw and keystroke: each must fit in a 16 ms frame at 10,000 sessions and grow no faster
// than the journal.
#include "core/insights/PracticeAnalytics.h"
#include "core/journal/JournalSessionFilter.h"
#include "core/journal/SessionDayGrouping.h"
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <ctime>
#include <map>
#include <vector>

using namespace brevanta;

namespace {

constexpr std::int64_t twentyYearsMSecs = std::int64_t(20) * 36'525 * 86'400'000 / 100;
// Tuesday 4 March 2025, 20:15 UTC.
constexpr std::int64_t newestMSecs = 1'741'119'300'000;

const Calendar& journalCalendar() {
    static const Calendar calendar(u"America/New_York", u"en_US");
    return calendar;
}

Instant now() {
    return Instant::fromMSecsSinceEpoch(newestMSecs + 3'600'000);
}

// `count` sessions of three entries each, evenly over twenty years, newest first as the store
// lists them. One in a hundred mentions "tremolo".
std::vector<PracticeSessionPtr> makeJournal(int count) {
    static const std::array<QString, 4> titles{QStringLiteral("Scales in E major"),
                                               QStringLiteral("Arpeggios with alternate picking"),
                                               QStringLiteral("Sight reading, Bach chorales"),
                                               QStringLiteral("Chord melody: Autumn Leaves")};
    std::vector<PracticeSessionPtr> sessions;
    sessions.reserve(std::size_t(count));
    const std::int64_t step = twentyYearsMSecs / count;
    for (int index = 0; index < count; ++index) {
        const Instant start =
            Instant::fromMSecsSinceEpoch(newestMSecs - std::int64_t(index) * step);
        std::vector<PracticeEntryPtr> entries;
        for (int entry = 0; entry < 3; ++entry) {
            const bool marked = entry == 2 && index % 100 == 0;
            entries.push_back(PracticeEntry::create(
                QUuid::createUuid(), titles[std::size_t(index + entry) % titles.size()],
                PracticeCategory::allCases()[std::size_t(entry)], 300,
                marked ? std::optional<QString>(QStringLiteral("Work on the tremolo picking"))
                       : std::optional<QString>(QStringLiteral("Slow, with the metronome at 60")),
                entry, nullptr, start));
        }
        sessions.push_back(PracticeSession::create(
            QUuid::createUuid(), start, 1200 + (index % 7) * 300, PracticeSessionSource::manual,
            index % 3 == 0 ? std::optional<QString>(QStringLiteral("Felt relaxed today."))
                           : std::nullopt,
            std::move(entries), start));
    }
    return sessions;
}

const std::vector<PracticeSessionPtr>& journal(int count) {
    static std::map<int, std::vector<PracticeSessionPtr>> journals;
    auto found = journals.find(count);
    if (found == journals.end())
        found = journals.emplace(count, makeJournal(count)).first;
    return found->second;
}

void sized(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
}

// As the journal screen asks: the store's list, newest first.
void BM_FilterEmptyQuery(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(JournalSessionFilter::sessions(
            sessions, u"", journalCalendar(), JournalSessionFilter::GivenOrder::newestFirst));
}
BENCHMARK(BM_FilterEmptyQuery)->Apply(sized);

// A list of unknown order: the filter checks it, which reads every record.
void BM_FilterEmptyQuery_OrderChecked(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(JournalSessionFilter::sessions(sessions, u"", journalCalendar()));
}
BENCHMARK(BM_FilterEmptyQuery_OrderChecked)->Apply(sized);

// The next keystroke: every date text was written before.
void BM_FilterOnePercent_Warm(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    std::size_t found =
        JournalSessionFilter::sessions(sessions, u"tremolo", journalCalendar()).size();
    for (auto _ : state)
        found = JournalSessionFilter::sessions(sessions, u"tremolo", journalCalendar()).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_FilterOnePercent_Warm)->Apply(sized);

// A calendar the date formatters have not seen lately: they keep four.
Calendar unseenCalendar() {
    static const std::array<const char16_t*, 8> zones{
        u"America/Chicago", u"America/Denver", u"America/Los_Angeles", u"Europe/London",
        u"Europe/Berlin",   u"Asia/Tokyo",     u"Australia/Sydney",    u"America/Sao_Paulo"};
    static std::size_t run = 0;
    return Calendar(zones[run++ % zones.size()], u"en_US");
}

// The first keystroke after opening the journal with no warm-up: no date was written yet.
void BM_FilterOnePercent_FirstRun(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    std::size_t found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const Calendar calendar = unseenCalendar();
        state.ResumeTiming();
        found = JournalSessionFilter::sessions(sessions, u"tremolo", calendar).size();
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_FilterOnePercent_FirstRun)->Apply(sized);

void BM_MonthGroups(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SessionDayGrouping::monthGroups(sessions, journalCalendar()));
}
BENCHMARK(BM_MonthGroups)->Apply(sized);

void BM_Biography(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(PracticeAnalytics::biography(sessions, journalCalendar()));
}
BENCHMARK(BM_Biography)->Apply(sized);

void BM_WeeklyEncouragement(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PracticeAnalytics::weeklyEncouragement(sessions, now(), journalCalendar()));
}
BENCHMARK(BM_WeeklyEncouragement)->Apply(sized);

// What a home or insights redraw builds: the full-year band and the two half-year bands.
void BM_CalendarYearBands(benchmark::State& state) {
    const auto& sessions = journal(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            PracticeAnalytics::calendarYearBands(sessions, now(), false, journalCalendar()));
        benchmark::DoNotOptimize(
            PracticeAnalytics::calendarYearBands(sessions, now(), true, journalCalendar()));
    }
}
BENCHMARK(BM_CalendarYearBands)->Apply(sized);

} // namespace

BENCHMARK_MAIN();
