// SPDX-License-Identifier: MIT
#include "core/journal/JournalSessionFilter.h"

#include "core/model/PracticeEntry.h"
#include "core/time/DateFormatting.h"
#include "core/time/TextServices.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace brevanta {

namespace {

bool startsLater(const PracticeSessionPtr& left, const PracticeSessionPtr& right) {
    return left->startedAt() > right->startedAt();
}

void sortLatestFirst(std::vector<PracticeSessionPtr>& sessions) {
    if (!std::is_sorted(sessions.begin(), sessions.end(), startsLater))
        std::stable_sort(sessions.begin(), sessions.end(), startsLater);
}

// The searchable text around the two date texts, which the caller supplies already joined by a
// space (so that the search may bring its own, cached copy).
void appendSearchableText(QString& text, const PracticeSession& session, QStringView dates) {
    text += session.title();
    text += u' ';
    if (session.notes())
        text += *session.notes();
    text += u' ';
    text += dates;
    for (const PracticeEntryPtr& entry : session.entries()) {
        text += u' ';
        text += entry->title();
        text += u' ';
        if (entry->notes())
            text += *entry->notes();
        text += u' ';
        text += entry->category().title();
    }
}

QString joinedDates(Instant start, const Calendar& calendar) {
    return DateFormatting::completeDateShortTime(start, calendar) % u' ' %
           DateFormatting::abbreviatedDate(start, calendar);
}

// The joined date texts of session starts under one calendar, the only costly part of a
// searchable text. A text depends on nothing but the instant and the calendar's time zone and
// locale, so an edited start simply looks up another instant, and another calendar starts
// afresh; titles, notes and entries are never kept. No-break spaces are made plain here: the
// search treats them as spaces anyway, and English dates then stay plain ASCII, which it scans
// without folding.
class SearchDateTexts {
public:
    void useCalendar(const Calendar& calendar) {
        if (m_calendar && (m_calendar->isSameObject(calendar) || *m_calendar == calendar))
            return;
        m_texts.clear();
        m_calendar = calendar;
    }

    QStringView textsOf(Instant start) {
        auto found = m_texts.constFind(start.msecsSinceEpoch());
        if (found == m_texts.cend()) {
            QString texts = joinedDates(start, *m_calendar);
            texts.replace(QChar(0x202F), QLatin1Char(' '));
            texts.replace(QChar(0x00A0), QLatin1Char(' '));
            found = m_texts.insert(start.msecsSinceEpoch(), std::move(texts));
        }
        return *found;
    }

    // Forgets the starts of sessions that have gone (deleted, or moved by an edit) once they
    // would outnumber the live ones.
    void keepOnly(const std::vector<PracticeSessionPtr>& sessions) {
        if (std::size_t(m_texts.size()) <= 2 * sessions.size() + minimumCapacity)
            return;
        QHash<qint64, QString> kept;
        kept.reserve(qsizetype(sessions.size()));
        for (const PracticeSessionPtr& session : sessions) {
            const qint64 key = session->startedAt().msecsSinceEpoch();
            if (const auto found = m_texts.constFind(key); found != m_texts.cend())
                kept.insert(key, *found);
        }
        m_texts = std::move(kept);
    }

private:
    static constexpr std::size_t minimumCapacity = 1024;

    std::optional<Calendar> m_calendar;
    QHash<qint64, QString> m_texts;
};

} // namespace

std::vector<PracticeSessionPtr>
JournalSessionFilter::sessions(const std::vector<PracticeSessionPtr>& sessions, QStringView query,
                               const Calendar& calendar) {
    const QString trimmedQuery = TextServices::trimmed(query);
    if (trimmedQuery.isEmpty()) {
        std::vector<PracticeSessionPtr> all = sessions;
        sortLatestFirst(all);
        return all;
    }

    const CaseInsensitiveSearch search(trimmedQuery, calendar.localeName());
    thread_local SearchDateTexts dateTexts;
    dateTexts.useCalendar(calendar);
    thread_local QString text;

    std::vector<PracticeSessionPtr> found;
    for (const PracticeSessionPtr& session : sessions) {
        text.resize(0);
        appendSearchableText(text, *session, dateTexts.textsOf(session->startedAt()));
        if (search.isFoundIn(text))
            found.push_back(session);
    }
    dateTexts.keepOnly(sessions);
    sortLatestFirst(found);
    return found;
}

QString JournalSessionFilter::searchableText(const PracticeSession& session,
                                             const Calendar& calendar) {
    QString text;
    appendSearchableText(text, session, joinedDates(session.startedAt(), calendar));
    return text;
}

} // namespace brevanta
