// SPDX-License-Identifier: MIT
// The review's model over sheets a spreadsheet saved: one card per rewritten file, and the option
// that reads such a file again without losing any other choice.
#include "core/import/PracticeImportViewModel.h"
#include "core/store/JournalStore.h"
#include "support/RecordTestSupport.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// 1 June 2026, 12:00 UTC.
const Instant june2026 = Instant::fromSecsSinceEpoch(1'780'315'200);

const QStringList exports{
    u"Practice Log April 2026 typed [explicit].csv"_s,
    u"Practice Log April 2026 typed [semicolon].csv"_s,
    u"Practice Log April 2026 typed [utf16].csv"_s,
    u"Practice Log April 2026 textcols [explicit].csv"_s,
    u"Practice Log April 2026 formatted [explicit].csv"_s,
    u"Practice Log January 2025 [roundtrip-plain].csv"_s,
};

bool waitUntilLoaded(const PracticeImportViewModel& model) {
    return QTest::qWaitFor([&] { return !model.isLoading(); }, 20000);
}

std::int64_t candidatesOf(const PracticeImportViewModel& model, const QString& filename) {
    return std::count_if(
        model.candidates().begin(), model.candidates().end(),
        [&](const auto& candidate) { return candidate.sourceFilename == filename; });
}

} // namespace

class TestSpreadsheetFormatReview : public QObject {
    Q_OBJECT

    std::unique_ptr<JournalStore> m_store;

