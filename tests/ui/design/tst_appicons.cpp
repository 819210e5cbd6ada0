// SPDX-License-Identifier: MIT
#include "core/model/PracticeCategory.h"
#include "ui/design/AppFontWarmUp.h"
#include "ui/design/AppIcons.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QtTest>

using namespace brevanta;

class TestAppIcons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // First, while no font of the app's own is registered: a warm-up whose application never
    // starts ends at once, and one whose application started registers the icon font.
    void fontWarmUpEndsWhetherOrNotTheApplicationStarted() {
        { const AppFontWarmUp neverStarted; }
        QVERIFY(QFontDatabase::applicationFontFamilies(0).isEmpty());
        AppFontWarmUp warmUp;
        warmUp.applicationStarted();
        warmUp.finish();
        QCOMPARE(QFontDatabase::applicationFontFamilies(0).value(0), AppIcons::fontFamily());
    }

    // Every name of the table, and every name the model hands out, draws a glyph of the font.
    void everySymbolInTheTableHasAGlyphInTheFont_data() {
        QTest::addColumn<QString>("symbolName");
        for (const QString& name : AppIcons::symbolNames())
            QTest::newRow(qPrintable(name)) << name;
        for (const PracticeCategory category : PracticeCategory::allCases())
            QTest::newRow(qPrintable(QStringLiteral("category ") + category.rawValue()))
                << category.symbolName();
    }
    void everySymbolInTheTableHasAGlyphInTheFont() {
        QFETCH(QString, symbolName);
        QVERIFY(AppIcons::contains(symbolName));
        const QString glyph = AppIcons::glyph(symbolName);
        QCOMPARE(glyph.size(), 1);
        const QRawFont raw = QRawFont::fromFont(AppIcons::font(24));
        QVERIFY(raw.isValid());
        QVERIFY2(raw.supportsCharacter(glyph.front()), qPrintable(symbolName));
        QVERIFY(!raw.pathForGlyph(raw.glyphIndexesForString(glyph).value(0)).isEmpty());
        // The binary carries only the table's symbols, and a desktop copy of the family must
        // not hide one left out.
        QFile bundled(QStringLiteral(":/brevanta/fonts/MaterialIcons-Regular.ttf"));
        QVERIFY(bundled.open(QIODevice::ReadOnly));
        const QRawFont own(bundled.readAll(), 24);
        QVERIFY(own.isValid());
        QVERIFY2(own.supportsCharacter(glyph.front()), qPrintable(symbolName));
    }

    void tableHasNoDuplicateNames() {
        const QStringList names = AppIcons::symbolNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    }

    void anUnknownNameIsDetectable_data() {
        QTest::addColumn<QString>("symbolName");
        QTest::newRow("empty") << QString();
        QTest::newRow("misspelt") << QStringLiteral("sparkels");
        QTest::newRow("other capitals") << QStringLiteral("House");
        QTest::newRow("a Material name") << QStringLiteral("home");
    }
    void anUnknownNameIsDetectable() {
        QFETCH(QString, symbolName);
        QVERIFY(!AppIcons::contains(symbolName));
        QVERIFY(AppIcons::glyph(symbolName).isEmpty());
        QVERIFY(AppIcons::icon(symbolName, AppColor::fixed(Qt::black)).isNull());
    }

    void paintsTheGlyphInsideTheRect() {
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            AppIcons::paint(painter, QRectF(16, 16, 32, 32), u"plus", Qt::red);
        }
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) == 0)
                    continue;
                (QRect(16, 16, 32, 32).contains(x, y) ? inside : outside)++;
            }
        }
        QVERIFY(inside > 40);
        QCOMPARE(outside, 0);
    }
};

QTEST_MAIN(TestAppIcons)
#include "tst_appicons.moc"
