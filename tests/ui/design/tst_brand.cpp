// SPDX-License-Identifier: MIT
#include "ui/design/AppLabel.h"
#include "ui/design/BrevantaBrandFont.h"
#include "ui/design/BrevantaBrandMark.h"
#include "ui/design/BrevantaBrandSignature.h"
#include "ui/design/BrevantaWordmark.h"

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QtTest>

using namespace brevanta;

class TestBrand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void appIconDrawsTheMarkAtTheSizeAskedFor_data() {
        QTest::addColumn<int>("side");
        QTest::newRow("menu") << 16;
        QTest::newRow("dock") << 128;
        QTest::newRow("large") << 512;
    }

    void appIconDrawsTheMarkAtTheSizeAskedFor() {
        QFETCH(int, side);
        const QImage image = BrevantaBrandMark::icon().pixmap(QSize(side, side)).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        // The pick fills the middle of the square and leaves its corners clear.
        QCOMPARE(image.pixelColor(side / 2, side / 2).alpha(), 255);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }

    void wordmarkFallsBackToASemiboldSerif() {
        // Neither the file nor an installed copy of the brand typeface exists here.
        if (BrevantaBrandFont::isAvailable())
            QSKIP("the brand typeface is installed on this machine");
        BrevantaWordmark wordmark(28);
        QCOMPARE(wordmark.text(), QStringLiteral("Brevanta"));
        const QString family = QFontInfo(wordmark.font()).family();
        QFont serif;
        serif.setStyleHint(QFont::Serif);
        serif.setFamilies({QStringLiteral("serif")});
        QCOMPARE(family, QFontInfo(serif).family());
        QVERIFY(QFontInfo(wordmark.font()).weight() >= QFont::DemiBold);
        QVERIFY2(family != QFontInfo(QApplication::font()).family(),
                 "the wordmark must not fall back to the sans-serif UI font");
    }

    void signatureStacksItsSubtitleUnderTheWordmark() {
        BrevantaBrandSignature signature(30, 22, QStringLiteral("Your practice starts here."),
                                         AppColors::sidebarText(),
                                         AppColors::sidebarSecondaryText());
        signature.show();
        QVERIFY(QTest::qWaitForWindowExposed(&signature));
        QVERIFY(signature.subtitleLabel());
        QCOMPARE(signature.subtitleLabel()->palette().color(QPalette::WindowText),
                 AppColors::sidebarSecondaryText().resolve(&signature));
        const QRect word = signature.wordmark()->geometry();
        const QRect subtitle = signature.subtitleLabel()->geometry();
        const QRect mark = signature.mark()->geometry();
        QVERIFY(subtitle.top() >= word.bottom());
        QCOMPARE(subtitle.left(), word.left());
        QVERIFY(mark.right() < word.left());

        BrevantaBrandSignature plain(30, 22);
        QVERIFY(!plain.subtitleLabel());
    }

    // Faded, the signature looks as if drawn whole and then laid over the page at that
    // opacity: the mark's strings do not show the pick through them.
    void aFadedSignatureIsTheWholeSignatureLaidOverThePage() {
        const qreal opacity = 0.6;
        QWidget page;
        page.setAutoFillBackground(true);
        page.setPalette(QColor(250, 247, 242));
        auto* signature =
            new BrevantaBrandSignature(48, 30, QStringLiteral("Subtitle"), AppColors::primaryText(),
                                       AppColors::secondaryText(), &page);
        page.resize(signature->sizeHint() + QSize(8, 8));
        signature->move(4, 4);
        signature->resize(signature->sizeHint());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QImage whole = page.grab().toImage().convertToFormat(QImage::Format_RGB32);

        QImage expected(whole.size(), QImage::Format_RGB32);
        expected.fill(page.palette().color(QPalette::Window));
        {
            QPainter painter(&expected);
            painter.setOpacity(opacity);
            painter.drawImage(0, 0, whole);
        }
        signature->setOpacity(opacity);
        const QImage faded = page.grab().toImage().convertToFormat(QImage::Format_RGB32);

        int worst = 0;
        for (int y = 0; y < faded.height(); ++y) {
            for (int x = 0; x < faded.width(); ++x) {
                const QColor a = faded.pixelColor(x, y);
                const QColor b = expected.pixelColor(x, y);
                worst = std::max({worst, std::abs(a.red() - b.red()),
                                  std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
            }
        }
        QVERIFY2(worst <= 3, qPrintable(QString::number(worst)));
    }
};

QTEST_MAIN(TestBrand)
#include "tst_brand.moc"
