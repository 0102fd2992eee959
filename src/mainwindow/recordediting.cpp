#include "mainwindow/recordediting.h"

#include <QPushButton>

#include "entry/frmdatainput.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/viewrefresh.h"
#include "platform/prompter.h"
#include "widgets/controls.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

RecordEditing::RecordEditing(Platform& platform, diary::Desk& desk, QWidget* mainWindow,
                             ListView* lvwMonth, BottomPanel* panel, ViewRefresh& views,
                             QString helpFile)
    : QObject(mainWindow),
      platform_(platform),
      desk_(desk),
      mainWindow_(mainWindow),
      lvwMonth_(lvwMonth),
      panel_(panel),
      views_(views),
      helpFile_(std::move(helpFile)) {}

RecordEditing::~RecordEditing() {
    delete dataInput_.data();
}

void RecordEditing::disableRowButtons() {
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
}

bool RecordEditing::filedByDeadline() const {
    return desk_.filedByDeadline();
}

QString RecordEditing::helpFile() const {
    return helpFile_;
}

frmDataInput* RecordEditing::loadEditor() {
    if (dataInput_ == nullptr) {
        dataInput_ = new frmDataInput(platform_, *this);
        if (desk_.settings().formState) {
            dataInput_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        }
        connect(dataInput_, &frmDataInput::updateRequested, this,
                &RecordEditing::storeEditedRecord);
        connect(dataInput_, &frmDataInput::recordRequested, this,
                &RecordEditing::editorRecordRequested);
        connect(dataInput_, &frmDataInput::closed, this, &RecordEditing::editorClosed);
        disableRowButtons();
    }
    return dataInput_.data();
}

void RecordEditing::editorClosed() {
    mainWindow_->setEnabled(true);
    desk_.selection.SelectedIndex = 0;
    desk_.selection.SearchSelectedIndex = 0;
    desk_.selection.DeadlineSelectedIndex = 0;
    // Deleted once its own event handling is over.
    dataInput_->deleteLater();
    dataInput_ = nullptr;
}

void RecordEditing::cmdNewInput_Click() {
    desk_.selection.SelectedIndex = 0;
    loadEditor()->showNew(desk_.shownDate());
    mainWindow_->setEnabled(false);
}

void RecordEditing::OpenRecordEditor() {
    diary::Selection& s = desk_.selection;
    const diary::Tab tab = desk_.tab();
    if (tab == diary::Tab::Month) {
        s.EditIndex = s.SelectedIndex;
    } else if (diary::listsManyMonths(tab)) {
        s.EditIndex = desk_.listedSelection(tab);
    } else {
        return;
    }
    const diary::RecordList& records = desk_.recordsOf(tab);
    if (s.EditIndex < 1 || s.EditIndex > records.count()) {
        return;
    }
    frmDataInput* editor = loadEditor();
    mainWindow_->setEnabled(false);
    disableRowButtons();
    editor->showRecord(records.at(s.EditIndex - 1), s.EditIndex, records.count());
    if (desk_.flags.EditExisting) {
        editor->show();
        editor->raise();
        editor->activateWindow();
    }
    if (lvwMonth_->count() == 0) {
        mainWindow_->setEnabled(true);
    }
    desk_.flags.EditExisting = true;
}

void RecordEditing::editorRecordRequested(int position) {
    if (diary::listsManyMonths(desk_.tab())) {
        desk_.listedSelection(desk_.tab()) = position;
    } else {
        desk_.selection.SelectedIndex = position;
    }
    desk_.flags.EditExisting = false;
    OpenRecordEditor();
}

