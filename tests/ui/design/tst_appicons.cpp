// SPDX-License-Identifier: MIT
#include "core/model/PracticeCategory.h"
#include "ui/design/AppIcons.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QtTest>

using namespace brevanta;

class TestAppIcons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everySymbolTheScreensUseHasAGlyphInTheFont_data() {
        QTest::addColumn<QString>("symbolName");
        // Every symbol name the screens ask for, screen by screen.
        const QStringList used{
            // practice groups
            QStringLiteral("sparkles"),
            QStringLiteral("arrow.uturn.backward"),
            QStringLiteral("arrow.up.right"),
            // practice room and finishing sheet
            QStringLiteral("guitars"),
            QStringLiteral("play.fill"),
            QStringLiteral("pause.fill"),
            QStringLiteral("plus"),
            QStringLiteral("sparkle"),
            QStringLiteral("xmark"),
            QStringLiteral("trash"),
            QStringLiteral("checkmark"),
            QStringLiteral("book.closed"),
            QStringLiteral("checkmark.circle.fill"),
            // duration input and workspace
            QStringLiteral("exclamationmark.circle"),
            QStringLiteral("calendar"),
            // journal and session detail
            QStringLiteral("magnifyingglass"),
            QStringLiteral("music.note.list"),
            QStringLiteral("chevron.left"),
            QStringLiteral("ellipsis.circle"),
            QStringLiteral("square.and.arrow.down"),
            QStringLiteral("pencil"),
            QStringLiteral("chevron.up"),
            QStringLiteral("chevron.down"),
            // home
            QStringLiteral("square.and.pencil"),
            // import review
            QStringLiteral("calendar.badge.exclamationmark"),
            QStringLiteral("exclamationmark.triangle.fill"),
            // main window
            QStringLiteral("house"),
            QStringLiteral("chart.bar"),
            QStringLiteral("waveform"),
        };
        for (const QString& name : used)
            QTest::newRow(qPrintable(name)) << name;
        for (const PracticeCategory category : PracticeCategory::allCases())
            QTest::newRow(qPrintable(QStringLiteral("category ") + category.rawValue()))
                << category.symbolName();
    }
    void everySymbolTheScreensUseHasAGlyphInTheFont() {
        QFETCH(QString, symbolName);
        QVERIFY(AppIcons::contains(symbolName));
        const QString glyph = AppIcons::glyph(symbolName);
        QCOMPARE(glyph.size(), 1);
        const QRawFont raw = QRawFont::fromFont(AppIcons::font(24));
        QVERIFY(raw.isValid());
        QVERIFY2(raw.supportsCharacter(glyph.front()), qPrintable(symbolName));
        QVERIFY(!raw.pathForGlyph(raw.glyphIndexesForString(glyph).value(0)).isEmpty());
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

    void theFontTravelsInTheResources() {
        QVERIFY(QFile::exists(QStringLiteral(":/brevanta/fonts/MaterialIcons-Regular.ttf")));
        QCOMPARE(QFontInfo(AppIcons::font(24)).family(), AppIcons::fontFamily());
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

    void iconIsDrawnAtEverySize() {
        const QIcon icon = AppIcons::icon(u"waveform", AppColor::fixed(QColor(184, 158, 255)));
        for (int size : {16, 22, 48}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            bool inked = false;
            for (int y = 0; y < size && !inked; ++y) {
                for (int x = 0; x < size && !inked; ++x)
                    inked = qAlpha(image.pixel(x, y)) > 128;
            }
            QVERIFY(inked);
        }
    }
};

QTEST_MAIN(TestAppIcons)
#include "tst_appicons.moc"
