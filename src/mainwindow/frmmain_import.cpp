// frmMain: the import of announcements copied from the mail magazine — read
// from the clipboard and filed into their months by the desk.
#include <QApplication>
#include <QPushButton>
#include <QScopeGuard>

#include "diary/records.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/frmmain.h"
#include "platform/clipboard.h"
#include "platform/prompter.h"

using namespace Qt::StringLiterals;

void frmMain::cmdInput_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    desk_.selection.SelectedIndex = 0;
    const std::optional<QString> text = platform_.clipboard.text();
    if (!text) {
        return;
    }
    // A record whose ID stands in its month is stored only when the user
    // wants it.
    const auto isWanted = [this](const PrizeEntry& record) {
        return platform_.prompter.message(
                   u"懸賞情報重複の確認"_s,
                   u"以下の内容は登録済みですが登録しますか？\r\n\r\n"_s +
                       records::describe(record, desk_.filedByDeadline()).text(),
                   platform::MessageIcon::Question,
                   platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes;
    };
    const diary::ImportOutcome imported = desk_.importText(
        *text, isWanted, [this](int done, int all) { panel_->showProgress(done, all); });
    showResult(imported.result);
    if (!imported.unreadableIds.isEmpty()) {
        platform_.prompter.message(
            u"取込登録"_s,
            u"次の懸賞情報は締切日または賞品名が読み取れないため登録しませんでした。\r\nＩＤ番号："_s +
                imported.unreadableIds.join(u"、"_s),
            platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
    }
    const diary::MonthBook& book = desk_.diary().month();
    if (imported.monthReloaded && book.state() == diary::MonthBook::State::Loaded) {
        panel_->showProgress(book.records().count(), book.records().count());
    }
    ListViewStatistics();
    summariesChanged();
}
