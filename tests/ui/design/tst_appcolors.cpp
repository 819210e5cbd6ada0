// SPDX-License-Identifier: MIT
#include "ui/design/AppColors.h"
#include "ui/design/AppIcons.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppSurface.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QtTest>

using namespace brevanta;

namespace {

QPalette lightPalette() {
    return AppColors::palette(AppColors::Appearance::light);
}

QPalette darkPalette() {
    return AppColors::palette(AppColors::Appearance::dark);
}

/// A dark palette as a platform theme might hand it over, not built from our colours.
QPalette platformDarkPalette() {
    QPalette palette(QColor(220, 220, 220), QColor(53, 53, 53));
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    palette.setColor(QPalette::Window, QColor(53, 53, 53));
    return palette;
}

QColor centrePixel(QWidget& widget) {
    return widget.grab().toImage().pixelColor(widget.width() / 2, widget.height() / 2);
}

} // namespace

class TestAppColors : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QApplication::setPalette(lightPalette()); }

    void appearanceFollowsThePalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("dark");
        QTest::newRow("vocabulary light") << lightPalette() << false;
        QTest::newRow("vocabulary dark") << darkPalette() << true;
        QTest::newRow("platform dark") << platformDarkPalette() << true;
        QTest::newRow("platform default") << QPalette(Qt::black, Qt::white) << false;
    }
    void appearanceFollowsThePalette() {
        QFETCH(QPalette, palette);
        QFETCH(bool, dark);
        QCOMPARE(AppColors::appearance(palette) == AppColors::Appearance::dark, dark);
    }

    void adaptiveColoursTakeTheirDarkValueOnAnyDarkPalette() {
        // The platform's dark palette and ours must pick the same dark values.
        for (const AppColor& color :
             {AppColors::windowBackground(), AppColors::elevatedSurface(),
              AppColors::secondarySurface(), AppColors::border(), AppColors::destructive()}) {
            QCOMPARE(color.resolve(platformDarkPalette()), color.resolve(darkPalette()));
            QVERIFY(color.resolve(lightPalette()) != color.resolve(darkPalette()));
        }
        QVERIFY(AppColors::windowBackground().resolve(darkPalette()).lightnessF() < 0.15);
        QVERIFY(AppColors::windowBackground().resolve(lightPalette()).lightnessF() > 0.9);
    }

    void labelColoursComeFromThePalettesText() {
        const QPalette palette = platformDarkPalette();
        QCOMPARE(AppColors::primaryText().resolve(palette), QColor(220, 220, 220));
        const QColor secondary = AppColors::secondaryText().resolve(palette);
        const QColor tertiary = AppColors::tertiaryText().resolve(palette);
        QCOMPARE(secondary.rgb(), QColor(220, 220, 220).rgb());
        QVERIFY(secondary.alphaF() < 1.0f);
        QVERIFY(tertiary.alphaF() < secondary.alphaF());
    }

    void everyCategoryHasItsOwnAdaptiveColour() {
        QSet<QRgb> seen;
        for (const PracticeCategory category : PracticeCategory::allCases()) {
            const AppColor color = AppColors::category(category);
            QVERIFY(color.resolve(lightPalette()) != color.resolve(darkPalette()));
            seen.insert(color.resolve(lightPalette()).rgb());
        }
        QCOMPARE(seen.size(), 3);
    }

    void labelFollowsAPaletteSwitchWithoutBeingRecreated() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* label = new AppLabel(QStringLiteral("Pages from your practice"), QFont(),
                                   AppColors::secondaryText());
        layout->addWidget(label);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QColor light = label->palette().color(QPalette::WindowText);
        QCOMPARE(light, AppColors::secondaryText().resolve(lightPalette()));

        QApplication::setPalette(darkPalette());
        QTRY_COMPARE(label->palette().color(QPalette::WindowText),
                     AppColors::secondaryText().resolve(darkPalette()));

        // Switching back and forth must not fade the text further each time.
        QApplication::setPalette(lightPalette());
        QApplication::setPalette(darkPalette());
        QApplication::setPalette(lightPalette());
        QTRY_COMPARE(label->palette().color(QPalette::WindowText), light);
    }

    void surfaceRepaintsInTheNewAppearance() {
        QWidget window;
        window.resize(300, 200);
        auto* surface = new AppSurface(AppSurfaceRole::standard, 16, &window);
        surface->setGeometry(40, 40, 200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(centrePixel(*surface).lightnessF() > 0.9);
        QApplication::setPalette(darkPalette());
        QTRY_VERIFY(centrePixel(*surface).lightnessF() < 0.2);
        QApplication::setPalette(lightPalette());
        QTRY_VERIFY(centrePixel(*surface).lightnessF() > 0.9);
    }

    void symbolIconsAreDrawnInTheCurrentAppearance() {
        const QIcon icon = AppIcons::icon(u"house", AppColors::primaryText());
        auto inkOf = [&] {
            const QImage image = icon.pixmap(48, 48).toImage();
            qreal darkest = 1.0;
            qreal lightest = 0.0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.alpha() < 200)
                        continue;
                    darkest = std::min<qreal>(darkest, pixel.lightnessF());
                    lightest = std::max<qreal>(lightest, pixel.lightnessF());
                }
            }
            return std::pair{darkest, lightest};
        };
        QVERIFY(inkOf().first < 0.3);
        QApplication::setPalette(darkPalette());
        QVERIFY(inkOf().second > 0.8);
    }
};

QTEST_MAIN(TestAppColors)
#include "tst_appcolors.moc"
