// The analysis tab's figures without any window: the count by each field
// over a year or every year against the month statistics' own count, the
// order of the rows, refused and damaged months, and the chart series.
#include <QTest>
#include <limits>

#include "diary/analysis.h"
#include "diary/statistics.h"
#include "diarytestdata.h"
#include "storage/monthfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using analysis::Kind;
using analysis::Row;

namespace {

PrizeEntry entry(const QString& genre, const QString& result, const QString& money = u"0"_s) {
    PrizeEntry e = diaryRecord(u"2010/01/01"_s, u"1"_s, result, money);
    e[Genre] = genre;
    return e;
}

void store(const DataPaths& paths, const QString& year, int month, const QList<PrizeEntry>& records,
           const QString& password = {}) {
    const QString path = paths.monthFile(year, u"%1"_s.arg(month, 2, 10, QChar(u'0')));
    QVERIFY(monthfile::write(path, records, password).ok());
}

QStringList categoriesOf(const QList<Row>& rows) {
    QStringList categories;
    for (const Row& row : rows) {
        categories.append(row.category);
    }
    return categories;
}

Row ratio(const QString& category, qint64 wins, qint64 entries) {
    Row row;
    row.category = category;
    row.wins = wins;
    row.entries = entries;
    return row;
}

summaryfile::Row summaryRow(const QString& key, const QString& money, const QString& expenses,
                            const QString& balance) {
    summaryfile::Row row(summaryfile::TotalColumns, u"0"_s);
    row[summaryfile::Key] = key;
    row[summaryfile::WinMoney] = money;
    row[summaryfile::Expenses] = expenses;
    row[summaryfile::Balance] = balance;
    return row;
}

}  // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Row)

