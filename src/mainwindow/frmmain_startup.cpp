// frmMain: the entry procedure, the load sequence and the end procedure.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabBar>

#include "diary/backup.h"
#include "diary/deadlines.h"
#include "diary/links.h"
#include "diary/refiling.h"
#include "mainwindow/aboutpage.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmstartpassword.h"
#include "mainwindow/listpages.h"
#include "mainwindow/searchcontrol.h"
#include "mainwindow/settingspage.h"
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
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

namespace {

// Major version "#0", minor "00", then "b2": 1.0 gives "1.00b2".
QString versionText() {
    return u"%1.%2b2"_s.arg(KIRABILOG_VERSION_MAJOR)
        .arg(KIRABILOG_VERSION_MINOR, 2, 10, QChar(u'0'));
}

// An older version kept the settings plain beside the program. They move
// into the data folder enciphered; the old file goes only once the new one
// is safely written. False when there were none.
bool moveOldSettings(const DataPaths& paths) {
    const QString settingsFile = paths.settingsFile();
    const QString oldSettingsFile = paths.oldSettingsFile();
    if (mdlBinaryCipher::FileExists(settingsFile)) {
        if (mdlBinaryCipher::FileExists(oldSettingsFile)) {
            QFile::remove(oldSettingsFile);
        }
        return true;
    }
    if (!mdlBinaryCipher::FileExists(oldSettingsFile)) {
        return false;
    }
    QFile old(oldSettingsFile);
    if (old.open(QIODevice::ReadOnly)) {
        const QByteArray plain = old.readAll();
        old.close();
        if (diskfile::replaceEnciphered(settingsFile, plain).ok()) {
            QFile::remove(oldSettingsFile);
        }
    }
    return true;
}

}  // namespace

frmMain* StartProgram(Platform& platform, const QString& programFolder) {
    return StartProgram(platform, platform::ProgramLocation::portable(programFolder));
}

frmMain* StartProgram(Platform& platform, const platform::ProgramLocation& location) {
    if (!platform.instanceLock.tryAcquire()) {
        platform.prompter.message(u"多重起動不可"_s, u"きらび帳は、すでに起動しています。"_s,
                                  platform::MessageIcon::None, platform::MessageButtons::Ok);
        return nullptr;
    }
    auto* window = new frmMain(platform, location);
    if (!window->Form_Load()) {
        delete window;
        return nullptr;
    }
    window->show();
    window->bringBackConflicts();
    window->remindDeadlines();
    return window;
}

bool frmMain::Form_Load() {
    const DataPaths& paths = desk_.paths();
    aboutPage_->lblVersion->setText(u"きらび帳 Version "_s + versionText());

    // From here on a step that fails is passed over and the load goes on.
    // A restore that a crash stopped is finished first: it may have moved
    // the data folder aside.
    backup::recoverRestore(paths);
    QDir().mkpath(paths.dataFolder());
    QDir().mkpath(paths.iniFolder());
    // A re-filing that a crash stopped is completed or undone first.
    refiling::recoverRefiling(paths);
    if (!moveOldSettings(paths) &&
        platform_.prompter.message(
            u"きらび帳初回起動"_s, u"デスクトップ上にショートカットを作成しますか？"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes) {
        platform_.shortcut.create(location_.programFolder + u'/' + programfiles::Program);
    }

    desk_.flags.StartingUp = true;
    desk_.setWindowPosition(pixelsToTwips(y(), this), pixelsToTwips(x(), this));
    showResult(desk_.loadSettings());
    const settingsfile::Settings& settings = desk_.settings();
    if (settings.mainTop) {
        // Positions are stored in twips, as the window designer measured them.
        QPoint at(x(), twipsToPixels(*settings.mainTop, this));
        if (settings.mainLeft) {
            at.setX(twipsToPixels(*settings.mainLeft, this));
        }
        move(onSomeScreen(at));
    }
    if (settings.startPassword || desk_.sealed()) {
        // A cancelled log-in ends the program before its window is shown.
        frmStartPassword logIn(platform_, frmStartPassword::Mode::LogIn,
                               settings.startPasswordInput);
        if (desk_.sealed()) {
            // The password is right when it opens the data key.
            logIn.setPasswordCheck([this](const QString& typed) {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                const bool opened = desk_.unlock(typed).done;
                QApplication::restoreOverrideCursor();
                return opened;
            });
        }
        if (logIn.exec() != QDialog::Accepted) {
            return false;
        }
    }
    desk_.flags.StartingUp = false;

    search_->setMainOnTop(settings.formState);
    if (settings.startKirabi) {
        platform_.shell.open(KirabiTopPage);
    }
    ListViewColumnHeadersMonth(lvwMonth);
    ListViewColumnHeadersMonth(lvwSearch);
    ListViewColumnHeadersMonth(lvwDeadline);
    ListViewColumnHeadersMonth(searchPage_->lvwDummy);
    yearPage_->buildColumns();
    totalPage_->buildColumns();
    ListModel& temp = searchPage_->lvwSearchTemp->listModel();
    temp.clearColumns();
    for (int i = 1; i <= 17; ++i) {
        temp.addColumn({QString::number(i), 1000, Qt::AlignLeft});
    }
    CurrentListView = lvwMonth;
    settingsPage_->fraSetting->setEnabled(false);
    desk_.flags.SearchFormOpen = false;
    desk_.flags.MonthSavePending = false;
    desk_.flags.RemoveSearchRow = true;

    desk_.setShownDate(platform_.clock.today());
    panel_->dtpDate->setDateByCode(desk_.shownDate());
    tabMain->setCurrentIndex(0);
    enterTab(Tab::Month);
    return true;
}

void frmMain::remindDeadlines() {
    const int count = deadlines::reminderCount(desk_.paths(), platform_.clock.today(),
                                               desk_.filedByDeadline(), desk_.startPassword());
    if (count > 0) {
        platform_.prompter.message(
            u"締切のお知らせ"_s, u"締切まで7日以内の未応募の懸賞が%1件あります。"_s.arg(count),
            platform::MessageIcon::Information, platform::MessageButtons::Ok);
    }
}

QPoint frmMain::onSomeScreen(QPoint at) const {
    // A window whose title bar would lie on no screen could not be reached:
    // it comes up in the middle of the main screen instead.
    const QRect titleBar(at, QSize(width(), twipsToPixels(360, this)));
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty() || std::any_of(screens.cbegin(), screens.cend(), [&](QScreen* screen) {
            return screen->availableGeometry().intersects(titleBar);
        })) {
        return at;
    }
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return area.center() - QPoint(width() / 2, height() / 2);
}

void frmMain::SaveSettings() {
    desk_.setWindowPosition(pixelsToTwips(y(), this), pixelsToTwips(x(), this));
    showResult(desk_.saveSettings());
}

void frmMain::cmdEnd_Click() {
    if (ending_) {
        return;
    }
    ending_ = true;
    search_->unloadSearchWindow();
    if (isMinimized()) {
        showNormal();  // so that the position stored is the real one
    }
    // What the settings tab did not apply is dropped.
    SaveSettings();
    // The day's backup, when it is wanted; a failure is told, and the
    // program ends all the same.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const diary::Result backedUp = desk_.autoBackUp(platform_.clock.today());
    QApplication::restoreOverrideCursor();
    showResult(backedUp);
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

void frmMain::showResult(const diary::Result& result) {
    for (const diary::Notice& notice : result.notices) {
        platform_.prompter.message(notice.title, notice.text, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
    }
}
