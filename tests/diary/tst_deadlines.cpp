// The deadlines without any window: the months read, the window of days and
// its edges, the all-results choice, both filing keys, records filed the year
// before, refused and damaged months, the order, and the week's reminder.
#include <QTest>

#include "diary/deadlines.h"
#include "diarytestdata.h"
#include "storage/cp932.h"
#include "storage/diskfile.h"
#include "storage/monthfile.h"
#include "storage/seal.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using deadlines::Window;

namespace {

// A record filed under filingDate whose deadline is deadline under the key.
PrizeEntry record(const QString& id, const QString& applied, const QString& deadline,
                  bool filedByDeadline, const QString& result = u"未応募"_s) {
    PrizeEntry e = diaryRecord(filedByDeadline ? deadline : applied, id, result);
    e[OtherDate] = filedByDeadline ? applied : deadline;
    return e;
}

void store(const DataPaths& paths, const QString& yearMonth, const QList<PrizeEntry>& records,
           const QString& password = {}) {
    const QString path = paths.monthFile(yearMonth.left(4), yearMonth.right(2));
    QVERIFY(monthfile::write(path, records, password).ok());
}

QDate day(const QString& text) {
    return QDate::fromString(text, u"yyyy/MM/dd"_s);
}

QStringList idsOf(const QList<PrizeEntry>& records) {
    QStringList ids;
    for (const PrizeEntry& e : records) {
        ids.append(e[ID]);
    }
    return ids;
}

}  // namespace

