// frmMain: deletion at every grain — records of the month list and search
// results, a month from the year list, a year from the total list, and all
// that a tab shows — with the summaries and folders that follow.
#include <QCheckBox>
#include <QPushButton>

#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

void frmMain::disableRowButtons() {
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete, cmdUnhappyMoneyIn}) {
        w->setEnabled(false);
    }
    txtUnhappyMoneyValue->setText(u"0"_s);
}

void frmMain::removeMonthRows(const QList<int>& rows) {
    QList<int> listRows;
    for (int row : rows) {
        listRows.append(row - 1);
    }
    showResult(diary_.removeRows(listRows));
    ListViewStatistics();
    summariesChanged();
}

void frmMain::removeShownMonth() {
    const diary::MonthBook& book = diary_.month();
    // A file that holds more than the list shows is not removed from it.
    if (const diary::Result writable = book.writable(); !writable.done) {
        showResult(writable);
        return;
    }
    showResult(diary_.removeMonth(book.year(), book.month()));
    summariesChanged();
}

void frmMain::DeleteSelectedRecords() {
    disableRowButtons();
    if (chkDeleteKakunin->isChecked() &&
        platform_.prompter.message(
            u"削除の確認"_s, u"選択した懸賞情報を削除しますか？\r\n実行すると元には戻せません。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    const Tab tab = selectedTab();
    if (tab == Tab::Month && SelectedIndex != 0) {
        QList<int> rows;
        if (SelectedCount == 1) {
            rows.append(SelectedIndex);
        } else {
            for (int row : lvwMonth->selectedRows()) {
                rows.append(row + 1);
            }
        }
        removeMonthRows(rows);
        return;
    }
    if (tab == Tab::Search && SearchSelectedIndex != 0) {
        deleteSearchResult();
    } else if (tab == Tab::Year && YearSelectedIndex != 0) {
        deleteYearMonth();
    } else if (tab == Tab::Total && TotalSelectedIndex != 0) {
        deleteTotalYear();
    }
    ListViewStatistics();
}

void frmMain::deleteSearchResult() {
    if (SearchSelectedIndex < 1 || SearchSelectedIndex > searchResults_.count()) {
        return;
    }
    // The result is found in its own month by its 17 texts.
    const PrizeEntry wanted = searchResults_.at(SearchSelectedIndex - 1);
    ShownYear = wanted[FilingDate].mid(0, 4);
    ShownMonth = wanted[FilingDate].mid(5, 2);
    if (RemoveSearchRow) {
        searchResults_.removeAt(SearchSelectedIndex - 1);
    }
    LoadMonthFile();
    SelectedIndex = diary_.month().records().find(wanted) + 1;
    if (SelectedIndex == 0) {
        return;  // no longer in its month: nothing to delete there
    }
    showResult(diary_.removeRows({SelectedIndex - 1}));
    summariesChanged();
}

void frmMain::deleteSelectedSearchResults() {
    const QList<int> rows = lvwSearch->selectedRows();
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        SearchSelectedIndex = *row + 1;
        DeleteSelectedRecords();
    }
}

void frmMain::deleteYearMonth() {
    showResult(diary_.removeMonth(ShownYear, ShownMonth));
    summariesChanged();
    LoadYearFile();
}

void frmMain::deleteTotalYear() {
    showResult(diary_.removeYear(ShownYear));
    summariesChanged();
    LoadTotalFile();
}

void frmMain::cmdDelete_Click() {
    cmdDelete->setEnabled(false);
    cmdHensyu->setEnabled(false);
    switch (selectedTab()) {
        case Tab::Search:
            deleteSelectedSearchResults();
            return;
        case Tab::Year:
        case Tab::Total:
            DeleteSelectedRecords();
            return;
        case Tab::Month:
            break;
        default:
            return;
    }
    if (SelectedCount == lvwMonth->count()) {
        // Every row selected: the whole month goes, without the question.
        cmdAllDelete_Click(false);
    } else {
        DeleteSelectedRecords();
    }
}

void frmMain::cmdAllDelete_Click(bool confirm) {
    disableRowButtons();
    if (confirm && chkAllDeleteKakunin->isChecked() &&
        platform_.prompter.message(
            u"全削除の確認"_s,
            u"表示されている懸賞情報を全て削除しますか？\r\n実行すると元には戻せません。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    switch (selectedTab()) {
        case Tab::Month:
            removeShownMonth();
            break;
        case Tab::Year:
            showResult(diary_.removeYear(ShownYear));
            summariesChanged();
            LoadYearFile();  // twelve empty months
            break;
        case Tab::Total:
            showResult(diary_.removeAll());
            summariesChanged();
            LoadTotalFile();
            break;
        default:
            return;
    }
    ListViewStatistics();
}
