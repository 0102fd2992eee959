// frmMain: what the program hands to the desktop from the bottom panel — the
// web page of a record and the companion input program.
#include <QFileInfo>
#include <QPushButton>

#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "platform/programfiles.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

void frmMain::cmdURL_Click() {
    // The button is enabled only for a row whose address is a web page.
    const int row = desk_.selection.EditIndex - 1;
    if (CurrentListView != nullptr && row >= 0 && row < CurrentListView->count()) {
        platform_.shell.open(CurrentListView->listModel().text(row, URL));
    }
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    desk_.selection.SelectedIndex = 0;
    desk_.selection.SearchSelectedIndex = 0;
}

void frmMain::cmdUserInput_Click() {
    const QString companion = desk_.paths().programFolder() + u'/' + programfiles::Companion;
    if (QFileInfo::exists(companion)) {
        platform_.shell.startProgram(companion);
        return;
    }
    platform_.prompter.message(programfiles::Companion + u"が見つかりません"_s,
                               u"入力支援システムを使用したい場合は、「"_s + programfiles::Program +
                                   u"」と\r\n「"_s + programfiles::Companion +
                                   u"」を同じフォルダに入れて下さい。"_s,
                               platform::MessageIcon::Error, platform::MessageButtons::Ok);
}
