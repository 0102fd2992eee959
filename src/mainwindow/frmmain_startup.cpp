// frmMain: the entry procedure, the load sequence, the end procedure and the
// check boxes of the settings tab.
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include "diary/backup.h"
#include "diary/links.h"
#include "diary/refiling.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmstartpassword.h"
#include "platform/clock.h"
#include "platform/instancelock.h"
#include "platform/programfiles.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/shortcut.h"
#include "storage/binarycipher.h"
#include "storage/diskfile.h"
#include "widgets/controls.h"
#include "widgets/listview.h"
#include "widgets/marks.h"

using namespace Qt::StringLiterals;

namespace {

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// Major version "#0", minor "00", then "b2": 1.0 gives "1.00b2".
QString versionText() {
    return u"%1.%2b2"_s.arg(KIRABILOG_VERSION_MAJOR)
        .arg(KIRABILOG_VERSION_MINOR, 2, 10, QChar(u'0'));
}

}  // namespace

frmMain* StartProgram(Platform& platform, const QString& programFolder) {
    if (!platform.instanceLock.tryAcquire()) {
        platform.prompter.message(u"多重起動不可"_s, u"きらび帳は、すでに起動しています。"_s,
                                  platform::MessageIcon::None, platform::MessageButtons::Ok);
        return nullptr;
    }
    auto* window = new frmMain(platform, programFolder);
    if (!window->Form_Load()) {
        delete window;
        return nullptr;
    }
    window->show();
    return window;
}

bool frmMain::Form_Load() {
    const DataPaths& paths = diary_.paths();
    HelpFile = paths.programFolder() + u'/' + programfiles::HelpPage;
    lvwMonth->hide();
    setTextColor(lblSyo, marks::SmallWinColor);
    setTextColor(lblTyu, marks::MiddleWinColor);
    setTextColor(lblDai, marks::BigWinColor);
    setTextColor(lblDay, marks::WinDayColor);
    lblVersion->setText(u"きらび帳 Version "_s + versionText());

    // From here on a step that fails is passed over and the load goes on.
    // A restore that a crash stopped is finished first: it may have moved
    // the data folder aside.
    backup::recoverRestore(paths);
    QDir().mkpath(paths.dataFolder());
    QDir().mkpath(paths.iniFolder());
    // A re-filing that a crash stopped is completed or undone first.
    refiling::recoverRefiling(paths);
    const QString settingsFile = paths.settingsFile();
    const QString oldSettingsFile = paths.oldSettingsFile();
    if (mdlBinaryCipher::FileExists(settingsFile)) {
        if (mdlBinaryCipher::FileExists(oldSettingsFile)) {
            QFile::remove(oldSettingsFile);
        }
    } else if (mdlBinaryCipher::FileExists(oldSettingsFile)) {
        // An older version kept the settings plain beside the program. They
        // move into the data folder enciphered; the old file goes only once
        // the new one is safely written.
        QFile old(oldSettingsFile);
        if (old.open(QIODevice::ReadOnly)) {
            const QByteArray plain = old.readAll();
            old.close();
            if (diskfile::replaceEnciphered(settingsFile, plain).ok()) {
                QFile::remove(oldSettingsFile);
            }
        }
    } else if (platform_.prompter.message(
                   u"きらび帳初回起動"_s, u"デスクトップ上にショートカットを作成しますか？"_s,
                   platform::MessageIcon::Question,
                   platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes) {
        platform_.shortcut.create(programPath());
    }
    SettingsPath = settingsFile;

    StartingUp = true;
    SettingsLoading = true;
    LoadSettings();
    if (chkStartPassword->isChecked()) {
        // A cancelled log-in ends the program before its window is shown.
        frmStartPassword logIn(platform_, frmStartPassword::Mode::LogIn, CurrentStartPassword);
        if (logIn.exec() != QDialog::Accepted) {
            return false;
        }
    }
    StartingUp = false;

    applyWindowOrder();
    if (chkStartKirabi->isChecked()) {
        platform_.shell.open(KirabiTopPage);
    }

    placeLists();
    lvwMonth->raise();
    CurrentListView = lvwMonth;
    ListViewColumnHeadersMonth();
    fraLabel->raise();
    CurrentListView = lvwSearch;
    ListViewColumnHeadersMonth();
    CurrentListView = lvwDummy;
    ListViewColumnHeadersMonth();
    CurrentListView = lvwYear;
    ListViewColumnHeadersYear();
    CurrentListView = lvwTotal;
    ListViewColumnHeadersTotal();
    lvwSearchTemp->listModel().clearColumns();
    for (int i = 1; i <= 17; ++i) {
        lvwSearchTemp->listModel().addColumn({QString::number(i), 1000, Qt::AlignLeft});
    }

    SearchFormOpen = false;
    fraSetting->setEnabled(false);
    MonthSavePending = false;
    RemoveSearchRow = true;

    const QDate today = platform_.clock.today();
    dtpDate->setDateByCode(today);
    setShownDate(today);
    LoadMonthFile();
    lvwMonth->show();
    tabMain->setCurrentIndex(0);
    return true;
}

QString frmMain::programPath() const {
    return diary_.paths().programFolder() + u'/' + programfiles::Program;
}

void frmMain::setShownDate(QDate date) {
    ShownDate = date.toString(u"yyyy/MM/dd"_s);
    ShownYear = date.toString(u"yyyy"_s);
    ShownMonth = date.toString(u"MM"_s);
    ShownDay = date.toString(u"dd"_s);
    ShownYearMonth = date.toString(u"yyyy/MM"_s);
}

void frmMain::applyWindowOrder() {
    setMainOnTop(chkFormState->isChecked());
}

void frmMain::cmdShortcut_Click() {
    if (!platform_.shortcut.create(programPath())) {
        showError(u"デスクトップ上にショートカットを作成できませんでした。"_s);
    }
}

void frmMain::settingsCheckBoxClicked() {
    cmdSetting->setEnabled(true);
    applyDiarySettings();  // the boxes count from the moment they change
}

void frmMain::chkStartPassword_Click() {
    // A click by the user sets the password (box now on) or releases it
    // (box now off); a cancel puts the box back.
    if (!SettingsLoading) {
        const bool on = chkStartPassword->isChecked();
        frmStartPassword dialog(platform_,
                                on ? frmStartPassword::Mode::Set : frmStartPassword::Mode::Release,
                                CurrentStartPassword, this);
        if (dialog.exec() == QDialog::Accepted) {
            CurrentStartPassword = dialog.password();
        } else {
            SettingsLoading = true;
            chkStartPassword->setChecked(!on);
            if (on) {
                CurrentStartPassword.clear();
            }
        }
    }
    SettingsLoading = false;
    cmdSetting->setEnabled(true);
    applyDiarySettings();
}

void frmMain::cmdEnd_Click() {
    if (ending_) {
        return;
    }
    ending_ = true;
    unloadSearchWindow();
    if (isMinimized()) {
        showNormal();  // so that the position stored is the real one
    }
    if (selectedTab() == Tab::Setting) {
        SettingsLoading = true;
        LoadSettings();  // drops what was not applied
    }
    SaveSettings();
    endProgram();
}

void frmMain::endProgram() {
    ended_ = true;
    hide();
    Q_EMIT ended();
    deleteLater();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!ended_) {
        cmdEnd_Click();
    }
    event->accept();
}

void frmMain::showError(const QString& text) {
    platform::showError(platform_.prompter, text);
}

void frmMain::showResult(const diary::Result& result) {
    for (const diary::Notice& notice : result.notices) {
        platform_.prompter.message(notice.title, notice.text, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
    }
}
