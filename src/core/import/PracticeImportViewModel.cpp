// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportViewModel.h"

#include "core/import/PracticeImportFileLoader.h"
#include "core/store/JournalBackup.h"
#include "core/store/JournalStore.h"
#include "core/time/DateFormatting.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QPromise>
#include <QThreadPool>

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace brevanta {

namespace {

std::int64_t saturatingSum(std::int64_t sum, std::int64_t addend) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(sum, addend, &result))
        return addend > 0 ? std::numeric_limits<std::int64_t>::max()
                          : std::numeric_limits<std::int64_t>::min();
    return result;
}

} // namespace

PracticeImportViewModel::PracticeImportViewModel(JournalStore& store, Calendar calendar,
                                                 Instant now, QObject* parent)
    : PracticeImportViewModel(store, std::move(calendar), Clock::fixed(now), parent) {}

PracticeImportViewModel::PracticeImportViewModel(JournalStore& store, Calendar calendar,
                                                 Clock clock, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_calendar(std::move(calendar))
    , m_clock(std::move(clock))
    , m_defaultYear(m_calendar.components(m_clock.now()).year) {
    connect(&m_store, &JournalStore::sessionsChanged, this,
            &PracticeImportViewModel::invalidateConflicts);
    // The days are compared with the whole journal: the review waits for its rows.
    if (!m_store.isLoaded())
        connect(&m_store, &JournalStore::loaded, this, &PracticeImportViewModel::isLoadingChanged);
}

QThreadPool& PracticeImportViewModel::readingThreads() {
    // Qt's raster painting splits a fill taller than about a hundred lines across
    // QThreadPool::globalInstance() and waits for every part. On a one-core machine that pool
    // has one thread: a sheet read there would freeze the window until the read ends.
    // Owned by the application object, as the global pool is, it is waited for as the app ends.
    static QPointer<QThreadPool> pool;
    if (!pool)
        pool = new QThreadPool(QCoreApplication::instance());
    return *pool;
}

PracticeImportViewModel::~PracticeImportViewModel() {
    if (m_loading)
        m_loading->future().cancel();
}

void PracticeImportViewModel::setConflictPolicy(PracticeImportConflictPolicy policy) {
    if (policy == m_conflictPolicy)
        return;
    m_conflictPolicy = policy;
    Q_EMIT conflictPolicyChanged();
}

void PracticeImportViewModel::setConflictApproved(const QUuid& candidateId, bool approved) {
    if (approved == m_approvedConflictIDs.contains(candidateId))
        return;
    if (approved)
        m_approvedConflictIDs.insert(candidateId);
    else
        m_approvedConflictIDs.remove(candidateId);
    Q_EMIT approvedConflictIDsChanged();
}

void PracticeImportViewModel::setIncludeNotesWithoutDuration(bool include) {
    if (include == m_includeNotesWithoutDuration)
        return;
    m_includeNotesWithoutDuration = include;
    Q_EMIT includeNotesWithoutDurationChanged();
    invalidateConflicts();
}

void PracticeImportViewModel::setDefaultYear(int year) {
    if (year == m_defaultYear)
        return;
    m_defaultYear = year;
    Q_EMIT defaultYearChanged();
}

std::int64_t PracticeImportViewModel::skippedRows() const {
    std::int64_t sum = 0;
    for (const PracticeImportFileResult& file : m_fileResults)
        sum = saturatingSum(sum, file.skippedRows);
    return sum;
}

PracticeImportViewModel::FileResults PracticeImportViewModel::invalidFiles() const {
    FileResults invalid;
    std::copy_if(m_fileResults.begin(), m_fileResults.end(), std::back_inserter(invalid),
                 [](const PracticeImportFileResult& file) { return file.error.has_value(); });
    return invalid;
}

bool PracticeImportViewModel::isReady(const PracticeImportCandidate& candidate) const {
    return m_includeNotesWithoutDuration || !candidate.lacksDuration();
}

std::vector<PracticeImportCandidate> PracticeImportViewModel::readyCandidates() const {
    std::vector<PracticeImportCandidate> ready;
    std::copy_if(m_candidates.begin(), m_candidates.end(), std::back_inserter(ready),
                 [this](const PracticeImportCandidate& candidate) { return isReady(candidate); });
    return ready;
}

bool PracticeImportViewModel::unresolvedYears() const {
    return std::any_of(m_candidates.begin(), m_candidates.end(),
                       [](const PracticeImportCandidate& candidate) { return !candidate.year; });
}

bool PracticeImportViewModel::isLoading() const {
    return m_isLoading || !m_store.isLoaded();
}

bool PracticeImportViewModel::canImport() const {
    if (isLoading() || unresolvedYears())
        return false;
    return std::any_of(
        m_candidates.begin(), m_candidates.end(),
        [this](const PracticeImportCandidate& candidate) { return isReady(candidate); });
}

const PracticeCSVImporter::Conflicts& PracticeImportViewModel::conflicts() const {
    if (!m_conflicts) {
        // The live list changes under an import; read a copy.
        const std::vector<PracticeSessionPtr> existing = m_store.sessions();
        m_conflicts = PracticeCSVImporter(m_calendar).conflicts(readyCandidates(), existing);
    }
    return *m_conflicts;
}

std::optional<PracticeImportConflict>
PracticeImportViewModel::conflict(const QUuid& candidateId) const {
    const PracticeCSVImporter::Conflicts& all = conflicts();
    const auto found = all.constFind(candidateId);
    if (found == all.cend())
        return std::nullopt;
    return *found;
}

std::vector<PracticeImportCandidate> PracticeImportViewModel::reviewCandidates() const {
    struct Dated {
        std::optional<Instant> date;
        const PracticeImportCandidate* candidate;
    };
    std::vector<Dated> dated;
    dated.reserve(m_candidates.size());
    for (const PracticeImportCandidate& candidate : m_candidates)
        dated.push_back({candidate.date(m_calendar), &candidate});
    std::stable_sort(dated.begin(), dated.end(), [](const Dated& left, const Dated& right) {
        if (!left.date || !right.date)
            return left.date.has_value() && !right.date.has_value();
        return *left.date < *right.date;
    });
    std::vector<PracticeImportCandidate> ordered;
    ordered.reserve(dated.size());
    for (const Dated& item : dated)
        ordered.push_back(*item.candidate);
    return ordered;
}

QString PracticeImportViewModel::candidateDateRange() const {
    std::vector<Instant> dates;
    for (const PracticeImportCandidate& candidate : m_candidates) {
        if (const std::optional<Instant> date = candidate.date(m_calendar))
            dates.push_back(*date);
    }
    return dateRange(dates, m_calendar);
}

std::int64_t PracticeImportViewModel::readyPracticeSeconds() const {
    std::int64_t sum = 0;
    for (const PracticeImportCandidate& candidate : m_candidates) {
        if (isReady(candidate))
            sum = saturatingSum(sum, candidate.durationSeconds);
    }
    return sum;
}

std::int64_t PracticeImportViewModel::warningCount() const {
    std::int64_t count = 0;
    for (const PracticeImportCandidate& candidate : m_candidates)
        count += std::int64_t(candidate.warnings.size());
    for (const PracticeImportFileResult& file : m_fileResults)
        count += file.error ? 1 : 0;
    return count;
}

QString PracticeImportViewModel::dateRange(std::span<const Instant> dates,
                                           const Calendar& calendar) {
    if (dates.empty())
        return QStringLiteral("\u2014");
    const auto [earliest, latest] = std::minmax_element(dates.begin(), dates.end());
    const QString first = DateFormatting::abbreviatedDate(*earliest, calendar);
    if (calendar.isSameDay(*earliest, *latest))
        return first;
    return first + u'\u2013' + DateFormatting::abbreviatedDate(*latest, calendar);
}

void PracticeImportViewModel::load(const QStringList& filePaths) {
    if (filePaths != m_filePaths) {
        m_filePaths = filePaths;
        m_fileOptions.assign(std::size_t(filePaths.size()), PracticeCSVParser::Options{});
        Q_EMIT filePathsChanged();
        Q_EMIT readsSpreadsheetFormatsChanged();
    }
    startLoading(false);
}

void PracticeImportViewModel::startLoading(bool rereading) {
    if (m_loading) {
        // A newer load wins; the older one stops after its current file and is never heard of.
        m_loading->disconnect(this);
        m_loading->future().cancel();
        m_loading->deleteLater();
    }
    setLoading(true);
    setErrorMessage(std::nullopt);
    setResult(std::nullopt);

    // The thread gets only the paths, the options and a copy of the calendar and hands back
    // only the results; the watcher brings them to this thread, and never once it is gone.
    auto promise = std::make_shared<QPromise<FileResults>>();
    auto* watcher = new QFutureWatcher<FileResults>(this);
    m_loading = watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, rereading] {
        FileResults results;
        if (watcher->future().resultCount() > 0)
            results = watcher->future().result();
        m_loading = nullptr;
        watcher->deleteLater();
        finishLoading(std::move(results), rereading);
    });
    watcher->setFuture(promise->future());
    promise->start();
    readingThreads().start(
        [promise, filePaths = m_filePaths, options = m_fileOptions, calendar = m_calendar] {
            FileResults results = PracticeImportFileLoader::loadAll(
                filePaths, calendar, [&promise] { return promise->isCanceled(); }, options);
            promise->addResult(std::move(results));
            promise->finish();
        });
}

