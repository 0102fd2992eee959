// frmMain: deleting records from the month list, and the whole month with
// its summaries and folders when it becomes empty.
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
    if (selectedTab() == Tab::Month && SelectedIndex != 0) {
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
    ListViewStatistics();
}

void frmMain::cmdDelete_Click() {
    cmdDelete->setEnabled(false);
    cmdHensyu->setEnabled(false);
    if (selectedTab() != Tab::Month) {
        return;  // months, years and search results come with their deletion
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
    if (selectedTab() == Tab::Month) {
        removeShownMonth();
        ListViewStatistics();
    }
    // Deleting a whole year or all data comes with the deletion on those tabs.
}
