// SPDX-License-Identifier: MIT
// The import review at the size of ten years: 120 monthly sheets, made from the example sheets
// in examples/ with their rows spread over every day of 2015–2024, reviewed against a journal
// that already holds every tenth of those days. Measures the time from choosing the files to the
// review on screen (reading and parsing in the background, then the summary and the 3,650 rows
// laid out and painted), and the cost of one scrolled frame of the day list.
#include "core/import/PracticeCSVImporter.h"
#include "core/import/PracticeImportFileLoader.h"
#include "core/import/PracticeImportViewModel.h"
#include "core/store/JournalStore.h"
#include "ui/import/PracticeImportCandidateList.h"
#include "ui/import/PracticeImportView.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <ctime>

using namespace brevanta;

namespace {

constexpr int kFirstYear = 2015;
constexpr int kYears = 10;

const Calendar& calendar() {
    static const Calendar newYork(u"America/New_York", u"en_US");
    return newYork;
}

QTemporaryDir& workFolder() {
    static QTemporaryDir folder;
    return folder;
}

// The example sheets' title and heading rows, and their day rows without the day cell.
struct Samples {
    QByteArray headings;
    QList<QByteArray> dayRows;
};

Samples samples() {
    Samples made;
    for (const char* month : {"January", "February", "March"}) {
        QFile file(QStringLiteral(BREVANTA_EXAMPLES_DIR "/Practice Log %1 2025.csv")
                       .arg(QLatin1String(month)));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the example sheets");
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines) {
            if (made.dayRows.isEmpty() && !line.startsWith('"')) {
                if (month == std::string_view("January"))
                    made.headings += line + '\n';
                continue;
            }
            if (line.startsWith('"'))
                made.dayRows << line.mid(line.indexOf("\",") + 1);
        }
    }
    return made;
}

QStringList tenYearsOfSheets() {
    static const QStringList paths = [] {
        const Samples sample = samples();
        QStringList made;
        for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const QDate first(year, month, 1);
                const QByteArray abbreviation =
                    QLocale::c().monthName(month, QLocale::ShortFormat).toLatin1();
                QByteArray sheet = sample.headings;
                for (int day = 1; day <= first.daysInMonth(); ++day) {
                    sheet +=
                        '"' + QLocale::c().dayName(first.addDays(day - 1).dayOfWeek()).toLatin1() +
                        ", " + abbreviation + ' ' + QByteArray::number(day) + '"' +
                        sample.dayRows[(year * 12 + month + day) % sample.dayRows.size()] + '\n';
                }
                sheet += "Totals,,,,,,,,,,,,\n";
                const QString path = workFolder().filePath(QStringLiteral("Practice Log %1 %2.csv")
                                                               .arg(QLocale::c().monthName(month))
                                                               .arg(year));
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly) || file.write(sheet) != sheet.size())
                    qFatal("cannot write %s", qPrintable(path));
                made << path;
            }
        }
        return made;
    }();
    return paths;
}

JournalStore& journal() {
    static const std::unique_ptr<JournalStore> store = [] {
        auto made = JournalStore::open(StoreConfiguration::inMemory());
        std::vector<PracticeImportCandidate> earlier;
        for (const PracticeImportFileResult& file :
             PracticeImportFileLoader::loadAll(tenYearsOfSheets(), calendar())) {
            for (std::size_t index = 0; index < file.candidates.size(); index += 10)
                earlier.push_back(file.candidates[index]);
        }
        PracticeCSVImporter(calendar())
            .commit(earlier, PracticeImportConflictPolicy::importAnyway, {}, {}, 0, *made);
        return made;
    }();
    return *store;
}

const Clock clock2025 = Clock::fixed(Instant::fromSecsSinceEpoch(1'748'779'200));

void waitForReview(PracticeImportView& view) {
    while (view.viewModel().isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

void BM_ReviewAppearsAfterChoosingTenYears(benchmark::State& state) {
    const QStringList paths = tenYearsOfSheets();
    journal();
    std::size_t rows = 0;
    double processCpu = 0;
    double afterLoading = 0;
    for (auto _ : state) {
        const std::clock_t cpuStart = std::clock();
        PracticeImportView view(paths, journal(), calendar(), clock2025, {});
        view.resize(780, 700);
        view.show();
        while (view.viewModel().isLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // From here on everything runs on the main thread: the summary, the rows, the paint.
        QElapsedTimer mainThread;
        mainThread.start();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.grab());
        afterLoading += double(mainThread.nsecsElapsed()) / 1e6;
        processCpu += double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
        rows = std::size_t(view.candidateList()->model()->rowCount());
    }
    state.counters["files"] = double(paths.size());
    state.counters["days"] = double(rows);
    // Both threads' processor time, which a busy machine does not inflate, and the main
    // thread's share after the files were read.
    state.counters["process_cpu_ms"] =
        benchmark::Counter(processCpu, benchmark::Counter::kAvgIterations);
    state.counters["main_after_load_ms"] =
        benchmark::Counter(afterLoading, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReviewAppearsAfterChoosingTenYears)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScrollOneFrameThroughTenYears(benchmark::State& state) {
    PracticeImportView view(tenYearsOfSheets(), journal(), calendar(), clock2025, {});
    view.resize(780, 700);
    view.show();
    waitForReview(view);
    PracticeImportCandidateList* list = view.candidateList();
    QScrollBar* bar = list->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep() / 2);
        benchmark::DoNotOptimize(list->viewport()->grab());
    }
    state.counters["rows"] = double(list->model()->rowCount());
}
BENCHMARK(BM_ScrollOneFrameThroughTenYears)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
