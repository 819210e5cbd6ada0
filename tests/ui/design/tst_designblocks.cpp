// SPDX-License-Identifier: MIT
#include "ui/design/AppButton.h"
#include "ui/design/AppEmptyState.h"
#include "ui/design/AppLabel.h"
#include "ui/design/AppScreenHeader.h"
#include "ui/design/AppSectionHeader.h"
#include "ui/design/AppSurface.h"
#include "ui/design/EditorialInput.h"
#include "ui/design/EditorialRule.h"
#include "ui/design/SoftShadow.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

using namespace brevanta;

class TestDesignBlocks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QApplication::setPalette(AppColors::palette(AppColors::Appearance::light)); }

    // A label remembers the heights it was asked for; each change that moves its text must make
    // it measure again, as a plain QLabel set up the same way does.
    void labelHeightsFollowEveryChange_data() {
        QTest::addColumn<std::function<void(QLabel&)>>("change");
        QTest::newRow("text") << std::function<void(QLabel&)>(
            [](QLabel& label) { label.setText(label.text().repeated(3)); });
        QTest::newRow("font") << std::function<void(QLabel&)>([](QLabel& label) {
            QFont larger = label.font();
            larger.setPixelSize(larger.pixelSize() * 2);
            label.setFont(larger);
        });
        QTest::newRow("indent") << std::function<void(QLabel&)>(
            [](QLabel& label) { label.setIndent(60); });
        QTest::newRow("margin") << std::function<void(QLabel&)>(
            [](QLabel& label) { label.setMargin(30); });
        QTest::newRow("contents margins") << std::function<void(QLabel&)>(
            [](QLabel& label) { label.setContentsMargins(40, 10, 40, 10); });
        QTest::newRow("unwrapped")
            << std::function<void(QLabel&)>([](QLabel& label) { label.setWordWrap(false); });
    }
    void labelHeightsFollowEveryChange() {
        QFETCH(std::function<void(QLabel&)>, change);
        QFont font;
        font.setPixelSize(16);
        const QString text = QStringLiteral("The next page of your practice story starts whenever");
        AppLabel label(text, font);
        QLabel reference(text);
        reference.setFont(font);
        for (QLabel* each : {static_cast<QLabel*>(&label), &reference})
            each->setWordWrap(true);
        const int widths[] = {120, 240, 480};
        QList<int> before;
        for (const int width : widths) {
            before.append(reference.heightForWidth(width));
            QCOMPARE(label.heightForWidth(width), before.last());
        }
        change(label);
        change(reference);
        QList<int> after;
        for (const int width : widths) {
            after.append(reference.heightForWidth(width));
            QCOMPARE(label.heightForWidth(width), after.last());
        }
        // Otherwise the row would prove nothing.
        QVERIFY(after != before);
    }

    void screenHeaderPutsActionsAtTheTrailingEdge() {
        AppScreenHeader header(QStringLiteral("Journal"),
                               QStringLiteral("Pages from your practice"));
        auto* action = new AppButton(QStringLiteral("Log Practice"), AppButtonRole::toolbar);
        header.addActionWidget(action);
        header.resize(800, header.sizeHint().height());
        header.show();
        QVERIFY(QTest::qWaitForWindowExposed(&header));
        QCOMPARE(action->geometry().right(), header.width() - 1);
        QVERIFY(header.subtitleLabel()->isVisible());
        QVERIFY(header.subtitleLabel()->geometry().top() >
                header.titleLabel()->geometry().bottom());

        header.setSubtitle(QString());
        QVERIFY(!header.subtitleLabel()->isVisible());
    }

    void emptyStateCentresItsActionUnderTheMessage() {
        AppEmptyState empty(QStringLiteral("Your journal is waiting"),
                            QStringLiteral("Finish a timer or log practice to begin."),
                            QStringLiteral("book.closed"));
        auto* action = new AppButton(QStringLiteral("Log Practice"), AppButtonRole::primary);
        empty.setAction(action);
        empty.resize(600, 400);
        empty.show();
        QVERIFY(QTest::qWaitForWindowExposed(&empty));
        QVERIFY(action->isVisible());
        QCOMPARE(action->geometry().center().x(), empty.rect().center().x());
        QVERIFY(action->geometry().top() >
                empty.findChildren<AppLabel*>().last()->geometry().bottom());

        QPointer<QWidget> replaced = action;
        empty.setAction(nullptr);
        QTRY_VERIFY(!replaced);
    }

    void editorialInputPadsItsText() {
        QLineEdit field;
        field.setText(QStringLiteral("Scales in G"));
        EditorialInput::apply(&field);
        field.resize(300, field.sizeHint().height());
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        field.setCursorPosition(0);
        const QRect cursor = field.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        // The rectangle is centred on the cursor line, which stands where the text begins.
        QCOMPARE(cursor.left() + cursor.width() / 2, 12);
        QVERIFY(field.sizeHint().height() >= field.fontMetrics().height() + 16);
        // The panel is the background: the field's base must not paint over it.
        QCOMPARE(field.palette().color(QPalette::Base).alpha(), 0);
        const QImage image = field.grab().toImage();
        const QColor panel = AppColors::secondarySurface().resolve(&field);
        const QColor window = field.palette().color(QPalette::Window);
        const qreal a = panel.alphaF();
        const QColor shown = image.pixelColor(field.width() - 12, field.height() / 2);
        QVERIFY(std::abs(shown.red() - (panel.red() * a + window.red() * (1 - a))) <= 2);
        QVERIFY(std::abs(shown.blue() - (panel.blue() * a + window.blue() * (1 - a))) <= 2);
    }

    void surfaceShadowFollowsItsSurface() {
        QWidget window;
        window.resize(400, 300);
        auto* surface = new AppSurface(AppSurfaceRole::hero, 22, &window);
        surface->setGeometry(50, 50, 200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* shadow = window.findChild<SoftShadow*>();
        QVERIFY(shadow);
        QCOMPARE(shadow->target(), surface);
        QVERIFY(shadow->isVisible());
        QVERIFY(shadow->geometry().contains(surface->geometry()));
        // It stays beneath the surface and out of the mouse's way.
        QVERIFY(window.childAt(surface->geometry().center()) == surface);
        QVERIFY(shadow->testAttribute(Qt::WA_TransparentForMouseEvents));

        surface->move(120, 90);
        QVERIFY(shadow->geometry().contains(surface->geometry()));
        surface->hide();
        QVERIFY(!shadow->isVisible());
        delete surface;
        QTRY_VERIFY(!window.findChild<SoftShadow*>());
    }
};

QTEST_MAIN(TestDesignBlocks)
#include "tst_designblocks.moc"
