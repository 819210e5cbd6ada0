// SPDX-License-Identifier: MIT
#pragma once

#include "core/practice/ActivePracticeSession.h"
#include "core/time/Clock.h"
#include "core/time/Instant.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace brevanta {

class ActivePracticeSessionController;

/// The running session kept in a small file beside the journal, so that a crash, a kill or a
/// power cut does not take it away. The file is replaced atomically on every write and is
/// readable by its owner only.
class ActivePracticeSessionRecovery {
public:
    /// The newest layout this build writes and reads.
    static constexpr int formatVersion = 1;

    /// A session read back from the file, with the instant of the write that put it there.
    struct Recovered {
        ActivePracticeSession session;
        Instant writtenAt;

        /// The session as it stood at the last write, paused there. Nobody knows what happened
        /// after that instant, so none of it is counted: a running session's clock stops at the
        /// write, a paused one stays as it was.
        ActivePracticeSession sessionAsOfLastWrite() const;
    };

    /// What reading found when the file could not be used: it was renamed to `setAsidePath` and
    /// `description` says why, in words for the user.
    struct SetAside {
        enum class Reason { damaged, newerVersion, unreadable };
        Reason reason = Reason::damaged;
        QString setAsidePath;
        QString description;
    };

    struct ReadResult {
        std::optional<Recovered> recovered;
        std::optional<SetAside> setAside;
    };

    explicit ActivePracticeSessionRecovery(QString filePath);

    /// The file beside a journal at `journalFilePath`.
    static QString filePathBeside(const QString& journalFilePath);

    const QString& filePath() const { return m_filePath; }

    /// Reads the file. No file gives neither result. A file that cannot be used is never deleted:
    /// it is renamed beside itself and the result says where.
    ReadResult read() const;
    /// Replaces the file with `session` as of `writtenAt`. Returns false when the file could not
    /// be written; the old one is then left as it was.
    bool write(const ActivePracticeSession& session, Instant writtenAt) const;
    /// Removes the file; true when none is left.
    bool remove() const;

    static QByteArray encode(const ActivePracticeSession& session, Instant writtenAt);
    /// The session in `bytes`; `isNewer` tells a file from a later version apart from damage.
    static std::optional<Recovered> decode(const QByteArray& bytes, bool* isNewer = nullptr);

private:
    std::optional<SetAside> setAside(SetAside::Reason reason) const;

    QString m_filePath;
};

/// Keeps the recovery file in step with the controller: every change of the running session is
/// written at once, and finishing or discarding removes the file. While the clock runs the file is
/// also refreshed every `heartbeatInterval`, so a recovered session loses at most that much time.
class ActivePracticeSessionRecorder final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActivePracticeSessionRecorder)

public:
    static constexpr int heartbeatIntervalMs = 30'000;

    ActivePracticeSessionRecorder(ActivePracticeSessionController& controller,
                                  ActivePracticeSessionRecovery recovery, Clock clock,
                                  QObject* parent = nullptr);

    const ActivePracticeSessionRecovery& recovery() const { return m_recovery; }
    /// Writes the controller's session now (or removes the file when there is none).
    void record();

Q_SIGNALS:
    /// The file could not be written or removed; the running session is not protected then.
    void failed(const QString& filePath);

private:
    ActivePracticeSessionController& m_controller;
    ActivePracticeSessionRecovery m_recovery;
    Clock m_clock;
    QTimer m_heartbeat;
    bool m_hasFailed = false;
};

} // namespace brevanta
