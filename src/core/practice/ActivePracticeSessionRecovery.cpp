// SPDX-License-Identifier: MIT
#include "core/practice/ActivePracticeSessionRecovery.h"

#include "core/practice/ActivePracticeSessionController.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>
#include <utility>

namespace brevanta {

namespace {

const QString formatName = QStringLiteral("brevanta.running-session");
// Far larger than any real session; keeps a runaway file from being read whole.
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;
// Instants travel as JSON numbers, which hold whole milliseconds exactly up to 2^53.
constexpr double largestExactInteger = 9007199254740992.0;

std::optional<std::int64_t> wholeNumber(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number ||
        std::fabs(number) > largestExactInteger)
        return std::nullopt;
    return static_cast<std::int64_t>(number);
}

std::optional<QUuid> uuid(const QJsonValue& value) {
    if (!value.isString())
        return std::nullopt;
    const QUuid id(value.toString());
    return id.isNull() ? std::nullopt : std::optional<QUuid>(id);
}

std::optional<ActiveThoughtDraft> thoughtFrom(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const std::optional<QUuid> id = uuid(object.value(QStringLiteral("id")));
    const QJsonValue text = object.value(QStringLiteral("text"));
    const std::optional<std::int64_t> sortOrder =
        wholeNumber(object.value(QStringLiteral("sortOrder")));
    if (!value.isObject() || !id || !text.isString() || !sortOrder)
        return std::nullopt;
    return ActiveThoughtDraft{*id, text.toString(), *sortOrder};
}

std::optional<ActivePracticeSession> sessionFrom(const QJsonObject& object) {
    ActivePracticeSession session;
    const std::optional<QUuid> id = uuid(object.value(QStringLiteral("id")));
    const std::optional<std::int64_t> startedAt =
        wholeNumber(object.value(QStringLiteral("startedAt")));
    const QJsonValue accumulated = object.value(QStringLiteral("accumulatedActiveDuration"));
    const QJsonValue isPaused = object.value(QStringLiteral("isPaused"));
    const QJsonValue resume = object.value(QStringLiteral("mostRecentResumeDate"));
    const QJsonValue notes = object.value(QStringLiteral("notes"));
    const QJsonValue thoughts = object.value(QStringLiteral("thoughts"));
    if (!id || !startedAt || !accumulated.isDouble() || !isPaused.isBool() || !notes.isString() ||
        !thoughts.isArray())
        return std::nullopt;
    session.id = *id;
    session.startedAt = Instant::fromMSecsSinceEpoch(*startedAt);
    session.accumulatedActiveDuration = accumulated.toDouble();
    if (!std::isfinite(session.accumulatedActiveDuration) || session.accumulatedActiveDuration < 0)
        return std::nullopt;
    session.isPaused = isPaused.toBool();
    // A running session always has the start of its current stretch; a paused one never.
    if (session.isPaused != resume.isNull())
        return std::nullopt;
    if (!session.isPaused) {
        const std::optional<std::int64_t> resumedAt = wholeNumber(resume);
        if (!resumedAt)
            return std::nullopt;
        session.mostRecentResumeDate = Instant::fromMSecsSinceEpoch(*resumedAt);
    }
    session.notes = notes.toString();
    for (const QJsonValue& value : thoughts.toArray()) {
        std::optional<ActiveThoughtDraft> thought = thoughtFrom(value);
        if (!thought)
            return std::nullopt;
        session.thoughts.push_back(std::move(*thought));
    }
    return session;
}

} // namespace

ActivePracticeSession ActivePracticeSessionRecovery::Recovered::sessionAsOfLastWrite() const {
    ActivePracticeSession result = session;
    result.accumulatedActiveDuration = session.elapsedDuration(writtenAt);
    result.isPaused = true;
    result.mostRecentResumeDate.reset();
    return result;
}

ActivePracticeSessionRecovery::ActivePracticeSessionRecovery(QString filePath)
    : m_filePath(std::move(filePath)) {}

QString ActivePracticeSessionRecovery::filePathBeside(const QString& journalFilePath) {
    return QFileInfo(journalFilePath).dir().filePath(QStringLiteral("running-session.json"));
}

QByteArray ActivePracticeSessionRecovery::encode(const ActivePracticeSession& session,
                                                 Instant writtenAt) {
    QJsonArray thoughts;
    for (const ActiveThoughtDraft& thought : session.thoughts) {
        thoughts.append(
            QJsonObject{{QStringLiteral("id"), thought.id.toString(QUuid::WithoutBraces)},
                        {QStringLiteral("text"), thought.text},
                        {QStringLiteral("sortOrder"), double(thought.sortOrder)}});
    }
    const QJsonValue resume =
        session.mostRecentResumeDate
            ? QJsonValue(double(session.mostRecentResumeDate->msecsSinceEpoch()))
            : QJsonValue(QJsonValue::Null);
    const QJsonObject body{
        {QStringLiteral("id"), session.id.toString(QUuid::WithoutBraces)},
        {QStringLiteral("startedAt"), double(session.startedAt.msecsSinceEpoch())},
        {QStringLiteral("accumulatedActiveDuration"), session.accumulatedActiveDuration},
        {QStringLiteral("isPaused"), session.isPaused},
        {QStringLiteral("mostRecentResumeDate"), resume},
        {QStringLiteral("notes"), session.notes},
        {QStringLiteral("thoughts"), thoughts}};
    const QJsonObject file{{QStringLiteral("format"), formatName},
                           {QStringLiteral("version"), formatVersion},
                           {QStringLiteral("writtenAt"), double(writtenAt.msecsSinceEpoch())},
                           {QStringLiteral("session"), body}};
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

std::optional<ActivePracticeSessionRecovery::Recovered>
ActivePracticeSessionRecovery::decode(const QByteArray& bytes, bool* isNewer) {
    if (isNewer)
        *isNewer = false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject file = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        file.value(QStringLiteral("format")).toString() != formatName)
        return std::nullopt;
    const std::optional<std::int64_t> version = wholeNumber(file.value(QStringLiteral("version")));
    if (version && *version > formatVersion) {
        if (isNewer)
            *isNewer = true;
        return std::nullopt;
    }
    const std::optional<std::int64_t> writtenAt =
        wholeNumber(file.value(QStringLiteral("writtenAt")));
    if (version != formatVersion || !writtenAt || !file.value(QStringLiteral("session")).isObject())
        return std::nullopt;
    std::optional<ActivePracticeSession> session =
        sessionFrom(file.value(QStringLiteral("session")).toObject());
    if (!session)
        return std::nullopt;
    return Recovered{std::move(*session), Instant::fromMSecsSinceEpoch(*writtenAt)};
}

