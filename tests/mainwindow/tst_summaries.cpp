// The year and total files against a recount of the month files, after saves
// in random order, and the target-reached message.
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

#include "programfixture.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;
using summaryfile::Row;

namespace {

const QStringList results = {u"小物当選"_s, u"中物当選"_s, u"大物当選"_s,
                             u"落選"_s,     u"応募済み"_s, u"その他の当選"_s};

QStringList randomRecord(QRandomGenerator& random, const QString& yearMonth) {
    QStringList cells(PrizeEntryFieldCount);
    cells[FilingDate] = yearMonth + u"/%1"_s.arg(random.bounded(1, 29), 2, 10, QChar(u'0'));
    cells[ID] = u"0"_s;
    cells[Kekka] = results[random.bounded(int(results.size()))];
    cells[HappyMoney] = QString::number(random.bounded(5000));
    cells[HappyDay] = u"----/--/--"_s;
    return cells;
}

// What a year row must hold for a month file and the month's expenses.
Row recount(const QString& monthFile, int month, Currency expenses) {
    statistics::Counts counts;
    for (const PrizeEntry& record : monthfile::read(monthFile, QString()).records) {
        const QStringList cells(record.begin(), record.end());
        statistics::add(counts, cells, statistics::markOf(cells, QString()));
    }
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

}  // namespace

class TestSummaries : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void summariesEqualTheMonthFiles() {
        ProgramFixture program;
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        QRandomGenerator random(4711);
        const QStringList months = {u"2009/11"_s, u"2009/12"_s, u"2010/01"_s, u"2010/02"_s,
                                    u"2011/07"_s};
        QMap<QString, Currency> expenses;
        for (int step = 0; step < 40; ++step) {
            const QString yearMonth = months[random.bounded(int(months.size()))];
            window->ShownYear = yearMonth.left(4);
            window->ShownMonth = yearMonth.mid(5, 2);
            window->ShownDay = u"01"_s;
            window->LoadMonthFile();
            ListModel& list = window->lvwMonth->rows();
            if (list.rowCount() > 0 && random.bounded(4) == 0) {
                list.removeRowAt(random.bounded(list.rowCount()));
            } else {
                for (int n = random.bounded(1, 4); n > 0; --n) {
                    list.appendRow(randomRecord(random, yearMonth));
                }
            }
            window->SaveMonthFile();
            if (random.bounded(3) == 0) {
                // Expenses are entered on the year tab for the shown month.
                window->tabMain->setCurrentIndex(1);
                const Currency amount = *Currency::fromYen(random.bounded(3000));
                window->txtUnhappyMoneyValue->setText(amount.toString());
                QVERIFY(window->cmdUnhappyMoneyIn->isEnabled());
                window->cmdUnhappyMoneyIn->click();
                expenses[yearMonth] = amount;
                window->tabMain->setCurrentIndex(0);
            }
        }

        const DataPaths paths = program.folder.paths();
        const QList<Row> total = summaryfile::readTotal(paths.totalFile()).rows;
        QCOMPARE(total.size(), 3);
        Currency left = window->TargetAmount;
        for (const Row& yearRow : total) {
            const QString year = yearRow[summaryfile::Key];
            const QList<Row> rows = summaryfile::readYear(paths.yearFile(year)).rows;
            Row sums(summaryfile::TotalColumns, u"0"_s);
            for (int month = 1; month <= 12; ++month) {
                const QString mm = u"%1"_s.arg(month, 2, 10, QChar(u'0'));
                const Row expected =
                    recount(paths.monthFile(year, mm), month, expenses.value(year + u'/' + mm));
                QCOMPARE(rows[month - 1], expected);
                for (int c : {1, 2, 3, 4, 5}) {
                    sums[c] = QString::number(sums[c].toInt() + expected[c].toInt());
                }
                for (int c : {7, 8}) {
                    sums[c] = money(sums[c]).plus(money(expected[c]))->toString();
                }
            }
            for (int c : {1, 2, 3, 4, 5, 7, 8}) {
                QCOMPARE(yearRow[c], sums[c]);
            }
            QCOMPARE(yearRow[summaryfile::WinRate],
                     statistics::winRate(sums[4].toInt(), sums[5].toInt()));
            const Currency balance = *money(sums[7]).minus(money(sums[8]));
            QCOMPARE(yearRow[summaryfile::Balance], balance.toString());
            left = *left.minus(balance);
            QCOMPARE(yearRow[summaryfile::TargetLeft], left.toString());
        }
        window->cmdEnd_Click();
    }

    // A target of 1000 and balances of 600 and 500: 400 and -100 left, and
    // the message once, for the second year; the flag is stored at once.
    void targetReachedOnce() {
        ProgramFixture program;
        QVERIFY(writeEnciphered(program.folder.paths().settingsFile(),
                                "[Setting]\r\nDreamMoney=1000\r\n"));
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        const auto saveWin = [&](const QString& year, const QString& money) {
            window->ShownYear = year;
            window->ShownMonth = u"05"_s;
            window->LoadMonthFile();
            QStringList cells(PrizeEntryFieldCount);
            cells[FilingDate] = year + u"/05/01"_s;
            cells[Kekka] = u"小物当選"_s;
            cells[HappyMoney] = money;
            window->lvwMonth->rows().appendRow(cells);
            window->SaveMonthFile();
        };
        saveWin(u"2009"_s, u"600"_s);
        QVERIFY(program.prompter.shown().size() == 0);
        program.prompter.expect(platform::MessageAnswer::Ok, u"(^-^)vブィ！"_s,
                                u"目標収支金額を達成しました。"_s);
        saveWin(u"2010"_s, u"500"_s);
        QCOMPARE(program.prompter.pending(), 0);
        QVERIFY(program.prompter.faults().isEmpty());
        const QList<Row> total = summaryfile::readTotal(program.folder.paths().totalFile()).rows;
        QCOMPARE(total.size(), 2);
        QCOMPARE(total[0][summaryfile::TargetLeft], u"400"_s);
        QCOMPARE(total[1][summaryfile::TargetLeft], u"-100"_s);
        QVERIFY(
            deciphered(program.folder.paths().settingsFile()).contains("\r\nDreamMoneyFlag=1\r\n"));
        // Another save reaches the target again, but the message was shown.
        saveWin(u"2010"_s, u"1"_s);
        QVERIFY(program.prompter.faults().isEmpty());
        window->cmdEnd_Click();
    }
};

QTEST_MAIN(TestSummaries)
#include "tst_summaries.moc"
