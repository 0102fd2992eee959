// frmMain: the record editor — opening it, and storing what it asks to store:
// a new record, a change in place, or a move to another month.
#include <QPushButton>

#include "entry/frmdatainput.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

bool frmMain::filedByDeadline() const {
    return desk_.filedByDeadline();
}

QString frmMain::helpFile() const {
    return HelpFile;
}

frmDataInput* frmMain::loadEditor() {
    if (dataInput_ == nullptr) {
        dataInput_ = new frmDataInput(platform_, *this);
        if (desk_.settings().formState) {
            dataInput_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        }
        connect(dataInput_, &frmDataInput::updateRequested, this, &frmMain::storeEditedRecord);
        connect(dataInput_, &frmDataInput::recordRequested, this, &frmMain::editorRecordRequested);
        connect(dataInput_, &frmDataInput::closed, this, &frmMain::editorClosed);
        for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
            w->setEnabled(false);
        }
    }
    return dataInput_.data();
}

void frmMain::editorClosed() {
    setEnabled(true);
    desk_.selection.SelectedIndex = 0;
    desk_.selection.SearchSelectedIndex = 0;
    // Deleted once its own event handling is over.
    dataInput_->deleteLater();
    dataInput_ = nullptr;
}

void frmMain::cmdNewInput_Click() {
    desk_.selection.SelectedIndex = 0;
    loadEditor()->showNew(desk_.shownDate());
    setEnabled(false);
}

void frmMain::OpenRecordEditor() {
    diary::Selection& s = desk_.selection;
    const Tab tab = selectedTab();
    if (tab == Tab::Month) {
        CurrentListView = lvwMonth;
        s.EditIndex = s.SelectedIndex;
    } else if (tab == Tab::Search) {
        CurrentListView = lvwSearch;
        s.EditIndex = s.SearchSelectedIndex;
    } else {
        return;
    }
    const diary::RecordList& records = listRecords(CurrentListView);
    if (s.EditIndex < 1 || s.EditIndex > records.count()) {
        return;
    }
    frmDataInput* editor = loadEditor();
    setEnabled(false);
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    editor->showRecord(records.at(s.EditIndex - 1), s.EditIndex, records.count());
    if (desk_.flags.EditExisting) {
        editor->show();
        editor->raise();
        editor->activateWindow();
    }
    if (lvwMonth->count() == 0) {
        setEnabled(true);
    }
    desk_.flags.EditExisting = true;
}

void frmMain::editorRecordRequested(int position) {
    if (selectedTab() == Tab::Search) {
        desk_.selection.SearchSelectedIndex = position;
    } else {
        desk_.selection.SelectedIndex = position;
    }
    desk_.flags.EditExisting = false;
    OpenRecordEditor();
}

bool frmMain::isDuplicateDeclined(const records::Description& typed) {
    const std::optional<QString> stored =
        records::duplicateOf(desk_.diary().month().records().records(), typed, filedByDeadline());
    return stored && platform_.prompter.message(
                         u"懸賞情報重複の確認"_s,
                         u"以下の内容は登録済みですが登録しますか？\r\n\r\n"_s + *stored,
                         platform::MessageIcon::Question,
                         platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes;
}

void frmMain::storeEditedRecord(const PrizeEntry& record, const records::Description& typed) {
    diary::Selection& s = desk_.selection;
    if (selectedTab() == Tab::Search && s.SearchSelectedIndex != 0) {
        // The record of a search row is found in its month by its texts.
        diary::Result loaded;
        s.SelectedIndex = desk_.findSearchResult(s.SearchSelectedIndex - 1, &loaded) + 1;
        showResult(loaded);
        ListViewStatistics();
        if (s.SelectedIndex == 0) {
            // Never overwrite another record: the stored one changed since
            // the search.
            showError(
                u"編集中の懸賞情報が保存先の月に見つかりません。\r\n検索し直してから編集して下さい。"_s);
            return;
        }
        desk_.searchResults().replace(s.SearchSelectedIndex - 1, record);
    }
    if (s.SelectedIndex != 0) {
        const bool stays =
            filedByDeadline() || record[FilingDate].left(7) == desk_.ShownYearMonth();
        if (!stays) {
            moveRecord(record);
            return;
        }
        // The editor follows its record through the sort.
        const QPersistentModelIndex edited = lvwMonth->listModel().index(s.SelectedIndex - 1, 0);
        const diary::Result stored = desk_.replaceRecord(s.SelectedIndex - 1, record);
        showResult(stored);
        if (stored.done) {
            ListViewStatistics();
            summariesChanged();
        }
        if (edited.isValid() && selectedTab() != Tab::Search && dataInput_) {
            s.SelectedIndex = edited.row() + 1;
            s.EditIndex = s.SelectedIndex;
            dataInput_->showPosition(s.EditIndex);
        }
        return;
    }
    if (desk_.settings().noTyohuku && isDuplicateDeclined(typed)) {
        return;
    }
    const diary::Result added = desk_.addRecord(record);
    showResult(added);
    ListViewStatistics();
    if (added.done) {
        summariesChanged();
    }
}

void frmMain::moveRecord(const PrizeEntry& record) {
    diary::Selection& s = desk_.selection;
    const int oldSelected = s.SelectedIndex;
    const int oldSearchSelected = s.SearchSelectedIndex;
    // Stored in its new month first; it leaves the old one only then.
    showResult(desk_.moveRecord(s.SelectedIndex - 1, record));
    ListViewStatistics();
    summariesChanged();
    s.SelectedIndex = std::min(oldSelected, lvwMonth->count());
    s.SearchSelectedIndex = oldSearchSelected;
    if (selectedTab() == Tab::Month && s.SelectedIndex == 0) {
        if (dataInput_) {
            dataInput_->cmdClose_Click();
        }
        return;
    }
    desk_.flags.EditExisting = false;
    OpenRecordEditor();
}
