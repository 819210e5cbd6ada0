// SPDX-License-Identifier: MIT
// The history import at the size of ten years: 120 monthly sheets read from disk and parsed, the
// same sheets parsed from memory beside a plain byte scan of the same bytes, their 3,650 days
// checked for conflicts against a journal of 100,000 sessions, and committed into that journal
// on disk in one save. Pathological sheets up to 4 MB show that parsing stays linear.
#include "core/import/PracticeCSVImporter.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/PracticeImportFileLoader.h"
#include "core/store/JournalStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <random>
#include <unistd.h>

using namespace brevanta;

namespace {

constexpr int kFirstYear = 2015;
constexpr int kYears = 10;
constexpr std::size_t kCandidates = 3'650;
constexpr int kJournalSessions = 100'000;

const Calendar& calendar() {
    static const Calendar newYork(u"America/New_York", u"en_US");
    return newYork;
}

QTemporaryDir& workFolder() {
    static QTemporaryDir folder;
    return folder;
}

QByteArray quoted(const QByteArray& field) {
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n'))
        return field;
    QByteArray escaped = field;
    escaped.replace("\"", "\"\"");
    return '"' + escaped + '"';
}

const std::array<std::array<const char*, 8>, 3> kTitles{{
    {"Blues shuffle in A over a backing track", "Jammed with the looper, A minor groove",
     "Campfire songs, capo on 2", "\"Free\" improvisation 🎸 with the looper",
     "Jam with Sam, blues in G", "Played Lágrima for the family", "Surf rock tremolo picking",
     "Songbook evening, everyone singing"},
    {"Minor pentatonic, box 1 and 2, 80 bpm", "G–C–D changes, one-minute drills",
     "Barre F and Bm, clean ringing", "Chord changes:\nG → Em\nC → D",
     "Ear training: perfect 4th vs perfect 5th", "Rest strokes, free strokes, \"a-m-i\"",
     "Spider exercise, all four fingers", "E\xCC\x81tudes: Carcassi no. 1, slow"},
    {"House of the Rising Sun arpeggios", "Travis picking on C", "Dorian over a Dm7 vamp",
     "Triad inversions, strings 2–4", "Transcribing the solo, first phrase", "Romanza: bars 1–8",
     "ii–V–I shells in C", "Tárrega study, bars 1–8"},
}};

// One month as a spreadsheet exports it: title rows, headings, a row for every day of the month
// with notes and times in the three groups, and totals.
QByteArray monthlySheet(int year, int month, std::mt19937& random) {
    static const std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const std::array<const char*, 7> weekdays{"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                     "Friday", "Saturday", "Sunday"};
    const auto pick = [&](unsigned count) { return int(random() % count); };
    const auto time = [](int minutes) -> QByteArray {
        return QByteArray::number(minutes / 60) + ':' +
               QByteArray::number(minutes % 60).rightJustified(2, '0');
    };
    const QDate first(year, month, 1);
    QByteArray sheet = "Practice Log — " + QByteArray(months[month - 1]) + ' ' +
                       QByteArray::number(year) +
                       ",,,,,,,,,,,,\nGoal: a little every day.,,,,,,,,,,,,\n,,,,,,,,,,,,\n"
                       ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                       "Day,Energy,Guitar,,Practice notes,Time,,Practice notes,Time,,"
                       "Practice notes,Time,Total\n";
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        QByteArray row = quoted(QByteArray(weekdays[first.addDays(day - 1).dayOfWeek() - 1]) +
                                ", " + months[month - 1] + ' ' + QByteArray::number(day)) +
                         ",good,Strat,";
        int total = 0;
        for (const auto& titles : kTitles) {
            if (pick(4) == 0 && total > 0) {
                row += ",,,";
                continue;
            }
            const int minutes = 5 * (1 + pick(8));
            total += minutes;
            row += ',' + quoted(titles[std::size_t(pick(8))]) + ',' + time(minutes) + ',';
        }
        row.chop(1);
        sheet += row + ',' + time(total) + '\n';
    }
    return sheet + "Totals,,,,,,,,,,,,\n";
}

struct Sheets {
    QStringList paths;
    QStringList names;
    std::vector<QByteArray> contents;
    QByteArray all;
};

const Sheets& tenYearsOfSheets() {
    static const Sheets sheets = [] {
        Sheets made;
        std::mt19937 random(2025);
        static const std::array<const char*, 12> names{
            "January", "February", "March",     "April",   "May",      "June",
            "July",    "August",   "September", "October", "November", "December"};
        for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const QByteArray sheet = monthlySheet(year, month, random);
                const QString name = QStringLiteral("Practice Log %1 %2.csv")
                                         .arg(QLatin1String(names[month - 1]))
                                         .arg(year);
                const QString path = workFolder().filePath(name);
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly) || file.write(sheet) != sheet.size())
                    qFatal("cannot write %s", qPrintable(path));
                made.paths << path;
                made.names << name;
                made.contents.push_back(sheet);
                made.all += sheet;
            }
        }
        return made;
    }();
    return sheets;
}

