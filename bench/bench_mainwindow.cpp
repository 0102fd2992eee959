// The main window as a user drives it: start-up on an empty data folder, a
// month of 32,767 records shown and counted, the expenses entry with 20 years
// in the total file, and one record update in a month of 5,000 records.
// Everything goes through the window's controls, by their names.
#include <QApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeView>

#include "benchdata.h"
#include "benchwindows.h"
#include "diary/deadlines.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;

namespace {

void click(const QWidget* window, const QString& name) {
    control<QPushButton>(window, name)->click();
}

void endProgram(frmMain* window) {
    click(window, u"cmdEnd"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The shown date, changed by the user.
void showDate(const QWidget* window, QDate date) {
    control<QDateEdit>(window, u"dtpDate"_s)->setDate(date);
}

int monthRows(const QWidget* window) {
    return control<QTreeView>(window, u"lvwMonth"_s)->model()->rowCount();
}

void BM_StartOnEmptyFolder(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        Desktop desktop;
        state.ResumeTiming();
        frmMain* window = startProgram(desktop, folder.path());
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window == nullptr || !window->isVisible()) {
            state.SkipWithError("the window did not show");
            break;
        }
        endProgram(window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartOnEmptyFolder)->Unit(benchmark::kMillisecond)->Iterations(20);

// Start-up on 20 years of 1,000 records a month, to the month on show and
// the reminder of the coming deadlines: with the results as stored (nothing
// due, no message) and with every record not yet sent (the message counts
// hundreds).
void BM_StartWith20Years(benchmark::State& state) {
    const bool allNotApplied = state.range(0) != 0;
    const QString folder =
        allNotApplied ? benchdata::notAppliedData().folder.path() : benchdata::data().folder.path();
    const DataPaths paths(folder);
    if (!QFile::exists(paths.settingsFile())) {
        // Not a first start: no question before the month.
        QDir().mkpath(paths.iniFolder());
        settingsfile::write(paths.settingsFile(), settingsfile::Settings());
    }
    Desktop desktop;
    const int due = deadlines::reminderCount(paths, desktop.clock.today(), false, {});
    for (auto _ : state) {
        if (due > 0) {
            desktop.prompter.expect(platform::MessageAnswer::Ok, u"締切のお知らせ"_s,
                                    u"締切まで7日以内の未応募の懸賞が%1件あります。"_s.arg(due));
        }
        frmMain* window = startProgram(desktop, folder);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window == nullptr || monthRows(window) != benchdata::RecordsPerMonth ||
            desktop.prompter.pending() != 0 || !desktop.prompter.faults().isEmpty()) {
            state.SkipWithError("the month or the reminder was not shown");
            break;
        }
        endProgram(window);
        state.ResumeTiming();
    }
    state.SetLabel(allNotApplied ? "every record 未応募" : "results as stored");
    state.counters["due"] = due;
}
BENCHMARK(BM_StartWith20Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

bool writeBigMonth(const DataPaths& paths) {
    QList<PrizeEntry> records;
    for (int i = 0; i < 32767; ++i) {
        records.append({u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')),
                        QString::number(100000 + i), u"ネット"_s,
                        u"http://example.jp/c/%1"_s.arg(100000 + i), u"商品券"_s,
                        u"お米10kg（新潟県産こしひかり）"_s, i % 3 ? QString() : u"小物当選"_s,
                        QString::number((i % 4) * 500), u"5名様"_s, u"2010/02/15"_s,
                        i % 5 ? u"----/--/--"_s : u"2010/01/15"_s, u"アンケート"_s, u"抽選"_s,
                        u"不定期"_s, u"ネット応募"_s, u"メモ"_s, QString()});
    }
    return monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), records, QString()).ok();
}

// Another month and back: the month of 32,767 records is read, shown and
// counted, with the marks (the other month has no file).
void BM_ShowMonthOf32767(benchmark::State& state) {
    QTemporaryDir folder;
    if (!writeBigMonth(DataPaths(folder.path()))) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    for (auto _ : state) {
        showDate(window, QDate(2010, 2, 15));
        showDate(window, QDate(2010, 1, 15));
        QCoreApplication::processEvents();
        if (monthRows(window) != 32767) {
            state.SkipWithError("records missing");
        }
    }
    endProgram(window);
}
BENCHMARK(BM_ShowMonthOf32767)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Another day of the same month: the statistics and marks of 32,767 records
// are counted anew.
void BM_StatisticsOf32767(benchmark::State& state) {
    QTemporaryDir folder;
    if (!writeBigMonth(DataPaths(folder.path()))) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    int day = 15;
    for (auto _ : state) {
        day = day == 15 ? 16 : 15;
        showDate(window, QDate(2010, 1, day));
        QCoreApplication::processEvents();
    }
    state.counters["wins"] = control<QLineEdit>(window, u"txtHappyCount"_s)->text().toInt();
    endProgram(window);
}
BENCHMARK(BM_StatisticsOf32767)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The expenses of a month entered on the year tab, with 20 years in the
// total file: the year file, the total file and the year list anew.
void BM_ExpensesWith20Years(benchmark::State& state) {
    QTemporaryDir folder;
    const DataPaths paths(folder.path());
    QList<summaryfile::Row> total;
    for (int year = 1991; year <= 2010; ++year) {
        QList<summaryfile::Row> rows = summaryfile::zeroYear();
        rows[0] = {u"1"_s,  u"3"_s,    u"0"_s,    u"0"_s, u"3"_s,
                   u"40"_s, u"7.50"_s, u"1500"_s, u"0"_s, u"1500"_s};
        if (!summaryfile::write(paths.yearFile(QString::number(year)), rows).ok()) {
            state.SkipWithError("cannot write the year");
            return;
        }
        total.append({QString::number(year), u"3"_s, u"0"_s, u"0"_s, u"3"_s, u"40"_s, u"7.50"_s,
                      u"1500"_s, u"0"_s, u"1500"_s, u"0"_s});
    }
    if (!summaryfile::write(paths.totalFile(), total).ok()) {
        state.SkipWithError("cannot write the total");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(1);
    int n = 0;
    for (auto _ : state) {
        control<QLineEdit>(window, u"txtUnhappyMoneyValue"_s)->setText(QString::number(++n));
        click(window, u"cmdUnhappyMoneyIn"_s);
    }
    if (!control<QPushButton>(window, u"cmdUnhappyMoneyIn"_s)->isEnabled()) {
        state.SkipWithError("the expenses entry was not open");
    }
    endProgram(window);
}
BENCHMARK(BM_ExpensesWith20Years)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One record update in a month of 5,000 records: sort, month file,
// statistics, year and total rows.
void BM_UpdateIn5000(benchmark::State& state) {
    QTemporaryDir folder;
    const DataPaths paths(folder.path());
    QList<PrizeEntry> records;
    for (int i = 0; i < 5000; ++i) {
        records.append({u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')), QString::number(i),
                        u"ネット"_s, QString(), u"現金"_s, u"賞品%1"_s.arg(i),
                        i % 3 ? u"落選"_s : u"小物当選"_s, u"500"_s, u"5名様"_s, u"2010/02/15"_s,
                        u"----/--/--"_s, u"アンケート"_s, u"抽選"_s, u"不定期"_s, u"ネット応募"_s,
                        QString(), QString()});
    }
    if (!monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), records, QString()).ok()) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    auto* month = control<QTreeView>(window, u"lvwMonth"_s);
    const QModelIndex row = month->model()->index(2500, 0);
    month->scrollTo(row);
    month->setCurrentIndex(row);
    Q_EMIT month->clicked(row);
    click(window, u"cmdHensyu"_s);
    QWidget* editor = openWindow(u"frmDataInput"_s);
    if (editor == nullptr) {
        state.SkipWithError("the editor did not open");
        endProgram(window);
        return;
    }
    int n = 0;
    for (auto _ : state) {
        control<QLineEdit>(editor, u"txtMsg"_s)->setText(QString::number(++n));
        click(editor, u"cmdKoshin"_s);
    }
    if (monthRows(window) != 5000) {
        state.SkipWithError("records lost");
    }
    click(editor, u"cmdClose"_s);
    endProgram(window);
}
BENCHMARK(BM_UpdateIn5000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The month of 32,767 records saved through the save dialog as CSV or as an
// HTML table: formatted, encoded and written beside the target.
void saveMonthOf32767(benchmark::State& state, const QString& name) {
    QTemporaryDir folder;
    if (!writeBigMonth(DataPaths(folder.path()))) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    const QString path = folder.filePath(name);
    for (auto _ : state) {
        desktop.dialogs.answerFile(path);
        desktop.prompter.expect(platform::MessageAnswer::Ok, u"完了"_s, u"保存しました"_s);
        click(window, u"cmdSave"_s);
    }
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    if (!desktop.prompter.faults().isEmpty()) {
        state.SkipWithError("the save did not finish");
    }
    endProgram(window);
}

void BM_SaveCsvOf32767(benchmark::State& state) {
    saveMonthOf32767(state, u"list.csv"_s);
}
BENCHMARK(BM_SaveCsvOf32767)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveHtmlOf32767(benchmark::State& state) {
    saveMonthOf32767(state, u"list.htm"_s);
}
BENCHMARK(BM_SaveHtmlOf32767)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// 1,000 announcements of the mail magazine imported into a month of 5,000
// records with the duplicate check on (no duplicates): read, compared,
// sorted, the month file and the summaries written.
void BM_ImportThousandInto5000(benchmark::State& state) {
    QTemporaryDir folder;
    const DataPaths paths(folder.path());
    QList<PrizeEntry> records;
    for (int i = 0; i < 5000; ++i) {
        records.append({u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')), QString::number(i),
                        u"ネット"_s, QString(), u"現金"_s, u"賞品%1"_s.arg(i), u"落選"_s, u"0"_s,
                        u"5名様"_s, u"2010/02/15"_s, u"----/--/--"_s, u"アンケート"_s, u"抽選"_s,
                        u"不定期"_s, u"ネット応募"_s, QString(), QString()});
    }
    QString magazine;
    for (int i = 0; i < 1000; ++i) {
        magazine +=
            u"━━━━━━━━━━━━━━━━━━━━\r\nID:%1 賞品:温泉ペア宿泊券%1 "
            u"<http://kirabi.example.jp/p/%1>\r\nURL http://example.jp/c/%1\r\n"
            u"当選数:5名様 締切:2010/02/28\r\nサイト名:温泉ネット\r\n紹介文:人気の宿に\r\n"
            u"泊まろう\r\n［旅行・宿泊券│アンケート│抽選│毎週│ネット応募］\r\n"_s.arg(100000 + i);
    }
    if (!monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), records, QString()).ok()) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    desktop.clipboard.setText(magazine);
    frmMain* window = startProgram(desktop, folder.path());
    for (auto _ : state) {
        state.PauseTiming();
        monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), records, QString());
        showDate(window, QDate(2010, 2, 15));
        showDate(window, QDate(2010, 1, 15));
        state.ResumeTiming();
        click(window, u"cmdInput"_s);
    }
    if (monthRows(window) != 6000) {
        state.SkipWithError("records missing");
    }
    endProgram(window);
}
BENCHMARK(BM_ImportThousandInto5000)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
