// frmMain: the import of announcements copied from the mail magazine — read
// from the clipboard, shown in the result list, and filed into their months.
#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

#include "diary/mailimport.h"
#include "mainwindow/frmmain.h"
#include "platform/clipboard.h"
#include "platform/prompter.h"
#include "storage/cp932.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

namespace {

QString yearMonthOf(const PrizeEntry& record) {
    return record[FilingDate].left(7);
}

}  // namespace

void frmMain::cmdInput_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
        w->setEnabled(false);
    }
    SelectedIndex = 0;
    const std::optional<QString> text = platform_.clipboard.text();
    if (!text) {
        return;
    }
    searchResults_.clear();
    const QDate start = dtpDate->date();
    mailimport::Parsed parsed =
        mailimport::parse(*text, start.toString(u"yyyy/MM/dd"_s), filedByDeadline());
    // Text the month files cannot hold is refused before anything is stored.
    QStringList all;
    for (const PrizeEntry& record : parsed.records) {
        all += QStringList(record.begin(), record.end());
    }
    if (const cp932::Encoded encoded = cp932::encode(all.join(u'\n')); !encoded.ok()) {
        showError(encoded.error);
        return;
    }
    std::stable_sort(
        parsed.records.begin(), parsed.records.end(),
        [](const PrizeEntry& a, const PrizeEntry& b) { return a[FilingDate] < b[FilingDate]; });
    searchResults_.assign(parsed.records);
    if (!parsed.records.isEmpty()) {
        fileImportedRecords(parsed.records);
    }
    if (!parsed.unreadableIds.isEmpty()) {
        platform_.prompter.message(
            u"取込登録"_s,
            u"次の懸賞情報は締切日または賞品名が読み取れないため登録しませんでした。\r\nＩＤ番号："_s +
                parsed.unreadableIds.join(u"、"_s),
            platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
    }
    // The user sees the month shown before the import.
    if (dtpDate->date().toString(u"yyyy/MM"_s) != start.toString(u"yyyy/MM"_s)) {
        dtpDate->setDateByCode(start);
        ShownYear = start.toString(u"yyyy"_s);
        ShownMonth = start.toString(u"MM"_s);
        ShownDay = start.toString(u"dd"_s);
        LoadMonthFile();
    }
}

void frmMain::showImportMonth(const QString& filingDate) {
    ShownYear = filingDate.left(4);
    ShownMonth = filingDate.mid(5, 2);
    ShownDay = filingDate.right(2);
    LoadMonthFile();
}

bool frmMain::storeImported(const QList<PrizeEntry>& records, bool sort) {
    diary::RecordList& month = diary_.month().records();
    const QList<PrizeEntry> before = month.records();
    for (const PrizeEntry& record : records) {
        month.append(record);
    }
    if (sort) {
        SortMonthList();
    }
    if (SaveMonthFile()) {
        return true;
    }
    month.assign(before);  // the list shows only what is stored
    ListViewStatistics();
    return false;
}

bool frmMain::isImportDeclined(const PrizeEntry& record) {
    const QList<PrizeEntry>& stored = diary_.month().records().records();
    const bool known = std::any_of(stored.cbegin(), stored.cend(),
                                   [&](const PrizeEntry& row) { return row[ID] == record[ID]; });
    return known && platform_.prompter.message(
                        u"懸賞情報重複の確認"_s,
                        u"以下の内容は登録済みですが登録しますか？\r\n\r\n"_s +
                            records::describe(record, filedByDeadline()).text(),
                        platform::MessageIcon::Question,
                        platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes;
}

void frmMain::fileImportedRecords(const QList<PrizeEntry>& records) {
    const bool byDeadline = filedByDeadline();
    if (chkNoTyohuku->isChecked()) {
        // Each record is compared with its month as stored, never with the
        // other records of the import.
        QString filing = dtpDate->date().toString(u"yyyy/MM"_s);
        if (byDeadline) {
            showImportMonth(records.first()[FilingDate]);
            filing = yearMonthOf(records.first());
        }
        QList<PrizeEntry> pending;
        for (const PrizeEntry& record : records) {
            if (byDeadline && yearMonthOf(record) != filing) {
                if (!storeImported(pending, false)) {
                    return;
                }
                showImportMonth(record[FilingDate]);
                filing = yearMonthOf(record);
                pending.clear();
            }
            if (!isImportDeclined(record)) {
                pending.append(record);
            }
        }
        storeImported(pending, true);
        return;
    }
    if (!byDeadline) {
        ShownYear = dtpDate->date().toString(u"yyyy"_s);
        ShownMonth = dtpDate->date().toString(u"MM"_s);
        storeImported(records, true);
        return;
    }
    // By deadline, in runs of the same month, with the progress bar.
    prgShinko->setMaximum(int(records.size()) + 1);
    prgShinko->setValue(0);
    for (qsizetype first = 0; first < records.size();) {
        qsizetype end = first;
        while (end < records.size() && yearMonthOf(records[end]) == yearMonthOf(records[first])) {
            ++end;
        }
        const int maximum = prgShinko->maximum();
        const int value = prgShinko->value();
        showImportMonth(records[first][FilingDate]);
        prgShinko->setMaximum(maximum);
        prgShinko->setValue(value);
        if (!storeImported(records.mid(first, end - first), true)) {
            return;
        }
        prgShinko->setMaximum(maximum);
        prgShinko->setValue(value + int(end - first));
        first = end;
    }
}