const std::vector<PracticeImportCandidate>& tenYearsOfDays() {
    static const std::vector<PracticeImportCandidate> days = [] {
        std::vector<PracticeImportCandidate> all;
        const Sheets& sheets = tenYearsOfSheets();
        for (std::size_t index = 0; index < sheets.contents.size(); ++index) {
            const auto result =
                PracticeCSVParser::parse(sheets.contents[index], sheets.names[index], calendar());
            all.insert(all.end(), result.candidates.begin(), result.candidates.end());
        }
        all.resize(kCandidates);
        return all;
    }();
    return days;
}

// A journal of 100,000 sessions with three entries each over the same ten years, about 27 a day:
// every tenth imported day is already there as it would be after an earlier import.
std::vector<PracticeSessionPtr> largeJournal() {
    std::mt19937 random(7);
    const std::vector<PracticeImportCandidate>& days = tenYearsOfDays();
    const std::int64_t firstMSecs = days.front().date(calendar())->msecsSinceEpoch();
    const std::int64_t span = days.back().date(calendar())->msecsSinceEpoch() - firstMSecs;
    std::vector<PracticeSessionPtr> sessions;
    sessions.reserve(kJournalSessions);
    for (std::size_t index = 0; index < days.size(); index += 10) {
        const PracticeImportCandidate& day = days[index];
        const Instant noon = *day.date(calendar());
        std::vector<PracticeEntryPtr> entries;
        for (const PracticeImportEntry& entry : day.entries)
            entries.push_back(PracticeEntry::create(QUuid::createUuid(), entry.title,
                                                    entry.category, entry.durationSeconds,
                                                    std::nullopt, 0, nullptr, noon));
        sessions.push_back(PracticeSession::create(QUuid::createUuid(), noon, day.durationSeconds,
                                                   PracticeSessionSource::imported, std::nullopt,
                                                   std::move(entries), noon));
    }
    std::uniform_int_distribution<std::int64_t> anyTime(firstMSecs - 43'200'000,
                                                        firstMSecs + span + 43'200'000);
    while (sessions.size() < std::size_t(kJournalSessions)) {
        const Instant start = Instant::fromMSecsSinceEpoch(anyTime(random));
        std::vector<PracticeEntryPtr> entries;
        for (std::size_t group = 0; group < 3; ++group)
            entries.push_back(PracticeEntry::create(
                QUuid::createUuid(), QString::fromUtf8(kTitles[group][random() % 8]),
                PracticeCategory::allCases()[group], 60 * (5 + random() % 40), std::nullopt, 0,
                nullptr, start));
        sessions.push_back(PracticeSession::create(
            QUuid::createUuid(), start, 60 * (5 + std::int64_t(random() % 115)),
            PracticeSessionSource::manual, std::nullopt, std::move(entries), start));
    }
    return sessions;
}

QString largeJournalFile() {
    static const QString path = [] {
        const QString made = workFolder().filePath(QStringLiteral("journal.sqlite"));
        const auto store = JournalStore::open(StoreConfiguration::atPath(made));
        const JournalStore::ChangeBatch batch(*store);
        for (const PracticeSessionPtr& session : largeJournal())
            store->insert(session);
        store->save();
        return made;
    }();
    return path;
}

void setThroughput(benchmark::State& state, qsizetype bytes) {
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bytes);
}

void readAndParseTenYearsFromDisk(benchmark::State& state) {
    const Sheets& sheets = tenYearsOfSheets();
    std::size_t days = 0;
    for (auto _ : state) {
        const auto results = PracticeImportFileLoader::loadAll(sheets.paths, calendar());
        days = 0;
        for (const PracticeImportFileResult& result : results)
            days += result.candidates.size();
    }
    state.counters["files"] = double(sheets.paths.size());
    state.counters["days"] = double(days);
    setThroughput(state, sheets.all.size());
}

void parseTenYearsFromMemory(benchmark::State& state) {
    const Sheets& sheets = tenYearsOfSheets();
    for (auto _ : state) {
        for (std::size_t index = 0; index < sheets.contents.size(); ++index) {
            const auto result =
                PracticeCSVParser::parse(sheets.contents[index], sheets.names[index], calendar());
            benchmark::DoNotOptimize(result.candidates.data());
        }
    }
    setThroughput(state, sheets.all.size());
}

// Reference: the cheapest possible pass over the same bytes.
void countCommasInTheSameBytes(benchmark::State& state) {
    const QByteArray& bytes = tenYearsOfSheets().all;
    for (auto _ : state) {
        auto commas = std::count(bytes.cbegin(), bytes.cend(), ',');
        benchmark::DoNotOptimize(commas);
    }
    setThroughput(state, bytes.size());
}

