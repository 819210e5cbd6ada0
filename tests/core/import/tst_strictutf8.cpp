// SPDX-License-Identifier: MIT
#include "core/import/StrictUtf8.h"

#include <QtTest>

#include <array>
#include <optional>

using namespace brevanta;
using namespace Qt::Literals::StringLiterals;

namespace {

// QString::fromUcs4 would drop a U+FEFF at the start, so build the units by hand.
QString textOf(char32_t value) {
    if (QChar::requiresSurrogates(value))
        return QString(QChar(QChar::highSurrogate(value))) + QChar(QChar::lowSurrogate(value));
    return QString(QChar(static_cast<char16_t>(value)));
}

// Decodes by the bit patterns and then checks the decoded value (shortest form, no surrogates,
// at most U+10FFFF): a different route to the same answer as the table-driven decoder.
std::optional<QString> decodeByBits(QByteArrayView bytes) {
    QString text;
    qsizetype index = 0;
    while (index < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[index]);
        int length = 0;
        if (lead < 0x80)
            length = 1;
        else if ((lead & 0xE0) == 0xC0)
            length = 2;
        else if ((lead & 0xF0) == 0xE0)
            length = 3;
        else if ((lead & 0xF8) == 0xF0)
            length = 4;
        else
            return std::nullopt;
        if (index + length > bytes.size())
            return std::nullopt;
        char32_t value = length == 1 ? lead : lead & (0x7F >> length);
        for (int offset = 1; offset < length; ++offset) {
            const auto next = static_cast<unsigned char>(bytes[index + offset]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            value = (value << 6) | (next & 0x3F);
        }
        constexpr std::array<char32_t, 5> smallest{0, 0, 0x80, 0x800, 0x10000};
        if (value < smallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
            return std::nullopt;
        text += textOf(value);
        index += length;
    }
    return text;
}

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

} // namespace

class TestStrictUtf8 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodesWellFormedText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ascii longer than a block")
            << QByteArray("Scales, arpeggios and chord changes")
            << u"Scales, arpeggios and chord changes"_s;
        QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF"
                                                            "Day")
                                              << u"\uFEFFDay"_s;
        QTest::newRow("multi-byte inside an ascii block")
            << QByteArray("abcdefg\xC3\xA9hijklmnop") << u"abcdefgéhijklmnop"_s;
    }
    void decodesWellFormedText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const std::optional<QString> text = StrictUtf8::decode(bytes);
        QVERIFY(text.has_value());
        QCOMPARE(*text, expected);
    }

    // Short sequences are all checked against the bit patterns below; these are the ones a
    // block-wise fast path over ASCII could get wrong.
    void refusesMalformedBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("surrogate pair as two sequences")
            << bytesOf({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80});
        QTest::newRow("five-byte form") << bytesOf({0xF8, 0x88, 0x80, 0x80, 0x80});
        QTest::newRow("truncated two-byte at end") << QByteArray("Caf\xC3");
        QTest::newRow("truncated four-byte at end") << QByteArray("guitar \xF0\x9F\x8E");
        QTest::newRow("truncated before ascii") << QByteArray("\xE2\x82 and more text here");
        QTest::newRow("stray continuation 80") << QByteArray("a\x80z");
        QTest::newRow("bad byte after a full ascii block") << QByteArray("12345678\x80");
    }
    void refusesMalformedBytes() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!StrictUtf8::decode(bytes).has_value());
    }

    void everyScalarValueRoundTrips() {
        for (char32_t value = 0; value <= 0x10FFFF; ++value) {
            if (value >= 0xD800 && value <= 0xDFFF)
                continue;
            const QString expected = textOf(value);
            QCOMPARE_NE(expected.toUtf8().size(), 0);
            const std::optional<QString> text = StrictUtf8::decode(expected.toUtf8());
            if (!text || *text != expected)
                QFAIL(qPrintable(u"U+%1 does not round-trip"_s.arg(quint32(value), 4, 16)));
        }
    }

    // Every two-byte input, and three- and four-byte inputs over all lead and second bytes with
    // telling later bytes, agree with the bit-pattern decoder.
    void agreesWithBitPatternDecoding() {
        const std::array<int, 17> later{0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                        0xC0, 0xC2, 0xE0, 0xED, 0xF0, 0xF4, 0xF5, 0xFF};
        auto check = [](const QByteArray& bytes) {
            const std::optional<QString> ours = StrictUtf8::decode(bytes);
            const std::optional<QString> theirs = decodeByBits(bytes);
            if (ours != theirs)
                QFAIL(qPrintable(u"disagree on "_s + QString::fromLatin1(bytes.toHex(' '))));
        };
        for (int first = 0x80; first <= 0xFF; ++first) {
            for (int second = 0; second <= 0xFF; ++second) {
                check(bytesOf({first, second}));
                QVERIFY(!QTest::currentTestFailed());
                for (int third : later) {
                    check(bytesOf({first, second, third}));
                    if (first >= 0xF0) {
                        for (int fourth : later)
                            check(bytesOf({first, second, third, fourth}));
                    }
                }
                QVERIFY(!QTest::currentTestFailed());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestStrictUtf8)
#include "tst_strictutf8.moc"
