// SPDX-License-Identifier: MIT
// The journal store at 1,000, 10,000 and 100,000 sessions of three entries each, on disk:
// opening with the full load, and saving one inserted, edited or deleted session. Saving one
// session should cost about the same at every size; loading is compared with the sqlite3 tool
// reading the same rows from the same file.
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <unistd.h>
#include <vector>

using namespace brevanta;

namespace {

const Instant firstDay = Instant::fromSecsSinceEpoch(1'420'070'400); // 2015-01-01T00:00Z

QTemporaryDir& workFolder() {
    static QTemporaryDir folder;
    return folder;
}

std::vector<PracticeEntryPtr> threeEntries(QRandomGenerator& random, Instant createdAt,
                                           const std::vector<QUuid>& ids = {}) {
    static const QString titles[] = {QStringLiteral("Scales in thirds"),
                                     QStringLiteral("Chord melody"),
                                     QStringLiteral("Record a take and listen back")};
    std::vector<PracticeEntryPtr> entries;
    for (int index = 0; index < 3; ++index) {
        const QUuid id = ids.empty() ? QUuid::createUuid() : ids[std::size_t(index)];
        entries.push_back(PracticeEntry::create(
            id, titles[index], PracticeCategory::allCases()[std::size_t(index)],
            60 * random.bounded(1, 30), std::nullopt, 0, nullptr, createdAt));
    }
    return entries;
}

PracticeSessionPtr makeSession(QRandomGenerator& random, Instant start) {
    return PracticeSession::create(
        QUuid::createUuid(), start, 60 * random.bounded(5, 120), PracticeSessionSource::manual,
        QStringLiteral("Kept the metronome at 90."), threeEntries(random, start), start);
}

// Made once per size and run, then copied for every benchmark that changes it.
QString cachedJournal(int sessionCount) {
    static std::map<int, QString> journals;
    if (const auto found = journals.find(sessionCount); found != journals.end())
        return found->second;
    const QString path =
        workFolder().filePath(QStringLiteral("journal-%1.sqlite").arg(sessionCount));
    {
        const auto store = JournalStore::open(StoreConfiguration::atPath(path));
        QRandomGenerator random(sessionCount);
        const JournalStore::ChangeBatch batch(*store);
        for (int index = 0; index < sessionCount; ++index)
            store->insert(
                makeSession(random, firstDay.addingMSecs(std::int64_t(index) * 7'200'000)));
        store->save();
    }
    journals.emplace(sessionCount, path);
    return path;
}

// On disk before the first save, so that no save pays for writing out the copy.
QString workingCopy(int sessionCount) {
    const QString copy = workFolder().filePath(QStringLiteral("working.sqlite"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(copy + suffix);
    QFile::copy(cachedJournal(sessionCount), copy);
    QFile file(copy);
    if (file.open(QIODevice::ReadWrite))
        ::fsync(file.handle());
    return copy;
}

double openAndLoadSeconds(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    const auto store = JournalStore::open(StoreConfiguration::atPath(path));
    benchmark::DoNotOptimize(store->sessions().size());
    return double(timer.nsecsElapsed()) / 1e9;
}

double sqlite3Seconds(const QString& path) {
    QProcess sqlite3;
    sqlite3.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    sqlite3.start(
        QStringLiteral("sqlite3"),
        {path,
         QStringLiteral("SELECT pk, id, startedAt, endedAt, durationSeconds, sourceRawValue, "
                        "notes, createdAt, updatedAt FROM sessions; "
                        "SELECT pk, id, title, categoryRawValue, durationSeconds, notes, "
                        "sortOrder, createdAt, updatedAt, sessionKey, position FROM entries;")});
    if (!sqlite3.waitForFinished(-1) || sqlite3.exitCode() != 0)
        return -1;
    return double(timer.nsecsElapsed()) / 1e9;
}

void openAndLoad(benchmark::State& state) {
    const QString path = cachedJournal(int(state.range(0)));
    for (auto _ : state)
        state.SetIterationTime(openAndLoadSeconds(path));
    state.counters["sessions"] = double(state.range(0));
}

void sqlite3ReadsTheSameRows(benchmark::State& state) {
    const QString path = cachedJournal(int(state.range(0)));
    for (auto _ : state) {
        const double seconds = sqlite3Seconds(path);
        if (seconds < 0) {
            state.SkipWithError("the sqlite3 tool did not run");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// Median of a few runs of each, side by side, so that the ratio compares like with like.
void loadVersusSqlite3(benchmark::State& state) {
    const QString path = cachedJournal(int(state.range(0)));
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    for (auto _ : state) {
        std::vector<double> load;
        std::vector<double> tool;
        for (int run = 0; run < 5; ++run) {
            load.push_back(openAndLoadSeconds(path));
            tool.push_back(sqlite3Seconds(path));
        }
        state.SetIterationTime(median(load));
        state.counters["load_ms"] = median(load) * 1e3;
        state.counters["sqlite3_ms"] = median(tool) * 1e3;
        state.counters["ratio"] = median(load) / median(tool);
    }
}

void insertOneAndSave(benchmark::State& state) {
    const auto store =
        JournalStore::open(StoreConfiguration::atPath(workingCopy(int(state.range(0)))));
    QRandomGenerator random(1);
    std::int64_t minute = 0;
    for (auto _ : state) {
        store->insert(makeSession(random, firstDay.addingMSecs(++minute * 60'000)));
        store->save();
    }
}

void editOneAndSave(benchmark::State& state) {
    const auto store =
        JournalStore::open(StoreConfiguration::atPath(workingCopy(int(state.range(0)))));
    QRandomGenerator random(2);
    for (auto _ : state) {
        // The editor's way: new entry records with the kept ids, the old records deleted.
        const PracticeSessionPtr session =
            store->sessions()[std::size_t(random.bounded(int(store->sessions().size())))];
        const std::vector<PracticeEntryPtr> old = session->storedEntries();
        std::vector<QUuid> ids;
        for (const PracticeEntryPtr& entry : old)
            ids.push_back(entry->id());
        const Instant now = session->startedAt().addingMSecs(1000);
        session->applyEdits(now, session->durationSeconds() + 60, QStringLiteral("Edited."),
                            threeEntries(random, now, ids), now);
        for (const PracticeEntryPtr& entry : old)
            store->remove(entry);
        store->save();
    }
}

void deleteOneAndSave(benchmark::State& state) {
    const auto store =
        JournalStore::open(StoreConfiguration::atPath(workingCopy(int(state.range(0)))));
    QRandomGenerator random(3);
    for (auto _ : state) {
        const std::size_t count = store->sessions().size();
        if (count < 2) {
            state.SkipWithError("the journal ran out of sessions");
            break;
        }
        store->remove(store->sessions()[std::size_t(random.bounded(int(count)))]);
        store->save();
    }
}

} // namespace

BENCHMARK(openAndLoad)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(sqlite3ReadsTheSameRows)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(loadVersusSqlite3)
    ->Arg(100'000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(insertOneAndSave)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(editOneAndSave)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(deleteOneAndSave)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Iterations(500)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // Qt's SQL driver plugins load through the application object.
    QCoreApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    // Every journal is made and on disk before anything is measured.
    for (const int sessionCount : {1'000, 10'000, 100'000})
        cachedJournal(sessionCount);
    ::sync();
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
