// frmMain: deletion at every grain — records of the month list and search
// results, a month from the year list, a year from the total list, and all
// that a tab shows — with the summaries and folders that follow.
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/listpages.h"
#include "platform/prompter.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

void disableRowButtons(BottomPanel* panel, YearPage* yearPage) {
    for (QWidget* w :
         {panel->cmdHensyu, panel->cmdURL, panel->cmdDelete, yearPage->cmdUnhappyMoneyIn}) {
        w->setEnabled(false);
    }
    yearPage->txtUnhappyMoneyValue->setText(u"0"_s);
}

}  // namespace

void frmMain::DeleteSelectedRecords() {
    disableRowButtons(panel_, yearPage_);
    if (desk_.settings().deleteKakunin &&
        platform_.prompter.message(
            u"削除の確認"_s, u"選択した懸賞情報を削除しますか？\r\n実行すると元には戻せません。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    const diary::Selection& s = desk_.selection;
    const Tab tab = selectedTab();
    if (tab == Tab::Month && s.SelectedIndex != 0) {
        const QList<int> rows =
            s.SelectedCount == 1 ? QList<int>{s.SelectedIndex - 1} : lvwMonth->selectedRows();
        showResult(desk_.removeRows(rows));
        ListViewStatistics();
        summariesChanged();
        return;
    }
    if (tab == Tab::Search && s.SearchSelectedIndex != 0) {
        showResult(desk_.removeSearchResult(s.SearchSelectedIndex - 1));
        summariesChanged();
    } else if (tab == Tab::Year && s.YearSelectedIndex != 0) {
        showResult(desk_.diary().removeMonth(desk_.ShownYear(), desk_.ShownMonth()));
        summariesChanged();
        LoadYearFile();
    } else if (tab == Tab::Total && s.TotalSelectedIndex != 0) {
        showResult(desk_.removeShownYear());
        summariesChanged();
        LoadTotalFile();
    }
    ListViewStatistics();
}

void frmMain::deleteSelectedSearchResults() {
    const QList<int> rows = lvwSearch->selectedRows();
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        desk_.selection.SearchSelectedIndex = *row + 1;
        DeleteSelectedRecords();
    }
}

void frmMain::cmdDelete_Click() {
    panel_->cmdDelete->setEnabled(false);
    panel_->cmdHensyu->setEnabled(false);
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
    if (desk_.selection.SelectedCount == lvwMonth->count()) {
        // Every row selected: the whole month goes, without the question.
        cmdAllDelete_Click(false);
    } else {
        DeleteSelectedRecords();
    }
}

void frmMain::cmdAllDelete_Click(bool confirm) {
    disableRowButtons(panel_, yearPage_);
    if (confirm && desk_.settings().allDeleteKakunin &&
        platform_.prompter.message(
            u"全削除の確認"_s,
            u"表示されている懸賞情報を全て削除しますか？\r\n実行すると元には戻せません。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    switch (selectedTab()) {
        case Tab::Month:
            showResult(desk_.removeShownMonth());
            summariesChanged();
            break;
        case Tab::Year:
            showResult(desk_.removeShownYear());
            summariesChanged();
            LoadYearFile();  // twelve empty months
            break;
        case Tab::Total:
            showResult(desk_.removeAll());
            summariesChanged();
            LoadTotalFile();
            break;
        default:
            return;
    }
    ListViewStatistics();
}
