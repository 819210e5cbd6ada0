// SPDX-License-Identifier: MIT
#include "ui/design/AppButton.h"
#include "ui/design/AppColors.h"
#include "ui/design/SoftShadow.h"

#include <QApplication>
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

private:
    std::unique_ptr<QWidget> m_window;
    AppButton* m_primary = nullptr;
    AppButton* m_toolbar = nullptr;
};

QTEST_MAIN(TestAppButton)
#include "tst_appbutton.moc"
