// frmMain: the copies that sync clients made of the data files, found at the
// start; their records come back into their months when the user wants.
#include <QApplication>
#include <QTabBar>

#include "diary/conflicts.h"
#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/prompter.h"

using namespace Qt::StringLiterals;

void frmMain::bringBackConflicts() {
    const QStringList copies = desk_.conflictCopies();
    if (copies.isEmpty()) {
        return;
    }
    const QString question =
        u"同期ソフトが作った競合ファイルがあります。記録を確認しますか？\r\n\r\n"_s +
        conflicts::listing(copies).join(u"\r\n"_s);
    if (platform_.prompter.message(u"競合ファイル"_s, question, platform::MessageIcon::Question,
                                   platform::MessageButtons::YesNo) !=
        platform::MessageAnswer::Yes) {
        return;  // asked again at the next start
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const diary::Result result = desk_.bringBackConflicts(copies, platform_.clock.now());
    QApplication::restoreOverrideCursor();
    showResult(result);
    const QList<PrizeEntry> added = desk_.searchResults().records();
    if (added.isEmpty()) {
        ListViewStatistics();
        summariesChanged();
        return;
    }
    // The records that came back are shown on the search tab, which starts
    // with an empty list.
    tabMain->setCurrentIndex(int(Tab::Search));
    desk_.searchResults().assign(added);
    ListViewStatistics();
}
