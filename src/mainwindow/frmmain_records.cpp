// frmMain: opening the record editor, moving a record to another month, and
// opening things through the shell.
#include <QFileInfo>

#include "entry/frmdatainput.h"
#include "entry/recordupdate.h"
#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "storage/prizeentry.h"

using namespace Qt::StringLiterals;

frmDataInput* frmMain::loadEditor() {
    if (dataInput_ == nullptr) {
        dataInput_ = new frmDataInput(*this);
        if (chkFormState->isChecked()) {
            dataInput_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        }
        for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
            w->setEnabled(false);
        }
    }
    return dataInput_.data();
}

void frmMain::editorClosed() {
    // Deleted once its own event handling is over.
    dataInput_->deleteLater();
    dataInput_ = nullptr;
}

void frmMain::cmdNewInput_Click() {
    SelectedIndex = 0;
    frmDataInput* editor = loadEditor();
    editor->applyDateLayout(true);
    editor->PicturePath.clear();
    for (DatePicker* picker : {editor->dtpNowDay, editor->dtpEndDay, editor->dtpHappyDay}) {
        picker->setDateByCode(dtpDate->date());
    }
    for (QWidget* w : {editor->cmdTopRecord, editor->cmdBackRecord, editor->cmdNextRecord,
                       editor->cmdEndRecord}) {
        w->setEnabled(false);
    }
    editor->show();
    setEnabled(false);
}

void frmMain::OpenRecordEditor() {
    const QString key = selectedTabKey();
    if (key == u"T_Month"_s) {
        CurrentListView = lvwMonth;
        EditIndex = SelectedIndex;
    } else if (key == u"T_Search"_s) {
        CurrentListView = lvwSearch;
        EditIndex = SearchSelectedIndex;
        ShownYear = dtpDate->date().toString(u"yyyy"_s);
        ShownMonth = dtpDate->date().toString(u"MM"_s);
    } else {
        return;
    }
    if (EditIndex < 1 || EditIndex > CurrentListView->count()) {
        return;
    }
    frmDataInput* editor = loadEditor();
    editor->applyDateLayout(false);
    editor->txtID->setText(CurrentListView->rows().text(EditIndex - 1, ID));
    editor->applyLockRule();
    editor->FillEditorFromRow();
    editor->cmdKoshin->setEnabled(false);
}

void frmMain::SortMonthList() {
    if (chkSortOn->isChecked()) {
        recordupdate::SortMonthRows(lvwMonth->rows());
    }
}

void frmMain::moveRecord(const QStringList& record) {
    const QString oldYear = ShownYear;
    const QString oldMonth = ShownMonth;
    const QString oldDay = ShownDay;
    const int oldSelected = SelectedIndex;
    const int oldSearchSelected = SearchSelectedIndex;
    const auto showOldMonth = [&] {
        ShownYear = oldYear;
        ShownMonth = oldMonth;
        ShownDay = oldDay;
        LoadMonthFile();
    };
    // The new month gets the record first and the old month loses it only
    // once that is stored, so that no failure can lose it; the deletion asks
    // no question.
    const QDate filing = QDate::fromString(record[FilingDate], u"yyyy/MM/dd"_s);
    ShownYear = filing.toString(u"yyyy"_s);
    ShownMonth = filing.toString(u"MM"_s);
    LoadMonthFile();
    lvwMonth->rows().appendRow(record);
    MonthSavePending = true;
    SortMonthList();
    ListViewStatistics();
    const bool stored = SaveMonthFile();
    MonthSavePending = false;
    showOldMonth();
    if (stored && oldSelected >= 1 && oldSelected <= lvwMonth->count()) {
        RemoveSearchRow = false;
        removeMonthRows({oldSelected});
        RemoveSearchRow = true;
        showOldMonth();
    }
    SelectedIndex = std::min(oldSelected, lvwMonth->count());
    SearchSelectedIndex = oldSearchSelected;
    const bool monthTab = selectedTabKey() == u"T_Month"_s;
    if (monthTab && SelectedIndex == 0) {
        if (dataInput_) {
            dataInput_->cmdClose_Click();
        }
        return;
    }
    EditExisting = false;
    OpenRecordEditor();
}

void frmMain::OpenShellTarget() {
    platform_.shell.open(ShellTarget);
}

void frmMain::ShellOpenWithMessage(const QString& path) {
    const int result = platform_.shell.open(path);
    if (result > 32) {
        return;
    }
    QString text;
    switch (result) {
        case 2:
            text = u"File not found:"_s + path;
            break;
        case 3:
            text = u"Path not found:"_s + path;
            break;
        case 5:
            text = u"Access denied"_s;
            break;
        case 8:
            text = u"Out of memory"_s;
            break;
        case 11:
            text = u"Invalid EXE file or error in EXE image"_s;
            break;
        case 26:
            text = u"A sharing violation occurred"_s;
            break;
        case 27:
            text = u"Incomplete or invalid file association"_s;
            break;
        case 28:
            text = u"DDE Time out"_s;
            break;
        case 29:
            text = u"DDE transaction failed"_s;
            break;
        case 30:
            text = u"DDE busy"_s;
            break;
        case 31:
            text = u"No association for file extension"_s;
            break;
        case 32:
            text = u"DLL not found"_s;
            break;
        default:
            text = u"Unknown error"_s;
            break;
    }
    // The box has no title of its own: it carries the program's name.
    platform_.prompter.message(u"kirabilog"_s, text, platform::MessageIcon::None,
                               platform::MessageButtons::Ok);
}

void frmMain::cmdURL_Click() {
    OpenShellTarget();
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
        w->setEnabled(false);
    }
    SelectedIndex = 0;
    SearchSelectedIndex = 0;
}

frmDataInput* frmMain::editor() const {
    return dataInput_.data();
}
