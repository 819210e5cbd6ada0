// SPDX-License-Identifier: MIT
// Start-up, memory and shutdown of the real app against a minimal Qt main window (and, for the
// first paint, against a plain Qt window showing the first window's text in its fonts), each run
// as its own process on the offscreen platform (or another, say xcb: --platform xcb). For
// every journal size (sessions of three entries):
// time to the first painted main window, time until every row is in memory, peak memory (RSS)
// with and without the search warm-up, and the time from the Quit command to the process's
// end. Then the rows load of the store against the sqlite3 tool reading the same two tables.
//   bench_startup [--sizes 0,10000,100000] [--runs 5] [--journals FOLDER] [--platform offscreen]
#include "core/journal/JournalSearchIndex.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/DateFormatting.h"
#include "startup/JournalGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace brevanta;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

struct Run {
    std::map<std::string, double> milestoneMs; // from the spawn
    double shutdownMs = 0;                     // from "quitting" to the process's end
    double peakMB = 0;
    bool ok = false;
};

Run runProbe(const std::vector<std::string>& command) {
    Run run;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return run;
    }
    std::string pending;
    char buffer[256];
    for (;;) {
        const ssize_t count = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0)
            break;
        pending.append(buffer, std::size_t(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            // "name nanoseconds": the child's own steady clock, which this process reads too.
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            const std::size_t space = line.find(' ');
            if (space == std::string::npos)
                continue;
            const Clock::time_point reached{std::chrono::duration_cast<Clock::duration>(
                std::chrono::nanoseconds(std::atoll(line.c_str() + space + 1)))};
            run.milestoneMs[line.substr(0, space)] = msSince(start, reached);
        }
    }
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const Clock::time_point ended = Clock::now();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && run.milestoneMs.count("quitting");
    if (run.ok)
        run.shutdownMs = msSince(start, ended) - run.milestoneMs["quitting"];
    run.peakMB = double(usage.ru_maxrss) / 1024.0;
    return run;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Summary {
    double paintedMs = 0, loadedMs = 0, peakMB = 0, shutdownMs = 0;
};

// One run first to warm the caches, then the median of `runs`.
std::optional<Summary> measure(const std::vector<std::string>& command, int runs) {
    runProbe(command);
    std::vector<double> painted, loaded, peak, shutdown;
    for (int index = 0; index < runs; ++index) {
        Run run = runProbe(command);
        if (!run.ok)
            return std::nullopt;
        painted.push_back(run.milestoneMs["painted"]);
        loaded.push_back(run.milestoneMs["loaded"]);
        peak.push_back(run.peakMB);
        shutdown.push_back(run.shutdownMs);
    }
    return Summary{median(painted), median(loaded), median(peak), median(shutdown)};
}

// Bytes in use on the heap, all threads' arenas together, and the blocks malloc maps on their own
// (anything above its mapping threshold, as a journal's search texts are).
double heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

struct PerSession {
    double records = 0;
    double searchTexts = 0;
};

// What each session of three entries costs in memory: its records (with their entries and
// their place in the store's list), and the journal search's texts once the warm-up is done.
// Run in a process of its own: records freed go back to the records' pools, not to the system,
// so a journal read earlier in the same process would lend the next one its blocks.
PerSession bytesPerSessionHere(const QString& path) {
    const Calendar calendar = Calendar::current();
    {
        // What a process reads once and keeps is not the journal's: the locale's case rules
        // (folding non-ASCII text too) and the calendar's date formats, read here without
        // making a record.
        const auto scratch = JournalStore::open(StoreConfiguration::inMemory());
        JournalSearchIndex::of(*scratch).find(u"Étude warm", calendar);
        for (const auto style :
             {DateFormatting::Style::completeDateShortTime, DateFormatting::Style::abbreviatedDate})
            DateFormatting::formatUnremembered(Instant::fromSecsSinceEpoch(0), style, calendar);
    }
    const double empty = heapBytes();
    const auto store = JournalStore::open(StoreConfiguration::atPath(path));
    const double loaded = heapBytes();
    JournalSearchIndex& index = JournalSearchIndex::of(*store);
    while (!index.isComplete(calendar))
        index.prepare(calendar, 5000);
    const double warm = heapBytes();
    const double count = double(std::max<std::size_t>(store->sessions().size(), 1));
    return {(loaded - empty) / count, (warm - loaded) / count};
}

