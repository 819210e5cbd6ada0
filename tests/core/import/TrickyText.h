// SPDX-License-Identifier: MIT
#pragma once

// Random texts built from the pieces that make character boundaries and CSV tokens interesting.

#include <QRandomGenerator>
#include <QString>

#include <array>

namespace brevanta::test {

inline QString trickyText(QRandomGenerator& random, int maximumPieces, int lineEvery = 0) {
    static const std::array<QString, 36> pieces{
        QStringLiteral("a"),
        QStringLiteral("Scales"),
        QStringLiteral(" "),
        QStringLiteral("\t"),
        QStringLiteral(","),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral("\n"),
        QStringLiteral("\r"),
        QStringLiteral("\r\n"),
        QStringLiteral("\u0301"),
        QStringLiteral("e\u0301"),
        QStringLiteral("\u200D"),
        QStringLiteral("👨‍👩‍👧"),
        QStringLiteral("🇩🇪"),
        QStringLiteral("\U0001F1EB"),
        QStringLiteral("\U0001F3FB"),
        QStringLiteral("\u0600"),
        QStringLiteral("\u0903"),
        QStringLiteral("\uFE0F"),
        QStringLiteral("\u1100"),
        QStringLiteral("\u1161"),
        QStringLiteral("\uAC00"),
        QStringLiteral("é"),
        QString(QChar(0xD800)),
        QString(QChar(0xDC00)),
        QStringLiteral("\uFEFF"),
        QStringLiteral("\u00A9"),
        QStringLiteral("\u0E01\u0E33"),
        QStringLiteral("🎸"),
        QStringLiteral("\u0915\u094D\u0937"),
        QStringLiteral("\u02FF"),
        QStringLiteral("\u0300"),
        QStringLiteral("0:45"),
        QStringLiteral("\"Monday, Mar 3\""),
        QStringLiteral("\u00AD"),
    };
    QString text;
    const int count = random.bounded(maximumPieces + 1);
    for (int index = 0; index < count; ++index) {
        if (lineEvery > 0 && index % lineEvery == 0)
            text += QLatin1Char('\n');
        text += pieces[random.bounded(int(pieces.size()))];
    }
    return text;
}

} // namespace brevanta::test
