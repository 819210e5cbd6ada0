// SPDX-License-Identifier: MIT
#pragma once

#include "core/import/PracticeCSVImporter.h"
#include "core/import/PracticeCSVParser.h"
#include "core/import/PracticeImportCandidate.h"
#include "core/import/PracticeImportConflict.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "core/time/Instant.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class QThreadPool;

namespace brevanta {

class JournalStore;

/// A chosen file that a spreadsheet rewrote, for its card in the review.
struct SpreadsheetFormatFile {
    /// Its place in filePaths() and fileResults().
    qsizetype fileIndex = 0;
    QString filename;
    SpreadsheetFormatSummary summary;
    /// Whether the user chose to read what the spreadsheet rewrote.
    bool readsSpreadsheetFormats = false;

    bool operator==(const SpreadsheetFormatFile&) const = default;
};

/// The state of one import review: the chosen files read and parsed off the main thread, the
/// user's choices (conflict policy, approvals, whether notes without time count, the year for
/// files named without one), what is ready to import and how it collides with the journal, and
/// the commit. Main thread only; every change is announced by the matching signal, and only
/// when the value really changes.
class PracticeImportViewModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeImportViewModel)

public:
    using FileResults = std::vector<PracticeImportFileResult>;

    /// Works on `store`, which must outlive it, with days and conflicts in `calendar`. The
    /// default year is the year of `clock`'s instant in `calendar`; a journal on disk is backed
    /// up before each import, the copy named after the instant `clock` gives then.
    PracticeImportViewModel(JournalStore& store, Calendar calendar, Clock clock,
                            QObject* parent = nullptr);
    /// As above, with time standing still at `now`.
    PracticeImportViewModel(JournalStore& store, Calendar calendar, Instant now,
                            QObject* parent = nullptr);
    /// Safe while loading: the reading stops after the current file and its results are dropped.
    ~PracticeImportViewModel() override;

    const Calendar& calendar() const { return m_calendar; }

    /// The files last passed to load(), valid or not.
    const QStringList& filePaths() const { return m_filePaths; }
    /// One per file, in the order of filePaths(), once loading has finished.
    const FileResults& fileResults() const { return m_fileResults; }
    /// Every file's days, file by file, each in sheet order.
    const std::vector<PracticeImportCandidate>& candidates() const { return m_candidates; }

    PracticeImportConflictPolicy conflictPolicy() const { return m_conflictPolicy; }
    void setConflictPolicy(PracticeImportConflictPolicy policy);
    /// Conflicting days the user ticked for import under reviewIndividually.
    const QSet<QUuid>& approvedConflictIDs() const { return m_approvedConflictIDs; }
    void setConflictApproved(const QUuid& candidateId, bool approved);
    /// Whether days flagged for notes without any time are imported.
    bool includeNotesWithoutDuration() const { return m_includeNotesWithoutDuration; }
    void setIncludeNotesWithoutDuration(bool include);
    /// The year applyYear() gives to days whose file name has none.
    int defaultYear() const { return m_defaultYear; }
    void setDefaultYear(int year);

    /// The files a spreadsheet rewrote, in file order: one card each in the review.
    std::vector<SpreadsheetFormatFile> spreadsheetFormatFiles() const;
    /// The file at `fileIndex` as its card shows it; none when the spreadsheet rewrote nothing
    /// there or there is no such file.
    std::optional<SpreadsheetFormatFile> spreadsheetFormatFile(qsizetype fileIndex) const;
    /// Whether the file at `fileIndex` is read with what its spreadsheet rewrote.
    bool readsSpreadsheetFormats(qsizetype fileIndex) const;
    /// Switches reading what the spreadsheet rewrote for that file only, and reads the files
    /// again off the main thread (isLoading() meanwhile). Every other choice stays: the policy,
    /// the notes choice, the default year and the year applied to the files, and the approvals
    /// of days that are read again.
    void setReadsSpreadsheetFormats(qsizetype fileIndex, bool read);

    /// Why the last import failed, for the review to show; none otherwise.
    const std::optional<QString>& errorMessage() const { return m_errorMessage; }
    /// What the last successful import did; present means the review is complete.
    const std::optional<PracticeImportSummary>& result() const { return m_result; }
    /// The copy of the journal made before the last successful import; none for a journal kept
    /// in memory. Set before result() is.
    const std::optional<QString>& backupPath() const { return m_backupPath; }
    /// While the files are read, and while the journal they are compared with is still loading.
    bool isLoading() const;

    /// Skipped rows over all files.
    std::int64_t skippedRows() const;
    /// The files that could not be read or parsed, in order.
    FileResults invalidFiles() const;
    /// The candidates in order, without those flagged for notes without time unless they are
    /// included.
    std::vector<PracticeImportCandidate> readyCandidates() const;
    /// Whether any candidate, ready or not, still has no year.
    bool unresolvedYears() const;
    /// Something is ready, every year is known and nothing is loading.
    bool canImport() const;

    /// The ready candidates' conflicts with the journal as it is now, computed on first read
    /// after the candidates, the notes choice or the journal changed (conflictsChanged() tells;
    /// the reference is good until then).
    const PracticeCSVImporter::Conflicts& conflicts() const;
    /// The conflict of one candidate; none for a candidate that is not ready.
    std::optional<PracticeImportConflict> conflict(const QUuid& candidateId) const;

    /// Every candidate in the order the review lists them: by date, undated ones last; equal
    /// dates keep their loading order.
    std::vector<PracticeImportCandidate> reviewCandidates() const;

    /// The number of chosen files.
    qsizetype fileCount() const { return m_filePaths.size(); }
    /// The date range of every candidate that has a date (see dateRange()).
    QString candidateDateRange() const;
    /// The time of the ready candidates together.
    std::int64_t readyPracticeSeconds() const;
    /// Warnings over all candidates plus one per invalid file.
    std::int64_t warningCount() const;

    /// "—" without dates; one abbreviated date when all fall on one day in `calendar`; else the
    /// earliest and the latest joined by "–".
    static QString dateRange(std::span<const Instant> dates, const Calendar& calendar);

    /// The threads files are read on, the application's own: Qt's global pool also fills large
    /// shapes while a window paints, and a long read there would hold every repaint up.
    static QThreadPool& readingThreads();

    /// Reads and parses the files on one background thread; isLoading() holds until the results
    /// are in. The choices the user made stay as they are (other files are read as they stand).
    /// A new load replaces one in progress.
    void load(const QStringList& filePaths);

    /// Gives every candidate without a year the default year and drops its missingYear warning.
    /// Candidates that have a year keep it.
    void applyYear();

    /// Backs the journal up (see JournalBackup), then commits the ready candidates under the
    /// user's choices in one save. On success sets result() and keeps the newest backups; on
    /// failure, of the backup or of the save, nothing is imported, the new backup is gone,
    /// errorMessage() says why and every choice stays. Does nothing unless canImport(). Returns
    /// whether it imported.
    bool confirmImport();