// Runs this benchmark again, as a child process for one job; true when that ended well.
bool runInChild(QProcess& child, const QStringList& arguments) {
    child.start(QCoreApplication::applicationFilePath(), arguments);
    return child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit &&
           child.exitCode() == 0;
}

std::optional<PerSession> bytesPerSession(const QString& path) {
    QProcess child;
    if (!runInChild(child, {QStringLiteral("--bytes-per-session"), path}))
        return std::nullopt;
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 2)
        return std::nullopt;
    return PerSession{figures[0].toDouble(), figures[1].toDouble()};
}

double openAndLoadMs(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    const auto store = JournalStore::open(StoreConfiguration::atPath(path));
    const std::size_t count = store->sessions().size();
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    return count == std::size_t(-1) ? 0 : elapsed;
}

std::optional<double> sqlite3Ms(const QString& path) {
    QProcess sqlite3;
    sqlite3.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    sqlite3.start(
        QStringLiteral("sqlite3"),
        {QStringLiteral("-readonly"), path,
         QStringLiteral("SELECT pk, id, startedAt, endedAt, durationSeconds, sourceRawValue, "
                        "notes, createdAt, updatedAt FROM sessions; "
                        "SELECT pk, id, title, categoryRawValue, durationSeconds, notes, "
                        "sortOrder, createdAt, updatedAt, sessionKey, position FROM entries;")});
    if (!sqlite3.waitForFinished(-1) || sqlite3.exitCode() != 0)
        return std::nullopt;
    return double(timer.nsecsElapsed()) / 1e6;
}

// Written by a child process: writing a large journal grows a process for good, and a probe
// started from a grown parent would report the parent's peak memory as its own.
bool writeJournalInChild(const QString& path, int sessions) {
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedChannels);
    return runInChild(writer,
                      {QStringLiteral("--write-journal"), path, QString::number(sessions)}) &&
           QFileInfo::exists(path);
}