void PracticeImportViewModel::finishLoading(FileResults results, bool rereading) {
    if (rereading)
        carryChoicesOver(results);
    std::vector<PracticeImportCandidate> candidates;
    QSet<QUuid> ids;
    for (const PracticeImportFileResult& file : results) {
        candidates.insert(candidates.end(), file.candidates.begin(), file.candidates.end());
        for (const PracticeImportCandidate& candidate : file.candidates)
            ids.insert(candidate.id);
    }
    m_fileResults = std::move(results);
    Q_EMIT fileResultsChanged();
    setCandidates(std::move(candidates));
    if (rereading) {
        // Approvals of days that are no longer read have nothing to approve.
        const QSet<QUuid> kept = QSet<QUuid>(m_approvedConflictIDs).intersect(ids);
        if (kept != m_approvedConflictIDs) {
            m_approvedConflictIDs = kept;
            Q_EMIT approvedConflictIDsChanged();
        }
    }
    setLoading(false);
}

// A file read again keeps what the user did with it: each day read before keeps its identifier
// (its approval goes with it), and a year applied to the file goes to all its days again. Days
// are told apart by month, day and their place among days of the same date.
void PracticeImportViewModel::carryChoicesOver(FileResults& results) const {
    QHash<QUuid, const PracticeImportCandidate*> current;
    for (const PracticeImportCandidate& candidate : m_candidates)
        current.insert(candidate.id, &candidate);
    const auto key = [](const PracticeImportCandidate& candidate, QHash<int, int>& seen) {
        const int date = candidate.month * 32 + candidate.day;
        return std::pair(date, seen[date]++);
    };

    const std::size_t common = std::min(results.size(), m_fileResults.size());
    for (std::size_t index = 0; index < common; ++index) {
        const PracticeImportFileResult& before = m_fileResults[index];
        PracticeImportFileResult& after = results[index];
        QHash<std::pair<int, int>, QUuid> identifiers;
        std::optional<int> appliedYear;
        QHash<int, int> seenBefore;
        for (const PracticeImportCandidate& candidate : before.candidates) {
            identifiers.insert(key(candidate, seenBefore), candidate.id);
            const auto now = current.constFind(candidate.id);
            if (now != current.cend() && (*now)->year)
                appliedYear = (*now)->year;
        }
        QHash<int, int> seenAfter;
        for (PracticeImportCandidate& candidate : after.candidates) {
            if (const auto found = identifiers.constFind(key(candidate, seenAfter));
                found != identifiers.cend())
                candidate.id = *found;
            if (!candidate.year && appliedYear) {
                candidate.year = appliedYear;
                std::erase_if(candidate.warnings, [](const PracticeImportWarning& warning) {
                    return warning.warningCase() == PracticeImportWarning::Case::missingYear;
                });
            }
        }
    }
}