bool RecordEditing::isDuplicateDeclined(const records::Description& typed) {
    const std::optional<QString> stored =
        records::duplicateOf(desk_.diary().month().records().records(), typed, filedByDeadline());
    return stored && platform_.prompter.message(
                         u"懸賞情報重複の確認"_s,
                         u"以下の内容は登録済みですが登録しますか？\r\n\r\n"_s + *stored,
                         platform::MessageIcon::Question,
                         platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes;
}

void RecordEditing::storeEditedRecord(const PrizeEntry& record, const records::Description& typed) {
    if (storeRecord(record, typed) && desk_.tab() == diary::Tab::Deadline) {
        Q_EMIT deadlineRecordStored(record);
    }
}

void RecordEditing::followListedRecord(const PrizeEntry& record) {
    diary::Selection& s = desk_.selection;
    const diary::RecordList& listed = desk_.recordsOf(desk_.tab());
    const int row = listed.find(record);
    if (!dataInput_) {
        return;
    }
    if (row < 0) {
        // It left the list: its editor goes with it.
        dataInput_->cmdClose_Click();
        return;
    }
    desk_.listedSelection(desk_.tab()) = row + 1;
    s.EditIndex = row + 1;
    dataInput_->showRecord(listed.at(row), s.EditIndex, listed.count());
}

bool RecordEditing::storeRecord(const PrizeEntry& record, const records::Description& typed) {
    diary::Selection& s = desk_.selection;
    const diary::Tab tab = desk_.tab();
    if (diary::listsManyMonths(tab) && desk_.listedSelection(tab) != 0) {
        // The record of a search or deadline row is found in its month by
        // its texts.
        const int listedRow = desk_.listedSelection(tab) - 1;
        diary::Result loaded;
        s.SelectedIndex = desk_.findListedRecord(tab, listedRow, &loaded) + 1;
        views_.showResult(loaded);
        views_.ListViewStatistics();
        if (s.SelectedIndex == 0) {
            // Never overwrite another record: the stored one changed since
            // the search.
            platform::showError(
                platform_.prompter,
                u"編集中の懸賞情報が保存先の月に見つかりません。\r\n検索し直してから編集して下さい。"_s);
            return false;
        }
        desk_.recordsOf(tab).replace(listedRow, record);
    }
    if (s.SelectedIndex != 0) {
        const bool stays =
            filedByDeadline() || record[FilingDate].left(7) == desk_.ShownYearMonth();
        if (!stays) {
            return moveRecord(record);
        }
        // The editor follows its record through the sort.
        const QPersistentModelIndex edited = lvwMonth_->listModel().index(s.SelectedIndex - 1, 0);
        const diary::Result stored = desk_.replaceRecord(s.SelectedIndex - 1, record);
        views_.showResult(stored);
        if (stored.done) {
            views_.ListViewStatistics();
            views_.summariesChanged();
        }
        if (edited.isValid() && tab == diary::Tab::Month && dataInput_) {
            s.SelectedIndex = edited.row() + 1;
            s.EditIndex = s.SelectedIndex;
            dataInput_->showPosition(s.EditIndex);
        }
        return stored.done;
    }
    if (desk_.settings().noTyohuku && isDuplicateDeclined(typed)) {
        return false;
    }
    const diary::Result added = desk_.addRecord(record);
    views_.showResult(added);
    views_.ListViewStatistics();
    if (added.done) {
        views_.summariesChanged();
    }
    return added.done;
}

bool RecordEditing::moveRecord(const PrizeEntry& record) {
    diary::Selection& s = desk_.selection;
    const int oldSelected = s.SelectedIndex;
    const int oldSearchSelected = s.SearchSelectedIndex;
    const int oldDeadlineSelected = s.DeadlineSelectedIndex;
    // Stored in its new month first; it leaves the old one only then.
    const diary::Result moved = desk_.moveRecord(s.SelectedIndex - 1, record);
    views_.showResult(moved);
    views_.ListViewStatistics();
    views_.summariesChanged();
    s.SelectedIndex = std::min(oldSelected, lvwMonth_->count());
    s.SearchSelectedIndex = oldSearchSelected;
    s.DeadlineSelectedIndex = oldDeadlineSelected;
    if (desk_.tab() == diary::Tab::Month && s.SelectedIndex == 0) {
        if (dataInput_) {
            dataInput_->cmdClose_Click();
        }
        return moved.done;
    }
    desk_.flags.EditExisting = false;
    OpenRecordEditor();
    return moved.done;
}
