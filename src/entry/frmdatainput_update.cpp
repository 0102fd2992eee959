// frmDataInput: storing what the editor shows — a new record, a change in
// place, or a move to another month.
#include <QApplication>
#include <QScopeGuard>

#include "entry/frmdatainput.h"
#include "entry/recordupdate.h"
#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "storage/cp932.h"
#include "storage/prizeentry.h"

using namespace Qt::StringLiterals;

namespace {

QString yearMonth(QDate date) {
    return date.toString(u"yyyy/MM"_s);
}

}  // namespace

QString frmDataInput::numberForStore() {
    if (!keptNumber_.isEmpty()) {
        return keptNumber_;
    }
    const QString number =
        recordupdate::numberOfWinners(cboNumber->currentText(), txtNumber->text());
    if (number == u"全員"_s) {
        txtNumber->setText(u"0"_s);
    }
    return number;
}

QStringList frmDataInput::recordFromEditor(const QString& numberText) {
    const QString format = u"yyyy/MM/dd"_s;
    QStringList record(PrizeEntryFieldCount);
    record[FilingDate] = filingDatePicker()->date().toString(format);
    record[ID] = txtID->text();
    record[Site] = recordupdate::ReplaceQuotes(txtSite->text());
    record[URL] = recordupdate::ReplaceQuotes(txtURL->text());
    record[Genre] = cboGenre->currentText();
    record[Present] = recordupdate::ReplaceQuotes(txtPresent->text());
    record[Kekka] = cboKekka->currentText();
    record[HappyMoney] = recordupdate::prizeAmount(txtHappyMoney->text());
    record[Number] = numberText;
    record[OtherDate] = otherDatePicker()->date().toString(format);
    record[HappyDay] =
        chkHappyDay->isChecked() ? dtpHappyDay->date().toString(format) : u"----/--/--"_s;
    record[OboKeishiki] = cboOboKeishiki->currentText();
    record[SenkoWay] = cboSenkoWay->currentText();
    record[Cycle] = cboCycle->currentText();
    record[OboWay] = cboOboWay->currentText();
    record[Msg] = recordupdate::ReplaceQuotes(txtMsg->text());
    record[PrizeField::PicturePath] = PicturePath;
    return record;
}

void frmDataInput::writeIntoRow(ListModel& rows, int row, const QStringList& record) {
    for (int column = 0; column < PrizeEntryFieldCount; ++column) {
        rows.setText(row, column, record[column]);
    }
    if (!record[Kekka].contains(u"当選"_s)) {
        rows.setRowColor(row, Qt::black, 0, PrizeField::PicturePath - 1);
        rows.marksChanged(row, row);
    }
}

bool frmDataInput::refuseUnstorable() {
    // Whole numbers only in the amount and the number, and text that the
    // month file can hold: checked before anything is stored.
    const auto refuse = [this](const QString& text) {
        main_.platform().prompter.message(u"ｴﾗｰ"_s, text, platform::MessageIcon::Error,
                                          platform::MessageButtons::Ok);
        return true;
    };
    if (recordupdate::prizeAmount(txtHappyMoney->text()).isEmpty()) {
        return refuse(
            u"当選額「%1」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s.arg(
                txtHappyMoney->text()));
    }
    if (keptNumber_.isEmpty() && cboNumber->currentText() != u"全員"_s &&
        recordupdate::numberOfWinners(cboNumber->currentText(), txtNumber->text()).isEmpty()) {
        return refuse(
            u"当選数「%1」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s.arg(
                txtNumber->text()));
    }
    const QString all = QStringList{txtID->text(),
                                    txtSite->text(),
                                    txtURL->text(),
                                    cboGenre->currentText(),
                                    txtPresent->text(),
                                    cboKekka->currentText(),
                                    cboOboKeishiki->currentText(),
                                    cboSenkoWay->currentText(),
                                    cboCycle->currentText(),
                                    cboOboWay->currentText(),
                                    txtMsg->text(),
                                    PicturePath}
                            .join(u'\n');
    const cp932::Encoded encoded = cp932::encode(all);
    if (!encoded.ok()) {
        return refuse(encoded.error);
    }
    return false;
}