Q_SIGNALS:
    void filePathsChanged();
    void fileResultsChanged();
    void candidatesChanged();
    void conflictPolicyChanged();
    void approvedConflictIDsChanged();
    void includeNotesWithoutDurationChanged();
    void defaultYearChanged();
    void errorMessageChanged();
    void resultChanged();
    void isLoadingChanged();
    void readsSpreadsheetFormatsChanged();
    /// conflicts() may read differently now.
    void conflictsChanged();

private:
    void startLoading(bool rereading);
    void finishLoading(FileResults results, bool rereading);
    void carryChoicesOver(FileResults& results) const;
    void setCandidates(std::vector<PracticeImportCandidate> candidates);
    void setLoading(bool loading);
    void setErrorMessage(std::optional<QString> message);
    void setResult(std::optional<PracticeImportSummary> result);
    void invalidateConflicts();
    bool isReady(const PracticeImportCandidate& candidate) const;

    JournalStore& m_store;
    Calendar m_calendar;
    Clock m_clock;
    QStringList m_filePaths;
    FileResults m_fileResults;
    std::vector<PracticeImportCandidate> m_candidates;
    PracticeImportConflictPolicy m_conflictPolicy = PracticeImportConflictPolicy::skipDuplicates;
    QSet<QUuid> m_approvedConflictIDs;
    bool m_includeNotesWithoutDuration = false;
    int m_defaultYear = 0;
    std::optional<QString> m_errorMessage;
    std::optional<PracticeImportSummary> m_result;
    std::optional<QString> m_backupPath;
    bool m_isLoading = false;
    /// One per file path.
    std::vector<PracticeCSVParser::Options> m_fileOptions;

    QPointer<QFutureWatcher<FileResults>> m_loading;
    mutable std::optional<PracticeCSVImporter::Conflicts> m_conflicts;
};

} // namespace brevanta