class TestAnalysis : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder_;

  private Q_SLOTS:
    void init() { folder_ = std::make_unique<TestFolder>(); }

    // A win is a result containing 当選; the classes are exact texts; the
    // money of wins only, 0 when no number; the rate rounded half up.
    void countingRules() {
        store(folder_->paths(), u"2010"_s, 3,
              {entry(u"a"_s, u"当選"_s, u"500"_s), entry(u"a"_s, u"中物当選"_s, u"不明"_s),
               entry(u"a"_s, u"小物当選"_s, u"1,000"_s), entry(u"a"_s, u"大物当選"_s, u"２０.5"_s),
               entry(u"a"_s, u"大物当選？"_s, u"1"_s), entry(u"a"_s, u"落選"_s, u"800"_s),
               entry(u"b"_s, u"当選"_s), entry(u"b"_s, u"当選"_s), entry(u"b"_s, u"応募済み"_s)});
        const analysis::Table table = analysis::count(folder_->paths(), Kind::Genre, {}, {});
        QCOMPARE(table.rows.size(), 2);
        QCOMPARE(table.rows[0].cells(), (QStringList{u"a"_s, u"6"_s, u"5"_s, u"83.33"_s, u"1"_s,
                                                     u"1"_s, u"1"_s, u"1521.5"_s}));
        QCOMPARE(table.rows[1].cells(),
                 (QStringList{u"b"_s, u"3"_s, u"2"_s, u"66.67"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    }

    // Three years of months, counted on several threads by each kind, for
    // one year or every year, against the month statistics over the same
    // records. Every column splits the records its own way, into values that
    // name the column: a kind counting another column shows in the names.
    void periodsAgainstMonthStatistics_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("year");
        QTest::newRow("genre, one year") << Kind::Genre << 4 << u"2010"_s;
        QTest::newRow("genre, every year") << Kind::Genre << 4 << QString();
        QTest::newRow("genre, no months") << Kind::Genre << 4 << u"2020"_s;
        QTest::newRow("site") << Kind::Site << 2 << QString();
        QTest::newRow("form") << Kind::OboKeishiki << 11 << u"2011"_s;
        QTest::newRow("selection") << Kind::SenkoWay << 12 << QString();
        QTest::newRow("cycle") << Kind::Cycle << 13 << u"2009"_s;
        QTest::newRow("method") << Kind::OboWay << 14 << QString();
    }
    void periodsAgainstMonthStatistics() {
        QFETCH(Kind, kind);
        QFETCH(int, column);
        QFETCH(QString, year);
        QCOMPARE(int(analysis::fieldOf(kind)), column);
        const QStringList results = {u"当選"_s,     u"落選"_s,     u"中物当選"_s, u"小物当選"_s,
                                     u"大物当選"_s, u"応募済み"_s, u"当選？"_s};
        const QStringList money = {u"250"_s, u"1,000"_s, u"不明"_s, u"12.5"_s, u"0"_s};
        QHash<QString, statistics::Counts> expected;
        qint64 records = 0;
        for (const QString& y : {u"2009"_s, u"2010"_s, u"2011"_s}) {
            for (int month = 1; month <= 12; month += month % 3 + 1) {
                QList<PrizeEntry> stored;
                for (int i = 0; i < month + 3; ++i) {
                    const int n = y.toInt() + month * 7 + i;
                    PrizeEntry& e = stored.emplaceBack(entry({}, results[n % 7], money[n % 5]));
                    for (int c : {2, 4, 11, 12, 13, 14}) {
                        const int value = n % (c % 3 + 3);  // 0 is no value
                        e[c] = value == 0 ? QString() : u"%1-%2"_s.arg(c).arg(value);
                    }
                }
                store(folder_->paths(), y, month, stored);
                for (const PrizeEntry& e : stored) {
                    if (year.isEmpty() || year == y) {
                        const QString shown = e[column].isEmpty() ? u"（なし）"_s : e[column];
                        statistics::add(expected[shown], e, statistics::markOf(e, {}));
                        ++records;
                    }
                }
            }
        }
        const analysis::Table table = analysis::count(folder_->paths(), kind, year, {});
        QCOMPARE(table.records, records);
        QCOMPARE(table.rows.size(), expected.size());
        for (const Row& row : table.rows) {
            QVERIFY2(expected.contains(row.category), qPrintable(row.category));
            const statistics::Counts& c = expected[row.category];
            QCOMPARE(
                (QList<qint64>{row.entries, row.wins, row.smallWins, row.middleWins, row.bigWins}),
                (QList<qint64>{c.entries, c.wins, c.smallWins, c.middleWins, c.bigWins}));
            QCOMPARE(row.winMoney, c.winMoney);
        }
        QList<Row> sorted = table.rows;
        analysis::sortRows(sorted);
        QCOMPARE(categoriesOf(sorted), categoriesOf(table.rows));
    }

    // By the exact ratio, not the rounded text; then more entries; then text.
    void order_data() {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("same text, other ratio")  // both show 33.33, before 25.00
            << QList{ratio(u"a"_s, 1, 4), ratio(u"many"_s, 3333, 10000), ratio(u"third"_s, 1, 3)}
            << QStringList{u"third"_s, u"many"_s, u"a"_s};
        QTest::newRow("same ratio: more entries")
            << QList{ratio(u"a"_s, 1, 2), ratio(u"b"_s, 2, 4)} << QStringList{u"b"_s, u"a"_s};
        QTest::newRow("no wins: more entries")
            << QList{ratio(u"a"_s, 0, 5), ratio(u"b"_s, 0, 10), ratio(u"c"_s, 1, 100)}
            << QStringList{u"c"_s, u"b"_s, u"a"_s};
        QTest::newRow("all equal: text")
            << QList{ratio(u"食品"_s, 1, 3), ratio(u"（なし）"_s, 1, 3), ratio(u"本"_s, 1, 3),
                     ratio(u"CD"_s, 1, 3)}
            << QStringList{u"CD"_s, u"本"_s, u"食品"_s, u"（なし）"_s};
    }
    void order() {
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, order);
        analysis::sortRows(rows);
        QCOMPARE(categoriesOf(rows), order);
    }

    // A month of another password, a sealed month that does not open: each
    // named once, in walk order, and nothing of them counted.
    void refusedMonthsAreNamedAndLeftOut() {
        const DataPaths paths = folder_->paths();
        store(paths, u"2010"_s, 1, {entry(u"本"_s, u"当選"_s)}, u"other"_s);
        QVERIFY(writeBytes(paths.monthFile(u"2010"_s, u"02"_s), "KBSEAL01 not a sealed month"));
        store(paths, u"2010"_s, 3, {entry(u"本"_s, u"落選"_s)}, u"pw"_s);
        store(paths, u"2011"_s, 1, {entry(u"本"_s, u"落選"_s)}, u"pw"_s);
        const analysis::Table table = analysis::count(paths, Kind::Genre, {}, u"pw"_s);
        QCOMPARE(table.refusedFiles, (QStringList{paths.monthFile(u"2010"_s, u"01"_s),
                                                  paths.monthFile(u"2010"_s, u"02"_s)}));
        QCOMPARE(table.records, 2);
        QCOMPARE(table.rows.first().cells().mid(1, 2), (QStringList{u"2"_s, u"0"_s}));
        // Without a password, the months with one are refused instead.
        const analysis::Table open = analysis::count(paths, Kind::Genre, u"2010"_s, {});
        QCOMPARE(open.refusedFiles.size(), 3);
        QCOMPARE(open.records, 0);
        QVERIFY(open.rows.isEmpty());
    }

    // Lines that are no record are left out; bytes that decode to the same
    // text (0xED40 and 0xFA5C are both 纊) are one row.
    void damagedLinesAndTwinCodes() {
        const QByteArray fields = QByteArray(",\"\"").repeated(9) + "\r\n";  // to 17
        const QByteArray plain =
            "\"2010/01/01\",\"1\",\"s\",\"\",\"\xED\x40\",\"\",\"\x93\x96\x91\x49\""
            ",\"5\"" +
            fields + "not a record\r\n\"1\",\"2\",\"s\",\"\",\"\xED\x40\"\r\n" +
            "\"2010/01/01\",\"3\",\"s\",\"\",\"\xFA\x5C\",\"\",\"\",\"\"" + fields;
        QVERIFY(writeEnciphered(folder_->paths().monthFile(u"2010"_s, u"01"_s), plain));
        const analysis::Table table = analysis::count(folder_->paths(), Kind::Genre, {}, {});
        QCOMPARE(table.records, 2);
        QCOMPARE(table.rows.size(), 1);
        QCOMPARE(table.rows.first().cells(), (QStringList{u"纊"_s, u"2"_s, u"1"_s, u"50.00"_s,
                                                          u"0"_s, u"0"_s, u"0"_s, u"5"_s}));
    }

    // Money beyond the range keeps the end of the range and says so; sums
    // are exact, so a negative value that brings them back counts right.
    void moneyBeyondTheRange() {
        const QString most = u"900000000000000"_s;
        store(folder_->paths(), u"2010"_s, 1,
              {entry(u"a"_s, u"当選"_s, most), entry(u"a"_s, u"当選"_s, most),
               entry(u"b"_s, u"当選"_s, most), entry(u"b"_s, u"当選"_s, most),
               entry(u"b"_s, u"当選"_s, u"-"_s + most), entry(u"b"_s, u"落選"_s)});
        const analysis::Table table = analysis::count(folder_->paths(), Kind::Genre, {}, {});
        QVERIFY(table.moneyOverflow());
        QCOMPARE(categoriesOf(table.rows), (QStringList{u"a"_s, u"b"_s}));
        QVERIFY(table.rows[0].moneyOverflow);
        QCOMPARE(table.rows[0].winMoney, Currency::fromUnits(std::numeric_limits<qint64>::max()));
        QVERIFY(!table.rows[1].moneyOverflow);
        QCOMPARE(table.rows[1].winMoney.toString(), most);
    }

    void charts() {
        QList<summaryfile::Row> year = summaryfile::zeroYear();
        year[0] = summaryRow(u"1"_s, u"1500"_s, u"300"_s, u"1200"_s);
        year[11][summaryfile::Balance] = u"-12.5"_s;
        const analysis::Chart months = analysis::yearChart(year);
        QCOMPARE(months.categories.size(), 12);
        QCOMPARE(months.categories.last(), u"12月"_s);
        QCOMPARE(months.bars[0].name + months.bars[1].name, u"当選総額支出総額"_s);
        QCOMPARE(months.bars[0].values.first() + months.bars[1].values.first(), 1800.0);
        QCOMPARE(months.lines[0].name, u"収支総額"_s);
        QCOMPARE(months.lines[0].values.first(), 1200.0);
        QCOMPARE(months.lines[0].values.last(), -12.5);

        const analysis::Chart years =
            analysis::totalChart({summaryRow(u"2009"_s, u"1000"_s, u"0"_s, u"1000"_s),
                                  summaryRow(u"2010"_s, u"200"_s, u"500"_s, u"-300"_s),
                                  summaryRow(u"2011"_s, u"600.5"_s, u"不明"_s, u"500.5"_s)},
                                 *Currency::fromYen(1000000));
        QCOMPARE(years.categories, (QStringList{u"2009年"_s, u"2010年"_s, u"2011年"_s}));
        QCOMPARE(years.bars[0].values, (QList<double>{1000, 200, 600.5}));
        QCOMPARE(years.bars[1].values, (QList<double>{0, 500, 0}));
        QCOMPARE(years.lines[0].name + years.lines[1].name, u"累計収支目標収支金額"_s);
        QCOMPARE(years.lines[0].values, (QList<double>{1000, 700, 1200.5}));
        QCOMPARE(years.lines[1].values, (QList<double>{1000000, 1000000, 1000000}));
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
