// frmMain: the year and total summaries — their lists, the month expenses and
// the savings target.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/listpages.h"
#include "platform/prompter.h"
#include "storage/summaryfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

void frmMain::summariesChanged() {
    const Tab tab = selectedTab();
    if (tab == Tab::Year || tab == Tab::Total) {
        ListViewStatistics();
    }
    if (const std::optional<diary::Result> saved = desk_.checkTargetReached()) {
        platform_.prompter.message(u"(^-^)vブィ！"_s, u"目標収支金額を達成しました。"_s,
                                   platform::MessageIcon::None, platform::MessageButtons::Ok);
        showResult(*saved);
    }
}

void frmMain::LoadYearFile() {
    showResult(desk_.loadYear());
    const Tab tab = selectedTab();
    if (tab == Tab::Year || tab == Tab::Total) {
        ListViewStatistics();
    }
}

void frmMain::LoadTotalFile() {
    showResult(desk_.loadTotal());
    ListViewStatistics();
}

void frmMain::prepareExpensesPanel() {
    setMonthLabel();
    const int month = desk_.shownDate().month();
    const diary::RowList& rows = desk_.diary().summaries().year();
    if (month >= 1 && month <= rows.count()) {
        if (summaryfile::countOf(rows.text(month - 1, summaryfile::EntryCount)) != 0) {
            yearPage_->cmdUnhappyMoneyIn->setEnabled(true);
        }
        yearPage_->txtUnhappyMoneyValue->setText(rows.text(month - 1, summaryfile::Expenses));
    }
}

void frmMain::lvwYear_ItemClick(int row) {
    desk_.selection.YearSelectedIndex = row;
    for (QWidget* w : {panel_->cmdDelete, panel_->cmdAllDelete, yearPage_->cmdUnhappyMoneyIn}) {
        w->setEnabled(false);
    }
    if (row == 0) {
        return;
    }
    const diary::RowList& rows = desk_.diary().summaries().year();
    yearPage_->txtUnhappyMoneyValue->setText(rows.text(row - 1, summaryfile::Expenses));
    const bool entries = summaryfile::countOf(rows.text(row - 1, summaryfile::EntryCount)) != 0;
    if (entries) {
        yearPage_->cmdUnhappyMoneyIn->setEnabled(true);
    }
    const int month = int(summaryfile::countOf(rows.text(row - 1, summaryfile::Key)));
    if (month < 1 || month > 12) {
        return;  // a row that names no month deletes nothing
    }
    desk_.setShownDate(QDate(desk_.shownDate().year(), month, 1));
    setMonthLabel();
    if (entries) {
        panel_->cmdDelete->setEnabled(true);
    }
    if (panel_->txtTotalCount->text() != u"0"_s) {
        panel_->cmdAllDelete->setEnabled(true);
    }
}

void frmMain::lvwTotal_ItemClick(int row) {
    desk_.selection.TotalSelectedIndex = row;
    panel_->cmdDelete->setEnabled(false);
    panel_->cmdAllDelete->setEnabled(false);
    if (row == 0) {
        return;
    }
    const qint64 year =
        summaryfile::countOf(desk_.diary().summaries().total().text(row - 1, summaryfile::Key));
    if (year < 1 || year > 9999) {
        return;  // a row that names no year deletes nothing
    }
    desk_.setShownDate(QDate(int(year), desk_.shownDate().month(), 1));
    panel_->cmdDelete->setEnabled(true);
    panel_->cmdAllDelete->setEnabled(true);
}