void conflictsAgainstALargeJournal(benchmark::State& state) {
    const std::vector<PracticeImportCandidate>& days = tenYearsOfDays();
    const std::vector<PracticeSessionPtr> journal = largeJournal();
    const PracticeCSVImporter importer(calendar());
    PracticeCSVImporter::Conflicts conflicts;
    for (auto _ : state) {
        conflicts = importer.conflicts(days, journal);
        benchmark::DoNotOptimize(conflicts.size());
    }
    state.counters["candidates"] = double(days.size());
    state.counters["sessions"] = double(journal.size());
    state.counters["duplicates"] = double(
        std::count(conflicts.cbegin(), conflicts.cend(), PracticeImportConflict::likelyDuplicate));
    state.counters["same_day"] =
        double(std::count(conflicts.cbegin(), conflicts.cend(), PracticeImportConflict::sameDay));
}

void commitIntoALargeJournalOnDisk(benchmark::State& state) {
    const std::vector<PracticeImportCandidate>& days = tenYearsOfDays();
    const QString working = workFolder().filePath(QStringLiteral("working.sqlite"));
    std::int64_t imported = 0;
    for (auto _ : state) {
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(working + suffix);
        QFile::copy(largeJournalFile(), working);
        const auto store = JournalStore::open(StoreConfiguration::atPath(working));
        const std::vector<PracticeSessionPtr> existing = store->sessions();
        ::sync();

        QElapsedTimer timer;
        timer.start();
        const PracticeImportSummary summary =
            PracticeCSVImporter(calendar())
                .commit(days, PracticeImportConflictPolicy::importAnyway, {}, existing, 0, *store);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        imported = summary.importedCount;
    }
    state.counters["imported"] = double(imported);
    state.counters["journal"] = double(kJournalSessions);
}

// Sheets of about state.range(0) bytes made of one pathological row repeated, parsed whole at
// three sizes: Big-O fitting must find every one linear.
enum SheetPattern {
    dayRows,
    strayNotes,
    unknownMonths,
    longDayCell,
    combiningMarksInDayCells,
    noHeaderAnywhere
};

QByteArray pathologicalSheet(SheetPattern pattern, qsizetype size) {
    const QByteArray header = ",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                              ",,,,Practice notes,,,Practice notes,,,Practice notes,,\n";
    QByteArray body;
    body.reserve(size + 64);
    switch (pattern) {
    case dayRows:
        while (body.size() < size)
            body += "\"Monday, Jan 5\",,,,A,0:10,,B,0:20,,C,0:30,1:00\n";
        return header + body;
    case strayNotes:
        while (body.size() < size)
            body += ",stray,note,,,,,,,,,,\n";
        return header + body;
    case unknownMonths:
        // Every row a month token never seen before, so none is remembered.
        for (int row = 0; body.size() < size; ++row)
            body += "M" + QByteArray::number(row) + " 5,,,,A,0:10\n";
        return header + body;
    case longDayCell:
        body = "\"Monday, Jan";
        while (body.size() < size)
            body += " 5, Jan";
        return header + body + "\",,,,A,0:10\n";
    case combiningMarksInDayCells:
        while (body.size() < size)
            body += "Jan\xCC\x81 5,\xCC\x81,,,A\xCC\x81,0:10\n";
        return header + body;
    case noHeaderAnywhere:
        while (body.size() < size)
            body += ",,,,Have Fun,,,Look Back,,,Look Ahead,,\n";
        return body;
    }
    return {};
}

void parsePathological(benchmark::State& state, SheetPattern pattern) {
    const QByteArray sheet = pathologicalSheet(pattern, state.range(0));
    for (auto _ : state) {
        try {
            const auto result =
                PracticeCSVParser::parse(sheet, QStringLiteral("Log 2024.csv"), calendar());
            benchmark::DoNotOptimize(result.candidates.data());
        } catch (const PracticeCSVParser::ParserError&) {
        }
    }
    state.SetComplexityN(sheet.size());
    setThroughput(state, sheet.size());
}

constexpr std::int64_t kSmallSheet = 256 << 10;
constexpr std::int64_t kLargeSheet = 4 << 20;

#define BREVANTA_PATHOLOGICAL_SHEET(pattern)                                                       \
    BENCHMARK_CAPTURE(parsePathological, pattern, pattern)                                         \
        ->RangeMultiplier(4)                                                                       \
        ->Range(kSmallSheet, kLargeSheet)                                                          \
        ->Complexity(benchmark::oN)                                                                \
        ->Unit(benchmark::kMillisecond)

BREVANTA_PATHOLOGICAL_SHEET(dayRows);
BREVANTA_PATHOLOGICAL_SHEET(strayNotes);
BREVANTA_PATHOLOGICAL_SHEET(unknownMonths);
BREVANTA_PATHOLOGICAL_SHEET(longDayCell);
BREVANTA_PATHOLOGICAL_SHEET(combiningMarksInDayCells);
BREVANTA_PATHOLOGICAL_SHEET(noHeaderAnywhere);

} // namespace

BENCHMARK(readAndParseTenYearsFromDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(parseTenYearsFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(countCommasInTheSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(conflictsAgainstALargeJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(commitIntoALargeJournalOnDisk)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Qt's SQL driver plugins load through the application object.
    QCoreApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    // Everything measured is made and on disk first.
    tenYearsOfDays();
    largeJournalFile();
    ::sync();
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
