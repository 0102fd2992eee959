// Records in a list: the sorts and the whole-number rewrite, the duplicate
// lookup, and the texts a record is stored with.
#include <QSignalSpy>
#include <QTest>

#include "diary/recordlist.h"
#include "diary/records.h"
#include "diarytestdata.h"

using namespace Qt::StringLiterals;

namespace {

QStringList column(const diary::RecordList& list, int c) {
    QStringList texts;
    for (const PrizeEntry& record : list.records()) {
        texts.append(record[c]);
    }
    return texts;
}

}  // namespace

class TestRecords : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void replaceQuotes() { QCOMPARE(records::ReplaceQuotes(u"\"限定\"“品”"_s), u" 限定 　品　"_s); }

    void numbersAsStored() {
        QCOMPARE(records::numberOfWinners(u"名様"_s, u"0012"_s), u"12名様"_s);
        QCOMPARE(records::numberOfWinners(u"全員"_s, u"abc"_s), u"全員"_s);
        QCOMPARE(records::numberOfWinners(u"名様"_s, u"1,000"_s), QString());
        QCOMPARE(records::prizeAmount(u"007"_s), u"7"_s);
        QCOMPARE(records::prizeAmount(u"-5"_s), QString());
    }

    // By date, then by ID number; IDs that are no 32-bit whole number follow
    // the numbered ones of their date and keep their text.
    void sortByFilingKey() {
        diary::RecordList list;
        for (const auto& [date, id] :
             QList<std::pair<QString, QString>>{{u"2010/01/20"_s, u"10"_s},
                                                {u"2010/01/05"_s, u"ABC"_s},
                                                {u"2010/01/20"_s, u"9"_s},
                                                {u"2010/01/05"_s, u"0007"_s},
                                                {u"2010/01/05"_s, u"99999999999"_s},
                                                {u"2010/01/05"_s, u"0"_s}}) {
            list.append(diaryRecord(date, id));
        }
        list.sortByFilingKey();
        QCOMPARE(column(list, FilingDate),
                 (QStringList{u"2010/01/05"_s, u"2010/01/05"_s, u"2010/01/05"_s, u"2010/01/05"_s,
                              u"2010/01/20"_s, u"2010/01/20"_s}));
        QCOMPARE(column(list, ID),
                 (QStringList{u"0"_s, u"7"_s, u"99999999999"_s, u"ABC"_s, u"9"_s, u"10"_s}));
        // The rest of each record went along with its ID.
        QCOMPARE(column(list, Present).value(1), u"賞品0007"_s);
    }

    // Stable in both orders; the views learn where every row went.
    void sortIsStableAndTellsTheNewPlaces() {
        diary::RecordList list;
        const QStringList keys = {u"b"_s, u"a"_s, u"b"_s, u"a"_s, u"c"_s};
        for (int i = 0; i < keys.size(); ++i) {
            list.append(diaryRecord(keys[i], QString::number(i)));
        }
        QSignalSpy reordered(&list, &diary::RowChanges::reordered);
        list.sortBy(FilingDate, Qt::AscendingOrder, records::compareText);
        QCOMPARE(column(list, ID), (QStringList{u"1"_s, u"3"_s, u"0"_s, u"2"_s, u"4"_s}));
        QCOMPARE(reordered.size(), 1);
        QCOMPARE(reordered[0][0].value<QList<int>>(), (QList<int>{2, 0, 3, 1, 4}));
        list.sortBy(FilingDate, Qt::DescendingOrder, records::compareText);
        QCOMPARE(column(list, ID), (QStringList{u"4"_s, u"0"_s, u"2"_s, u"1"_s, u"3"_s}));
    }

    // Prize values: numbers by value, any other text after them.
    void wholeNumbersFirst() {
        diary::RecordList list;
        for (const QString& money : {u"不明"_s, u"10000"_s, u"0900"_s, u"50"_s}) {
            list.append(diaryRecord(u"2010/01/01"_s, u"1"_s, u"落選"_s, money));
        }
        list.sortBy(HappyMoney, Qt::AscendingOrder, records::compareWholeNumbersFirst);
        list.plainWholeNumbers(HappyMoney);
        QCOMPARE(column(list, HappyMoney), (QStringList{u"50"_s, u"900"_s, u"10000"_s, u"不明"_s}));
    }

    void removeRowsFromTheEnd() {
        diary::RecordList list;
        for (int i = 0; i < 5; ++i) {
            list.append(diaryRecord(u"2010/01/01"_s, QString::number(i)));
        }
        list.removeRows({3, 0, 3, 9, -1});
        QCOMPARE(column(list, ID), (QStringList{u"1"_s, u"2"_s, u"4"_s}));
        QCOMPARE(list.find(diaryRecord(u"2010/01/01"_s, u"4"_s)), 2);
        QCOMPARE(list.find(diaryRecord(u"2010/01/01"_s, u"0"_s)), -1);
    }

    // The question compares exact texts: the number as typed, leading zeros
    // and all.
    void duplicateLookup() {
        const PrizeEntry stored = diaryRecord(u"2010/01/05"_s, u"1"_s);
        const QList<PrizeEntry> month = {stored};
        records::Description typed = records::describe(stored, false);
        const std::optional<QString> found = records::duplicateOf(month, typed, false);
        QVERIFY(found);
        QVERIFY(found->startsWith(u"ＩＤ番号 ＝ 1\r\n締切日 ＝ 2010/12/31\r\n応募先 ＝ 応募先1"_s));
        // Filed by deadline, the deadline is the filing date.
        QVERIFY(!records::duplicateOf(month, typed, true));
        typed.number = u"01名様"_s;
        QVERIFY(!records::duplicateOf(month, typed, false));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