std::vector<SpreadsheetFormatFile> PracticeImportViewModel::spreadsheetFormatFiles() const {
    std::vector<SpreadsheetFormatFile> files;
    for (qsizetype index = 0; index < qsizetype(m_fileResults.size()); ++index) {
        if (std::optional<SpreadsheetFormatFile> file = spreadsheetFormatFile(index))
            files.push_back(*std::move(file));
    }
    return files;
}

std::optional<SpreadsheetFormatFile>
PracticeImportViewModel::spreadsheetFormatFile(qsizetype fileIndex) const {
    if (fileIndex < 0 || fileIndex >= qsizetype(m_fileResults.size()))
        return std::nullopt;
    const PracticeImportFileResult& file = m_fileResults[std::size_t(fileIndex)];
    if (!file.spreadsheetFormat.isAffected())
        return std::nullopt;
    return SpreadsheetFormatFile{fileIndex, file.filename, file.spreadsheetFormat,
                                 readsSpreadsheetFormats(fileIndex)};
}

bool PracticeImportViewModel::readsSpreadsheetFormats(qsizetype fileIndex) const {
    return fileIndex >= 0 && fileIndex < qsizetype(m_fileOptions.size()) &&
           m_fileOptions[std::size_t(fileIndex)].readSpreadsheetFormats;
}

