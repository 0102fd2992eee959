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

void frmMain::summaryItemClicked(ListView* list, int row) {
    panel_->cmdDelete->setEnabled(false);
    panel_->cmdAllDelete->setEnabled(false);
    const diary::Summaries& summaries = desk_.diary().summaries();
    if (list == lvwYear) {
        desk_.selection.YearSelectedIndex = row;
        const auto [month, entries] = yearPage_->chooseRow(summaries.year(), row);
        if (month == 0) {
            return;  // a row that names no month deletes nothing
        }
        desk_.setShownDate(QDate(desk_.shownDate().year(), month, 1));
        yearPage_->showMonthLabel(desk_.shownDate());
        panel_->cmdDelete->setEnabled(entries);
        panel_->cmdAllDelete->setEnabled(panel_->txtTotalCount->text() != u"0"_s);
        return;
    }
    desk_.selection.TotalSelectedIndex = row;
    if (row < 1 || row > summaries.total().count()) {
        return;
    }
    const qint64 year = summaryfile::countOf(summaries.total().text(row - 1, summaryfile::Key));
    if (year < 1 || year > 9999) {
        return;  // a row that names no year deletes nothing
    }
    desk_.setShownDate(QDate(int(year), desk_.shownDate().month(), 1));
    panel_->cmdDelete->setEnabled(true);
    panel_->cmdAllDelete->setEnabled(true);
}
