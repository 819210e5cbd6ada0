// SPDX-License-Identifier: MIT
// Import files built to exhaust the reader, and a re-import of 100,000 days already in the
// journal. Reading a sheet must stay linear in time and within a small multiple of its size in
// memory, whatever its shape: the counter "peak_per_byte" is the peak memory the parse adds,
// divided by the file's size. The re-import commits nothing, every day being a likely duplicate,
// and must take about as long as the conflict check over the same days.
#include "core/import/PracticeCSVImporter.h"
#include "core/import/PracticeCSVParser.h"
#include "core/store/JournalStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>

#include <benchmark/benchmark.h>
#include <malloc.h>

using namespace brevanta;

namespace {

const Calendar& calendar() {
    static const Calendar newYork(u"America/New_York", u"en_US");
    return newYork;
}

enum Shape { blankLines, loneCarriageReturns, rowsOfCommas, oneEndlessRow, dayAfterDay };

QByteArray hostileSheet(Shape shape, qsizetype size) {
    QByteArray sheet = ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                       ",,,,Practice notes,,,Practice notes,,,Practice notes,,\n";
    const QByteArray unit = shape == blankLines            ? QByteArray("\n")
                            : shape == loneCarriageReturns ? QByteArray("\r")
                            : shape == rowsOfCommas        ? QByteArray(100, ',') + '\n'
                            : shape == oneEndlessRow       ? QByteArray(",")
                                                           : QByteArray("Mar 1,,,,Scales,0:10\n");
    sheet.reserve(size + unit.size());
    while (sheet.size() < size)
        sheet += unit;
    return sheet;
}

// Resident memory in bytes: the current and the peak since the last reset.
std::pair<qint64, qint64> residentMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    qint64 current = 0;
    qint64 peak = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const qint64 kib = line.mid(6).trimmed().split(' ').value(0).toLongLong();
            if (line.startsWith("VmRSS:"))
                current = kib * 1024;
            else if (line.startsWith("VmHWM:"))
                peak = kib * 1024;
        }
    }
    return {current, peak};
}

PracticeImportFileResult parsed(const QByteArray& sheet) {
    try {
        return PracticeCSVParser::parse(sheet, QStringLiteral("Log 2024.csv"), calendar());
    } catch (const PracticeCSVParser::ParserError&) {
        return {};
    }
}

// What one parse adds to the peak, once the heap gave back what it could spare and the peak
// was reset to the present.
double peakPerByte(const QByteArray& sheet) {
    ::malloc_trim(0);
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        return -1;
    clearRefs.close();
    const qint64 before = residentMemory().first;
    benchmark::DoNotOptimize(parsed(sheet).candidates.size());
    return double(residentMemory().second - before) / double(sheet.size());
}

void readHostileSheet(benchmark::State& state, Shape shape) {
    const QByteArray sheet = hostileSheet(shape, state.range(0));
    state.counters["peak_per_byte"] = peakPerByte(sheet);
    for (auto _ : state)
        benchmark::DoNotOptimize(parsed(sheet).candidates.size());
    state.SetComplexityN(sheet.size());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * sheet.size());
}

#define BREVANTA_HOSTILE_SHEET(shape)                                                              \
    BENCHMARK_CAPTURE(readHostileSheet, shape, shape)                                              \
        ->RangeMultiplier(4)                                                                       \
        ->Range(2 << 20, 32 << 20)                                                                 \
        ->Complexity(benchmark::oN)                                                                \
        ->Unit(benchmark::kMillisecond)

BREVANTA_HOSTILE_SHEET(blankLines);
BREVANTA_HOSTILE_SHEET(loneCarriageReturns);
BREVANTA_HOSTILE_SHEET(rowsOfCommas);
BREVANTA_HOSTILE_SHEET(oneEndlessRow);
BREVANTA_HOSTILE_SHEET(dayAfterDay);

constexpr int kDays = 100'000;

// 100,000 consecutive days from 1800 on, each one entry of practice.
const std::vector<PracticeImportCandidate>& manyDays() {
    static const std::vector<PracticeImportCandidate> days = [] {
        std::vector<PracticeImportCandidate> candidates;
        QDate date(1800, 1, 1);
        for (int index = 0; index < kDays; ++index, date = date.addDays(1)) {
            candidates.push_back({QUuid::createUuid(),
                                  QStringLiteral("Log.csv"),
                                  date.month(),
                                  date.day(),
                                  date.year(),
                                  {{QUuid::createUuid(), PracticeCategory::lookBack,
                                    QStringLiteral("Scales, day %1").arg(index), 600}},
                                  600,
                                  {}});
        }
        return candidates;
    }();
    return days;
}

void reimportDaysAlreadyInTheJournal(benchmark::State& state) {
    const auto store = JournalStore::open(StoreConfiguration::inMemory());
    PracticeCSVImporter importer(calendar());
    importer.commit(manyDays(), PracticeImportConflictPolicy::importAnyway, {}, {}, 0, *store);
    const std::vector<PracticeSessionPtr> existing = store->sessions();
    const auto policy = state.range(0) == 0 ? PracticeImportConflictPolicy::skipDuplicates
                                            : PracticeImportConflictPolicy::importAnyway;
    PracticeImportSummary summary;
    for (auto _ : state)
        summary = importer.commit(manyDays(), policy, {}, existing, 0, *store);
    state.counters["journal"] = double(existing.size());
    state.counters["imported"] = double(summary.importedCount);
    state.counters["duplicates"] = double(summary.duplicatesSkipped);
}

void conflictsOfTheSameDays(benchmark::State& state) {
    const auto store = JournalStore::open(StoreConfiguration::inMemory());
    PracticeCSVImporter importer(calendar());
    importer.commit(manyDays(), PracticeImportConflictPolicy::importAnyway, {}, {}, 0, *store);
    const std::vector<PracticeSessionPtr> existing = store->sessions();
    for (auto _ : state)
        benchmark::DoNotOptimize(importer.conflicts(manyDays(), existing).size());
}

} // namespace

// Argument 0: skip likely duplicates (nothing is imported); 1: import them anyway.
BENCHMARK(reimportDaysAlreadyInTheJournal)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(conflictsOfTheSameDays)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    // Qt's SQL driver plugins load through the application object.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
