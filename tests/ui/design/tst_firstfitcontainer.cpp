// SPDX-License-Identifier: MIT
#include "ui/design/AppResponsiveLayout.h"
#include "ui/design/AppSurface.h"
#include "ui/design/FirstFitContainer.h"
#include "ui/design/SoftShadow.h"

#include <QHBoxLayout>
#include <QtTest>

#include <memory>

using namespace brevanta;

namespace {

/// A variant with an ideal size and a smaller minimum, as a row of buttons would have.
class Variant final : public QWidget {
public:
    Variant(QSize ideal, QSize minimum)
        : m_ideal(ideal)
        , m_minimum(minimum) {}

    void setIdeal(QSize ideal) {
        m_ideal = ideal;
        updateGeometry();
    }

    QSize sizeHint() const override { return m_ideal; }
    QSize minimumSizeHint() const override { return m_minimum; }

private:
    QSize m_ideal;
    QSize m_minimum;
};

/// A container of three variants; owns it until a layout adopts it.
struct ThreeVariants {
    std::unique_ptr<FirstFitContainer> owner = std::make_unique<FirstFitContainer>();
    FirstFitContainer& container = *owner;
    Variant* wide = new Variant({400, 40}, {300, 40});
    Variant* medium = new Variant({250, 80}, {180, 80});
    Variant* narrow = new Variant({100, 120}, {60, 120});

    ThreeVariants() {
        container.addVariant(wide);
        container.addVariant(medium);
        container.addVariant(narrow);
    }
};

} // namespace

class TestFirstFitContainer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picksTheFirstVariantThatFits_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("index");
        QTest::newRow("exactly the first") << 400 << 0;
        QTest::newRow("one below the first") << 399 << 1;
        QTest::newRow("exactly the second") << 250 << 1;
        QTest::newRow("one below the second") << 249 << 2;
        QTest::newRow("nothing fits: the last") << 40 << 2;
    }
    void picksTheFirstVariantThatFits() {
        QFETCH(int, width);
        QFETCH(int, index);
        ThreeVariants fit;
        fit.container.resize(width, 200);
        fit.container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fit.container));

        QCOMPARE(fit.container.currentIndex(), index);
        const QList<QWidget*> variants = fit.container.variants();
        for (int i = 0; i < variants.size(); ++i)
            QCOMPARE(variants[i]->isVisible(), i == index);
        QCOMPARE(fit.container.currentVariant()->geometry(), fit.container.rect());
    }

    void measuringMinimumsFitsEarlier() {
        ThreeVariants fit;
        fit.container.setMeasure(FirstFitContainer::Measure::minimumSizeHint);
        QCOMPARE(fit.container.variantForWidth(300), fit.wide);
        QCOMPARE(fit.container.variantForWidth(299), fit.medium);
        QCOMPARE(fit.container.variantForWidth(180), fit.medium);
        QCOMPARE(fit.container.variantForWidth(179), fit.narrow);
    }

    void asksForTheFirstButShrinksToTheSmallest() {
        ThreeVariants fit;
        QCOMPARE(fit.container.sizeHint(), QSize(400, 40));
        QCOMPARE(fit.container.minimumSizeHint().width(), 60);
        QCOMPARE(fit.container.heightForWidth(400), 40);
        QCOMPARE(fit.container.heightForWidth(399), 80);
        QCOMPARE(fit.container.heightForWidth(10), 120);
    }

    void aParentLayoutSqueezesItIntoTheNextVariant() {
        QWidget window;
        auto* row = new QHBoxLayout(&window);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        auto* fixed = new QWidget;
        fixed->setFixedWidth(100);
        row->addWidget(fixed);
        auto fit = std::make_unique<ThreeVariants>();
        row->addWidget(fit->owner.release());
        window.resize(500, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(fit->container.currentVariant(), fit->wide);

        window.resize(499, 200);
        QTRY_COMPARE(fit->container.width(), 399);
        QTRY_COMPARE(fit->container.currentVariant(), fit->medium);
        QTRY_COMPARE(fit->container.height(), 200);

        window.resize(500, 200);
        QTRY_COMPARE(fit->container.currentVariant(), fit->wide);
    }

    void aVariantThatGrowsIsMeasuredAgain() {
        ThreeVariants fit;
        fit.container.resize(420, 200);
        fit.container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fit.container));
        QCOMPARE(fit.container.currentVariant(), fit.wide);

        QSignalSpy changed(&fit.container, &FirstFitContainer::currentVariantChanged);
        fit.wide->setIdeal({450, 40});
        QTRY_COMPARE(fit.container.currentVariant(), fit.medium);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().value<QWidget*>(), fit.medium);
    }

    void shadowsOfHiddenVariantsStayHidden() {
        // Surfaces cast their shadows from beside themselves; a variant out of view must not
        // leave its shadow on screen.
        FirstFitContainer container;
        auto* wide = new AppSurface;
        wide->setMinimumWidth(600);
        auto* narrow = new AppSurface;
        narrow->setMinimumWidth(200);
        container.addVariant(wide);
        container.addVariant(narrow);
        container.resize(700, 300);
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));

        auto shadowOf = [&](QWidget* target) -> SoftShadow* {
            for (SoftShadow* shadow : container.findChildren<SoftShadow*>()) {
                if (shadow->target() == target)
                    return shadow;
            }
            return nullptr;
        };
        QVERIFY(shadowOf(wide) && shadowOf(narrow));
        QVERIFY(shadowOf(wide)->isVisible());
        QVERIFY(!shadowOf(narrow)->isVisible());

        container.resize(400, 300);
        QTRY_VERIFY(narrow->isVisible());
        QVERIFY(!shadowOf(wide)->isVisible());
        QVERIFY(shadowOf(narrow)->isVisible());
        QVERIFY(shadowOf(narrow)->geometry().contains(narrow->geometry()));
    }
};

QTEST_MAIN(TestFirstFitContainer)
#include "tst_firstfitcontainer.moc"
