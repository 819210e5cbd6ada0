// SPDX-License-Identifier: MIT
#include "core/import/PracticeImportViewModel.h"
#include "core/store/JournalStore.h"
#include "support/RecordTestSupport.h"
#include "ui/import/SpreadsheetFormatCard.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QStandardPaths>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QtTest>

using namespace brevanta;
using namespace brevanta::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

QString labelText(const QWidget& card, const char* name) {
    const auto* label = card.findChild<QLabel*>(QString::fromLatin1(name));
    return label && !label->isHidden() ? label->text() : QString();
}

} // namespace

class TestSpreadsheetFormatCard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { QVERIFY(PracticeImportViewModel::readingThreads().waitForDone(20000)); }

    void showsWhatWasFoundAndDrivesTheOption() {
        const auto store = JournalStore::open(StoreConfiguration::inMemory());
        PracticeImportViewModel model(*store, Calendar(u"America/New_York", u"en_US"),
                                      Instant::fromSecsSinceEpoch(1'780'315'200));
        model.load({fixturePath(u"Practice Log April 2026 formatted [explicit].csv"_s),
                    fixturePath(u"Practice Log January 2025 [roundtrip-plain].csv"_s)});
        QVERIFY(QTest::qWaitFor([&] { return !model.isLoading(); }, 20000));

        // As the review places them: one card per file in the page's layout.
        QWidget page;
        auto* layout = new QVBoxLayout(&page);
        auto* fine = new SpreadsheetFormatCard(model, 0);
        auto* card = new SpreadsheetFormatCard(model, 1);
        layout->addWidget(fine);
        layout->addWidget(card);
        page.resize(420, 360);
        page.show();
        QVERIFY(fine->isHidden());
        QVERIFY(card->isVisible());
        QCOMPARE(labelText(*card, "spreadsheet-format-findings"),
                 u"22 days have dates such as 01/02/26 and times such as 12:20:00 AM that the "
                 u"spreadsheet reformatted."_s);
        QVERIFY(labelText(*card, "spreadsheet-format-advice").contains(u"[H]:MM"_s));
        QVERIFY(labelText(*card, "spreadsheet-format-skipped").isEmpty());

        // The caption is a heading a screen reader can find by its name.
        auto* heading = card->findChild<QLabel*>(u"spreadsheet-format-heading"_s);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(heading);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Heading);
        QVERIFY(accessible->text(QAccessible::Name)
                    .contains(u"Practice Log January 2025 [roundtrip-plain].csv"_s));

        QCheckBox* option = card->readOption();
        QCOMPARE(
            option->accessibleName(),
            u"Read spreadsheet dates and times, Practice Log January 2025 [roundtrip-plain].csv"_s);
        QCOMPARE(option->focusPolicy(), Qt::TabFocus);
        QVERIFY(!option->isChecked());
        // As the accessibility action does it: a toggle, not a mouse click.
        option->toggle();
        QVERIFY(model.readsSpreadsheetFormats(1));
        QVERIFY(!model.readsSpreadsheetFormats(0));
        QVERIFY(QTest::qWaitFor([&] { return !model.isLoading(); }, 20000));
        QCOMPARE(model.candidates().size(), 7u + 22u);
        QVERIFY(option->isChecked());
        QVERIFY(card->isVisible());

        // The model's choice shows on the card whoever made it.
        model.setReadsSpreadsheetFormats(1, false);
        QVERIFY(!option->isChecked());
        QVERIFY(QTest::qWaitFor([&] { return !model.isLoading(); }, 20000));
    }
};

QTEST_MAIN(TestSpreadsheetFormatCard)
#include "tst_spreadsheetformatcard.moc"
