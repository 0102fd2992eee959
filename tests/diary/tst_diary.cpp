// The diary without any window: months stored with their summaries, the
// year and total files against a recount of the month files, the target,
// moves of records between months, and removals of months, years and all.
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

#include "diary/diary.h"
#include "diarytestdata.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using summaryfile::Row;

namespace {

const QStringList results = {u"小物当選"_s, u"中物当選"_s, u"大物当選"_s,
                             u"落選"_s,     u"応募済み"_s, u"その他の当選"_s};

PrizeEntry randomRecord(QRandomGenerator& random, const QString& yearMonth) {
    return diaryRecord(yearMonth + u"/%1"_s.arg(random.bounded(1, 29), 2, 10, QChar(u'0')),
                       QString::number(random.bounded(100)),
                       results[random.bounded(int(results.size()))],
                       QString::number(random.bounded(5000)));
}

// What a year row must hold for a month file and the month's expenses.
Row recount(const QString& monthFile, int month, Currency expenses) {
    const statistics::Counts counts =
        statistics::countOf(monthfile::read(monthFile, QString()).records);
    return {QString::number(month),
            QString::number(counts.smallWins),
            QString::number(counts.middleWins),
            QString::number(counts.bigWins),
            QString::number(counts.wins),
            QString::number(counts.entries),
            statistics::winRate(counts.wins, counts.entries),
            counts.winMoney.toString(),
            expenses.toString(),
            counts.winMoney.minus(expenses)->toString()};
}

Currency money(const QString& text) {
    return *Currency::parse(text);
}

QList<PrizeEntry> stored(const DataPaths& paths, const QString& year, const QString& month) {
    return monthfile::read(paths.monthFile(year, month), QString()).records;
}

// Loads a month as the main window does: the year's rows first, for the
// month's expenses.
diary::Result show(diary::Diary& diary, const QString& year, const QString& month) {
    diary.summaries().loadYear(year);
    return diary.month().load(year, month, diary.settings().password,
                              diary.summaries().expensesOf(month.toInt()));
}

}  // namespace