bool frmDataInput::isDuplicateDeclined(const QString& numberText) {
    const bool byDeadline = main_.optEndDay->isChecked();
    recordupdate::Description typed{txtID->text(), dtpEndDay->date().toString(u"yyyy/MM/dd"_s),
                                    txtSite->text(), txtURL->text(), cboGenre->currentText(),
                                    txtPresent->text(),
                                    // The number as typed, leading zeros and all.
                                    keptNumber_.isEmpty() && cboNumber->currentText() == u"名様"_s
                                        ? txtNumber->text() + u"名様"_s
                                        : numberText,
                                    cboOboKeishiki->currentText(), cboSenkoWay->currentText(),
                                    cboCycle->currentText(), cboOboWay->currentText()};
    const QString wanted = typed.text();
    const ListModel& rows = main_.lvwMonth->rows();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QStringList& c = rows.rowCells(row);
        const recordupdate::Description stored{
            c.value(ID),       byDeadline ? c.value(FilingDate) : c.value(OtherDate),
            c.value(Site),     c.value(URL),
            c.value(Genre),    c.value(Present),
            c.value(Number),   c.value(OboKeishiki),
            c.value(SenkoWay), c.value(Cycle),
            c.value(OboWay)};
        const QString description = stored.text();
        if (description == wanted) {
            return main_.platform().prompter.message(
                       u"懸賞情報重複の確認"_s,
                       u"以下の内容は登録済みですが登録しますか？\r\n\r\n"_s + description,
                       platform::MessageIcon::Question,
                       platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes;
        }
    }
    return false;
}

void frmDataInput::cmdKoshin_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    cmdKoshin->setEnabled(false);
    frmMain& m = main_;
    if (dtpNowDay->date() > dtpEndDay->date()) {
        m.platform().prompter.message(u"ｴﾗｰ"_s, u"応募日が締切日を越えています。"_s,
                                      platform::MessageIcon::Error, platform::MessageButtons::Ok);
        return;
    }
    if (refuseUnstorable()) {
        return;
    }
    const QString numberText = numberForStore();
    const QStringList record = recordFromEditor(numberText);

    if (m.selectedTabKey() == u"T_Search"_s && m.SearchSelectedIndex != 0) {
        // The record of a search row is found in its month by its 17 texts.
        ListModel& search = m.lvwSearch->rows();
        const QString identity = search.rowCells(m.SearchSelectedIndex - 1).join(QString());
        m.LoadMonthFile();
        m.SelectedIndex = 0;
        const ListModel& month = m.lvwMonth->rows();
        for (int row = 0; row < month.rowCount(); ++row) {
            if (month.rowCells(row).join(QString()) == identity) {
                m.SelectedIndex = row + 1;
                break;
            }
        }
        if (m.SelectedIndex == 0) {
            // Never overwrite another record: the stored one changed since
            // the search.
            m.platform().prompter.message(
                u"ｴﾗｰ"_s,
                u"編集中の懸賞情報が保存先の月に見つかりません。\r\n検索し直してから編集して下さい。"_s,
                platform::MessageIcon::Error, platform::MessageButtons::Ok);
            return;
        }
        writeIntoRow(search, m.SearchSelectedIndex - 1, record);
    }

    if (m.SelectedIndex != 0) {
        const bool stays = m.optEndDay->isChecked() ||
                           yearMonth(dtpNowDay->date()) == yearMonth(m.dtpDate->date());
        if (stays) {
            ListModel& month = m.lvwMonth->rows();
            writeIntoRow(month, m.SelectedIndex - 1, record);
            // The editor follows its record through the sort.
            const QPersistentModelIndex edited = month.index(m.SelectedIndex - 1, 0);
            m.MonthSavePending = true;
            m.SortMonthList();
            m.SaveMonthFile();
            m.MonthSavePending = false;
            if (edited.isValid() && m.selectedTabKey() != u"T_Search"_s) {
                m.SelectedIndex = edited.row() + 1;
                m.EditIndex = m.SelectedIndex;
                lblActiveNumber->setText(QString::number(m.EditIndex));
            }
        } else {
            m.moveRecord(record);
        }
    } else {
        if (m.chkNoTyohuku->isChecked() && isDuplicateDeclined(numberText)) {
            return;
        }
        const QDate filing = filingDatePicker()->date();
        m.ShownMonth = filing.toString(u"MM"_s);
        m.ShownYear = filing.toString(u"yyyy"_s);
        if (yearMonth(m.dtpDate->date()) != m.ShownYear + u'/' + m.ShownMonth) {
            m.LoadMonthFile();
        }
        ListModel& month = m.lvwMonth->rows();
        month.appendRow(record);
        const QPersistentModelIndex added = month.index(month.rowCount() - 1, 0);
        m.MonthSavePending = true;
        m.SortMonthList();
        m.ListViewStatistics();
        const bool stored = m.SaveMonthFile();
        m.MonthSavePending = false;
        if (!stored && added.isValid()) {
            // The list shows only what is stored.
            month.removeRowAt(added.row());
            m.ListViewStatistics();
        }
    }
    cmdKoshin->setEnabled(false);
}
