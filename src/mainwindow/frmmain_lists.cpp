// frmMain: the lists, their columns and sorting, the month file behind the
// month list, and the tab switch.
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <span>

#include "diary/records.h"
#include "mainwindow/frmmain.h"
#include "platform/datafileerror.h"
#include "platform/prompter.h"
#include "search/frmdatasearch.h"
#include "storage/monthfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

struct FixedColumn {
    const char16_t* header;
    int width;
};

constexpr FixedColumn yearColumns[] = {
    {u"月", 375},        {u"小物当選", 1000}, {u"中物当選", 1000}, {u"大物当選", 1000},
    {u"当選総数", 1000}, {u"応募総数", 1000}, {u"当選率", 775},    {u"当選総額", 1200},
    {u"支出総額", 1200}, {u"収支総額", 1200},
};

constexpr FixedColumn totalColumns[] = {
    {u"年", 500},        {u"小物当選", 1000}, {u"中物当選", 1000},     {u"大物当選", 1000},
    {u"当選総数", 1000}, {u"応募総数", 1050}, {u"当選率", 800},        {u"当選総額", 1050},
    {u"支出総額", 1050}, {u"収支総額", 1050}, {u"目標収支金額", 1300},
};

// Headers of the month and search lists beside the two dates, in the order of
// the record's columns.
constexpr const char16_t* monthHeaders[PrizeEntryFieldCount] = {
    nullptr,     u"ＩＤ番号", u"応募先",   u"ＵＲＬ",   u"ジャンル", u"賞品名",
    u"結果",     u"当選額",   u"当選数",   nullptr,     u"当選日",   u"応募形式",
    u"選考方法", u"サイクル", u"応募方法", u"コメント", u"画像",
};

void buildFixedColumns(ListModel& model, std::span<const FixedColumn> columns) {
    model.clearColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        model.addColumn({QString::fromUtf16(columns[i].header), columns[i].width,
                         i == 0 ? Qt::AlignLeft : Qt::AlignRight});
    }
}

}  // namespace

frmMain::Tab frmMain::selectedTab() const {
    return static_cast<Tab>(tabMain->currentIndex());
}

void frmMain::ListViewColumnHeadersMonth() {
    ListModel& model = CurrentListView->listModel();
    model.clearColumns();
    const bool byDeadline = optEndDay->isChecked();
    for (int column = 0; column < PrizeEntryFieldCount; ++column) {
        QString header;
        int width = 0;
        if (column == FilingDate || column == OtherDate) {
            const bool deadline = (column == FilingDate) == byDeadline;
            header = deadline ? u"締切日"_s : u"応募日"_s;
            width =
                txtSize[deadline ? settingsfile::SizeEndDayIndex : settingsfile::SizeNowDayIndex]
                    ->text()
                    .toInt();
        } else {
            header = QString::fromUtf16(monthHeaders[column]);
            // The width boxes follow the record's columns; the picture column
            // has none and stays hidden.
            width = column < settingsfile::ColumnWidthCount ? txtSize[column]->text().toInt() : 0;
        }
        const bool right = column == ID || column == HappyMoney || column == Number;
        model.addColumn({header, width, right ? Qt::AlignRight : Qt::AlignLeft});
    }
}

void frmMain::ListViewColumnHeadersYear() {
    buildFixedColumns(CurrentListView->listModel(), yearColumns);
}

void frmMain::ListViewColumnHeadersTotal() {
    buildFixedColumns(CurrentListView->listModel(), totalColumns);
}

const diary::RecordList& frmMain::listRecords(const ListView* list) const {
    return list == lvwSearch ? searchResults_ : diary_.month().records();
}

diary::RecordList& frmMain::listRecords(const ListView* list) {
    return list == lvwSearch ? searchResults_ : diary_.month().records();
}

