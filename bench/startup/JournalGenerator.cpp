// SPDX-License-Identifier: MIT
#include "JournalGenerator.h"

#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"

#include <QRandomGenerator>
#include <QStringList>

namespace brevanta::bench {

namespace {

const Instant lastDay = Instant::fromSecsSinceEpoch(1'788'220'800); // 2026-09-01T00:00Z

// Titles are built from parts so that most of them differ, as jotted thoughts do.
const char* const verbs[] = {"Worked on", "Cleaned up",  "Slow practice on", "Reviewed",
                             "Started",   "Jammed over", "Recorded",         "Sight-read",
                             "Memorised", "Transcribed", "Looped",           "Revisited"};
const char* const subjects[] = {
    "the CAGED shapes",  "barre chord changes",   "the intro riff",          "arpeggios in A minor",
    "alternate picking", "a blues backing track", "the bridge of the étude", "drop 2 voicings",
    "hybrid picking",    "the solo from bar 12",  "open D tuning",           "legato runs"};
const char* const notes[] = {"Felt loose today, hands warm quickly.",
                             "Metronome at 80, then 92. Clean up the B string.",
                             "Short session before work.\nFocus: timing, not speed.",
                             "Tired fingers but good progress on the bends."};

QString title(QRandomGenerator& random) {
    return QStringLiteral("%1 %2 at %3 bpm")
        .arg(QString::fromUtf8(verbs[random.bounded(int(std::size(verbs)))]),
             QString::fromUtf8(subjects[random.bounded(int(std::size(subjects)))]))
        .arg(60 + 2 * random.bounded(60));
}

std::optional<QString> maybeNotes(QRandomGenerator& random, int oneIn) {
    if (random.bounded(oneIn) != 0)
        return std::nullopt;
    return QString::fromUtf8(notes[random.bounded(int(std::size(notes)))]);
}

} // namespace

void writeJournal(const QString& filePath, int sessionCount, quint32 seed) {
    QRandomGenerator random(seed);
    const auto store = JournalStore::open(StoreConfiguration::atPath(filePath));
    const JournalStore::ChangeBatch batch(*store);
    const PracticeSessionSource sources[] = {
        PracticeSessionSource::timed, PracticeSessionSource::timed, PracticeSessionSource::manual,
        PracticeSessionSource::imported};
    for (int day = 0; day < sessionCount; ++day) {
        const Instant start = lastDay.addingMSecs(-std::int64_t(day) * 86'400'000 +
                                                  std::int64_t(7 + random.bounded(14)) * 3'600'000);
        std::vector<PracticeEntryPtr> entries;
        for (int position = 0; position < 3; ++position) {
            const std::optional<std::int64_t> minutes =
                random.bounded(3) == 0 ? std::nullopt
                                       : std::optional<std::int64_t>(60 * random.bounded(5, 25));
            entries.push_back(PracticeEntry::create(
                QUuid::createUuid(), title(random),
                PracticeCategory::allCases()[std::size_t(random.bounded(3))], minutes,
                maybeNotes(random, 4), position, nullptr, start.addingMSecs(position)));
        }
        store->insert(PracticeSession::create(QUuid::createUuid(), start,
                                              60 * random.bounded(10, 120),
                                              sources[random.bounded(int(std::size(sources)))],
                                              maybeNotes(random, 2), std::move(entries), start));
    }
    store->save();
}

} // namespace brevanta::bench
