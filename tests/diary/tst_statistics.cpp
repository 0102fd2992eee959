#include <QTest>

#include "diary/statistics.h"
#include "storage/prizeentry.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry row(const QString& result, const QString& money,
               const QString& winDay = u"----/--/--"_s) {
    PrizeEntry cells;
    cells[Kekka] = result;
    cells[HappyMoney] = money;
    cells[HappyDay] = winDay;
    return cells;
}

}  // namespace

class TestStatistics : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void winRate_data() {
        QTest::addColumn<qint64>("wins");
        QTest::addColumn<qint64>("entries");
        QTest::addColumn<QString>("rate");
        QTest::newRow("no wins") << qint64(0) << qint64(3) << u"0.00"_s;
        QTest::newRow("empty list") << qint64(0) << qint64(0) << u"0.00"_s;
        QTest::newRow("two of three") << qint64(2) << qint64(3) << u"66.67"_s;
        QTest::newRow("one of three") << qint64(1) << qint64(3) << u"33.33"_s;
        QTest::newRow("all") << qint64(7) << qint64(7) << u"100.00"_s;
        QTest::newRow("half up") << qint64(1) << qint64(800) << u"0.13"_s;
        QTest::newRow("small") << qint64(1) << qint64(32767) << u"0.00"_s;
    }
    void winRate() {
        QFETCH(qint64, wins);
        QFETCH(qint64, entries);
        QFETCH(QString, rate);
        QCOMPARE(statistics::winRate(wins, entries), rate);
    }

    // The three classes, a win of no class, a win on the shown day, and
    // prize values that are not numbers.
    void marksAndCounts() {
        const QString today = u"2010/01/15"_s;
        const QList<PrizeEntry> rows = {
            row(u"小物当選"_s, u"500"_s),       row(u"大物当選"_s, u"20"_s, today),
            row(u"中物当選"_s, u"不明"_s),      row(u"落選"_s, u"1000"_s, today),
            row(u"その他の当選"_s, u"1,000"_s), row(u"応募済み"_s, u"300"_s),
        };
        statistics::Counts counts;
        QList<statistics::RowMark> marks;
        for (const PrizeEntry& r : rows) {
            marks.append(statistics::markOf(r, today));
            statistics::add(counts, r, marks.last());
        }
        using statistics::PrizeClass;
        const QList<PrizeClass> classes = {PrizeClass::Small, PrizeClass::Big,  PrizeClass::Middle,
                                           PrizeClass::None,  PrizeClass::None, PrizeClass::None};
        const QList<bool> wins = {true, true, true, false, true, false};
        const QList<bool> winDays = {false, true, false, true, false, false};
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(marks[i].prizeClass, classes[i]);
            QCOMPARE(marks[i].win, wins[i]);
            QCOMPARE(marks[i].winDay, winDays[i]);
        }
        QCOMPARE(counts.entries, 6);
        QCOMPARE(counts.wins, 4);
        QCOMPARE(counts.smallWins, 1);
        QCOMPARE(counts.middleWins, 1);
        QCOMPARE(counts.bigWins, 1);
        QCOMPARE(counts.winMoney.toString(), u"1520"_s);  // 500 + 20 + 0 + 1,000
        const statistics::Counts all = statistics::countOf(rows);
        QCOMPARE(all.wins, counts.wins);
        QCOMPARE(all.winMoney, counts.winMoney);
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
