// frmMain: the year and total summaries — their lists, the month expenses and
// the savings target.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "storage/summaryfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

void frmMain::SaveYearFile(const diary::MonthFigures& figures) {
    const diary::Result stored =
        diary_.summaries().storeMonth(ShownYear, ShownMonth.toInt(), figures);
    showResult(stored);
    if (stored.done) {
        SaveTotalFile();
    } else if (selectedTab() == Tab::Year || selectedTab() == Tab::Total) {
        ListViewStatistics();
    }
}

void frmMain::SaveTotalFile() {
    diary::Summaries& summaries = diary_.summaries();
    showResult(summaries.storeYear(ShownYear, summaries.yearSums(), TargetAmount));
    summariesChanged();
}

void frmMain::summariesChanged() {
    const Tab tab = selectedTab();
    if (tab == Tab::Year || tab == Tab::Total) {
        ListViewStatistics();
    }
    for (int row = 1; row <= diary_.summaries().total().count(); ++row) {
        CheckTargetReached(row);
    }
}

void frmMain::CheckTargetReached(int row) {
    const Currency left =
        Currency::parse(diary_.summaries().total().text(row - 1, summaryfile::TargetLeft))
            .value_or(Currency());
    if (left <= Currency() && !TargetAmount.isZero() && !DreamMoneyFlag) {
        platform_.prompter.message(u"(^-^)vブィ！"_s, u"目標収支金額を達成しました。"_s,
                                   platform::MessageIcon::None, platform::MessageButtons::Ok);
        DreamMoneyFlag = true;
        SaveSettings();
    }
}

void frmMain::LoadYearFile() {
    showShownDate();
    showResult(diary_.summaries().loadYear(ShownYear));
    const Tab tab = selectedTab();
    if (tab == Tab::Year || tab == Tab::Total) {
        ListViewStatistics();
    }
}

void frmMain::LoadTotalFile() {
    showResult(diary_.summaries().loadTotal());
    ListViewStatistics();
}

void frmMain::prepareExpensesPanel() {
    setMonthLabel();
    const int month = dtpDate->date().month();
    const diary::RowList& rows = diary_.summaries().year();
    if (month >= 1 && month <= rows.count()) {
        if (summaryfile::countOf(rows.text(month - 1, summaryfile::EntryCount)) != 0) {
            cmdUnhappyMoneyIn->setEnabled(true);
        }
        txtUnhappyMoneyValue->setText(rows.text(month - 1, summaryfile::Expenses));
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
    const diary::RowList& rows = diary_.summaries().year();
    setMonthLabel();
    txtUnhappyMoneyValue->setText(rows.text(row - 1, summaryfile::Expenses));
    const bool entries = summaryfile::countOf(rows.text(row - 1, summaryfile::EntryCount)) != 0;
    if (entries) {
        cmdUnhappyMoneyIn->setEnabled(true);
    }
    ShownMonth =
        u"%1"_s.arg(summaryfile::countOf(rows.text(row - 1, summaryfile::Key)), 2, 10, QChar(u'0'));
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
    const qint64 year =
        summaryfile::countOf(diary_.summaries().total().text(row - 1, summaryfile::Key));
    ShownYear = u"%1"_s.arg(year, 4, 10, QChar(u'0'));
    ShownDay = u"01"_s;
    showShownDate();
    cmdDelete->setEnabled(true);
    cmdAllDelete->setEnabled(true);
}

void frmMain::cmdUnhappyMoneyIn_Click() {
    // Pasted text escapes the key filter: only a whole amount is stored.
    const std::optional<Currency> expenses = Currency::parse(txtUnhappyMoneyValue->text());
    if (!expenses || *expenses < Currency()) {
        showError(
            u"支出総額「%1」は金額として読み取れません。\r\n0以上の数字で入力して下さい。"_s.arg(
                txtUnhappyMoneyValue->text()));
        return;
    }
    YearSelectedIndex = dtpDate->date().month();
    if (YearSelectedIndex < 1 || YearSelectedIndex > diary_.summaries().year().count()) {
        return;
    }
    // The month keeps the figures its row holds; only its expenses change.
    diary::MonthFigures figures = diary_.summaries().figuresOf(YearSelectedIndex);
    figures.expenses = *expenses;
    SaveYearFile(figures);
    LoadYearFile();
}
