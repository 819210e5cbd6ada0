// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportFileLoader.h"
#include "core/import/PracticeImportViewModel.h"
#include "core/store/JournalStore.h"
#include "support/RecordTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <unistd.h>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// 1 June 2025, 12:00 UTC.
const Instant june2025 = Instant::fromSecsSinceEpoch(1'748'779'200);

// Why the system refuses to open `path`, as the loader should report it.
QString openError(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}

QStringList titlesOf(const std::vector<PracticeImportCandidate>& candidates) {
    QStringList titles;
    for (const PracticeImportCandidate& candidate : candidates)
        titles << QString::number(candidate.month) + u'/' + QString::number(candidate.day);
    return titles;
}

bool waitUntilLoaded(const PracticeImportViewModel& model) {
    return QTest::qWaitFor([&] { return !model.isLoading(); }, 20000);
}

} // namespace

class TestPracticeImportViewModel : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<JournalStore> m_store;

    QString scratch(const QString& name) const { return m_folder->filePath(name); }

    // A valid sheet of `days` day rows, much larger than a real month.
    QString largeSheet(const QString& name, int days) const {
        QFile file(scratch(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(",,,,Have Fun,,,Look Back,,,Look Forward,,\n"
                   "Day,,,,Practice notes,Time,,Practice notes,Time,,Practice notes,Time,Total\n");
        for (int day = 0; day < days; ++day)
            file.write(QByteArray("\"Monday, Jan ") + QByteArray::number(day % 28 + 1) +
                       "\",,,,Scales in thirds,0:20,,Chord melody,0:15,,,,0:35\n");
        return file.fileName();
    }

    std::unique_ptr<PracticeImportViewModel> loaded(const QStringList& paths) {
        auto model =
            std::make_unique<PracticeImportViewModel>(*m_store, newYorkCalendar(), june2025);
        model->load(paths);
        if (!waitUntilLoaded(*model))
            qWarning("loading did not finish");
        return model;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        m_store = JournalStore::open(StoreConfiguration::inMemory());
    }
    void cleanup() {
        QVERIFY(PracticeImportViewModel::readingThreads().waitForDone(20000));
        m_store.reset();
        m_folder.reset();
    }

    void unreadableFilesNeverStopTheOthers() {
        QFile large(scratch(u"Large 2024.csv"_s));
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(PracticeImportFileLoader::largestFileSize + 1));
        large.close();
        const QString missing = scratch(u"Missing 2024.csv"_s);
        const QString folder = scratch(u"Folder 2024.csv"_s);
        QVERIFY(QDir().mkpath(folder));

        const QStringList paths{fixturePath(u"Practice Log March 2024.csv"_s),
                                large.fileName(),
                                missing,
                                folder,
                                fixturePath(u"Practice Log December 2024.csv"_s),
                                fixturePath(u"Practice Log September.csv"_s)};
        PracticeImportViewModel model(*m_store, newYorkCalendar(), june2025);
        QSignalSpy loading(&model, &PracticeImportViewModel::isLoadingChanged);
        QSignalSpy results(&model, &PracticeImportViewModel::fileResultsChanged);
        model.load(paths);
        QVERIFY(model.isLoading());
        QVERIFY(!model.canImport());
        QVERIFY(waitUntilLoaded(model));
        QCOMPARE(loading.size(), 2);
        QCOMPARE(results.size(), 1);

        QCOMPARE(model.filePaths(), paths);
        QList<std::optional<QString>> errors;
        for (const PracticeImportFileResult& file : model.fileResults())
            errors << file.error;
        QCOMPARE(errors.size(), 6);
        QCOMPARE(errors[0], std::nullopt);
        QCOMPARE(errors[1], PracticeImportFileLoader::tooLargeMessage());
        QCOMPARE(errors[2], openError(missing));
        QVERIFY(!errors[3]->isEmpty());
        QVERIFY(errors[4]->startsWith(u"The file is not valid UTF-8. It appears to be saved as "
                                      u"Windows-1252"_s));
        QCOMPARE(errors[5], std::nullopt);

        QCOMPARE(model.invalidFiles().size(), 4u);
        QCOMPARE(model.invalidFiles().front().filename, u"Large 2024.csv"_s);
        QCOMPARE(model.candidates().size(), 11u);
        QCOMPARE(model.candidates().front().sourceFilename, u"Practice Log March 2024.csv"_s);
        QCOMPARE(model.candidates().back().sourceFilename, u"Practice Log September.csv"_s);
        QCOMPARE(model.skippedRows(), 2);
        // Three days without a year, and four files.
        QCOMPARE(model.warningCount(), 7);
        QVERIFY(model.unresolvedYears());
        QVERIFY(!model.canImport());
    }

    void fileWithoutPermissionIsReported() {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        const QString path = scratch(u"Locked 2024.csv"_s);
        QVERIFY(QFile::copy(fixturePath(u"Practice Log March 2024.csv"_s), path));
        QVERIFY(QFile::setPermissions(path, {}));
        const PracticeImportFileResult result =
            PracticeImportFileLoader::load(path, newYorkCalendar());
        QCOMPARE(result.error, openError(path));
        QVERIFY(result.candidates.empty());
    }

    void applyYearFillsOnlyMissingYears() {
        const auto model = loaded({fixturePath(u"Practice Log September.csv"_s),
                                   fixturePath(u"Practice Log March 2024.csv"_s)});
        QCOMPARE(model->candidates().size(), 11u);
        QVERIFY(model->unresolvedYears());
        QVERIFY(!model->canImport());

        QSignalSpy candidatesChanged(model.get(), &PracticeImportViewModel::candidatesChanged);
        model->setDefaultYear(2023);
        QCOMPARE(candidatesChanged.size(), 0);
        QVERIFY(!model->candidates().front().year);

        model->applyYear();
        QCOMPARE(candidatesChanged.size(), 1);
        QVERIFY(!model->unresolvedYears());
        QVERIFY(model->canImport());
        for (const PracticeImportCandidate& candidate : model->candidates()) {
            QCOMPARE(*candidate.year, candidate.sourceFilename.contains(u"2024") ? 2024 : 2023);
            QVERIFY(!candidate.hasWarning(PracticeImportWarning::Case::missingYear));
        }
        QCOMPARE(model->warningCount(), 0);
        // Sep 31 has a year now but still no date.
        QCOMPARE(model->candidates()[2].day, 31);
        QVERIFY(!model->candidates()[2].date(newYorkCalendar()));
        QVERIFY(!model->conflict(model->candidates()[0].id));

        // A year once given stays.
        model->setDefaultYear(2020);
        model->applyYear();
        QCOMPARE(candidatesChanged.size(), 1);
        QCOMPARE(*model->candidates().front().year, 2023);
    }

    void notesWithoutTimeCountOnlyWhenIncluded() {
        const auto model = loaded({fixturePath(u"Practice Log November 2024.csv"_s)});
        QCOMPARE(model->candidates().size(), 4u);
        QCOMPARE(titlesOf(model->readyCandidates()), (QStringList{u"11/5"_s, u"11/7"_s}));
        QCOMPARE(model->readyPracticeSeconds(), 1800 + 900);

        // A stored session on a notes-only day conflicts only once that day is ready.
        m_store->insert(PracticeSession::create(
            QUuid::createUuid(), *model->candidates()[0].date(newYorkCalendar()), 60,
            PracticeSessionSource::manual, std::nullopt, {}, june2025));
        m_store->save();
        QVERIFY(!model->conflict(model->candidates()[0].id));

        QSignalSpy conflictsChanged(model.get(), &PracticeImportViewModel::conflictsChanged);
        model->setIncludeNotesWithoutDuration(true);
        QCOMPARE(conflictsChanged.size(), 1);
        QCOMPARE(model->readyCandidates().size(), 4u);
        QCOMPARE(model->readyPracticeSeconds(), 1800 + 900);
        QCOMPARE(model->conflict(model->candidates()[0].id), PracticeImportConflict::sameDay);
        QVERIFY(model->canImport());
    }

    void reviewListsByDateWithUndatedLast() {
        const auto model = loaded({fixturePath(u"Practice Log September.csv"_s),
                                   fixturePath(u"Practice Log March 2024.csv"_s),
                                   fixturePath(u"Practice Log February 2024.csv"_s)});
        QCOMPARE(titlesOf(model->reviewCandidates()),
                 (QStringList{u"2/26"_s, u"2/27"_s, u"2/28"_s, u"2/29"_s, u"3/1"_s, u"3/2"_s,
                              u"3/4"_s, u"3/5"_s, u"3/6"_s, u"3/8"_s, u"3/10"_s, u"3/12"_s,
                              u"9/2"_s, u"9/3"_s, u"9/31"_s}));
        QCOMPARE(model->candidateDateRange(), u"Feb 26, 2024\u2013Mar 12, 2024"_s);

        model->setDefaultYear(2023);
        model->applyYear();
        QCOMPARE(titlesOf(model->reviewCandidates()).mid(0, 3),
                 (QStringList{u"9/2"_s, u"9/3"_s, u"2/26"_s}));
        QCOMPARE(titlesOf(model->reviewCandidates()).last(), u"9/31"_s);
        QCOMPARE(model->candidateDateRange(), u"Sep 2, 2023\u2013Mar 12, 2024"_s);
    }

    void dateRangeText_data() {
        QTest::addColumn<QList<qint64>>("dates");
        QTest::addColumn<QString>("text");
        // Noon EST on 5 January 2024, and the same day's last minute.
        const qint64 jan5 = 1'704'474'000'000;
        const qint64 day = 86'400'000;
        QTest::newRow("none") << QList<qint64>() << u"\u2014"_s;
        QTest::newRow("one day") << QList<qint64>{jan5} << u"Jan 5, 2024"_s;
        QTest::newRow("a range, in any order")
            << QList<qint64>{jan5 + 40 * day, jan5, jan5 + 3 * day}
            << u"Jan 5, 2024\u2013Feb 14, 2024"_s;
    }
    void dateRangeText() {
        QFETCH(QList<qint64>, dates);
        QFETCH(QString, text);
        std::vector<Instant> instants;
        for (const qint64 msecs : dates)
            instants.push_back(Instant::fromMSecsSinceEpoch(msecs));
        QCOMPARE(PracticeImportViewModel::dateRange(instants, newYorkCalendar()), text);
    }

    void importCommitsTheReadyDays() {
        // The journal already has 1 March as a file import would have made it.
        const auto model = loaded({fixturePath(u"Practice Log March 2024.csv"_s)});
        const PracticeImportCandidate first = model->candidates().front();
        std::vector<PracticeEntryPtr> entries;
        for (const PracticeImportEntry& entry : first.entries)
            entries.push_back(PracticeEntry::create(QUuid::createUuid(), entry.title,
                                                    entry.category, entry.durationSeconds,
                                                    std::nullopt, 0, nullptr, june2025));
        m_store->insert(PracticeSession::create(
            QUuid::createUuid(), *first.date(newYorkCalendar()), first.durationSeconds,
            PracticeSessionSource::manual, std::nullopt, std::move(entries), june2025));
        m_store->save();
        QCOMPARE(model->conflict(first.id), PracticeImportConflict::likelyDuplicate);
        QCOMPARE(model->conflicts().size(), 1);

        QSignalSpy resultChanged(model.get(), &PracticeImportViewModel::resultChanged);
        QVERIFY(model->confirmImport());
        QCOMPARE(resultChanged.size(), 1);
        QVERIFY(model->result());
        QCOMPARE(model->result()->importedCount, 7);
        QCOMPARE(model->result()->duplicatesSkipped, 1);
        QCOMPARE(model->result()->rowsSkipped, 2);
        QCOMPARE(m_store->sessions().size(), 8u);
        QVERIFY(!model->errorMessage());
        // The journal changed: every day now finds itself there.
        QCOMPARE(model->conflicts().size(), 8);
    }

    void importIsRefusedUntilItCanRun() {
        const auto model = loaded({fixturePath(u"Practice Log September.csv"_s)});
        QVERIFY(!model->canImport());
        QVERIFY(!model->confirmImport());
        QVERIFY(m_store->sessions().empty());
        QVERIFY(!model->errorMessage());
    }

    void aNewLoadReplacesOneInProgress() {
        const QString big = largeSheet(u"Big 2024.csv"_s, 20000);
        PracticeImportViewModel model(*m_store, newYorkCalendar(), june2025);
        QSignalSpy results(&model, &PracticeImportViewModel::fileResultsChanged);
        model.load({big, big, big});
        model.load({fixturePath(u"Practice Log March 2024.csv"_s)});
        QVERIFY(waitUntilLoaded(model));
        QVERIFY(PracticeImportViewModel::readingThreads().waitForDone(20000));
        QCoreApplication::processEvents();
        QCOMPARE(results.size(), 1);
        QCOMPARE(model.fileResults().size(), 1u);
        QCOMPARE(model.candidates().size(), 8u);
    }

    // Painting waits for Qt's global pool to fill large shapes: a read that queued there behind
    // other work would hold the window's repaints up until it ended.
    void readingNeverWaitsForTheGlobalPool() {
        QThreadPool& global = *QThreadPool::globalInstance();
        QSemaphore release;
        const int threads = global.maxThreadCount();
        for (int index = 0; index < threads; ++index)
            global.start([&release] { release.acquire(); });
        PracticeImportViewModel model(*m_store, newYorkCalendar(), june2025);
        model.load({fixturePath(u"Practice Log March 2024.csv"_s)});
        const bool loaded = waitUntilLoaded(model);
        release.release(threads);
        QVERIFY(global.waitForDone(20000));
        QVERIFY(loaded);
        QCOMPARE(model.candidates().size(), 8u);
    }

    void destroyedWhileLoading() {
        const QString big = largeSheet(u"Big 2024.csv"_s, 20000);
        auto* model = new PracticeImportViewModel(*m_store, newYorkCalendar(), june2025);
        const QPointer<PracticeImportViewModel> watched(model);
        model->load({big, big, big, big, big, big});
        QVERIFY(model->isLoading());
        delete model;
        QVERIFY(watched.isNull());
        QVERIFY(PracticeImportViewModel::readingThreads().waitForDone(20000));
        QCoreApplication::processEvents();
        // The journal and the folder are untouched, and a new review works as before.
        QVERIFY(m_store->sessions().empty());
        const auto next = loaded({big});
        QCOMPARE(next->candidates().size(), 20000u);
    }
};

QTEST_GUILESS_MAIN(TestPracticeImportViewModel)
#include "tst_practiceimportviewmodel.moc"
