// frmMain: applying what the settings tab edited.
#include <QApplication>
#include <QProgressBar>
#include <QScopeGuard>

#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/searchcontrol.h"
#include "mainwindow/settingspage.h"
#include "platform/prompter.h"
#include "widgets/listview.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

void frmMain::cmdSetting_Click() {
    panel_->prgShinko->setValue(0);
    const bool keyBefore = desk_.settings().formatKeyNowDay;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    desk_.setWindowPosition(pixelsToTwips(y(), this), pixelsToTwips(x(), this));
    const diary::Result applied = desk_.applySettings(
        settingsPage_->edited(), [this](int done, int all) { panel_->showProgress(done, all); });
    showResult(applied);
    if (!applied.done) {
        settingsPage_->cmdSetting->setEnabled(true);
        return;
    }
    for (ListView* list : {lvwMonth, lvwSearch}) {
        ListViewColumnHeadersMonth(list);
    }
    if (keyBefore != desk_.settings().formatKeyNowDay) {
        panel_->clearFigures();
    }
    search_->setMainOnTop(desk_.settings().formState);
    panel_->prgShinko->setValue(panel_->prgShinko->maximum());
    restoreCursor.dismiss();
    QApplication::restoreOverrideCursor();
    platform_.prompter.message(u"完了"_s, u"設定を適用させました"_s,
                               platform::MessageIcon::Information, platform::MessageButtons::Ok);
}
