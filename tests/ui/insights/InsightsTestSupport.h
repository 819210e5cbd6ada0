// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeSession.h"
#include "core/store/JournalStore.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/insights/CalendarHeatmapBandView.h"
#include "ui/insights/CalendarYearContributionHeatmap.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QUuid>

#include <memory>

namespace brevanta::testing {

inline const Calendar& newYork() {
    static const Calendar calendar(u"America/New_York", u"en_US");
    return calendar;
}

inline Instant at(const DateComponents& components) {
    return newYork().makeInstant(components).value();
}

/// An in-memory journal and a clock the test moves, for the insights screens.
struct InsightsFixture {
    std::unique_ptr<JournalStore> store = JournalStore::open(StoreConfiguration::inMemory());
    Instant now = at({2025, 3, 5, 10, 0}); // a Wednesday

    Clock clock() {
        return Clock([this] { return now; });
    }

    PracticeSessionPtr save(const DateComponents& start, std::int64_t seconds) {
        auto session =
            PracticeSession::create(QUuid::createUuid(), at(start), seconds,
                                    PracticeSessionSource::manual, std::nullopt, {}, at(start));
        store->insert(session);
        store->save();
        return session;
    }
};

/// What a screen reader hears for each day of the bands on show: name, then value.
inline QStringList announcedDays(const CalendarYearContributionHeatmap& heatmap) {
    QStringList days;
    for (CalendarHeatmapBandView* band : heatmap.shownBands()) {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(band);
        for (int index = 0; index < grid->childCount(); ++index) {
            days << grid->child(index)->text(QAccessible::Name) + u" | " +
                        grid->child(index)->text(QAccessible::Value);
        }
    }
    return days;
}

template <typename Widget = QLabel> Widget* named(const QWidget& root, const QString& objectName) {
    return root.findChild<Widget*>(objectName);
}

} // namespace brevanta::testing