QString sizeName(int sessions) {
    if (sessions == 0)
        return QStringLiteral("empty");
    return QLocale(QLocale::English).toString(sessions) + QStringLiteral(" sessions");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        // The probes' own, as a desktop session gives one: private to the user.
        const QString runtime = QDir::temp().filePath(QStringLiteral("brevanta-bench-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--write-journal")) {
        bench::writeJournal(arguments[2], arguments[3].toInt());
        return 0;
    }
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--bytes-per-session")) {
        const PerSession bytes = bytesPerSessionHere(arguments[2]);
        std::printf("%.1f %.1f\n", bytes.records, bytes.searchTexts);
        return 0;
    }
    std::vector<int> sizes{0, 10'000, 100'000};
    int runs = 5;
    QString platform = QStringLiteral("offscreen");
    QString journals =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("journals"));
    for (qsizetype index = 1; index + 1 < arguments.size(); ++index) {
        if (arguments[index] == QStringLiteral("--sizes")) {
            sizes.clear();
            for (const QString& size : arguments[index + 1].split(QLatin1Char(',')))
                sizes.push_back(size.toInt());
        } else if (arguments[index] == QStringLiteral("--runs")) {
            runs = std::max(1, arguments[index + 1].toInt());
        } else if (arguments[index] == QStringLiteral("--journals")) {
            journals = arguments[index + 1];
        } else if (arguments[index] == QStringLiteral("--platform")) {
            platform = arguments[index + 1];
        }
    }
    // The probes' window system.
    qputenv("QT_QPA_PLATFORM", platform.toLocal8Bit());
    QDir().mkpath(journals);
    QTemporaryDir scratch;
    const std::string settings = scratch.filePath(QStringLiteral("settings.ini")).toStdString();

    std::printf(
        "| journal | Brevanta painted | minimal Qt window | ratio | rows loaded | peak "
        "memory | peak after search warm-up | shutdown |\n|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    const std::optional<Summary> minimal = measure({BREVANTA_PROBE_MINIMAL}, runs);
    if (!minimal) {
        std::fprintf(stderr, "the minimal window did not start\n");
        return 1;
    }
    std::map<int, QString> paths;
    for (const int size : sizes) {
        const QString path = QDir(journals).filePath(QStringLiteral("journal-%1.sqlite").arg(size));
        if (!QFileInfo::exists(path) && !writeJournalInChild(path, size)) {
            std::fprintf(stderr, "the journal of %d sessions could not be written\n", size);
            return 1;
        }
        paths[size] = path;
        const std::string file = path.toStdString();
        const std::optional<Summary> cold = measure({BREVANTA_PROBE_APP, file, settings}, runs);
        const std::optional<Summary> warm =
            measure({BREVANTA_PROBE_APP, file, settings, "--warm-up"}, runs);
        if (!cold || !warm) {
            std::fprintf(stderr, "Brevanta did not start on %s\n", file.c_str());
            return 1;
        }
        std::printf("| %s | %.0f ms | %.0f ms | %.1f× | %.0f ms | %.0f MB | %.0f MB | %.0f ms |\n",
                    sizeName(size).toUtf8().constData(), cold->paintedMs, minimal->paintedMs,
                    cold->paintedMs / minimal->paintedMs, cold->loadedMs, cold->peakMB,
                    warm->peakMB, warm->shutdownMs);
        std::fflush(stdout);
    }
    std::printf("\nminimal Qt window: peak memory %.0f MB\n", minimal->peakMB);
    // What reading the desktop's fonts alone costs a window: the minimal one draws no text.
    if (const std::optional<Summary> withText = measure({BREVANTA_PROBE_MINIMAL, "--text"}, runs))
        std::printf("minimal Qt window with one line of text: painted in %.0f ms (%.1f× the "
                    "minimal window)\n",
                    withText->paintedMs, withText->paintedMs / minimal->paintedMs);
    // What Qt alone needs to paint the first window's text in its fonts: the floor under the app.
    if (const std::optional<Summary> texts = measure({BREVANTA_PROBE_FIRST_SCREEN_TEXTS}, runs))
        std::printf("plain Qt window with the first window's text in its fonts: painted in %.0f ms "
                    "(%.1f× the minimal window)\n",
                    texts->paintedMs, texts->paintedMs / minimal->paintedMs);

    std::printf("\n| journal | store opens and loads all rows | sqlite3 tool reads both tables | "
                "ratio | records per session | search texts per session |\n"
                "|---|---|---|---|---|---|\n");
    for (const auto& [size, path] : paths) {
        if (size == 0)
            continue;
        std::vector<double> load, tool;
        openAndLoadMs(path);
        for (int run = 0; run < runs; ++run) {
            load.push_back(openAndLoadMs(path));
            const std::optional<double> toolMs = sqlite3Ms(path);
            if (!toolMs) {
                std::fprintf(stderr, "the sqlite3 tool did not run\n");
                return 1;
            }
            tool.push_back(*toolMs);
        }
        const std::optional<PerSession> bytes = bytesPerSession(path);
        if (!bytes) {
            std::fprintf(stderr, "measuring the memory of %s failed\n", qPrintable(path));
            return 1;
        }
        std::printf("| %s | %.0f ms | %.0f ms | %.2f× | %.0f B | %.0f B |\n",
                    sizeName(size).toUtf8().constData(), median(load), median(tool),
                    median(load) / median(tool), bytes->records, bytes->searchTexts);
    }
    return 0;
}