void frmMain::ColumnHeaderClikSort() {
    ListView* list = CurrentListView;
    diary::RecordList& records = listRecords(list);
    if (records.count() == 0) {
        return;
    }
    const int key = SortColumn - 1;
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

void frmMain::lvwMonth_ColumnClick(int column) {
    SortColumn = column;
    CurrentListView = lvwMonth;
    ColumnHeaderClikSort();
    if (lvwMonth->count() > 0) {
        SaveMonthFile();  // the sorted order is the stored order
    }
}

void frmMain::lvwSearch_ColumnClick(int column) {
    SortColumn = column;
    CurrentListView = lvwSearch;
    ColumnHeaderClikSort();
}

bool frmMain::shownYearIsStorable() const {
    bool ok = false;
    const int year = ShownYear.toInt(&ok);
    return ok && ShownYear.size() == 4 && year >= 1 && year <= 9999;
}

void frmMain::LoadMonthFile() {
    showShownDate();
    txtUnhappyMoney->setText(u"0"_s);
    diary::MonthBook& book = diary_.month();
    if (!shownYearIsStorable()) {
        book.clear();
        ListViewStatistics();
        return;
    }
    // The month's expenses live in the year file. They are taken from there
    // whether or not the month has a file, so that a month whose records
    // were all deleted keeps its expenses when records come again.
    LoadYearFile();
    const diary::Result loaded = book.load(ShownYear, ShownMonth, CurrentStartPassword,
                                           diary_.summaries().expensesOf(ShownMonth.toInt()));
    showResult(loaded);
    if (book.state() == diary::MonthBook::State::Loaded) {
        prgShinko->setMaximum(std::max(1, book.records().count()));
        prgShinko->setValue(book.records().count());
    }
    ListViewStatistics();
}

bool frmMain::SaveMonthFile() {
    if (!shownYearIsStorable()) {
        return false;
    }
    // The month file, its row of the year file and its year's row of the
    // total file.
    const diary::Result stored = diary_.store(diary_.month());
    showResult(stored);
    if (!stored.done) {
        return false;
    }
    const int records = diary_.month().records().count();
    if (selectedTab() == Tab::Month && records > 0) {
        prgShinko->setMaximum(records);
        prgShinko->setValue(records);
    }
    ListViewStatistics();
    summariesChanged();
    return true;
}

void frmMain::ShowDataFileError(const QString& path) {
    platform::ShowDataFileError(platform_.prompter, path);
}

void frmMain::tabMain_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             cmdHensyu, cmdInput, cmdNewInput, cmdDelete, cmdAllDelete, cmdURL, cmdSave, cmdPrint,
             cmdMonthNext, cmdMonthBack, cmdYearNext, cmdYearBack, dtpDate}) {
        w->setEnabled(false);
    }
    const Tab tab = selectedTab();
    SettingsLoading = true;
    if (tab != Tab::Setting) {
        LoadSettings();  // what was not applied on the settings tab is dropped
    }
    if (MonthSavePending) {
        SaveMonthFile();
    }
    for (QLineEdit* box :
         {txtHappyCount, txtTotalCount, txtHappyMoney, txtUnhappyMoney, txtTotalMoney}) {
        box->setText(u"0"_s);
    }
    txtPercent->setText(u"0.00"_s);
    SelectedIndex = YearSelectedIndex = TotalSelectedIndex = SearchSelectedIndex = 0;
    prgShinko->setValue(0);
    // Search results and the search window live as long as the search tab
    // is on show.
    searchResults_.clear();
    if (tab != Tab::Search) {
        unloadSearchWindow();
    }
    fraSetting->setEnabled(tab == Tab::Setting);
    enterTab(tab);
}

void frmMain::enterTab(Tab tab) {
    const QList<QWidget*> lists = {lvwMonth, lvwSearch, lvwDummy, lvwYear, lvwTotal};
    switch (tab) {
        case Tab::Month:
            lvwMonth->hide();
            CurrentListView = lvwMonth;
            ListViewColumnHeadersMonth();
            LoadMonthFile();
            lvwMonth->show();
            fraLabel->raise();
            lvwMonth->raise();
            for (QWidget* w :
                 std::initializer_list<QWidget*>{cmdNewInput, cmdInput, cmdMonthBack, cmdMonthNext,
                                                 cmdYearBack, cmdYearNext, dtpDate}) {
                w->setEnabled(true);
            }
            break;
        case Tab::Year:
            fraUnhappyMoney->setEnabled(true);
            fraTyosaku->setEnabled(false);
            lvwYear->hide();
            CurrentListView = lvwYear;
            ListViewColumnHeadersYear();
            LoadYearFile();
            lvwYear->show();
            prepareExpensesPanel();
            fraUnhappyMoney->raise();
            lvwYear->raise();
            cmdYearNext->setEnabled(true);
            cmdYearBack->setEnabled(true);
            break;
        case Tab::Total:
            lvwTotal->hide();
            CurrentListView = lvwTotal;
            ListViewColumnHeadersTotal();
            LoadTotalFile();
            lvwTotal->show();
            lvwTotal->raise();
            break;
        case Tab::Search:
            CurrentListView = lvwDummy;
            ListViewColumnHeadersMonth();
            lvwDummy->raise();
            fraLabel->raise();
            CurrentListView = lvwSearch;
            ListViewColumnHeadersMonth();
            loadSearchWindow();
            ListViewStatistics();
            dataSearch_->show();
            lvwSearch->raise();
            break;
        case Tab::Setting:
            fraTyosaku->setEnabled(true);
            fraUnhappyMoney->setEnabled(false);
            LoadSettings();
            SettingsLoading = false;
            cmdSetting->setEnabled(false);
            for (QWidget* w : lists) {
                w->lower();
            }
            fraSetting->raise();
            break;
        case Tab::About:
            for (QWidget* w : lists) {
                w->lower();
            }
            fraSetting->lower();
            fraKirabi->raise();
            fraHome->raise();
            fraTyosaku->raise();
            break;
    }
}
