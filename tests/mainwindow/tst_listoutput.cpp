// The save dialog of the main window proposes a name for the list on show.
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "programfixture.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int SearchTab = int(diary::Tab::Search);

// One record in 2010/01 and one in 2026/11, with the summaries of 2026, so
// that every list has a row to save. Neither is sent yet; the deadline of
// the one of 2026/11 is a week after 2026/11/15: on the deadlines tab, but
// no reminder at start-up.
void storeData(const DataPaths& paths) {
    for (const auto& [year, month] : {std::pair{u"2010"_s, u"01"_s}, {u"2026"_s, u"11"_s}}) {
        PrizeEntry e;
        e[FilingDate] = u"%1/%2/05"_s.arg(year, month);
        e[HappyDay] = u"----/--/--"_s;
        e[Kekka] = u"未応募"_s;
        e[OtherDate] = u"%1/%2/22"_s.arg(year, month);
        QVERIFY(monthfile::write(paths.monthFile(year, month), {e}, QString()).ok());
    }
    QList<summaryfile::Row> months = summaryfile::zeroYear();
    months[10][summaryfile::EntryCount] = u"1"_s;
    QVERIFY(summaryfile::write(paths.yearFile(u"2026"_s), months).ok());
    const summaryfile::Row total = {u"2026"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"1"_s,
                                    u"0.00"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};
    QVERIFY(summaryfile::write(paths.totalFile(), {total}).ok());
}

// The search window's search for every record, to its end.
void searchEverything(ProgramFixture& program, const QWidget* window) {
    QWidget* search = openWindow(u"frmDataSearch"_s);
    QVERIFY(search != nullptr);
    program.prompter.expect(platform::MessageAnswer::Ok, u"検索終了"_s, u"検索が終了しました"_s);
    control<QPushButton>(search, u"cmdSearch"_s)->click();
    QTRY_VERIFY(control<QPushButton>(window, u"cmdSave"_s)->isEnabled());
}

}  // namespace

class TestListOutput : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The shown month, not today's, names the month and year lists.
    void proposesANameForTheList_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("proposed");
        const QDate november(2026, 11, 15);
        QTest::newRow("month") << november << QString() << 0 << u"2026年11月.csv"_s;
        QTest::newRow("month of one digit")
            << QDate(2010, 1, 5) << QString() << 0 << u"2010年01月.csv"_s;
        QTest::newRow("month stepped to")
            << QDate(2026, 10, 15) << u"cmdMonthNext"_s << 0 << u"2026年11月.csv"_s;
        QTest::newRow("year") << november << QString() << 1 << u"2026年.csv"_s;
        QTest::newRow("year stepped to")
            << QDate(2025, 11, 15) << u"cmdYearNext"_s << 1 << u"2026年.csv"_s;
        QTest::newRow("total") << november << QString() << 2 << u"総計.csv"_s;
        QTest::newRow("search") << november << QString() << SearchTab << u"検索結果.csv"_s;
        QTest::newRow("analysis") << november << QString() << int(diary::Tab::Analysis)
                                  << u"分析.csv"_s;
        QTest::newRow("deadlines")
            << november << QString() << int(diary::Tab::Deadline) << u"締切.csv"_s;
    }
    void proposesANameForTheList() {
        QFETCH(QDate, today);
        QFETCH(QString, step);
        QFETCH(int, tab);
        QFETCH(QString, proposed);
        ProgramFixture program;
        storeData(program.folder.paths());
        program.clock.setToday(today);
        frmMain* window = program.start();
        QVERIFY(window != nullptr);
        if (!step.isEmpty()) {
            control<QPushButton>(window, step)->click();
        }
        auto* tabMain = control<QTabBar>(window, u"tabMain"_s);
        tabMain->setCurrentIndex(tab);
        if (tab == SearchTab) {
            searchEverything(program, window);
        }
        auto* cmdSave = control<QPushButton>(window, u"cmdSave"_s);
        QVERIFY(cmdSave->isEnabled());
        program.dialogs.answerFile(std::nullopt);
        cmdSave->click();
        QVERIFY2(program.dialogs.faults().isEmpty(),
                 qPrintable(program.dialogs.faults().join(u'\n')));
        QCOMPARE(program.dialogs.pending(), 0);
        QCOMPARE(program.dialogs.asked().last().proposedName, proposed);
        tabMain->setCurrentIndex(0);
        control<QPushButton>(window, u"cmdEnd"_s)->click();
    }
};

QTEST_MAIN(TestListOutput)
#include "tst_listoutput.moc"
