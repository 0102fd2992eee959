// frmMain: deleting records from the month list, and the month, its year
// file and its folders with them when the month becomes empty.
#include <QDir>
#include <QFile>

#include "mainwindow/frmmain.h"
#include "platform/prompter.h"

using namespace Qt::StringLiterals;

namespace {

bool holdsAnyFile(const QString& folder) {
    return !QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

}  // namespace

void frmMain::removeMonthRows(QList<int> rows) {
    ListModel& month = lvwMonth->rows();
    std::sort(rows.begin(), rows.end());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (*it >= 1 && *it <= month.rowCount()) {
            month.removeRowAt(*it - 1);
        }
    }
    if (month.rowCount() > 0) {
        SaveMonthFile();
    } else {
        removeShownMonth();
    }
    ListViewStatistics();
}

void frmMain::removeShownMonth() {
    // The month disappears: its file, and its year when nothing else is left
    // of it; the summaries follow.
    MonthExpenses = Currency();
    QFile::remove(monthFilePath());
    const QString yearFolder = Paths.yearFolder(ShownYear);
    if (holdsAnyFile(yearFolder)) {
        MonthRemovedFlag = true;
        SaveYearFile();
    } else {
        QDir().rmdir(yearFolder);
        QFile::remove(Paths.yearFile(ShownYear));
        YearRemovedFlag = true;
        SaveTotalFile();
    }
    if (!holdsAnyFile(Paths.summaryFolder())) {
        QDir().rmdir(Paths.summaryFolder());
    }
}

void frmMain::DeleteSelectedRecords() {
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete, cmdUnhappyMoneyIn}) {
        w->setEnabled(false);
    }
    txtUnhappyMoneyValue->setText(u"0"_s);
    if (chkDeleteKakunin->isChecked() &&
        platform_.prompter.message(
            u"削除の確認"_s, u"選択した懸賞情報を削除しますか？\r\n実行すると元には戻せません。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    if (selectedTabKey() == u"T_Month"_s && SelectedIndex != 0) {
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
    if (selectedTabKey() != u"T_Month"_s) {
        return;  // months, years and search results come with their deletion
    }
    if (SelectedCount == lvwMonth->count()) {
        // Every row selected: the whole month goes, without the question.
        const bool confirm = chkAllDeleteKakunin->isChecked();
        chkAllDeleteKakunin->setChecked(false);
        cmdAllDelete_Click();
        chkAllDeleteKakunin->setChecked(confirm);
    } else {
        DeleteSelectedRecords();
    }
}

void frmMain::cmdAllDelete_Click() {
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete, cmdUnhappyMoneyIn}) {
        w->setEnabled(false);
    }
    txtUnhappyMoneyValue->setText(u"0"_s);
    if (chkAllDeleteKakunin->isChecked() &&
        platform_.prompter.message(
            u"全削除の確認"_s,
            u"表示されている懸賞情報を全て削除しますか？\r\n実行すると元には戻せません。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    if (selectedTabKey() == u"T_Month"_s) {
        lvwMonth->rows().clearRows();
        removeShownMonth();
        ListViewStatistics();
    }
    // Deleting a whole year or all data comes with the deletion of all data.
}
