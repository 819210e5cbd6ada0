// SPDX-License-Identifier: MIT
#include "ui/practice/ThoughtReconciliation.h"

#include <QtTest>

using namespace brevanta;
using namespace Qt::StringLiterals;

namespace {

// Thoughts are written "a", "b=new text": the letter is the identity, the text after "=" (the
// letter itself when there is none) is the thought's words.
QUuid idOf(QChar letter) {
    return QUuid(u"00000000-0000-0000-0000-0000000000"_s +
                 QString::number(letter.unicode(), 16).rightJustified(2, u'0'));
}

std::vector<ActiveThoughtDraft> thoughts(const QString& written) {
    std::vector<ActiveThoughtDraft> list;
    for (const QString& item : written.split(u' ', Qt::SkipEmptyParts)) {
        const QString text = item.contains(u'=') ? item.section(u'=', 1) : item;
        list.push_back({idOf(item[0]), text, std::int64_t(list.size())});
    }
    return list;
}

} // namespace

class TestThoughtReconciliation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void merged_data() {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("controller");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing changed") << u"a b"_s << u"a b"_s << u"a b"_s << u"a b"_s;
        QTest::newRow("quick thought appended") << u"a b"_s << u"a b"_s << u"a b c"_s << u"a b c"_s;
        QTest::newRow("room addition kept beside a quick thought")
            << u"a b"_s << u"a"_s << u"a c"_s << u"a b c"_s;
        QTest::newRow("room removal not brought back")
            << u"a"_s << u"a b"_s << u"a b c"_s << u"a c"_s;
        QTest::newRow("removed elsewhere") << u"a b c"_s << u"a b c"_s << u"a c"_s << u"a c"_s;
        QTest::newRow("edited elsewhere") << u"a b"_s << u"a b"_s << u"a b=bee"_s << u"a b=bee"_s;
        QTest::newRow("the room's edit wins over one elsewhere")
            << u"a b=mine"_s << u"a b"_s << u"a b=theirs"_s << u"a b=mine"_s;
        QTest::newRow("everything replaced elsewhere")
            << u"a b"_s << u"a b"_s << u"c d"_s << u"c d"_s;
        QTest::newRow("room order kept, new ones in the controller's order")
            << u"b a"_s << u"a b"_s << u"d a b c"_s << u"b a d c"_s;
    }
    void merged() {
        QFETCH(QString, room);
        QFETCH(QString, base);
        QFETCH(QString, controller);
        QFETCH(QString, expected);
        const std::vector<ActiveThoughtDraft> result =
            ThoughtReconciliation::merged(thoughts(room), thoughts(base), thoughts(controller));
        QCOMPARE(result, thoughts(expected));
    }
};

QTEST_MAIN(TestThoughtReconciliation)
#include "tst_thoughtreconciliation.moc"
