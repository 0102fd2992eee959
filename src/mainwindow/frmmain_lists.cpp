// frmMain: the lists, their columns and sorting, the month file behind the
// month list, and the tab switch.
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabBar>

#include "diary/records.h"
#include "mainwindow/aboutpage.h"
#include "mainwindow/analysispage.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/deadlinepage.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/legendstrip.h"
#include "mainwindow/listpages.h"
#include "mainwindow/searchcontrol.h"
#include "mainwindow/settingspage.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

// Headers of the month and search lists beside the two dates, in the order of
// the record's columns.
constexpr const char16_t* monthHeaders[PrizeEntryFieldCount] = {
    nullptr,     u"ＩＤ番号", u"応募先",   u"ＵＲＬ",   u"ジャンル", u"賞品名",
    u"結果",     u"当選額",   u"当選数",   nullptr,     u"当選日",   u"応募形式",
    u"選考方法", u"サイクル", u"応募方法", u"コメント", u"画像",
};

}  // namespace

frmMain::Tab frmMain::selectedTab() const {
    return static_cast<Tab>(tabMain->currentIndex());
}

void frmMain::ListViewColumnHeadersMonth(ListView* list) {
    ListModel& model = list->listModel();
    model.clearColumns();
    const settingsfile::Settings& settings = desk_.settings();
    const bool byDeadline = desk_.filedByDeadline();
    for (int column = 0; column < PrizeEntryFieldCount; ++column) {
        QString header;
        int width = 0;
        if (column == FilingDate || column == OtherDate) {
            const bool deadline = (column == FilingDate) == byDeadline;
            header = deadline ? u"締切日"_s : u"応募日"_s;
            width = settings
                        .columnWidths[deadline ? settingsfile::SizeEndDayIndex
                                               : settingsfile::SizeNowDayIndex]
                        .toInt();
        } else {
            header = QString::fromUtf16(monthHeaders[column]);
            // The widths follow the record's columns; the picture column has
            // none and stays hidden.
            width =
                column < settingsfile::ColumnWidthCount ? settings.columnWidths[column].toInt() : 0;
        }
        const bool right = column == ID || column == HappyMoney || column == Number;
        model.addColumn({header, width, right ? Qt::AlignRight : Qt::AlignLeft});
    }
}

void frmMain::ColumnHeaderClikSort(ListView* list, int column) {
    CurrentListView = list;
    diary::RecordList& records = desk_.recordsOf(list == lvwSearch     ? Tab::Search
                                                 : list == lvwDeadline ? Tab::Deadline
                                                                       : Tab::Month);
    if (records.count() == 0) {
        return;
    }
    const int key = column - 1;
    // One order per list, reversed by every click whichever column it is.
    list->sortOrder =
        list->sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (key == ID || key == HappyMoney) {
        // Numbers by value; a text that is no whole number follows them and
        // keeps its text.
        records.sortBy(key, list->sortOrder, records::compareWholeNumbersFirst);
        records.plainWholeNumbers(key);
    } else {
        records.sortBy(key, list->sortOrder, records::compareText);
    }
}

void frmMain::LoadMonthFile() {
    panel_->txtUnhappyMoney->setText(u"0"_s);
    const diary::Result loaded = desk_.loadMonth();
    const Tab tab = selectedTab();
    if (tab == Tab::Year || tab == Tab::Total) {
        ListViewStatistics();  // the year file was read again
    }
    showResult(loaded);
    const diary::MonthBook& book = desk_.diary().month();
    if (book.state() == diary::MonthBook::State::Loaded) {
        panel_->showProgress(book.records().count(), book.records().count());
    }
    ListViewStatistics();
}

bool frmMain::SaveMonthFile() {
    // The month file, its row of the year file and its year's row of the
    // total file.
    const diary::Result stored = desk_.storeMonth();
    showResult(stored);
    if (!stored.done) {
        return false;
    }
    const int records = desk_.diary().month().records().count();
    if (selectedTab() == Tab::Month && records > 0) {
        panel_->showProgress(records, records);
    }
    ListViewStatistics();
    summariesChanged();
    return true;
}

