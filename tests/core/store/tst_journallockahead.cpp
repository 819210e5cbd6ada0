// SPDX-License-Identifier: MIT
// The journal's lock is taken ahead from the top of main(), before the application object
// exists, on a thread that makes Qt objects (files). Qt counts the first thread that makes one
// as its main thread for as long as that thread lives: the thread that runs main() must have
// claimed it first, whatever other threads do meanwhile.
#include "core/store/JournalLock.h"
#include "core/store/StoreConfiguration.h"

#include <QtTest>

#include <future>
#include <memory>
#include <thread>
#include <unistd.h>

using namespace brevanta;

namespace {

QStringList warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg)
        warnings.append(message);
}

} // namespace

class TestJournalLockAhead : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void applicationStartsOnTheMainThread() {
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    }
};

int main(int argc, char* argv[]) {
    qInstallMessageHandler(keepWarnings);
    const QString journal = qEnvironmentVariable("XDG_RUNTIME_DIR") +
                            QStringLiteral("/lock-ahead/journal-%1.sqlite").arg(::getpid());
    JournalLockAhead ahead(StoreConfiguration::atPath(journal));
    // Another thread makes a Qt object and is still alive when the application object starts,
    // as the lock's thread may be.
    std::promise<void> applicationStarted;
    std::promise<void> fileMade;
    std::thread other([&, started = applicationStarted.get_future()] {
        const QFile file(journal);
        fileMade.set_value();
        started.wait();
    });
    fileMade.get_future().wait();
    int status = 1;
    {
        QCoreApplication application(argc, argv);
        applicationStarted.set_value();
        other.join();
        qInstallMessageHandler(nullptr);
        const std::unique_ptr<QLockFile> lock = ahead.take();
        TestJournalLockAhead test;
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "tst_journallockahead.moc"
