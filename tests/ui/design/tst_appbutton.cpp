// SPDX-License-Identifier: MIT
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/SoftShadow.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QVBoxLayout>
#include <QtTest>

using namespace brevanta;

namespace {

SoftShadow* shadowOf(const QWidget* button) {
    for (SoftShadow* shadow : button->parentWidget()->findChildren<SoftShadow*>()) {
        if (shadow->target() == button)
            return shadow;
    }
    return nullptr;
}

/// Whether any pixel in the button's outer margin is drawn in the accent's hue.
bool hasAccentRing(QWidget& button) {
    const QImage image = button.grab().toImage();
    const QColor accent = AppColors::accent().resolve(&button);
    for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, 1);
        if (pixel.alpha() > 60 && std::abs(pixel.hslHue() - accent.hslHue()) < 12 &&
            pixel.hslSaturation() > 60)
            return true;
    }
    return false;
}

enum class Change { longerTitle, largerControl, premiumRole, symbolAdded, largerApplicationFont };

} // namespace

class TestAppButton : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        QApplication::setPalette(AppColors::palette(AppColors::Appearance::light));
        m_window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_window.get());
        m_primary = new AppButton(QStringLiteral("Start Practice"), QStringLiteral("play.fill"),
                                  AppButtonRole::primary);
        m_toolbar = new AppButton(QStringLiteral("Log Practice"), AppButtonRole::toolbar);
        layout->addWidget(m_primary);
        layout->addWidget(m_toolbar);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void pressingSettlesAtTheSmallerScaleAndReleasingRestores() {
        QCOMPARE(m_primary->pressScale(), 1.0);
        QTest::mousePress(m_primary, Qt::LeftButton);
        QTRY_COMPARE(m_primary->pressScale(), 0.985);
        QTRY_COMPARE(shadowOf(m_primary)->opacity(), 0.04);

        QTest::mouseRelease(m_primary, Qt::LeftButton);
        QTRY_COMPARE(m_primary->pressScale(), 1.0);
        QTRY_COMPARE(shadowOf(m_primary)->opacity(), 0.12);
    }

    void draggingOffAHeldButtonLetsItRise() {
        QTest::mousePress(m_primary, Qt::LeftButton);
        QTRY_COMPARE(m_primary->pressScale(), 0.985);
        QMouseEvent away(QEvent::MouseMove, QPointF(-50, -50),
                         m_primary->mapToGlobal(QPointF(-50, -50)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(m_primary, &away);
        QTRY_COMPARE(m_primary->pressScale(), 1.0);
        QTest::mouseRelease(m_primary, Qt::LeftButton, {}, QPoint(-50, -50));
    }

    void keyboardFocusShowsARing() {
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(!hasAccentRing(*m_toolbar));
        m_primary->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(m_primary, Qt::Key_Tab);
        QTRY_VERIFY(m_toolbar->hasFocus());
        QVERIFY(hasAccentRing(*m_toolbar));
    }

    void onlyPremiumRolesCastAShadow() {
        QVERIFY(shadowOf(m_primary));
        QVERIFY(!shadowOf(m_toolbar));
        m_toolbar->setRole(AppButtonRole::secondary);
        QVERIFY(shadowOf(m_toolbar));
        m_primary->setRole(AppButtonRole::destructive);
        QVERIFY(!shadowOf(m_primary));
    }

    void disabledButtonsCastNoShadow() {
        m_primary->setEnabled(false);
        QCOMPARE(shadowOf(m_primary)->opacity(), 0.0);
        m_primary->setEnabled(true);
        QCOMPARE(shadowOf(m_primary)->opacity(), 0.12);
    }

    // The size is measured once and kept; every change it depends on measures it again.
    void theSizeFollowsWhatItIsMeasuredFrom_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("longer title") << int(Change::longerTitle);
        QTest::newRow("larger control") << int(Change::largerControl);
        QTest::newRow("premium role") << int(Change::premiumRole);
        QTest::newRow("symbol added") << int(Change::symbolAdded);
        QTest::newRow("larger application font") << int(Change::largerApplicationFont);
    }
    void theSizeFollowsWhatItIsMeasuredFrom() {
        QFETCH(int, change);
        const QFont applicationFont = QApplication::font();
        const QSize before = m_toolbar->sizeHint();
        switch (Change(change)) {
        case Change::longerTitle:
            m_toolbar->setText(QStringLiteral("Log a Past Practice Session"));
            break;
        case Change::largerControl:
            m_toolbar->setControlSize(AppButton::ControlSize::large);
            break;
        case Change::premiumRole:
            m_toolbar->setRole(AppButtonRole::primary);
            break;
        case Change::symbolAdded:
            m_toolbar->setSymbolName(QStringLiteral("square.and.pencil"));
            break;
        case Change::largerApplicationFont: {
            QFont larger = applicationFont;
            larger.setPixelSize(QFontInfo(applicationFont).pixelSize() * 2);
            QApplication::setFont(larger);
            // What a running application then sends every window; a test never runs one.
            QEvent changed(QEvent::ApplicationFontChange);
            QCoreApplication::sendEvent(m_window.get(), &changed);
            break;
        }
        }
        const QSize after = m_toolbar->sizeHint();
        QApplication::setFont(applicationFont);
        QVERIFY2(after.width() > before.width(),
                 qPrintable(QStringLiteral("%1 → %2").arg(before.width()).arg(after.width())));
    }

    void iconOnlyKeepsItsTitleForAssistiveTechnology() {
        auto* more =
            new AppButton(QStringLiteral("Session actions"), QStringLiteral("ellipsis.circle"),
                          AppButtonRole::compactIcon, m_window.get());
        const QSize withTitle = more->sizeHint();
        more->setIconOnly(true);
        QVERIFY(more->sizeHint().width() < withTitle.width());
        QCOMPARE(more->sizeHint().width(), more->sizeHint().height());
        QCOMPARE(more->text(), QStringLiteral("Session actions"));
        QCOMPARE(more->toolTip(), QStringLiteral("Session actions"));
    }

    // A tooltip that only repeats the name is not read a second time as the description.
    void aScreenReaderHearsTheNameOnce_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("description");
        QTest::newRow("icon button") << QString() << QString() << QString();
        QTest::newRow("named apart from its title")
            << QStringLiteral("Session actions") << QStringLiteral("Session actions") << QString();
        QTest::newRow("named after its row")
            << QStringLiteral("Remove Thought, Scales in D") << QString() << QString();
        QTest::newRow("a tooltip that says more")
            << QString() << QStringLiteral("Session actions (Ctrl+K)")
            << QStringLiteral("Session actions (Ctrl+K)");
    }
    void aScreenReaderHearsTheNameOnce() {
        QFETCH(QString, name);
        QFETCH(QString, toolTip);
        QFETCH(QString, description);
        const QString title = name.startsWith(QStringLiteral("Remove"))
                                  ? QStringLiteral("Remove Thought")
                                  : QStringLiteral("Session actions");
        auto* button = new AppButton(title, QStringLiteral("ellipsis.circle"),
                                     AppButtonRole::compactIcon, m_window.get());
        button->setIconOnly(true);
        if (!name.isEmpty())
            button->setAccessibleName(name);
        if (!toolTip.isEmpty())
            button->setToolTip(toolTip);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(button);
        QCOMPARE(read->text(QAccessible::Name), name.isEmpty() ? title : name);
        QCOMPARE(read->text(QAccessible::Description), description);
        QCOMPARE(read->role(), QAccessible::Button);
    }

    // Still a push button to assistive technology: pressed through its action, a menu offered.
    void theActionsPressAndOfferTheMenu() {
        int clicks = 0;
        connect(m_toolbar, &QAbstractButton::clicked, this, [&clicks] { ++clicks; });
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(m_toolbar);
        read->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks, 1);
        m_toolbar->setEnabled(false);
        read->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks, 1);

        m_primary->setMenu(new QMenu(m_primary));
        read = QAccessible::queryAccessibleInterface(m_primary);
        QCOMPARE(read->role(), QAccessible::ButtonMenu);
        QVERIFY(read->state().hasPopup);
        QCOMPARE(read->actionInterface()->actionNames().first(),
                 QAccessibleActionInterface::showMenuAction());
    }

private:
    std::unique_ptr<QWidget> m_window;
    AppButton* m_primary = nullptr;
    AppButton* m_toolbar = nullptr;
};

QTEST_MAIN(TestAppButton)
#include "tst_appbutton.moc"