void PracticeImportViewModel::setReadsSpreadsheetFormats(qsizetype fileIndex, bool read) {
    if (fileIndex < 0 || fileIndex >= qsizetype(m_fileOptions.size()) ||
        readsSpreadsheetFormats(fileIndex) == read)
        return;
    m_fileOptions[std::size_t(fileIndex)].readSpreadsheetFormats = read;
    Q_EMIT readsSpreadsheetFormatsChanged();
    startLoading(true);
}

void PracticeImportViewModel::applyYear() {
    std::vector<PracticeImportCandidate> updated = m_candidates;
    bool changed = false;
    for (PracticeImportCandidate& candidate : updated) {
        if (candidate.year)
            continue;
        candidate.year = m_defaultYear;
        std::erase_if(candidate.warnings, [](const PracticeImportWarning& warning) {
            return warning.warningCase() == PracticeImportWarning::Case::missingYear;
        });
        changed = true;
    }
    if (changed)
        setCandidates(std::move(updated));
}

bool PracticeImportViewModel::confirmImport() {
    if (!canImport())
        return false;
    const std::vector<PracticeSessionPtr> existing = m_store.sessions();
    std::optional<QString> backup;
    PracticeImportSummary summary;
    try {
        backup = JournalBackup::make(m_store, m_clock.now(), m_calendar);
        summary = PracticeCSVImporter(m_calendar)
                      .commit(readyCandidates(), m_conflictPolicy, m_approvedConflictIDs, existing,
                              skippedRows(), m_store);
    } catch (const BrevantaError& error) {
        // The copy of a journal that did not change is not worth one of the kept places.
        if (backup)
            JournalBackup::discard(*backup);
        setErrorMessage(u"Nothing was imported. " + error.description());
        return false;
    }
    if (backup)
        JournalBackup::prune(QFileInfo(*backup).absolutePath());
    m_backupPath = std::move(backup);
    setResult(std::move(summary));
    return true;
}

void PracticeImportViewModel::setCandidates(std::vector<PracticeImportCandidate> candidates) {
    m_candidates = std::move(candidates);
    Q_EMIT candidatesChanged();
    invalidateConflicts();
}

void PracticeImportViewModel::setLoading(bool loading) {
    if (loading == m_isLoading)
        return;
    m_isLoading = loading;
    Q_EMIT isLoadingChanged();
}

void PracticeImportViewModel::setErrorMessage(std::optional<QString> message) {
    if (message == m_errorMessage)
        return;
    m_errorMessage = std::move(message);
    Q_EMIT errorMessageChanged();
}

void PracticeImportViewModel::setResult(std::optional<PracticeImportSummary> result) {
    if (result == m_result)
        return;
    m_result = std::move(result);
    Q_EMIT resultChanged();
}

void PracticeImportViewModel::invalidateConflicts() {
    m_conflicts.reset();
    Q_EMIT conflictsChanged();
}

} // namespace brevanta
