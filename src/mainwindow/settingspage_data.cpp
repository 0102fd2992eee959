// The settings tab: a shortcut on the desktop, and backing up the data
// folder and restoring it from a backup.
#include <QApplication>

#include "diary/backup.h"
#include "mainwindow/settingspage.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "platform/shortcut.h"

using namespace Qt::StringLiterals;

namespace {

const QString RestorePrompt =
    u"【yyyyMMdd_kirabilog_backup】フォルダを指定して下さい。\r\n"
    u"※yyyyMMddの部分は、バックアップした年月日が割り当てられています。"_s;
const QString WrongFolderText =
    u"【yyyyMMdd_kirabilog_backup】フォルダを指定して下さい。\r\n"
    u"※yyyyMMddの部分には、バックアップした年月日が割り当てられています。"_s;

}  // namespace

QString SettingsPage::BrowseForFolder(const QString& prompt) {
    const std::optional<QString> chosen = platform_.dialogs.browseFolder(window(), prompt);
    // What the folder box holds ends at its first NUL, as a path can.
    return chosen ? chosen->section(QChar(u'\0'), 0, 0) : QString();
}

void SettingsPage::cmdBackUp_Click() {
    const QString chosen = BrowseForFolder(u"バックアップ先を指定して下さい。"_s);
    if (chosen.isEmpty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const diary::Result result = desk_.backUp(chosen, platform_.clock.today());
    QApplication::restoreOverrideCursor();
    if (!result.done) {
        showNotices(result);
        return;
    }
    platform_.prompter.message(u"完了"_s, u"バックアップが完了しました。"_s,
                               platform::MessageIcon::Information, platform::MessageButtons::Ok);
}

void SettingsPage::cmdRestore_Click() {
    if (platform_.prompter.message(
            u"復元の確認"_s,
            u"バックアップファイルから復元しますか？\r\n実行すると現在のデータは失われます。"_s,
            platform::MessageIcon::Question,
            platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    QString chosen;
    for (;;) {
        chosen = BrowseForFolder(RestorePrompt);
        if (chosen.isEmpty()) {
            return;
        }
        if (backup::isBackupFolderName(chosen)) {
            break;
        }
        platform_.prompter.message(u"エラー"_s, WrongFolderText, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const diary::Result result = desk_.restore(chosen);
    QApplication::restoreOverrideCursor();
    if (!result.done) {
        showNotices(result);
        return;
    }
    platform_.prompter.message(u"完了"_s,
                               u"復元は正常に行われました。\r\n適用させるために一旦終了します。"_s,
                               platform::MessageIcon::Information, platform::MessageButtons::Ok);
    // The lists in memory are of the data that is gone, and the settings in
    // memory are not the restored ones: the program ends without writing
    // anything.
    Q_EMIT restored();
}

void SettingsPage::cmdShortcut_Click() {
    if (!platform_.shortcut.create(programPath_)) {
        platform::showError(platform_.prompter,
                            u"デスクトップ上にショートカットを作成できませんでした。"_s);
    }
}

void SettingsPage::showNotices(const diary::Result& result) {
    for (const diary::Notice& notice : result.notices) {
        platform_.prompter.message(notice.title, notice.text, platform::MessageIcon::Error,
                                   platform::MessageButtons::Ok);
    }
}
