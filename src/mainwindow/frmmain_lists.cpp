// frmMain: the lists, their columns and sorting, the month file behind the
// month list, and the tab switch.
#include <QDir>
#include <QFile>
#include <span>

#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"

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

QString frmMain::selectedTabKey() const {
    return tabMain->tabData(tabMain->currentIndex()).toString();
}

void frmMain::ListViewColumnHeadersMonth() {
    ListModel& model = CurrentListView->rows();
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
    buildFixedColumns(CurrentListView->rows(), yearColumns);
}

void frmMain::ListViewColumnHeadersTotal() {
    buildFixedColumns(CurrentListView->rows(), totalColumns);
}

void frmMain::ColumnHeaderClikSort() {
    ListView* list = CurrentListView;
    ListModel& model = list->rows();
    if (model.rowCount() == 0) {
        return;
    }
    const int key = SortColumn - 1;
    // One order per list, reversed by every click whichever column it is.
    list->sortOrder =
        list->sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (key == ID || key == HappyMoney) {
        // Numbers by value; a text that is no whole number follows them and
        // keeps its text.
        model.sortRowsBy(key, list->sortOrder, ListModel::compareWholeNumbersFirst);
        model.plainWholeNumbers(key);
    } else {
        model.sortRowsBy(key, list->sortOrder, ListModel::compareText);
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

QString frmMain::monthFilePath() const {
    return Paths.monthFile(ShownYear, ShownMonth);
}

QString frmMain::monthFilePassword() const {
    return chkStartPassword->isChecked() ? CurrentStartPassword : QString();
}

void frmMain::LoadMonthFile() {
    showShownDate();
    lvwMonth->rows().clearRows();
    txtUnhappyMoney->setText(u"0"_s);
    MonthExpenses = Currency();
    MonthEntryCount = 0;
    if (!shownYearIsStorable()) {
        ListViewStatistics();
        return;
    }
    // The month's expenses live in the year file. They are taken from there
    // whether or not the month has a file, so that a month whose records
    // were all deleted keeps its expenses when records come again.
    LoadYearFile();
    const int month = ShownMonth.toInt();
    if (month >= 1 && month <= lvwYear->count()) {
        MonthExpenses = Currency::parse(lvwYear->rows().text(month - 1, summaryfile::Expenses))
                            .value_or(Currency());
    }
    const QString path = monthFilePath();
    const monthfile::ReadResult read = monthfile::read(path, CurrentStartPassword);
    unreadableMonth_ = read.status == monthfile::ReadResult::Status::Refused ||
                               read.status == monthfile::ReadResult::Status::Failed
                           ? path
                           : QString();
    switch (read.status) {
        case monthfile::ReadResult::Status::Missing:
            break;
        case monthfile::ReadResult::Status::Refused:
            ShowDataFileError(path);
            break;
        case monthfile::ReadResult::Status::Failed:
            platform_.prompter.message(u"ｴﾗｰ"_s, read.error, platform::MessageIcon::Error,
                                       platform::MessageButtons::Ok);
            break;
        case monthfile::ReadResult::Status::Loaded: {
            QList<QStringList> rows;
            rows.reserve(read.records.size());
            for (const PrizeEntry& record : read.records) {
                rows.append(QStringList(record.begin(), record.end()));
            }
            MonthEntryCount = qint32(rows.size());
            lvwMonth->rows().appendRows(std::move(rows));
            prgShinko->setMaximum(std::max(1, int(MonthEntryCount)));
            prgShinko->setValue(int(MonthEntryCount));
            break;
        }
    }
    ListViewStatistics();
}

bool frmMain::SaveMonthFile() {
    if (!shownYearIsStorable()) {
        return false;
    }
    if (monthFilePath() == unreadableMonth_ && QFile::exists(unreadableMonth_)) {
        // The list shows none of the records of a file that could not be
        // read: writing the list would lose them.
        platform_.prompter.message(
            u"ｴﾗｰ"_s,
            u"データファイル「%1」を読み込めなかったため、この月には保存できません。"_s.arg(
                QDir::toNativeSeparators(unreadableMonth_)),
            platform::MessageIcon::Error, platform::MessageButtons::Ok);
        return false;
    }
    const ListModel& model = lvwMonth->rows();
    QList<PrizeEntry> records;
    records.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        PrizeEntry& record = records.emplace_back();
        for (int column = 0; column < PrizeEntryFieldCount; ++column) {
            record[column] = model.text(row, column);
        }
    }
    const diskfile::WriteResult written =
        monthfile::write(monthFilePath(), records, monthFilePassword());
    if (!written.ok()) {
        platform_.prompter.message(u"ｴﾗｰ"_s, written.error, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
        return false;
    }
    if (selectedTabKey() == u"T_Month"_s && !records.isEmpty()) {
        prgShinko->setMaximum(int(records.size()));
        prgShinko->setValue(int(records.size()));
    }
    ListViewStatistics();
    SaveYearFile();
    return true;
}

void frmMain::ShowDataFileError(const QString& path) {
    monthfile::ShowDataFileError(platform_.prompter, path);
}

void frmMain::tabMain_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             cmdHensyu, cmdInput, cmdNewInput, cmdDelete, cmdAllDelete, cmdURL, cmdSave, cmdPrint,
             cmdMonthNext, cmdMonthBack, cmdYearNext, cmdYearBack, dtpDate}) {
        w->setEnabled(false);
    }
    const QString key = selectedTabKey();
    SettingsLoading = true;
    if (key != u"T_Setting"_s) {
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
    if (key != u"T_Search"_s) {
        lvwSearch->rows().clearRows();
        lvwSearchTemp->rows().clearRows();
    }
    fraSetting->setEnabled(key == u"T_Setting"_s);

    const QList<QWidget*> lists = {lvwMonth, lvwSearch, lvwDummy, lvwYear, lvwTotal};
    if (key == u"T_Month"_s) {
        lvwMonth->hide();
        CurrentListView = lvwMonth;
        ListViewColumnHeadersMonth();
        LoadMonthFile();
        lvwMonth->show();
        fraLabel->raise();
        lvwMonth->raise();
        // The import button joins these once it does its work.
        for (QWidget* w : std::initializer_list<QWidget*>{cmdNewInput, cmdMonthBack, cmdMonthNext,
                                                          cmdYearBack, cmdYearNext, dtpDate}) {
            w->setEnabled(true);
        }
    } else if (key == u"T_Year"_s) {
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
    } else if (key == u"T_Total"_s) {
        lvwTotal->hide();
        CurrentListView = lvwTotal;
        ListViewColumnHeadersTotal();
        LoadTotalFile();
        lvwTotal->show();
        lvwTotal->raise();
    } else if (key == u"T_Search"_s) {
        CurrentListView = lvwDummy;
        ListViewColumnHeadersMonth();
        lvwDummy->raise();
        fraLabel->raise();
        CurrentListView = lvwSearch;
        ListViewColumnHeadersMonth();
        ListViewStatistics();
        lvwSearch->raise();
    } else if (key == u"T_Setting"_s) {
        fraTyosaku->setEnabled(true);
        fraUnhappyMoney->setEnabled(false);
        LoadSettings();
        SettingsLoading = false;
        cmdSetting->setEnabled(false);
        for (QWidget* w : lists) {
            w->lower();
        }
        fraSetting->raise();
    } else if (key == u"T_About"_s) {
        for (QWidget* w : lists) {
            w->lower();
        }
        fraSetting->lower();
        fraKirabi->raise();
        fraHome->raise();
        fraTyosaku->raise();
    }
}
