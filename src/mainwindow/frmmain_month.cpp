// frmMain: the month view — statistics and row marks, stepping through months
// and years, and the clicks and keys of the lists.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "diary/links.h"
#include "mainwindow/analysispage.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/listpages.h"
#include "mainwindow/recordediting.h"
#include "storage/prizeentry.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

// The statistics of the rows a list shows, with the progress of the count;
// the win-date marks follow the day shown now.
statistics::Counts countShown(ListView* list, const diary::RecordList& records, QString& markDate,
                              const QString& shownDay, BottomPanel* panel) {
    const int rows = records.count();
    if (rows > 0) {
        panel->showProgress(0, rows);
    }
    markDate = shownDay;
    list->listModel().marksChanged();
    const statistics::Counts counts = statistics::countOf(records.records());
    if (rows > 0) {
        panel->showProgress(rows, rows);
    }
    return counts;
}

}  // namespace

void frmMain::ListViewStatistics() {
    for (QWidget* w : {panel_->cmdAllDelete, panel_->cmdSave, panel_->cmdPrint}) {
        w->setEnabled(false);
    }
    const Tab tab = selectedTab();
    qint64 entries = 0;
    switch (tab) {
        case Tab::Month: {
            const statistics::Counts month = countShown(lvwMonth, desk_.recordsOf(Tab::Month),
                                                        monthMarkDate_, desk_.ShownDate(), panel_);
            panel_->showFigures(month.wins, month.entries, month.winMoney,
                                desk_.diary().month().expenses());
            entries = month.entries;
            break;
        }
        case Tab::Year:
        case Tab::Total: {
            const diary::Summaries& summaries = desk_.diary().summaries();
            const diary::YearSums sums =
                tab == Tab::Year ? summaries.yearSums() : summaries.totalSums();
            panel_->showFigures(sums.wins, sums.entries, sums.money, sums.expenses);
            entries = sums.entries;
            break;
        }
        case Tab::Search:
        case Tab::Deadline: {
            const bool search = tab == Tab::Search;
            const statistics::Counts listed =
                countShown(search ? lvwSearch : lvwDeadline, desk_.recordsOf(tab),
                           search ? searchMarkDate_ : deadlineMarkDate_, desk_.ShownDate(), panel_);
            panel_->showFigures(listed.wins, listed.entries, listed.winMoney, Currency());
            entries = listed.entries;
            break;
        }
        case Tab::Analysis:
            // The list is saved and printed as it is; it has no figures.
            panel_->cmdSave->setEnabled(analysisPage_->rows().count() > 0);
            panel_->cmdPrint->setEnabled(analysisPage_->rows().count() > 0);
            return;
        case Tab::Setting:
            desk_.diary().month().setExpenses(Currency());
            return;
        case Tab::About:
            return;
    }
    if (entries != 0) {
        panel_->cmdSave->setEnabled(true);
        panel_->cmdPrint->setEnabled(true);
        if (!diary::listsManyMonths(tab)) {
            panel_->cmdAllDelete->setEnabled(true);
        }
    }
}

void frmMain::stepMonth(int by) {
    desk_.stepMonth(by);
    LoadMonthFile();
}

void frmMain::stepYear(int by) {
    const Tab tab = selectedTab();
    if (tab != Tab::Month && tab != Tab::Year) {
        return;
    }
    desk_.stepYear(by);
    if (tab == Tab::Month) {
        LoadMonthFile();
        yearPage_->showMonthLabel(desk_.shownDate());
        return;
    }
    LoadYearFile();
    // The expenses box and its button follow the month of the new year, so
    // that 記帳 never writes one year's amount into another.
    yearPage_->showExpenses(desk_.diary().summaries().year(), desk_.shownDate());
}

void frmMain::dtpDate_Change() {
    const QDate before = desk_.shownDate();
    const QDate picked = panel_->dtpDate->date();
    desk_.setShownDate(picked);
    if (before.year() != picked.year() || before.month() != picked.month()) {
        tabMain_Click();
    } else {
        ListViewStatistics();  // the win-date marks follow the shown day
    }
}

void frmMain::listItemClicked(ListView* list, int row) {
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    CurrentListView = list;
    desk_.selection.SelectedCount = list->selectedCount();
    panel_->cmdDelete->setEnabled(true);
    if (row != 0 && desk_.selection.SelectedCount == 1) {
        panel_->cmdHensyu->setEnabled(true);
        desk_.selection.EditIndex = row;
        const QString url = list->listModel().text(row - 1, URL);
        if (isWebAddress(url)) {
            panel_->cmdURL->setEnabled(true);
        }
    }
}

void frmMain::listedItemClick(ListView* list, int row) {
    const Tab tab = list == lvwSearch ? Tab::Search : Tab::Deadline;
    desk_.listedSelection(tab) = row;
    listItemClicked(list, row);
    if (tab == Tab::Deadline) {
        // Records are deleted in their month or found by a search, not here.
        panel_->cmdDelete->setEnabled(false);
    }
    if (row != 0 && desk_.selection.SelectedCount == 1) {
        // The shown date follows the record, so that the editor and the
        // deletion find its month file.
        desk_.showMonthOf(desk_.recordsOf(tab).at(row - 1)[FilingDate]);
    }
}

int frmMain::selectedRowOf(const ListView* list) const {
    const diary::Selection& s = desk_.selection;
    return list == lvwSearch     ? s.SearchSelectedIndex
           : list == lvwDeadline ? s.DeadlineSelectedIndex
                                 : s.SelectedIndex;
}

void frmMain::listKeyDown(ListView* list, int key) {
    diary::Selection& s = desk_.selection;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (list == lvwYear || list == lvwTotal) {
        int& selected = list == lvwYear ? s.YearSelectedIndex : s.TotalSelectedIndex;
        if (key == Qt::Key_Delete && selected != 0) {
            DeleteSelectedRecords();
            selected = 0;
        }
        return;
    }
    if (selectedRowOf(list) == 0) {
        return;
    }
    if (key == Qt::Key_Delete && list != lvwDeadline) {
        if (list == lvwSearch) {
            deleteSelectedSearchResults();
            s.SearchSelectedIndex = 0;
        } else if (s.SelectedCount == lvwMonth->count()) {
            cmdAllDelete_Click();  // with its own question
        } else {
            DeleteSelectedRecords();
        }
        return;
    }
    if (enter && s.SelectedCount == 1) {
        desk_.flags.EditExisting = true;
        editing_->OpenRecordEditor();
    }
}