    std::unique_ptr<PracticeImportViewModel> loaded(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names)
            paths << fixturePath(name);
        auto model =
            std::make_unique<PracticeImportViewModel>(*m_store, newYorkCalendar(), june2026);
        model->load(paths);
        if (!waitUntilLoaded(*model))
            qWarning("loading did not finish");
        return model;
    }

    static void switchOption(PracticeImportViewModel& model, qsizetype file, bool read) {
        QSignalSpy changed(&model, &PracticeImportViewModel::readsSpreadsheetFormatsChanged);
        model.setReadsSpreadsheetFormats(file, read);
        QCOMPARE(changed.size(), 1);
        QVERIFY(model.isLoading());
        QVERIFY(!model.canImport());
        QVERIFY(waitUntilLoaded(model));
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { m_store = JournalStore::open(StoreConfiguration::inMemory()); }
    void cleanup() {
        QVERIFY(PracticeImportViewModel::readingThreads().waitForDone(20000));
        m_store.reset();
    }

    void everyExportAsItStandsAndReadFileByFile() {
        const auto model = loaded(exports);
        // As they stand: the two typed days of the explicit export wait for their unreadable
        // times; only the two sheets exported as typed are ready.
        QCOMPARE(model->candidates().size(), 2u + 7u + 7u);
        QCOMPARE(model->readyCandidates().size(), 14u);
        QCOMPARE(model->readyPracticeSeconds(), 2 * (7 * 3600 + 30 * 60));
        QCOMPARE(model->skippedRows(), 6 + 1 + 1 + 22);
        QCOMPARE(model->invalidFiles().size(), 2u);
        QCOMPARE(model->warningCount(), 5 + 2 + 2);

        std::vector<qsizetype> cards;
        for (const SpreadsheetFormatFile& file : model->spreadsheetFormatFiles()) {
            cards.push_back(file.fileIndex);
            QCOMPARE(file.filename, exports[file.fileIndex]);
            QVERIFY(!file.readsSpreadsheetFormats);
        }
        QCOMPARE(cards, (std::vector<qsizetype>{0, 1, 2, 5}));
        QCOMPARE(model->spreadsheetFormatFile(1)->summary.separator,
                 ImportTextFormat::Separator::semicolon);
        QCOMPARE(model->spreadsheetFormatFile(2)->summary.encoding,
                 ImportTextFormat::Encoding::utf16);
        QVERIFY(!model->spreadsheetFormatFile(3));

        // Each card's option reads its own file only.
        std::int64_t seconds = model->readyPracticeSeconds();
        for (const qsizetype file : cards) {
            switchOption(*model, file, true);
            QVERIFY(model->readsSpreadsheetFormats(file));
            const std::int64_t days = file == 5 ? 22 : 7;
            QCOMPARE(candidatesOf(*model, exports[file]), days);
            const std::int64_t added = file == 5 ? 12 * 3600 + 25 * 60 : 7 * 3600 + 30 * 60;
            QCOMPARE(model->readyPracticeSeconds(), seconds + added);
            seconds += added;
            QVERIFY(model->spreadsheetFormatFile(file)->readsSpreadsheetFormats);
        }
        QVERIFY(model->invalidFiles().empty());
        QCOMPARE(model->skippedRows(), 1 + 1 + 1 + 1 + 1);
        QCOMPARE(model->warningCount(), 2); // the textcols sheet's formula totals
        QCOMPARE(model->spreadsheetFormatFiles().size(), 4u);

        switchOption(*model, 5, false);
        QCOMPARE(candidatesOf(*model, exports[5]), 0);
        QCOMPARE(model->spreadsheetFormatFile(5)->summary.days, 22);
    }

    void readingAgainKeepsEveryChoice() {
        // A copy without a year in its name, so that a year is applied by hand first.
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Practice Log April typed.csv"_s);
        QVERIFY(QFile::copy(fixturePath(exports[0]), path));
        PracticeImportViewModel model(*m_store, newYorkCalendar(), june2026);
        model.load({path});
        QVERIFY(waitUntilLoaded(model));
        QCOMPARE(model.candidates().size(), 2u);
        const QUuid april2 = model.candidates()[0].id;
        QCOMPARE(model.candidates()[0].day, 2);

        model.setDefaultYear(2026);
        model.applyYear();
        model.setDefaultYear(2030);
        model.setConflictPolicy(PracticeImportConflictPolicy::reviewIndividually);
        model.setIncludeNotesWithoutDuration(true);
        model.setConflictApproved(april2, true);
        model.setConflictApproved(model.candidates()[1].id, true);

        switchOption(model, 0, true);
        QCOMPARE(model.candidates().size(), 7u);
        QVERIFY(!model.unresolvedYears());
        for (const PracticeImportCandidate& candidate : model.candidates()) {
            QCOMPARE(candidate.year, 2026);
            QVERIFY(candidate.warnings.empty());
        }
        QCOMPARE(model.candidates()[1].id, april2);
        QCOMPARE(model.candidates()[1].durationSeconds, 45 * 60);
        QCOMPARE(model.defaultYear(), 2030);
        QCOMPARE(model.conflictPolicy(), PracticeImportConflictPolicy::reviewIndividually);
        QVERIFY(model.includeNotesWithoutDuration());
        QCOMPARE(model.approvedConflictIDs().size(), 2);
        QVERIFY(model.approvedConflictIDs().contains(april2));
        QVERIFY(model.canImport());
        const QUuid april1 = model.candidates()[0].id;
        model.setConflictApproved(april1, true);

        // Switching back leaves the days of the spreadsheet's dates, and their approvals, out.
        switchOption(model, 0, false);
        QCOMPARE(model.candidates().size(), 2u);
        QCOMPARE(model.candidates()[0].id, april2);
        QCOMPARE(model.candidates()[0].year, 2026);
        QCOMPARE(model.approvedConflictIDs().size(), 2);
        QVERIFY(!model.approvedConflictIDs().contains(april1));
        QVERIFY(model.candidates()[0].lacksDuration());
    }

    void optionOutsideTheFilesChangesNothing() {
        const auto model = loaded({exports[4]});
        QSignalSpy changed(model.get(), &PracticeImportViewModel::readsSpreadsheetFormatsChanged);
        model->setReadsSpreadsheetFormats(1, true);
        model->setReadsSpreadsheetFormats(-1, true);
        model->setReadsSpreadsheetFormats(0, false);
        QCOMPARE(changed.size(), 0);
        QVERIFY(!model->isLoading());
        QVERIFY(model->spreadsheetFormatFiles().empty());
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheetFormatReview)
#include "tst_spreadsheetformatreview.moc"
