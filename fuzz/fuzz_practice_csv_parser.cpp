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

// Reading what a spreadsheet rewrote only adds readings: every file read without the option is
// read with it, with the same rows counted and the same cells found rewritten.
void checkOptionOnlyAdds(QByteArrayView bytes, const QString& filename,
                         const PracticeImportFileResult& plain) {
    const PracticeImportFileResult read =
        PracticeCSVParser::parse(bytes, filename, calendar(), {true});
    check(read, filename);
    const SpreadsheetFormatSummary& before = plain.spreadsheetFormat;
    const SpreadsheetFormatSummary& after = read.spreadsheetFormat;
    if (read.candidates.size() + std::size_t(read.skippedRows) !=
        plain.candidates.size() + std::size_t(plain.skippedRows))
        fail("the option lost a day or a row");
    if (before.days != after.days || before.dateCells != after.dateCells ||
        before.timeCells != after.timeCells || before.unplacedDates != 0)
        fail("the option changed what was found rewritten");
    if (after.days > after.dateCells + after.timeCells || after.dateCells > after.days ||
        (after.dateCells > 0) == after.exampleDate.isEmpty() ||
        (after.timeCells > 0) == after.exampleTime.isEmpty() ||
        (after.days > 0) == after.findings().isEmpty())
        fail("the rewritten cells are miscounted");
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
    // Half of the inputs are also read with the option, from their first byte.
    const bool alsoWithOption = (data[0] / 48) % 2 == 1;

    try {
        const PracticeImportFileResult result =
            PracticeCSVParser::parse(bytes, filename, calendar());
        check(result, filename);
        if (alsoWithOption)
            checkOptionOnlyAdds(bytes, filename, result);
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
        // A file refused for its separator or character set is read with the option.
        if (alsoWithOption && error.spreadsheetFormat().isAffected()) {
            try {
                check(PracticeCSVParser::parse(bytes, filename, calendar(), {true}), filename);
            } catch (const PracticeCSVParser::ParserError& again) {
                if (again.description().isEmpty())
                    fail("an error without a description");
            }
        }
    }
    return 0;
}