void frmMain::tabMain_Click() {
    BottomPanel* p = panel_;
    for (QWidget* w : std::initializer_list<QWidget*>{
             p->cmdHensyu, p->cmdInput, p->cmdNewInput, p->cmdDelete, p->cmdAllDelete, p->cmdURL,
             p->cmdSave, p->cmdPrint, p->cmdMonthNext, p->cmdMonthBack, p->cmdYearNext,
             p->cmdYearBack, p->dtpDate}) {
        w->setEnabled(false);
    }
    const Tab tab = selectedTab();
    desk_.setTab(tab);
    if (desk_.flags.MonthSavePending) {
        SaveMonthFile();
    }
    p->clearFigures();
    desk_.selection.SelectedIndex = desk_.selection.YearSelectedIndex = 0;
    desk_.selection.TotalSelectedIndex = desk_.selection.SearchSelectedIndex = 0;
    desk_.selection.DeadlineSelectedIndex = 0;
    p->prgShinko->setValue(0);
    // Search results and the search window live as long as the search tab
    // is on show.
    desk_.searchResults().clear();
    desk_.deadlineResults().clear();
    if (tab != Tab::Search) {
        search_->unloadSearchWindow();
    }
    settingsPage_->fraSetting->setEnabled(tab == Tab::Setting);
    enterTab(tab);
}

void frmMain::enterTab(Tab tab) {
    pages_->setCurrentIndex(int(tab));  // the pages lie in the order of the tabs
    BottomPanel* p = panel_;
    switch (tab) {
        case Tab::Month:
            // A hidden list takes its new rows and marks as one update, not
            // cell by cell.
            lvwMonth->hide();
            CurrentListView = lvwMonth;
            ListViewColumnHeadersMonth(lvwMonth);
            LoadMonthFile();
            lvwMonth->show();
            fraLabel->raise();
            for (QWidget* w : std::initializer_list<QWidget*>{
                     p->cmdNewInput, p->cmdInput, p->cmdMonthBack, p->cmdMonthNext, p->cmdYearBack,
                     p->cmdYearNext, p->dtpDate}) {
                w->setEnabled(true);
            }
            break;
        case Tab::Year:
            yearPage_->fraUnhappyMoney->setEnabled(true);
            aboutPage_->fraTyosaku->setEnabled(false);
            lvwYear->hide();
            CurrentListView = lvwYear;
            yearPage_->buildColumns();
            LoadYearFile();
            lvwYear->show();
            yearPage_->showExpenses(desk_.diary().summaries().year(), desk_.shownDate());
            p->cmdYearNext->setEnabled(true);
            p->cmdYearBack->setEnabled(true);
            break;
        case Tab::Total:
            lvwTotal->hide();
            CurrentListView = lvwTotal;
            totalPage_->buildColumns();
            LoadTotalFile();
            lvwTotal->show();
            break;
        case Tab::Analysis:
            CurrentListView = analysisPage_->lvwAnalysis;
            analysisPage_->load();
            break;
        case Tab::Deadline:
            CurrentListView = lvwDeadline;
            lvwDeadline->hide();
            ListViewColumnHeadersMonth(lvwDeadline);
            deadlinePage_->enter();
            lvwDeadline->show();
            break;
        case Tab::Search:
            ListViewColumnHeadersMonth(searchPage_->lvwDummy);
            CurrentListView = lvwSearch;
            ListViewColumnHeadersMonth(lvwSearch);
            fraLabel->raise();
            search_->loadSearchWindow();
            ListViewStatistics();
            break;
        case Tab::Setting:
            aboutPage_->fraTyosaku->setEnabled(true);
            yearPage_->fraUnhappyMoney->setEnabled(false);
            break;
        case Tab::About:
            break;
    }
}
