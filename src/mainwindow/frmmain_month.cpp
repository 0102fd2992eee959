// frmMain: the month view — statistics and row marks, stepping through months
// and years, and the clicks and keys of the lists.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/listpages.h"
#include "mainwindow/recordediting.h"
#include "platform/shell.h"
#include "storage/prizeentry.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

statistics::Counts frmMain::countShown(ListView* list) {
    const diary::RecordList& records =
        desk_.recordsOf(list == lvwSearch ? Tab::Search : Tab::Month);
    const int rows = records.count();
    if (rows > 0) {
        panel_->showProgress(0, rows);
    }
    // The win-date marks follow the day shown now.
    (list == lvwSearch ? searchMarkDate_ : monthMarkDate_) = desk_.ShownDate();
    list->listModel().marksChanged();
    const statistics::Counts counts = statistics::countOf(records.records());
    if (rows > 0) {
        panel_->showProgress(rows, rows);
    }
    return counts;
}

void frmMain::ListViewStatistics() {
    for (QWidget* w : {panel_->cmdAllDelete, panel_->cmdSave, panel_->cmdPrint}) {
        w->setEnabled(false);
    }
    const Tab tab = selectedTab();
    qint64 entries = 0;
    switch (tab) {
        case Tab::Month: {
            const statistics::Counts month = countShown(lvwMonth);
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
        case Tab::Search: {
            const statistics::Counts search = countShown(lvwSearch);
            panel_->showFigures(search.wins, search.entries, search.winMoney, Currency());
            entries = search.entries;
            break;
        }
        case Tab::Setting:
            desk_.diary().month().setExpenses(Currency());
            return;
        case Tab::About:
            return;
    }
    if (entries != 0) {
        panel_->cmdSave->setEnabled(true);
        panel_->cmdPrint->setEnabled(true);
        if (tab != Tab::Search) {
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
    } else {
        LoadYearFile();
    }
    setMonthLabel();
}

void frmMain::setMonthLabel() {
    yearPage_->lblMonth->setText(desk_.ShownYear() + u"年"_s + desk_.ShownMonth() +
                                 u"月の支出総額"_s);
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
        if (url.startsWith(u"http://"_s) || url.startsWith(u"https://"_s)) {
            panel_->cmdURL->setEnabled(true);
        }
    }
}

void frmMain::lvwSearch_ItemClick(int row) {
    diary::Selection& s = desk_.selection;
    s.SearchSelectedIndex = row;
    listItemClicked(lvwSearch, row);
    if (s.SearchSelectedIndex != 0 && s.SelectedCount == 1) {
        // The shown date follows the record, so that the editor and the
        // deletion find its month file.
        desk_.showMonthOf(desk_.searchResults().at(s.SearchSelectedIndex - 1)[FilingDate]);
    }
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
    const int selected = list == lvwSearch ? s.SearchSelectedIndex : s.SelectedIndex;
    if (selected == 0) {
        return;
    }
    if (key == Qt::Key_Delete) {
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

void frmMain::cmdURL_Click() {
    // The button is enabled only for a row whose address is a web page.
    const int row = desk_.selection.EditIndex - 1;
    if (CurrentListView != nullptr && row >= 0 && row < CurrentListView->count()) {
        platform_.shell.open(CurrentListView->listModel().text(row, URL));
    }
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    desk_.selection.SelectedIndex = 0;
    desk_.selection.SearchSelectedIndex = 0;
}
