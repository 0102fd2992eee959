// frmMain: the year and total summaries — their files, their lists, the
// month expenses and the savings target.
#include <QKeyEvent>

#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;
using summaryfile::Row;

namespace {

Currency money(const QString& text) {
    return Currency::parse(text).value_or(Currency());
}

Currency difference(Currency a, Currency b) {
    return a.minus(b).value_or(a);
}

Currency sum(Currency a, Currency b) {
    return a.plus(b).value_or(a);
}

// The rate and the balance of a row follow from its other figures.
void completeRow(Row& row) {
    using namespace summaryfile;
    const qint64 wins = countOf(row.value(WinCount));
    row[WinRate] = wins > 0 ? statistics::winRate(wins, countOf(row.value(EntryCount))) : u"0.00"_s;
    row[Balance] = difference(money(row.value(WinMoney)), money(row.value(Expenses))).toString();
}

struct YearSums {
    qint32 smallWins = 0, middleWins = 0, bigWins = 0, wins = 0, entries = 0;
    Currency money, expenses;
};

YearSums sumOf(const QList<Row>& rows) {
    using namespace summaryfile;
    YearSums s;
    for (const Row& row : rows) {
        s.smallWins += qint32(countOf(row.value(SmallWins)));
        s.middleWins += qint32(countOf(row.value(MiddleWins)));
        s.bigWins += qint32(countOf(row.value(BigWins)));
        s.wins += qint32(countOf(row.value(WinCount)));
        s.entries += qint32(countOf(row.value(EntryCount)));
        s.money = sum(s.money, ::money(row.value(WinMoney)));
        s.expenses = sum(s.expenses, ::money(row.value(Expenses)));
    }
    return s;
}

void setRows(ListModel& model, const QList<Row>& rows) {
    model.clearRows();
    model.appendRows(rows);
}

// Colours and bold faces of the figures of a year or total list.
void markSummaryCells(ListModel& model) {
    using namespace summaryfile;
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    model.setTextColor(Qt::black);
    for (int row = 0; row < model.rowCount(); ++row) {
        const auto mark = [&](int column, bool on, const QColor& color = QColor()) {
            if (on) {
                model.setCellColor(row, column, color);
            }
            model.setCellBold(row, column, on);
        };
        mark(SmallWins, isPositiveText(model.text(row, SmallWins)), statistics::SmallWinColor);
        mark(MiddleWins, isPositiveText(model.text(row, MiddleWins)), statistics::MiddleWinColor);
        mark(BigWins, isPositiveText(model.text(row, BigWins)), statistics::BigWinColor);
        mark(WinCount, isPositiveText(model.text(row, WinCount)));
        mark(EntryCount, isPositiveText(model.text(row, EntryCount)));
        mark(WinRate, model.text(row, WinRate).compare(u"0.00"_s) > 0);
        mark(WinMoney, isPositiveText(model.text(row, WinMoney)), blue);
        mark(Expenses, isPositiveText(model.text(row, Expenses)), red);
        const Currency balance = money(model.text(row, Balance));
        mark(Balance, !balance.isZero(), balance < Currency() ? red : blue);
        if (model.columnCount() > TargetLeft) {
            mark(TargetLeft, model.text(row, TargetLeft) != u"0"_s);
        }
    }
    model.marksChanged(0, model.rowCount() - 1);
}

}  // namespace

