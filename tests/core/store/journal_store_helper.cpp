// SPDX-License-Identifier: MIT
// A second process for the journal store tests: it opens a journal the test names, and either
// reports what happened, holds the journal open, saves once, or saves in a loop until it is
// killed. JOURNAL_HELPER_UID makes it run as that user (when started as root) and
// JOURNAL_HELPER_FILE_LIMIT caps the size of every file it writes, as `ulimit -f` does.
#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace brevanta;

namespace {

const Instant base = Instant::fromSecsSinceEpoch(1'700'000'000);

std::vector<PracticeEntryPtr> makeEntries(QRandomGenerator& random, const std::vector<QUuid>& ids,
                                          Instant createdAt) {
    std::vector<PracticeEntryPtr> entries;
    for (std::size_t index = 0; index < ids.size(); ++index) {
        entries.push_back(
            PracticeEntry::create(ids[index], QStringLiteral("Entry %1").arg(random.bounded(1000)),
                                  PracticeCategory::allCases()[index % 3], random.bounded(600),
                                  std::nullopt, std::int64_t(index), nullptr, createdAt));
    }
    return entries;
}

void saveForever(JournalStore& store, quint32 seed) {
    QRandomGenerator random(seed);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        const std::vector<PracticeSessionPtr>& sessions = store.sessions();
        const int operation = random.bounded(3);
        const Instant now = base.addingMSecs(random.bounded(1'000'000'000));
        if (sessions.size() < 10 || operation == 0) {
            const std::vector<QUuid> ids{QUuid::createUuid(), QUuid::createUuid(),
                                         QUuid::createUuid()};
            store.insert(PracticeSession::create(
                QUuid::createUuid(), now, 1 + random.bounded(7200), PracticeSessionSource::manual,
                QStringLiteral("notes"), makeEntries(random, ids, now), now));
        } else if (operation == 1) {
            // The editor's way: new entry records with the kept ids, the old ones deleted.
            const PracticeSessionPtr session = sessions[random.bounded(int(sessions.size()))];
            const std::vector<PracticeEntryPtr> old = session->storedEntries();
            std::vector<QUuid> ids;
            for (const PracticeEntryPtr& entry : old)
                ids.push_back(entry->id());
            session->applyEdits(now, 1 + random.bounded(7200), std::nullopt,
                                makeEntries(random, ids, now), now);
            for (const PracticeEntryPtr& entry : old)
                store.remove(entry);
        } else {
            store.remove(sessions[random.bounded(int(sessions.size()))]);
        }
        store.save();
        // The test kills after a number of these, so a kill meets the next save at any moment.
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (const QByteArray uid = qgetenv("JOURNAL_HELPER_UID"); !uid.isEmpty() && ::geteuid() == 0) {
        if (::setgid(gid_t(uid.toUInt())) != 0 || ::setuid(uid_t(uid.toUInt())) != 0)
            return 65;
    }
    if (const QByteArray limit = qgetenv("JOURNAL_HELPER_FILE_LIMIT"); !limit.isEmpty()) {
        // Writes past the limit then fail with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit.toULongLong(), limit.toULongLong()};
        if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
            return 66;
    }
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3)
        return 64;
    const QString& mode = arguments[1];
    const QString& path = arguments[2];
    try {
        const std::unique_ptr<JournalStore> store =
            JournalStore::open(StoreConfiguration::atPath(path));
        if (mode == QStringLiteral("save-loop"))
            saveForever(*store, arguments.value(3).toUInt());
        if (mode == QStringLiteral("save-once")) {
            store->insert(PracticeSession::create(QUuid::createUuid(), base, 600,
                                                  PracticeSessionSource::manual, std::nullopt, {},
                                                  base));
            store->save();
            std::puts("saved");
        }
        std::printf("opened %zu\n", store->sessions().size());
        std::fflush(stdout);
        if (mode == QStringLiteral("hold")) {
            for (;;)
                ::pause();
        }
        return 0;
    } catch (const JournalStore::OpenError& error) {
        std::printf("%s\n", error.description().toUtf8().constData());
        return 2;
    } catch (const BrevantaError& error) {
        std::printf("%s\n", error.description().toUtf8().constData());
        return 3;
    }
}
