// SPDX-License-Identifier: MIT
#include "core/time/PracticeDurationFormatter.h"

#include <cmath>
#include <limits>

namespace brevanta {

namespace {

QString twoDigitsAtLeast(std::int64_t value) {
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString PracticeDurationFormatter::compact(std::int64_t seconds) {
    const std::int64_t total = seconds < 0 ? 0 : seconds;
    const std::int64_t hours = total / 3600;
    const std::int64_t minutes = (total - hours * 3600) / 60;

    if (total >= 3600) {
        if (minutes == 0)
            return QString::number(hours) + u'h';
        return QString::number(hours) + u"h " + QString::number(minutes) + u'm';
    }
    if (minutes >= 1)
        return QString::number(minutes) + u" min";
    if (total > 0)
        return QStringLiteral("<1 min");
    return QStringLiteral("0 min");
}

QString PracticeDurationFormatter::timer(double seconds) {
    // Callers pass finite elapsed times; anything else must still not be undefined behaviour.
    constexpr double largest = double(std::numeric_limits<std::int64_t>::max());
    std::int64_t total = 0;
    if (seconds >= largest)
        total = std::numeric_limits<std::int64_t>::max();
    else if (seconds > 0)
        total = static_cast<std::int64_t>(std::trunc(seconds));

    return twoDigitsAtLeast(total / 3600) + u':' + twoDigitsAtLeast(total % 3600 / 60) + u':' +
           twoDigitsAtLeast(total % 60);
}

} // namespace brevanta