void frmMain::SaveYearFile() {
    using namespace summaryfile;
    const QString path = Paths.yearFile(ShownYear);
    const ReadResult read = readYear(path);
    if (read.status == ReadResult::Status::Failed) {
        // Never overwrite figures that could not be read.
        platform_.prompter.message(u"ｴﾗｰ"_s, read.error, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
        return;
    }
    QList<Row> rows = read.rows;
    const int month = ShownMonth.toInt();
    if (month >= 1 && month <= 12) {
        Row& row = rows[month - 1];
        if (MonthRemovedFlag) {
            row = zeroYear()[month - 1];
            MonthRemovedFlag = false;
        } else {
            row[SmallWins] = QString::number(MonthSmallWins);
            row[MiddleWins] = QString::number(MonthMiddleWins);
            row[BigWins] = QString::number(MonthBigWins);
            row[WinCount] = QString::number(MonthWinCount);
            row[EntryCount] = QString::number(MonthEntryCount);
            row[WinMoney] = MonthWinMoney.toString();
            row[Expenses] = MonthExpenses.toString();
        }
    }
    for (Row& row : rows) {
        completeRow(row);
    }
    setRows(lvwYear->rows(), rows);
    const diskfile::WriteResult written = summaryfile::write(path, rows);
    if (!written.ok()) {
        platform_.prompter.message(u"ｴﾗｰ"_s, written.error, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
    }

    // The year's sums; the prize-class counters hold the year's until the
    // month is counted again.
    const YearSums sums = sumOf(rows);
    MonthSmallWins = sums.smallWins;
    MonthMiddleWins = sums.middleWins;
    MonthBigWins = sums.bigWins;
    YearWinCount = sums.wins;
    YearEntryCount = sums.entries;
    YearWinMoney = sums.money;
    YearExpenses = sums.expenses;
    YearWinRate = YearWinCount < 1 ? u"0.00"_s : statistics::winRate(YearWinCount, YearEntryCount);
    YearBalance = difference(YearWinMoney, YearExpenses);
    const QString key = selectedTabKey();
    if (key == u"T_Year"_s || key == u"T_Total"_s) {
        ListViewStatistics();
    }
    if (written.ok()) {
        SaveTotalFile();
    }
}

void frmMain::SaveTotalFile() {
    using namespace summaryfile;
    const QString path = Paths.totalFile();
    const ReadResult read = readTotal(path);
    if (read.status == ReadResult::Status::Failed) {
        return;  // a total file that cannot be read is never overwritten
    }
    QList<Row> rows = read.rows;
    const auto byYear = [](const Row& a, const Row& b) { return a.value(Key) < b.value(Key); };
    std::stable_sort(rows.begin(), rows.end(), byYear);
    Row figures(TotalColumns);
    figures[Key] = ShownYear;
    figures[SmallWins] = QString::number(MonthSmallWins);
    figures[MiddleWins] = QString::number(MonthMiddleWins);
    figures[BigWins] = QString::number(MonthBigWins);
    figures[WinCount] = QString::number(YearWinCount);
    figures[EntryCount] = QString::number(YearEntryCount);
    figures[WinMoney] = YearWinMoney.toString();
    figures[Expenses] = YearExpenses.toString();
    completeRow(figures);
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const Row& row) { return row.value(Key) == ShownYear; });
    qsizetype at = found - rows.begin();
    if (found != rows.end()) {
        for (int column = SmallWins; column <= Balance; ++column) {
            (*found)[column] = figures[column];
        }
    } else {
        rows.append(figures);
    }
    if (YearRemovedFlag) {
        if (at < rows.size()) {
            rows.removeAt(at);
        }
        YearRemovedFlag = false;
    }
    std::stable_sort(rows.begin(), rows.end(), byYear);
    for (Row& row : rows) {
        while (row.size() < TotalColumns) {
            row.append(u"0"_s);
        }
    }
    setRows(lvwTotal->rows(), rows);
    Currency left = TargetAmount;
    for (int i = 0; i < rows.size(); ++i) {
        left = difference(left, money(rows[i][Balance]));
        rows[i][TargetLeft] = left.toString();
        lvwTotal->rows().setText(i, TargetLeft, rows[i][TargetLeft]);
        CheckTargetReached(i + 1);
    }
    const diskfile::WriteResult written = summaryfile::write(path, rows);
    if (!written.ok()) {
        platform_.prompter.message(u"ｴﾗｰ"_s, written.error, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
    }
}

void frmMain::CheckTargetReached(int row) {
    const Currency left = money(lvwTotal->rows().text(row - 1, summaryfile::TargetLeft));
    if (left <= Currency() && !TargetAmount.isZero() && !DreamMoneyFlag) {
        platform_.prompter.message(u"(^-^)vブィ！"_s, u"目標収支金額を達成しました。"_s,
                                   platform::MessageIcon::None, platform::MessageButtons::Ok);
        DreamMoneyFlag = true;
        SaveSettings();
    }
}

void frmMain::LoadYearFile() {
    using namespace summaryfile;
    showShownDate();
    YearWinCount = YearEntryCount = 0;
    YearWinMoney = YearExpenses = Currency();
    const ReadResult read = readYear(Paths.yearFile(ShownYear));
    ListModel& model = lvwYear->rows();
    setRows(model, read.rows);
    if (read.status == ReadResult::Status::Read) {
        markSummaryCells(model);
        const YearSums sums = sumOf(read.rows);
        YearWinCount = sums.wins;
        YearEntryCount = sums.entries;
        YearWinMoney = sums.money;
        YearExpenses = sums.expenses;
    }
    const QString key = selectedTabKey();
    if (key == u"T_Year"_s || key == u"T_Total"_s) {
        ListViewStatistics();
    }
}

void frmMain::LoadTotalFile() {
    using namespace summaryfile;
    const ReadResult read = readTotal(Paths.totalFile());
    ListModel& model = lvwTotal->rows();
    setRows(model, read.rows);
    markSummaryCells(model);
    const YearSums sums = sumOf(read.rows);
    TotalWinCount = sums.wins;
    TotalEntryCount = sums.entries;
    TotalWinMoney = sums.money;
    TotalExpenses = sums.expenses;
    ListViewStatistics();
}

void frmMain::prepareExpensesPanel() {
    setMonthLabel();
    const int month = dtpDate->date().month();
    const ListModel& model = lvwYear->rows();
    if (month >= 1 && month <= model.rowCount()) {
        if (summaryfile::countOf(model.text(month - 1, summaryfile::EntryCount)) != 0) {
            cmdUnhappyMoneyIn->setEnabled(true);
        }
        txtUnhappyMoneyValue->setText(model.text(month - 1, summaryfile::Expenses));
    }
}

void frmMain::lvwYear_ItemClick(int row) {
    YearSelectedIndex = row;
    for (QWidget* w : {cmdDelete, cmdAllDelete, cmdUnhappyMoneyIn}) {
        w->setEnabled(false);
    }
    if (YearSelectedIndex == 0) {
        return;
    }
    const ListModel& model = lvwYear->rows();
    setMonthLabel();
    txtUnhappyMoneyValue->setText(model.text(row - 1, summaryfile::Expenses));
    const bool entries = summaryfile::countOf(model.text(row - 1, summaryfile::EntryCount)) != 0;
    if (entries) {
        cmdUnhappyMoneyIn->setEnabled(true);
    }
    ShownMonth = u"%1"_s.arg(summaryfile::countOf(model.text(row - 1, summaryfile::Key)), 2, 10,
                             QChar(u'0'));
    ShownDay = u"01"_s;
    showShownDate();
    setMonthLabel();
    if (entries) {
        cmdDelete->setEnabled(true);
    }
    if (txtTotalCount->text() != u"0"_s) {
        cmdAllDelete->setEnabled(true);
    }
}

void frmMain::lvwTotal_ItemClick(int row) {
    TotalSelectedIndex = row;
    cmdDelete->setEnabled(false);
    cmdAllDelete->setEnabled(false);
    if (TotalSelectedIndex == 0) {
        return;
    }
    const qint64 year = summaryfile::countOf(lvwTotal->rows().text(row - 1, summaryfile::Key));
    ShownYear = u"%1"_s.arg(year, 4, 10, QChar(u'0'));
    ShownDay = u"01"_s;
    showShownDate();
    cmdDelete->setEnabled(true);
    cmdAllDelete->setEnabled(true);
}

void frmMain::cmdUnhappyMoneyIn_Click() {
    using namespace summaryfile;
    // Pasted text escapes the key filter: only a whole amount is stored.
    const std::optional<Currency> expenses = Currency::parse(txtUnhappyMoneyValue->text());
    if (!expenses || *expenses < Currency()) {
        platform_.prompter.message(
            u"ｴﾗｰ"_s,
            u"支出総額「%1」は金額として読み取れません。\r\n0以上の数字で入力して下さい。"_s.arg(
                txtUnhappyMoneyValue->text()),
            platform::MessageIcon::Error, platform::MessageButtons::Ok);
        return;
    }
    YearSelectedIndex = dtpDate->date().month();
    const ListModel& model = lvwYear->rows();
    if (YearSelectedIndex < 1 || YearSelectedIndex > model.rowCount()) {
        return;
    }
    const int row = YearSelectedIndex - 1;
    MonthSmallWins = qint32(countOf(model.text(row, SmallWins)));
    MonthMiddleWins = qint32(countOf(model.text(row, MiddleWins)));
    MonthBigWins = qint32(countOf(model.text(row, BigWins)));
    MonthWinCount = qint32(countOf(model.text(row, WinCount)));
    MonthEntryCount = qint32(countOf(model.text(row, EntryCount)));
    MonthWinMoney = money(model.text(row, WinMoney));
    MonthExpenses = *expenses;
    SaveYearFile();
    LoadYearFile();
}