class TestDiary : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Saves in random order, with records added and removed and expenses
    // entered: every year row and every total row equals a recount of the
    // month files.
    void summariesEqualTheMonthFiles() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        diary::Diary diary(paths);
        diary.setSettings({{}, {}, true, *Currency::fromYen(20000)});
        QRandomGenerator random(4711);
        const QStringList months = {u"2009/11"_s, u"2009/12"_s, u"2010/01"_s, u"2010/02"_s,
                                    u"2011/07"_s};
        QMap<QString, Currency> expenses;
        for (int step = 0; step < 40; ++step) {
            const QString yearMonth = months[random.bounded(int(months.size()))];
            const QString year = yearMonth.left(4);
            const QString month = yearMonth.mid(5, 2);
            QVERIFY(show(diary, year, month).done);
            diary::RecordList& records = diary.month().records();
            if (records.count() > 0 && random.bounded(4) == 0) {
                QVERIFY(diary.removeRows({random.bounded(records.count())}).done);
            } else {
                for (int n = random.bounded(1, 4); n > 0; --n) {
                    records.append(randomRecord(random, yearMonth));
                }
                records.sortByFilingKey();
                const diary::Result result = diary.store(diary.month());
                QVERIFY(result.done && result.notices.isEmpty());
            }
            if (random.bounded(3) == 0 && diary.month().records().count() > 0) {
                // Expenses are entered on the year list, for a month that has
                // records: the month keeps the figures of its row.
                diary::Summaries& summaries = diary.summaries();
                diary::MonthFigures figures = summaries.figuresOf(month.toInt());
                figures.expenses = *Currency::fromYen(random.bounded(3000));
                QVERIFY(summaries.storeMonth(year, month.toInt(), figures).done);
                QVERIFY(
                    summaries.storeYear(year, summaries.yearSums(), diary.settings().target).done);
                expenses[yearMonth] = figures.expenses;
            }
            if (diary.month().records().count() == 0) {
                expenses.remove(yearMonth);  // a month removed takes its expenses along
            }
        }

        const QList<Row> total = summaryfile::readTotal(paths.totalFile()).rows;
        QVERIFY(!total.isEmpty());
        Currency left = diary.settings().target;
        for (const Row& yearRow : total) {
            const QString year = yearRow[summaryfile::Key];
            const QList<Row> rows = summaryfile::readYear(paths.yearFile(year)).rows;
            diary::YearSums sums;
            for (int month = 1; month <= 12; ++month) {
                const QString mm = u"%1"_s.arg(month, 2, 10, QChar(u'0'));
                const Row expected =
                    recount(paths.monthFile(year, mm), month, expenses.value(year + u'/' + mm));
                QCOMPARE(rows[month - 1], expected);
                sums.wins += expected[4].toInt();
                sums.entries += expected[5].toInt();
                sums.money = *sums.money.plus(money(expected[7]));
                sums.expenses = *sums.expenses.plus(money(expected[8]));
            }
            QCOMPARE(yearRow[summaryfile::WinCount], QString::number(sums.wins));
            QCOMPARE(yearRow[summaryfile::EntryCount], QString::number(sums.entries));
            QCOMPARE(yearRow[summaryfile::WinRate], sums.winRate());
            QCOMPARE(yearRow[summaryfile::Balance], sums.balance().toString());
            left = *left.minus(sums.balance());
            QCOMPARE(yearRow[summaryfile::TargetLeft], left.toString());
        }
        // Every year folder with months has its row, and none without.
        QStringList yearsWithMonths;
        for (const QString& year : {u"2009"_s, u"2010"_s, u"2011"_s}) {
            if (QDir(paths.yearFolder(year)).exists()) {
                yearsWithMonths.append(year);
            }
        }
        QStringList yearsInTotal;
        for (const Row& row : total) {
            yearsInTotal.append(row[summaryfile::Key]);
        }
        QCOMPARE(yearsInTotal, yearsWithMonths);
    }

    // A target of 1000 and balances of 600 and 500: 400 and -100 are left.
    void targetCountsDownOverTheYears() {
        TestFolder folder;
        diary::Diary diary(folder.paths());
        diary.setSettings({{}, {}, false, *Currency::fromYen(1000)});
        QVERIFY(show(diary, u"2010"_s, u"01"_s).done);
        diary.month().records().append(
            diaryRecord(u"2010/01/05"_s, u"1"_s, u"小物当選"_s, u"500"_s));
        QVERIFY(diary.store(diary.month()).done);
        QVERIFY(show(diary, u"2009"_s, u"05"_s).done);
        diary.month().records().append(
            diaryRecord(u"2009/05/05"_s, u"1"_s, u"大物当選"_s, u"600"_s));
        QVERIFY(diary.store(diary.month()).done);
        const diary::RowList& total = diary.summaries().total();
        QCOMPARE(total.count(), 2);
        QCOMPARE(total.rows()[0], (QStringList{u"2009"_s, u"0"_s, u"0"_s, u"1"_s, u"1"_s, u"1"_s,
                                               u"100.00"_s, u"600"_s, u"0"_s, u"600"_s, u"400"_s}));
        QCOMPARE(total.text(1, summaryfile::TargetLeft), u"-100"_s);
        QCOMPARE(summaryfile::readTotal(folder.paths().totalFile()).rows, total.rows());
    }

    // Counts add up in 64 bits; the row that would pass the range is left
    // out of the sum and the overflow is told.
    void countSumsStopAtTheirRange() {
        constexpr qint64 largestCount = 9'000'000'000'000'000;  // the most a file's count holds
        constexpr qint64 fitting = std::numeric_limits<qint64>::max() / largestCount;
        Row row(summaryfile::TotalColumns, u"0"_s);
        row[summaryfile::EntryCount] = QString::number(largestCount);
        const QList<Row> rows(fitting, row);
        diary::YearSums sums = diary::sumOf(rows);
        QVERIFY(!sums.overflow);
        QCOMPARE(sums.entries, fitting * largestCount);
        sums = diary::sumOf(rows + QList<Row>{row});
        QVERIFY(sums.overflow);
        QCOMPARE(sums.entries, fitting * largestCount);
    }

    // A month whose file was refused for its password, or could not be read,
    // is never written: its records would be lost.
    void unreadableMonthIsNeverWritten() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString path = paths.monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(path, {diaryRecord(u"2010/01/05"_s, u"1"_s)}, u"abc"_s).ok());
        const QByteArray before = readBytes(path);
        diary::Diary diary(paths);
        const diary::Result loaded = show(diary, u"2010"_s, u"01"_s);
        QVERIFY(!loaded.done);
        QCOMPARE(loaded.notices.value(0).title, u"認証エラー"_s);
        QCOMPARE(diary.month().records().count(), 0);
        diary.month().records().append(diaryRecord(u"2010/01/06"_s, u"2"_s));
        const diary::Result saved = diary.store(diary.month());
        QVERIFY(!saved.done);
        QCOMPARE(saved.notices.value(0).text,
                 u"データファイル「%1」を読み込めなかったため、この月には保存できません。"_s.arg(
                     QDir::toNativeSeparators(path)));
        QCOMPARE(readBytes(path), before);
        QVERIFY(!QFile::exists(paths.yearFile(u"2010"_s)));
        // Once the file is gone the month may be stored again, and again.
        QVERIFY(QFile::remove(path));
        QVERIFY(diary.store(diary.month()).done);
        diary.month().records().append(diaryRecord(u"2010/01/07"_s, u"3"_s));
        QVERIFY(diary.store(diary.month()).done);
        QCOMPARE(stored(paths, u"2010"_s, u"01"_s).size(), 2);
    }

    // A month with damaged lines shows what it could read; neither a change
    // nor a deletion of its records writes over the lines it could not.
    void damagedMonthIsNeverWritten() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString path = paths.monthFile(u"2010"_s, u"01"_s);
        QVERIFY(monthfile::write(path, {diaryRecord(u"2010/01/05"_s, u"1"_s)}, QString()).ok());
        QByteArray plain = deciphered(path);
        plain += "\"2010/01/06\",\"cut\r\n";
        QVERIFY(writeEnciphered(path, plain));
        const QByteArray before = readBytes(path);
        diary::Diary diary(paths);
        const diary::Result loaded = show(diary, u"2010"_s, u"01"_s);
        QCOMPARE(loaded.notices.size(), 1);
        QCOMPARE(
            loaded.notices[0].text,
            u"データファイル「%1」の2行目を読み取れません。\r\nこの月は読み取れた懸賞情報だけを表示し、保存しません。"_s
                .arg(QDir::toNativeSeparators(path)));
        QCOMPARE(diary.month().records().count(), 1);
        QVERIFY(!diary.store(diary.month()).done);
        QVERIFY(!diary.removeRows({0}).done);
        QCOMPARE(diary.month().records().count(), 1);
        QCOMPARE(readBytes(path), before);
    }

    // A move stores the record in its new month before it leaves the old
    // one; when the new month cannot take it, it stays where it was.
    void moveStoresBeforeItRemoves() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const PrizeEntry a = diaryRecord(u"2010/01/05"_s, u"1"_s, u"小物当選"_s, u"500"_s);
        const PrizeEntry b = diaryRecord(u"2010/01/06"_s, u"2"_s);
        QVERIFY(monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), {a, b}, QString()).ok());
        QVERIFY(monthfile::write(paths.monthFile(u"2010"_s, u"03"_s),
                                 {diaryRecord(u"2010/03/20"_s, u"9"_s)}, QString())
                    .ok());
        diary::Diary diary(paths);
        diary.setSettings({{}, {}, true, {}});
        QVERIFY(show(diary, u"2010"_s, u"01"_s).done);

        PrizeEntry moved = a;
        moved[FilingDate] = u"2010/03/02"_s;
        QVERIFY(diary.moveRecord(0, moved).done);
        QCOMPARE(stored(paths, u"2010"_s, u"01"_s), (QList<PrizeEntry>{b}));
        // Sorted into its new month by date.
        QCOMPARE(stored(paths, u"2010"_s, u"03"_s).value(0), moved);
        QCOMPARE(diary.month().records().records(), (QList<PrizeEntry>{b}));
        const QList<Row> year = summaryfile::readYear(paths.yearFile(u"2010"_s)).rows;
        QCOMPARE(year[0][summaryfile::EntryCount], u"1"_s);
        QCOMPARE(year[2][summaryfile::EntryCount], u"2"_s);
        QCOMPARE(year[2][summaryfile::WinMoney], u"500"_s);

        // A new month that cannot be written: nothing moves, nothing is lost.
        const QByteArray before = readBytes(paths.monthFile(u"2010"_s, u"01"_s));
        PrizeEntry away = b;
        away[FilingDate] = u"2010/05/01"_s;
        {
            FailingWorkFile::Scope fullDisk(10);
            const diary::Result result = diary.moveRecord(0, away);
            QVERIFY(!result.done);
            QCOMPARE(result.notices.size(), 1);
            QVERIFY2(result.notices[0].text.startsWith(diskfile::cannotWriteMessage(
                         paths.monthFile(u"2010"_s, u"05"_s), QString())),
                     qPrintable(result.notices[0].text));
        }
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"05"_s)));
        QCOMPARE(readBytes(paths.monthFile(u"2010"_s, u"01"_s)), before);
        QCOMPARE(diary.month().records().records(), (QList<PrizeEntry>{b}));

        // The last record moving out takes its month's file with it.
        QVERIFY(diary.moveRecord(0, away).done);
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"01"_s)));
        QCOMPARE(stored(paths, u"2010"_s, u"05"_s), (QList<PrizeEntry>{away}));
    }

    // A month that becomes empty goes with its file; the last month of a year
    // takes the year folder, the year file and the year's total row along,
    // and the last year the summary folder.
    void removalsLeaveNoEmptyFolders() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        diary::Diary diary(paths);
        for (const QString& yearMonth : {u"2009/12"_s, u"2010/01"_s, u"2010/02"_s}) {
            QVERIFY(show(diary, yearMonth.left(4), yearMonth.mid(5)).done);
            diary.month().records().append(diaryRecord(yearMonth + u"/01"_s, u"1"_s));
            QVERIFY(diary.store(diary.month()).done);
        }
        QVERIFY(show(diary, u"2010"_s, u"01"_s).done);
        QVERIFY(diary.removeRows({0}).done);
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"01"_s)));
        QCOMPARE(diary.month().records().count(), 0);
        QCOMPARE(summaryfile::readYear(paths.yearFile(u"2010"_s)).rows[0],
                 summaryfile::zeroYear()[0]);
        QCOMPARE(summaryfile::readTotal(paths.totalFile()).rows.size(), 2);

        QVERIFY(diary.removeMonth(u"2010"_s, u"02"_s).done);
        QVERIFY(!QDir(paths.yearFolder(u"2010"_s)).exists());
        QVERIFY(!QFile::exists(paths.yearFile(u"2010"_s)));
        const QList<Row> total = summaryfile::readTotal(paths.totalFile()).rows;
        QCOMPARE(total.size(), 1);
        QCOMPARE(total[0][summaryfile::Key], u"2009"_s);

        QVERIFY(diary.removeYear(u"2009"_s).done);
        QVERIFY(!QDir(paths.yearFolder(u"2009"_s)).exists());
        QVERIFY(!QDir(paths.summaryFolder()).exists());
        QCOMPARE(diary.summaries().total().count(), 0);
    }

    // Everything goes but the settings.
    void removeAllKeepsTheSettings() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        QVERIFY(writeEnciphered(paths.settingsFile(), "[Setting]\r\n"));
        diary::Diary diary(paths);
        for (const QString& yearMonth : {u"2009/12"_s, u"2010/01"_s}) {
            QVERIFY(show(diary, yearMonth.left(4), yearMonth.mid(5)).done);
            diary.month().records().append(diaryRecord(yearMonth + u"/01"_s, u"1"_s));
            QVERIFY(diary.store(diary.month()).done);
        }
        QVERIFY(writeBytes(paths.yearFolder(u"2010"_s) + u"/!"_s, "stale work file"));
        QVERIFY(diary.removeAll().done);
        QCOMPARE(QDir(paths.dataFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{u"ini"_s});
        QVERIFY(QFile::exists(paths.settingsFile()));
        QCOMPARE(diary.month().records().count(), 0);
    }

    // A file that cannot be removed is named to the user, and the removal
    // goes on with the rest.
    void fileThatCannotBeRemovedIsTold() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        diary::Diary diary(paths);
        QVERIFY(show(diary, u"2010"_s, u"01"_s).done);
        diary.month().records().append(diaryRecord(u"2010/01/01"_s, u"1"_s));
        QVERIFY(diary.store(diary.month()).done);
        // A folder where the year file should be cannot be removed as a file.
        QVERIFY(QFile::remove(paths.yearFile(u"2010"_s)));
        QVERIFY(QDir().mkpath(paths.yearFile(u"2010"_s) + u"/blocked"_s));
        const diary::Result result = diary.removeMonth(u"2010"_s, u"01"_s);
        QCOMPARE(result.notices.size(), 1);
        QCOMPARE(result.notices[0].title, u"ｴﾗｰ"_s);
        QVERIFY2(
            result.notices[0].text.startsWith(u"ファイル「%1」を削除できませんでした。\r\n"_s.arg(
                QDir::toNativeSeparators(paths.yearFile(u"2010"_s)))),
            qPrintable(result.notices[0].text));
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"01"_s)));
        QVERIFY(summaryfile::readTotal(paths.totalFile()).rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDiary)
#include "tst_diary.moc"
