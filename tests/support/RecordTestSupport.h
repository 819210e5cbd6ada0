// SPDX-License-Identifier: MIT
#pragma once

// Small helpers many suites share: the calendar most of them run under, wall-clock instants,
// fixture files and the lists they compare.

#include "core/model/PracticeEntry.h"
#include "core/model/PracticeSession.h"
#include "core/time/Calendar.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QUuid>

#include <memory>
#include <vector>

namespace brevanta::testing {

/// New York in US English: its clocks change in March and November, and its weeks start on
/// Sunday, so it shows whether code follows the calendar rather than UTC or ISO weeks.
inline Calendar newYorkCalendar() {
    return Calendar(u"America/New_York", u"en_US");
}

/// The instant a wall clock in `calendar`'s zone shows; the time must exist there.
inline Instant local(const Calendar& calendar, int year, int month, int day, int hour = 0,
                     int minute = 0) {
    return calendar.makeInstant({year, month, day, hour, minute}).value();
}

/// The path of a file of tests/data.
inline QString fixturePath(const QString& name) {
    return QStringLiteral(BREVANTA_TEST_DATA_DIR "/") + name;
}

/// The bytes of a file of tests/data.
inline QByteArray fixture(const QString& name) {
    QFile file(fixturePath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

inline QStringList titlesOf(const std::vector<PracticeEntryPtr>& entries) {
    QStringList titles;
    for (const PracticeEntryPtr& entry : entries)
        titles << entry->title();
    return titles;
}

template <typename Record> QList<QUuid> idsOf(const std::vector<std::shared_ptr<Record>>& records) {
    QList<QUuid> ids;
    for (const auto& record : records)
        ids << record->id();
    return ids;
}

} // namespace brevanta::testing
