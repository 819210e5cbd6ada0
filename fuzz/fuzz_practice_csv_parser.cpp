// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the practice history parser, and its days to the conflict check
// against a journal made of those same days.
// The first byte gives the length of a file name taken from the bytes after it (the year comes
// from the name); the rest is the file. Besides crashes, leaks and hangs it stops on a result
// that breaks the parser's promises.
#include "core/import/PracticeCSVImporter.h"
#include "core/import/PracticeCSVParser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace brevanta;

namespace {

[[noreturn]] void fail(const char* what) {
    std::fputs(what, stderr);
    std::fputc('\n', stderr);
    std::abort();
}

const Calendar& calendar() {
    static const Calendar newYork(u"America/New_York", u"en_US");
    return newYork;
}

void check(const PracticeImportFileResult& result, const QString& filename) {
    if (result.filename != filename || result.error || result.skippedRows < 0)
        fail("the file's own fields are wrong");
    const std::optional<int> year = PracticeCSVParser::year(filename);
    for (const PracticeImportCandidate& candidate : result.candidates) {
        if (candidate.month < 1 || candidate.month > 12 || candidate.day < 1 ||
            candidate.day > 31 || candidate.year != year || candidate.sourceFilename != filename)
            fail("a candidate's day is out of range");
        if (candidate.entries.size() > 3 || candidate.durationSeconds < 0)
            fail("a candidate's entries or duration are out of range");
        if (year && !candidate.date(calendar()))
            fail("a day was kept that its year does not have");
        if (candidate.entries.empty() && candidate.durationSeconds == 0)
            fail("an empty day was kept");
        if (candidate.hasWarning(PracticeImportWarning::Case::missingYear) == year.has_value())
            fail("the missing-year warning disagrees with the file name");
        for (const PracticeImportWarning& warning : candidate.warnings) {
            if (warning.message().isEmpty())
                fail("a warning without a message");
        }
        if (candidate.summary().isEmpty())
            fail("an empty summary");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t nameLength = std::min<std::size_t>(data[0] % 48, size - 1);
    const QString filename =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(nameLength));
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1 + nameLength),
                               qsizetype(size - 1 - nameLength));

    try {
        const PracticeImportFileResult result =
            PracticeCSVParser::parse(bytes, filename, calendar());
        check(result, filename);
        // Each dated day against a journal holding exactly that day: a likely duplicate.
        std::vector<PracticeSessionPtr> journal;
        QSet<QUuid> inJournal;
        for (const PracticeImportCandidate& candidate : result.candidates) {
            const std::optional<Instant> date = candidate.date(calendar());
            if (!date)
                continue;
            std::vector<PracticeEntryPtr> entries;
            for (const PracticeImportEntry& entry : candidate.entries)
                entries.push_back(PracticeEntry::create(QUuid(), entry.title, entry.category,
                                                        entry.durationSeconds, std::nullopt, 0,
                                                        nullptr, *date));
            try {
                journal.push_back(PracticeSession::create(QUuid(), *date, candidate.durationSeconds,
                                                          PracticeSessionSource::imported,
                                                          std::nullopt, std::move(entries), *date));
                inJournal.insert(candidate.id);
            } catch (const PracticeSession::ValidationError&) {
                // A duration whose end the journal cannot represent; the commit refuses it too.
            }
        }
        const PracticeCSVImporter::Conflicts conflicts =
            PracticeCSVImporter(calendar()).conflicts(result.candidates, journal);
        for (const PracticeImportCandidate& candidate : result.candidates) {
            const auto found = conflicts.constFind(candidate.id);
            if (found != conflicts.cend() && !candidate.date(calendar()))
                fail("a conflict for a day without a date");
            if (inJournal.contains(candidate.id) &&
                (found == conflicts.cend() || *found != PracticeImportConflict::likelyDuplicate))
                fail("a day does not match its own session");
        }
    } catch (const PracticeCSVParser::ParserError& error) {
        if (error.description().isEmpty())
            fail("an error without a description");
    }
    return 0;
}