ActivePracticeSessionRecovery::ReadResult ActivePracticeSessionRecovery::read() const {
    QFile file(m_filePath);
    if (!file.exists())
        return {};
    if (file.size() > maximumFileSize)
        return {std::nullopt, setAside(SetAside::Reason::damaged)};
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, setAside(SetAside::Reason::unreadable)};
    const QByteArray bytes = file.readAll();
    file.close();
    bool isNewer = false;
    std::optional<Recovered> recovered = decode(bytes, &isNewer);
    if (recovered)
        return {std::move(recovered), std::nullopt};
    return {std::nullopt,
            setAside(isNewer ? SetAside::Reason::newerVersion : SetAside::Reason::damaged)};
}

std::optional<ActivePracticeSessionRecovery::SetAside>
ActivePracticeSessionRecovery::setAside(SetAside::Reason reason) const {
    // Renamed, never deleted: a newer Brevanta may still read it, and a damaged file may hold
    // words the user wants back.
    const QString suffix = reason == SetAside::Reason::newerVersion ? QStringLiteral("newer")
                                                                    : QStringLiteral("damaged");
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QFileInfo info(m_filePath);
    QString target;
    bool renamed = false;
    for (int attempt = 1; attempt <= 100 && !renamed; ++attempt) {
        const QString counter = attempt == 1 ? QString() : QStringLiteral("-%1").arg(attempt);
        target = info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + suffix +
                                     QLatin1Char('-') + stamp + counter + QStringLiteral(".json"));
        renamed = !QFileInfo::exists(target) && QFile::rename(m_filePath, target);
    }
    SetAside result{reason, renamed ? target : m_filePath, {}};
    const QString shown = QDir::toNativeSeparators(result.setAsidePath);
    switch (reason) {
    case SetAside::Reason::newerVersion:
        result.description = QStringLiteral("The practice session that was running when Brevanta "
                                            "last closed was saved by a newer version of "
                                            "Brevanta, so this version can’t resume it.");
        break;
    case SetAside::Reason::damaged:
        result.description = QStringLiteral("The practice session that was running when Brevanta "
                                            "last closed can’t be recovered: its file is "
                                            "damaged.");
        break;
    case SetAside::Reason::unreadable:
        result.description = QStringLiteral("The practice session that was running when Brevanta "
                                            "last closed can’t be recovered: its file can’t be "
                                            "read.");
        break;
    }
    result.description += renamed ? QStringLiteral(" The file was kept as %1.").arg(shown)
                                  : QStringLiteral(" The file was left at %1.").arg(shown);
    return result;
}

bool ActivePracticeSessionRecovery::write(const ActivePracticeSession& session,
                                          Instant writtenAt) const {
    const QFileInfo info(m_filePath);
    if (!info.dir().exists()) {
        QDir().mkpath(info.dir().absolutePath());
        QFile::setPermissions(info.dir().absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Before any byte is written: the session's notes are nobody else's business.
    if (!file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    const QByteArray bytes = encode(session, writtenAt);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ActivePracticeSessionRecovery::remove() const {
    return !QFileInfo::exists(m_filePath) || QFile::remove(m_filePath);
}

ActivePracticeSessionRecorder::ActivePracticeSessionRecorder(
    ActivePracticeSessionController& controller, ActivePracticeSessionRecovery recovery,
    Clock clock, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_recovery(std::move(recovery))
    , m_clock(std::move(clock)) {
    m_heartbeat.setInterval(heartbeatIntervalMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &ActivePracticeSessionRecorder::record);
    connect(&controller, &ActivePracticeSessionController::activeSessionChanged, this,
            &ActivePracticeSessionRecorder::record);
}

void ActivePracticeSessionRecorder::record() {
    const std::optional<ActivePracticeSession>& session = m_controller.activeSession();
    const bool written = session ? m_recovery.write(*session, m_clock.now()) : m_recovery.remove();
    if (session && !session->isPaused) {
        if (!m_heartbeat.isActive())
            m_heartbeat.start();
    } else {
        m_heartbeat.stop();
    }
    // Said once: a full disk would otherwise repeat it on every keystroke of the notes.
    if (!written && !m_hasFailed) {
        m_hasFailed = true;
        Q_EMIT failed(m_recovery.filePath());
    } else if (written) {
        m_hasFailed = false;
    }
}

} // namespace brevanta
