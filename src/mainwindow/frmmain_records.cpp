// frmMain: the record editor — opening it, and storing what it asks to store:
// a new record, a change in place, or a move to another month — and opening
// things through the shell.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "entry/frmdatainput.h"
#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/shellopen.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

namespace {

QString yearMonth(QDate date) {
    return date.toString(u"yyyy/MM"_s);
}

}  // namespace

bool frmMain::filedByDeadline() const {
    return optEndDay->isChecked();
}

QString frmMain::helpFile() const {
    return HelpFile;
}

frmDataInput* frmMain::loadEditor() {
    if (dataInput_ == nullptr) {
        dataInput_ = new frmDataInput(platform_, *this);
        if (chkFormState->isChecked()) {
            dataInput_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        }
        connect(dataInput_, &frmDataInput::updateRequested, this, &frmMain::storeEditedRecord);
        connect(dataInput_, &frmDataInput::recordRequested, this, &frmMain::editorRecordRequested);
        connect(dataInput_, &frmDataInput::closed, this, &frmMain::editorClosed);
        for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
            w->setEnabled(false);
        }
    }
    return dataInput_.data();
}

void frmMain::editorClosed() {
    setEnabled(true);
    SelectedIndex = 0;
    SearchSelectedIndex = 0;
    // Deleted once its own event handling is over.
    dataInput_->deleteLater();
    dataInput_ = nullptr;
}

void frmMain::cmdNewInput_Click() {
    SelectedIndex = 0;
    loadEditor()->showNew(dtpDate->date());
    setEnabled(false);
}

void frmMain::OpenRecordEditor() {
    const Tab tab = selectedTab();
    if (tab == Tab::Month) {
        CurrentListView = lvwMonth;
        EditIndex = SelectedIndex;
    } else if (tab == Tab::Search) {
        CurrentListView = lvwSearch;
        EditIndex = SearchSelectedIndex;
        ShownYear = dtpDate->date().toString(u"yyyy"_s);
        ShownMonth = dtpDate->date().toString(u"MM"_s);
    } else {
        return;
    }
    const diary::RecordList& records = listRecords(CurrentListView);
    if (EditIndex < 1 || EditIndex > records.count()) {
        return;
    }
    frmDataInput* editor = loadEditor();
    setEnabled(false);
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
        w->setEnabled(false);
    }
    editor->showRecord(records.at(EditIndex - 1), EditIndex, records.count());
    if (EditExisting) {
        editor->show();
        editor->raise();
        editor->activateWindow();
    }
    if (lvwMonth->count() == 0) {
        setEnabled(true);
    }
    EditExisting = true;
}

void frmMain::editorRecordRequested(int position) {
    if (selectedTab() == Tab::Search) {
        SearchSelectedIndex = position;
    } else {
        SelectedIndex = position;
    }
    EditExisting = false;
    OpenRecordEditor();
}

void frmMain::SortMonthList() {
    if (chkSortOn->isChecked()) {
        diary_.month().records().sortByFilingKey();
    }
}

bool frmMain::isDuplicateDeclined(const records::Description& typed) {
    const std::optional<QString> stored =
        records::duplicateOf(diary_.month().records().records(), typed, filedByDeadline());
    return stored && platform_.prompter.message(
                         u"懸賞情報重複の確認"_s,
                         u"以下の内容は登録済みですが登録しますか？\r\n\r\n"_s + *stored,
                         platform::MessageIcon::Question,
                         platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes;
}

void frmMain::storeEditedRecord(const PrizeEntry& record, const records::Description& typed) {
    diary::RecordList& month = diary_.month().records();
    if (selectedTab() == Tab::Search && SearchSelectedIndex != 0) {
        // The record of a search row is found in its month by its texts.
        const PrizeEntry searched = searchResults_.at(SearchSelectedIndex - 1);
        LoadMonthFile();
        SelectedIndex = month.find(searched) + 1;
        if (SelectedIndex == 0) {
            // Never overwrite another record: the stored one changed since
            // the search.
            showError(
                u"編集中の懸賞情報が保存先の月に見つかりません。\r\n検索し直してから編集して下さい。"_s);
            return;
        }
        searchResults_.replace(SearchSelectedIndex - 1, record);
    }
    if (SelectedIndex != 0) {
        const bool stays =
            filedByDeadline() || record[FilingDate].left(7) == yearMonth(dtpDate->date());
        if (!stays) {
            moveRecord(record);
            return;
        }
        month.replace(SelectedIndex - 1, record);
        // The editor follows its record through the sort.
        const QPersistentModelIndex edited = lvwMonth->listModel().index(SelectedIndex - 1, 0);
        MonthSavePending = true;
        SortMonthList();
        SaveMonthFile();
        MonthSavePending = false;
        if (edited.isValid() && selectedTab() != Tab::Search && dataInput_) {
            SelectedIndex = edited.row() + 1;
            EditIndex = SelectedIndex;
            dataInput_->showPosition(EditIndex);
        }
        return;
    }
    if (chkNoTyohuku->isChecked() && isDuplicateDeclined(typed)) {
        return;
    }
    ShownYear = record[FilingDate].mid(0, 4);
    ShownMonth = record[FilingDate].mid(5, 2);
    if (yearMonth(dtpDate->date()) != ShownYear + u'/' + ShownMonth) {
        LoadMonthFile();
    }
    month.append(record);
    const QPersistentModelIndex added = lvwMonth->listModel().index(month.count() - 1, 0);
    MonthSavePending = true;
    SortMonthList();
    ListViewStatistics();
    const bool stored = SaveMonthFile();
    MonthSavePending = false;
    if (!stored && added.isValid()) {
        // The list shows only what is stored.
        month.removeAt(added.row());
        ListViewStatistics();
    }
}

void frmMain::moveRecord(const PrizeEntry& record) {
    const int oldSelected = SelectedIndex;
    const int oldSearchSelected = SearchSelectedIndex;
    // Stored in its new month first; it leaves the old one only then.
    showResult(diary_.moveRecord(SelectedIndex - 1, record));
    LoadMonthFile();  // the old month, as its file now holds it
    summariesChanged();
    SelectedIndex = std::min(oldSelected, lvwMonth->count());
    SearchSelectedIndex = oldSearchSelected;
    if (selectedTab() == Tab::Month && SelectedIndex == 0) {
        if (dataInput_) {
            dataInput_->cmdClose_Click();
        }
        return;
    }
    EditExisting = false;
    OpenRecordEditor();
}