class TestDeadlines : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder_;

  private Q_SLOTS:
    void init() { folder_ = std::make_unique<TestFolder>(); }

    void monthsToRead_data() {
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("filedByDeadline");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");

        QTest::newRow("deadline key, one month")
            << u"2024/01/15"_s << 10 << true << u"2024/01"_s << u"2024/01"_s;
        QTest::newRow("deadline key, into the next month")
            << u"2024/01/25"_s << 7 << true << u"2024/01"_s << u"2024/02"_s;
        QTest::newRow("deadline key, last day reaches the next month")
            << u"2024/01/31"_s << 1 << true << u"2024/01"_s << u"2024/02"_s;
        QTest::newRow("deadline key, over the new year")
            << u"2023/12/28"_s << 7 << true << u"2023/12"_s << u"2024/01"_s;
        QTest::newRow("deadline key, today only")
            << u"2024/03/31"_s << 0 << true << u"2024/03"_s << u"2024/03"_s;
        QTest::newRow("application key, a year back")
            << u"2024/01/15"_s << 10 << false << u"2023/01"_s << u"2024/01"_s;
        QTest::newRow("application key, a year back and a month on")
            << u"2024/01/25"_s << 30 << false << u"2023/01"_s << u"2024/02"_s;
        QTest::newRow("application key, over two months")
            << u"2024/06/10"_s << 60 << false << u"2023/06"_s << u"2024/08"_s;
    }
    void monthsToRead() {
        QFETCH(QString, today);
        QFETCH(int, days);
        QFETCH(bool, filedByDeadline);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const auto months = deadlines::monthsToRead({day(today), days, false, filedByDeadline});
        QVERIFY(!months.isEmpty());
        QCOMPARE(months.first().first + u'/' + months.first().second, first);
        QCOMPARE(months.last().first + u'/' + months.last().second, last);
        // Consecutive, none left out, none twice.
        for (qsizetype i = 1; i < months.size(); ++i) {
            const QDate before = day(months[i - 1].first + u'/' + months[i - 1].second + u"/01"_s);
            const QDate now = day(months[i].first + u'/' + months[i].second + u"/01"_s);
            QCOMPARE(before.addMonths(1), now);
        }
    }

    void selected_data() {
        QTest::addColumn<QString>("deadline");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("allResults");
        QTest::addColumn<bool>("filedByDeadline");
        QTest::addColumn<bool>("expected");

        // Today is 2024/03/10 and the window five days: 2024/03/10 to 2024/03/15.
        for (const bool byDeadline : {true, false}) {
            const char* key = byDeadline ? "deadline key" : "application key";
            QTest::addRow("%s: today", key)
                << u"2024/03/10"_s << u"未応募"_s << false << byDeadline << true;
            QTest::addRow("%s: last day", key)
                << u"2024/03/15"_s << u"未応募"_s << false << byDeadline << true;
            QTest::addRow("%s: yesterday", key)
                << u"2024/03/09"_s << u"未応募"_s << false << byDeadline << false;
            QTest::addRow("%s: day after the last", key)
                << u"2024/03/16"_s << u"未応募"_s << false << byDeadline << false;
            QTest::addRow("%s: no such day", key)
                << u"2024/02/30"_s << u"未応募"_s << false << byDeadline << false;
            QTest::addRow("%s: no date", key)
                << u"----/--/--"_s << u"未応募"_s << false << byDeadline << false;
            QTest::addRow("%s: sent", key)
                << u"2024/03/12"_s << u"応募済み"_s << false << byDeadline << false;
            QTest::addRow("%s: sent, all results", key)
                << u"2024/03/12"_s << u"応募済み"_s << true << byDeadline << true;
            QTest::addRow("%s: result only containing the text", key)
                << u"2024/03/12"_s << u"未応募？"_s << false << byDeadline << false;
            QTest::addRow("%s: all results, outside", key)
                << u"2024/03/16"_s << u"落選"_s << true << byDeadline << false;
        }
    }
    void selected() {
        QFETCH(QString, deadline);
        QFETCH(QString, result);
        QFETCH(bool, allResults);
        QFETCH(bool, filedByDeadline);
        QFETCH(bool, expected);
        // The other date lies inside the window, so a test of the wrong field
        // gives the wrong answer whenever the deadline lies outside.
        const PrizeEntry e = record(u"1"_s, u"2024/03/11"_s, deadline, filedByDeadline, result);
        QCOMPARE(deadlines::selected(e, {day(u"2024/03/10"_s), 5, allResults, filedByDeadline}),
                 expected);
    }

    // Days that do not exist, though their text lies inside the window.
    void selectedOnlyRealDays_data() {
        QTest::addColumn<QString>("deadline");
        QTest::addColumn<bool>("expected");
        QTest::newRow("Feb 29 of a leap year") << u"2024/02/29"_s << true;
        QTest::newRow("Feb 30") << u"2024/02/30"_s << false;
        QTest::newRow("day 00") << u"2024/02/00"_s << false;
        QTest::newRow("letters") << u"2024/02/2x"_s << false;
        QTest::newRow("full-width digits") << u"２０２４/02/28"_s << false;
        QTest::newRow("March 1") << u"2024/03/01"_s << true;
    }
    void selectedOnlyRealDays() {
        QFETCH(QString, deadline);
        QFETCH(bool, expected);
        for (const bool byDeadline : {true, false}) {
            const Window window{day(u"2024/02/27"_s), 5, false, byDeadline};
            const PrizeEntry e = record(u"1"_s, u"2024/02/28"_s, deadline, byDeadline);
            QCOMPARE(deadlines::selected(e, window), expected);
            // The same from the file; February is read under either key.
            TestFolder folder;
            store(folder.paths(), u"2024/02"_s, {e});
            QCOMPARE(deadlines::find(folder.paths(), window, QString()).records.size(),
                     expected ? 1 : 0);
        }
    }

    // A window of fewer than no days is today alone.
    void negativeDays() {
        const Window window{day(u"2024/03/10"_s), -3, false, true};
        QVERIFY(
            deadlines::selected(record(u"1"_s, u"2024/03/01"_s, u"2024/03/10"_s, true), window));
        QVERIFY(
            !deadlines::selected(record(u"1"_s, u"2024/03/01"_s, u"2024/03/09"_s, true), window));
        QVERIFY(
            !deadlines::selected(record(u"1"_s, u"2024/03/01"_s, u"2024/03/11"_s, true), window));
        QCOMPARE(deadlines::monthsToRead(window).size(), 1);
    }

    void sortRecords_data() {
        QTest::addColumn<QList<PrizeEntry>>("records");
        QTest::addColumn<bool>("filedByDeadline");
        QTest::addColumn<QStringList>("expected");

        for (const bool byDeadline : {true, false}) {
            const char* key = byDeadline ? "deadline key" : "application key";
            QTest::addRow("%s: by deadline first", key)
                << QList{record(u"1"_s, u"2024/01/01"_s, u"2024/03/12"_s, byDeadline),
                         record(u"2"_s, u"2024/02/01"_s, u"2024/03/11"_s, byDeadline)}
                << byDeadline << QStringList{u"2"_s, u"1"_s};
            QTest::addRow("%s: IDs as numbers", key)
                << QList{record(u"10"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline),
                         record(u"9"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline),
                         record(u"100"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline)}
                << byDeadline << QStringList{u"9"_s, u"10"_s, u"100"_s};
            QTest::addRow("%s: other IDs after the numbers, by text", key)
                << QList{record(u"b"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline),
                         record(u"20"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline),
                         record(u"1a"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline),
                         record(u"3"_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline),
                         record(u""_s, u"2024/01/01"_s, u"2024/03/11"_s, byDeadline)}
                << byDeadline << QStringList{u"3"_s, u"20"_s, u""_s, u"1a"_s, u"b"_s};
        }
        // Filed by application date the filing date is the application
        // date, the second key.
        QTest::newRow("application key: same deadline, by application date")
            << QList{record(u"1"_s, u"2024/02/01"_s, u"2024/03/11"_s, false),
                     record(u"2"_s, u"2024/01/01"_s, u"2024/03/11"_s, false)}
            << false << QStringList{u"2"_s, u"1"_s};
        // Filed by deadline the deadline is the filing date: the ID decides.
        QTest::newRow("deadline key: same deadline, by ID")
            << QList{record(u"2"_s, u"2024/01/01"_s, u"2024/03/11"_s, true),
                     record(u"1"_s, u"2024/02/01"_s, u"2024/03/11"_s, true)}
            << true << QStringList{u"1"_s, u"2"_s};
    }
    void sortRecords() {
        QFETCH(QList<PrizeEntry>, records);
        QFETCH(bool, filedByDeadline);
        QFETCH(QStringList, expected);
        deadlines::sortRecords(records, filedByDeadline);
        QCOMPARE(idsOf(records), expected);
    }

    // Records equal in every key keep the order they came in.
    void sortIsStable() {
        QList<PrizeEntry> records;
        for (const QString& site : {u"z"_s, u"a"_s, u"m"_s}) {
            PrizeEntry e = record(u"7"_s, u"2024/01/01"_s, u"2024/03/11"_s, false);
            e[Site] = site;
            records.append(e);
        }
        records.prepend(record(u"7"_s, u"2024/01/01"_s, u"2024/03/12"_s, false));
        deadlines::sortRecords(records, false);
        QCOMPARE(records[0][Site], u"z"_s);
        QCOMPARE(records[1][Site], u"a"_s);
        QCOMPARE(records[2][Site], u"m"_s);
        QCOMPARE(records[3][OtherDate], u"2024/03/12"_s);
    }

    // Filed by application date: a record applied for in December with its
    // deadline in January lives in December's file of the year before.
    void findByApplicationDate() {
        const DataPaths paths = folder_->paths();
        store(paths, u"2023/01"_s, {record(u"1"_s, u"2023/01/05"_s, u"2024/01/06"_s, false)});
        store(paths, u"2023/12"_s,
              {record(u"2"_s, u"2023/12/20"_s, u"2024/01/05"_s, false),
               record(u"3"_s, u"2023/12/21"_s, u"2024/01/02"_s, false),
               record(u"4"_s, u"2023/12/22"_s, u"2024/01/05"_s, false, u"応募済み"_s)});
        store(paths, u"2024/01"_s,
              {record(u"5"_s, u"2024/01/03"_s, u"2024/01/03"_s, false),
               record(u"6"_s, u"2024/01/03"_s, u"2024/01/20"_s, false)});
        // Twelve months back and no more.
        store(paths, u"2022/12"_s, {record(u"7"_s, u"2022/12/01"_s, u"2024/01/04"_s, false)});
        const Window window{day(u"2024/01/03"_s), 7, false, false};
        deadlines::Found found = deadlines::find(paths, window, QString());
        QCOMPARE(idsOf(found.records), (QStringList{u"5"_s, u"2"_s, u"1"_s}));
        QCOMPARE(found.monthOf, (QList<QString>{u"2024/01"_s, u"2023/12"_s, u"2023/01"_s}));
        QVERIFY(found.refusedFiles.isEmpty());
        // The whole record comes back.
        QCOMPARE(found.records[1], record(u"2"_s, u"2023/12/20"_s, u"2024/01/05"_s, false));

        found = deadlines::find(paths, {window.today, 7, true, false}, QString());
        QCOMPARE(idsOf(found.records), (QStringList{u"5"_s, u"2"_s, u"4"_s, u"1"_s}));
        QCOMPARE(found.monthOf.size(), found.records.size());
    }

    void findByDeadline() {
        const DataPaths paths = folder_->paths();
        store(paths, u"2024/01"_s,
              {record(u"1"_s, u"2023/12/01"_s, u"2024/01/31"_s, true),
               record(u"2"_s, u"2023/12/01"_s, u"2024/01/29"_s, true),
               record(u"3"_s, u"2023/12/01"_s, u"2024/01/30"_s, true)});
        store(paths, u"2024/02"_s,
              {record(u"4"_s, u"2024/01/02"_s, u"2024/02/05"_s, true),
               record(u"5"_s, u"2024/01/02"_s, u"2024/02/06"_s, true)});
        // A deadline the year before is never read.
        store(paths, u"2023/12"_s, {record(u"6"_s, u"2023/12/01"_s, u"2023/12/31"_s, true)});
        const deadlines::Found found =
            deadlines::find(paths, {day(u"2024/01/30"_s), 6, false, true}, QString());
        QCOMPARE(idsOf(found.records), (QStringList{u"3"_s, u"1"_s, u"4"_s}));
        QCOMPARE(found.monthOf, (QList<QString>{u"2024/01"_s, u"2024/01"_s, u"2024/02"_s}));
    }

    // A month of another password shows nothing and is named once; its
    // neighbours still count.
    void findRefusedMonth() {
        const DataPaths paths = folder_->paths();
        store(paths, u"2024/03"_s, {record(u"1"_s, u"2024/03/01"_s, u"2024/03/10"_s, true)},
              u"pw"_s);
        store(paths, u"2024/04"_s, {record(u"2"_s, u"2024/04/01"_s, u"2024/04/02"_s, true)});
        const Window window{day(u"2024/03/05"_s), 40, false, true};
        deadlines::Found found = deadlines::find(paths, window, QString());
        QCOMPARE(idsOf(found.records), QStringList{u"2"_s});
        QCOMPARE(found.refusedFiles, QStringList{paths.monthFile(u"2024"_s, u"03"_s)});
        // With the password in force it fits, and the other month does not.
        found = deadlines::find(paths, window, u"pw"_s);
        QCOMPARE(idsOf(found.records), QStringList{u"1"_s});
        QCOMPARE(found.refusedFiles, QStringList{paths.monthFile(u"2024"_s, u"04"_s)});
        QCOMPARE(deadlines::reminderCount(paths, day(u"2024/03/05"_s), true, QString()), 0);
        QCOMPARE(deadlines::reminderCount(paths, day(u"2024/03/05"_s), true, u"pw"_s), 1);
    }

    void findSealedMonthThatDoesNotOpen() {
        const DataPaths paths = folder_->paths();
        const seal::Key key = seal::DataKey::generate();
        QVERIFY(key);
        diskfile::setDataKey(key);
        store(paths, u"2024/03"_s, {record(u"1"_s, u"2024/03/01"_s, u"2024/03/10"_s, true)});
        diskfile::setDataKey(seal::DataKey::generate());  // another diary's key
        const deadlines::Found found =
            deadlines::find(paths, {day(u"2024/03/05"_s), 10, false, true}, QString());
        diskfile::setDataKey(nullptr);
        QVERIFY(found.records.isEmpty());
        QCOMPARE(found.refusedFiles, QStringList{paths.monthFile(u"2024"_s, u"03"_s)});
    }

    // Lines that hold no record are left out, the records around them kept.
    void findDamagedMonth() {
        const DataPaths paths = folder_->paths();
        const QString good =
            monthfile::format({record(u"1"_s, u"2024/03/01"_s, u"2024/03/10"_s, true)}, QString());
        QVERIFY(writeEnciphered(paths.monthFile(u"2024"_s, u"03"_s),
                                cp932::encode(good + u"\"broken\r\n"_s + good).bytes));
        const deadlines::Found found =
            deadlines::find(paths, {day(u"2024/03/05"_s), 10, false, true}, QString());
        QCOMPARE(idsOf(found.records), (QStringList{u"1"_s, u"1"_s}));
        QVERIFY(found.refusedFiles.isEmpty());
    }

    void reminderCount_data() {
        QTest::addColumn<bool>("filedByDeadline");
        for (const bool byDeadline : {true, false}) {
            QTest::newRow(byDeadline ? "deadline key" : "application key") << byDeadline;
        }
    }
    void reminderCount() {
        QFETCH(bool, filedByDeadline);
        const DataPaths paths = folder_->paths();
        // Today is 2024/12/28: the week runs to 2025/01/03.
        QList<PrizeEntry> records{
            record(u"1"_s, u"2024/11/20"_s, u"2024/12/28"_s, filedByDeadline),
            record(u"2"_s, u"2024/11/20"_s, u"2025/01/03"_s, filedByDeadline),
            record(u"3"_s, u"2024/11/20"_s, u"2025/01/04"_s, filedByDeadline),
            record(u"4"_s, u"2024/11/20"_s, u"2024/12/27"_s, filedByDeadline),
            record(u"5"_s, u"2024/11/20"_s, u"2024/12/30"_s, filedByDeadline, u"応募済み"_s),
            record(u"6"_s, u"2024/11/20"_s, u"2024/12/31"_s, filedByDeadline),
        };
        // Each record in the month file its filing date names.
        QMap<QString, QList<PrizeEntry>> months;
        for (const PrizeEntry& e : records) {
            months[e[FilingDate].left(7)].append(e);
        }
        for (auto it = months.cbegin(); it != months.cend(); ++it) {
            store(paths, it.key(), it.value());
        }
        QCOMPARE(deadlines::reminderCount(paths, day(u"2024/12/28"_s), filedByDeadline, QString()),
                 3);
        // The same as the deadlines of the week.
        const deadlines::Found found =
            deadlines::find(paths, {day(u"2024/12/28"_s), 6, false, filedByDeadline}, QString());
        QCOMPARE(idsOf(found.records), (QStringList{u"1"_s, u"6"_s, u"2"_s}));
    }
};

QTEST_GUILESS_MAIN(TestDeadlines)
#include "tst_deadlines.moc"
