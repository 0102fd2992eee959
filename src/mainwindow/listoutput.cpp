#include "mainwindow/listoutput.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

#include "mainwindow/bottompanel.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "storage/cp932.h"
#include "storage/diskfile.h"
#include "widgets/listview.h"

using namespace Qt::StringLiterals;

ListOutput::ListOutput(Platform& platform, const diary::Desk& desk, BottomPanel* panel,
                       QWidget* mainWindow)
    : QObject(mainWindow),
      platform_(platform),
      desk_(desk),
      panel_(panel),
      mainWindow_(mainWindow) {}

exporting::Table ListOutput::outputTable() const {
    exporting::Table table;
    table.filedByDeadline = desk_.filedByDeadline();
    switch (desk_.tab()) {
        case diary::Tab::Year:
            table.kind = exporting::ListKind::Year;
            table.rows = desk_.diary().summaries().year().rows();
            break;
        case diary::Tab::Total:
            table.kind = exporting::ListKind::Total;
            table.rows = desk_.diary().summaries().total().rows();
            break;
        case diary::Tab::Analysis:
            // The table as the list shows it; it has no statistics block.
            table.kind = exporting::ListKind::Analysis;
            table.rows = analysisRows_ != nullptr ? analysisRows_->rows() : QList<QStringList>();
            return table;
        default:
            for (const PrizeEntry& record : desk_.recordsOf(desk_.tab()).records()) {
                table.rows.append(QStringList(record.begin(), record.end()));
            }
            break;
    }
    if (desk_.settings().autoSumOutput) {
        const BottomPanel* p = panel_;
        table.figures = exporting::Figures{p->txtHappyCount->text(),   p->txtTotalCount->text(),
                                           p->txtPercent->text(),      p->txtHappyMoney->text(),
                                           p->txtUnhappyMoney->text(), p->txtTotalMoney->text()};
    }
    return table;
}

bool ListOutput::prepareOutput() {
    QProgressBar* prgShinko = panel_->prgShinko;
    const QLineEdit* txtTotalCount = panel_->txtTotalCount;
    switch (desk_.tab()) {
        case diary::Tab::Month:
            prgShinko->setMaximum(std::max(1, txtTotalCount->text().toInt()));
            return true;
        case diary::Tab::Search:
        case diary::Tab::Deadline:
            prgShinko->setMaximum(std::max(1, txtTotalCount->text().toInt()));
            return true;
        case diary::Tab::Year:
            prgShinko->setMaximum(12);
            return true;
        case diary::Tab::Total:
            prgShinko->setMaximum(std::max(1, desk_.diary().summaries().total().count()));
            return true;
        case diary::Tab::Analysis:
            prgShinko->setMaximum(
                std::max(1, analysisRows_ != nullptr ? analysisRows_->count() : 0));
            return true;
        default:
            return false;
    }
}

QString ListOutput::proposedFileName() const {
    switch (desk_.tab()) {
        case diary::Tab::Month:
            return u"%1年%2月.csv"_s.arg(desk_.ShownYear(), desk_.ShownMonth());
        case diary::Tab::Year:
            return u"%1年.csv"_s.arg(desk_.ShownYear());
        case diary::Tab::Total:
            return u"総計.csv"_s;  // as the tab is called
        case diary::Tab::Search:
            return u"検索結果.csv"_s;
        case diary::Tab::Analysis:
            return u"分析.csv"_s;
        case diary::Tab::Deadline:
            return u"締切.csv"_s;
        default:
            return {};
    }
}

void ListOutput::cmdSave_Click() {
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    const std::optional<QString> path =
        platform_.dialogs.saveFile(mainWindow_, u"名前を付けて保存"_s,
                                   u"*.csv|*.csv|*.htm|*.htm|*.html|*.html|"_s, proposedFileName());
    if (!path || !prepareOutput()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    panel_->prgShinko->setValue(0);
    if (Output(*path)) {
        platform_.prompter.message(u"完了"_s, u"保存しました"_s, platform::MessageIcon::None,
                                   platform::MessageButtons::Ok);
    }
}

bool ListOutput::Output(const QString& OutputPath) {
    QProgressBar* prgShinko = panel_->prgShinko;
    if (OutputPath.isEmpty()) {
        return false;
    }
    const exporting::Table table = outputTable();
    const QString text =
        exporting::isCsvPath(OutputPath) ? exporting::csv(table) : exporting::html(table);
    const cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok()) {
        prgShinko->setValue(0);
        platform::showError(platform_.prompter, encoded.error);
        return false;
    }
    // Written beside the target first: a failure never leaves half a file.
    const diskfile::PlainWriteResult written = diskfile::replacePlain(OutputPath, encoded.bytes);
    if (!written.ok()) {
        prgShinko->setValue(0);
        platform_.prompter.message(
            u"kirabilog"_s,
            u"エラー番号 = %1\r%2"_s.arg(written.errorNumber).arg(written.description),
            platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
        return false;
    }
    prgShinko->setValue(std::min(prgShinko->maximum(), int(table.rows.size())));
    return true;
}

void ListOutput::cmdPrint_Click() {
    for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
        w->setEnabled(false);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    if (!prepareOutput()) {
        return;
    }
    const std::unique_ptr<platform::LinePrinter> printer =
        platform_.dialogs.choosePrinter(mainWindow_);
    if (!printer) {
        return;
    }
    const QStringList lines = exporting::printLines(outputTable());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        printer->printLine(lines[i]);
        if (i > 0) {
            panel_->prgShinko->setValue(std::min(panel_->prgShinko->maximum(), int(i)));
        }
    }
    printer->endDocument();
}
