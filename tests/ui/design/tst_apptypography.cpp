// SPDX-License-Identifier: MIT
#include "ui/design/AppTypography.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QScreen>
#include <QtTest>

using namespace brevanta;

namespace {

/// The size of `font` in logical pixels.
qreal pixelsOf(const QFont& font) {
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return font.pointSizeF() * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72.0;
}

} // namespace

class TestAppTypography : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_original = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_original); }

    void textStylesScaleFromTheDefaultFont_data() {
        QTest::addColumn<qreal>("size");
        QTest::addColumn<bool>("pixels");
        QTest::newRow("13 points") << 13.0 << false;
        QTest::newRow("9 points, a Linux default") << 9.0 << false;
        QTest::newRow("12 pixels, where the floors hold") << 12.0 << true;
        QTest::newRow("20 points, a large setting") << 20.0 << false;
        QTest::newRow("16 pixels") << 16.0 << true;
    }
    void textStylesScaleFromTheDefaultFont() {
        QFETCH(qreal, size);
        QFETCH(bool, pixels);
        QFont base = QApplication::font();
        if (pixels)
            base.setPixelSize(int(size));
        else
            base.setPointSizeF(size);
        QApplication::setFont(base);

        // Pixel sizes are whole numbers, so allow the rounding. The smallest styles stop at a
        // floor that keeps them legible from a music stand.
        const qreal body = pixelsOf(base);
        auto expectRatio = [&](const QFont& font, qreal ratio, qreal floor = 0) {
            const qreal actual = pixelsOf(font);
            const qreal expected = std::max(body * ratio, floor);
            if (std::abs(actual - expected) > 0.51)
                QFAIL(qPrintable(QStringLiteral("%1 instead of %2").arg(actual).arg(expected)));
        };
        expectRatio(AppTypography::body(), 1.0);
        expectRatio(AppTypography::headlineStyle(), 1.0);
        expectRatio(AppTypography::subheadlineStyle(), 11.0 / 13.0, 12);
        expectRatio(AppTypography::caption(), 10.0 / 13.0, 11);
        expectRatio(AppTypography::title2Style(), 17.0 / 13.0);
        expectRatio(AppTypography::cardTitle(), 11.0 / 13.0, 12);
        expectRatio(AppTypography::sectionTitle(), 1.0);

        QCOMPARE(AppTypography::headlineStyle().weight(), QFont::DemiBold);
        QCOMPARE(AppTypography::cardTitle().weight(), QFont::DemiBold);
        QCOMPARE(AppTypography::body().weight(), base.weight());
        QCOMPARE(AppTypography::body().family(), base.family());
    }

    void monospacedDigitsShareOneAdvance() {
        const QFont font =
            AppTypography::withMonospacedDigits(AppTypography::system(76, QFont::Medium));
        const QFontMetricsF metrics(font);
        const qreal zero = metrics.horizontalAdvance(QLatin1Char('0'));
        for (char digit = '1'; digit <= '9'; ++digit)
            QCOMPARE(metrics.horizontalAdvance(QLatin1Char(digit)), zero);
    }

private:
    QFont m_original;
};

QTEST_MAIN(TestAppTypography)
#include "tst_apptypography.moc"
