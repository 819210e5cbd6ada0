// SPDX-License-Identifier: MIT
// Throughput of reading practice sheets: the strict decoding and the CSV reader on ten years of
// monthly sheets, and on pathological buffers that must stay linear, beside a plain byte scan.
#include "core/import/CSVReader.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/StrictUtf8.h"

#include <QString>

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <random>

using namespace brevanta;

namespace {

constexpr int kSheets = 120;

QString quoted(const QString& field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')))
        return field;
    QString escaped = field;
    escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QStringLiteral("\"") + escaped + QStringLiteral("\"");
}

// One monthly sheet as a spreadsheet exports it: title rows, headings, a row per day with notes
// and times in three groups, and totals. Notes carry commas, quotes, accents and now and then an
// emoji, as real ones do.
QString practiceSheet(int month, std::mt19937& random) {
    static const std::array<const char16_t*, 12> fun{u"Blues shuffle in A over a backing track",
                                                     u"Jammed with the looper, A minor groove",
                                                     u"Campfire songs, capo on 2",
                                                     u"Greensleeves, whole piece slowly",
                                                     u"Played along to an old folk record",
                                                     u"\"Free\" improvisation 🎸 with the looper",
                                                     u"Jam with Sam, blues in G",
                                                     u"Songbook evening, everyone singing",
                                                     u"Improvised over a 12-bar in E",
                                                     u"Played Lágrima for the family",
                                                     u"Surf rock tremolo picking",
                                                     u"Looper: layered three parts"};
    static const std::array<const char16_t*, 12> back{u"Minor pentatonic, box 1 and 2, 80 bpm",
                                                      u"G–C–D changes, one-minute drills",
                                                      u"Barre F and Bm, clean ringing",
                                                      u"Alternate picking with metronome, 90 bpm",
                                                      u"Ear training: perfect 4th vs perfect 5th",
                                                      u"Chord changes:\nG → Em\nC → D",
                                                      u"Spider exercise, all four fingers",
                                                      u"Rest strokes, free strokes, \"a-m-i\"",
                                                      u"Major scale, positions 1 and 2",
                                                      u"Strumming D-DU-UDU at 70 bpm",
                                                      u"Bends with vibrato, pitch check",
                                                      u"E\u0301tudes: Carcassi no. 1, slow"};
    static const std::array<const char16_t*, 12> forward{u"House of the Rising Sun arpeggios",
                                                         u"Travis picking on C",
                                                         u"Dorian over a Dm7 vamp",
                                                         u"Triad inversions, strings 2–4",
                                                         u"Hybrid picking on the G string",
                                                         u"Transcribing the solo, first phrase",
                                                         u"Sweep arpeggios, \"slow is smooth\"",
                                                         u"Romanza: bars 1–8",
                                                         u"ii–V–I shells in C",
                                                         u"Chicken picking basics",
                                                         u"Mixolydian over A7",
                                                         u"Tárrega study, bars 1–8"};
    static const std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const std::array<const char*, 7> weekdays{"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                     "Friday", "Saturday", "Sunday"};
    auto pick = [&](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    auto time = [](int minutes) {
        return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    };

    const QString name = QString::fromLatin1(months[month % 12]);
    QString sheet = QStringLiteral("Practice Log — ") + name + QStringLiteral(",,,,,,,,,,,,\n") +
                    QStringLiteral("Goal: a little every day.,,,,,,,,,,,,\n,,,,,,,,,,,,\n") +
                    QStringLiteral(",,,,Have Fun,,,Look Back,,,Look Forward,,\n") +
                    QStringLiteral("Day,Energy,Guitar,,Practice notes,Time,,Practice notes,Time,,"
                                   "Practice notes,Time,Total\n");
    for (int day = 1; day <= 30; ++day) {
        QString row = quoted(QString::fromLatin1(weekdays[day % 7]) + QStringLiteral(", ") + name +
                             QLatin1Char(' ') + QString::number(day)) +
                      QStringLiteral(",good,Strat,");
        int total = 0;
        for (const auto* notes : {&fun, &back, &forward}) {
            if (pick(4) == 0) {
                row += QStringLiteral(",,,");
                continue;
            }
            const int minutes = 5 * (1 + pick(8));
            total += minutes;
            row += QLatin1Char(',') + quoted(QString::fromUtf16((*notes)[pick(12)])) +
                   QLatin1Char(',') + time(minutes) + QLatin1Char(',');
        }
        row.chop(1);
        sheet += row + QLatin1Char(',') + (total > 0 ? time(total) : QString()) + QLatin1Char('\n');
    }
    return sheet + QStringLiteral("Totals,,,,,,,,,,,,\n");
}

const QString& tenYearsOfSheets() {
    static const QString text = [] {
        std::mt19937 random(2025);
        QString all;
        for (int sheet = 0; sheet < kSheets; ++sheet)
            all += practiceSheet(sheet, random);
        return all;
    }();
    return text;
}

void setThroughput(benchmark::State& state, qsizetype utf8Bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * utf8Bytes);
    state.counters["utf8_bytes"] = static_cast<double>(utf8Bytes);
}

void BM_ReadSheets(benchmark::State& state) {
    const QString& text = tenYearsOfSheets();
    qsizetype rows = 0;
    for (auto _ : state) {
        const QList<QStringList> result = CSVReader::parse(text);
        rows = result.size();
        benchmark::DoNotOptimize(result.constData());
    }
    state.counters["rows"] = static_cast<double>(rows);
    setThroughput(state, text.toUtf8().size());
}
BENCHMARK(BM_ReadSheets)->Unit(benchmark::kMillisecond);

void BM_DecodeAndReadSheets(benchmark::State& state) {
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + tenYearsOfSheets().toUtf8();
    for (auto _ : state) {
        const QList<QStringList> result = CSVReader::parse(PracticeCSVParser::decodedText(bytes));
        benchmark::DoNotOptimize(result.constData());
    }
    setThroughput(state, bytes.size());
}
BENCHMARK(BM_DecodeAndReadSheets)->Unit(benchmark::kMillisecond);

void BM_StrictDecodeSheets(benchmark::State& state) {
    const QByteArray bytes = tenYearsOfSheets().toUtf8();
    for (auto _ : state) {
        const std::optional<QString> text = StrictUtf8::decode(bytes);
        benchmark::DoNotOptimize(text->constData());
    }
    setThroughput(state, bytes.size());
}
BENCHMARK(BM_StrictDecodeSheets)->Unit(benchmark::kMillisecond);

// Reference: Qt's own (lossy) decoding of the same bytes.
void BM_LossyQtDecodeSheets(benchmark::State& state) {
    const QByteArray bytes = tenYearsOfSheets().toUtf8();
    for (auto _ : state) {
        const QString text = QString::fromUtf8(bytes);
        benchmark::DoNotOptimize(text.constData());
    }
    setThroughput(state, bytes.size());
}
BENCHMARK(BM_LossyQtDecodeSheets)->Unit(benchmark::kMillisecond);

// Reference: the cheapest possible pass over the same bytes.
void BM_CountCommasInSheets(benchmark::State& state) {
    const QByteArray bytes = tenYearsOfSheets().toUtf8();
    for (auto _ : state) {
        auto commas = std::count(bytes.cbegin(), bytes.cend(), ',');
        benchmark::DoNotOptimize(commas);
    }
    setThroughput(state, bytes.size());
}
BENCHMARK(BM_CountCommasInSheets)->Unit(benchmark::kMillisecond);

// Pathological buffers of about state.range(0) code units, repeating one pattern. Timed at three
// sizes: Big-O fitting must find them linear.
enum Pattern {
    combiningMarks,
    marksOnCommasAndQuotes,
    quotes,
    carriageReturns,
    regionalIndicators,
    prependedCommas,
    emojiSequences,
    longRegionalIndicatorRuns
};

QString pathologicalText(Pattern pattern, qsizetype size) {
    QString unit;
    switch (pattern) {
    case combiningMarks:
        unit = QStringLiteral("\u0301");
        break;
    case marksOnCommasAndQuotes:
        unit = QStringLiteral("e\u0301,\u0301\"\u0302\"\"\u0301\n\u0301");
        break;
    case quotes:
        unit = QStringLiteral("\"");
        break;
    case carriageReturns:
        unit = QStringLiteral("\r");
        break;
    case regionalIndicators:
        unit = QStringLiteral("🇩🇪🇫,🇷🇮🇹\"🇪,");
        break;
    case prependedCommas:
        unit = QStringLiteral("\u0600,\u0600\"");
        break;
    case emojiSequences:
        unit = QStringLiteral("👨‍👩‍👧‍👦,\"🏳️‍🌈\"");
        break;
    case longRegionalIndicatorRuns:
        // An odd run: the pairing of every indicator depends on the whole run before it.
        unit = QStringLiteral("🇦").repeated(999) + QStringLiteral(",\"");
        break;
    }
    return unit.repeated(std::max<qsizetype>(1, size / unit.size()));
}

void readPathological(benchmark::State& state, Pattern pattern) {
    const QString text = pathologicalText(pattern, state.range(0));
    for (auto _ : state) {
        const QList<QStringList> result = CSVReader::parse(text);
        benchmark::DoNotOptimize(result.constData());
    }
    state.SetComplexityN(text.size());
    setThroughput(state, text.toUtf8().size());
}

void countCommasPathological(benchmark::State& state, Pattern pattern) {
    const QByteArray bytes = pathologicalText(pattern, state.range(0)).toUtf8();
    for (auto _ : state) {
        auto commas = std::count(bytes.cbegin(), bytes.cend(), ',');
        benchmark::DoNotOptimize(commas);
    }
    setThroughput(state, bytes.size());
}

constexpr int64_t kSmall = 256 << 10;
constexpr int64_t kLarge = 4 << 20;

#define BREVANTA_PATHOLOGICAL(pattern)                                                             \
    BENCHMARK_CAPTURE(readPathological, pattern, pattern)                                          \
        ->RangeMultiplier(4)                                                                       \
        ->Range(kSmall, kLarge)                                                                    \
        ->Complexity(benchmark::oN)                                                                \
        ->Unit(benchmark::kMillisecond);                                                           \
    BENCHMARK_CAPTURE(countCommasPathological, pattern, pattern)                                   \
        ->Arg(1 << 20)                                                                             \
        ->Unit(benchmark::kMillisecond)

BREVANTA_PATHOLOGICAL(combiningMarks);
BREVANTA_PATHOLOGICAL(marksOnCommasAndQuotes);
BREVANTA_PATHOLOGICAL(quotes);
BREVANTA_PATHOLOGICAL(carriageReturns);
BREVANTA_PATHOLOGICAL(regionalIndicators);
BREVANTA_PATHOLOGICAL(prependedCommas);
BREVANTA_PATHOLOGICAL(emojiSequences);
BREVANTA_PATHOLOGICAL(longRegionalIndicatorRuns);

} // namespace

BENCHMARK_MAIN();
