// frmDataInput: the record that 更新 stores, and the checks that keep a bad
// entry from being stored.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

#include "entry/editorhost.h"
#include "entry/frmdatainput.h"
#include "platform/prompter.h"
#include "storage/cp932.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

QString frmDataInput::numberForStore() {
    if (!keptNumber_.isEmpty()) {
        return keptNumber_;
    }
    const QString number = records::numberOfWinners(cboNumber->currentText(), txtNumber->text());
    if (number == u"全員"_s) {
        txtNumber->setText(u"0"_s);
    }
    return number;
}

PrizeEntry frmDataInput::recordFromEditor(const QString& numberText) {
    const QString format = u"yyyy/MM/dd"_s;
    PrizeEntry record;
    record[FilingDate] = filingDatePicker()->date().toString(format);
    record[ID] = txtID->text();
    record[Site] = records::ReplaceQuotes(txtSite->text());
    record[URL] = records::ReplaceQuotes(txtURL->text());
    record[Genre] = cboGenre->currentText();
    record[Present] = records::ReplaceQuotes(txtPresent->text());
    record[Kekka] = cboKekka->currentText();
    record[HappyMoney] = records::prizeAmount(txtHappyMoney->text());
    record[Number] = numberText;
    record[OtherDate] = otherDatePicker()->date().toString(format);
    record[HappyDay] =
        chkHappyDay->isChecked() ? dtpHappyDay->date().toString(format) : u"----/--/--"_s;
    record[OboKeishiki] = cboOboKeishiki->currentText();
    record[SenkoWay] = cboSenkoWay->currentText();
    record[Cycle] = cboCycle->currentText();
    record[OboWay] = cboOboWay->currentText();
    record[Msg] = records::ReplaceQuotes(txtMsg->text());
    record[PrizeField::PicturePath] = PicturePath;
    return record;
}

records::Description frmDataInput::typedDescription(const QString& numberText) const {
    // Site, URL and prize before their quotes are replaced, and the number
    // as typed, leading zeros and all.
    return {txtID->text(),
            dtpEndDay->date().toString(u"yyyy/MM/dd"_s),
            txtSite->text(),
            txtURL->text(),
            cboGenre->currentText(),
            txtPresent->text(),
            keptNumber_.isEmpty() && cboNumber->currentText() == u"名様"_s
                ? txtNumber->text() + u"名様"_s
                : numberText,
            cboOboKeishiki->currentText(),
            cboSenkoWay->currentText(),
            cboCycle->currentText(),
            cboOboWay->currentText()};
}

bool frmDataInput::refuseUnstorable() {
    // Whole numbers only in the amount and the number, and text that the
    // month file can hold: checked before anything is stored.
    const auto refuse = [this](const QString& text) {
        platform::showError(platform_.prompter, text);
        return true;
    };
    if (records::prizeAmount(txtHappyMoney->text()).isEmpty()) {
        return refuse(
            u"当選額「%1」は数値として読み取れません。\r\n半角数字で入力して下さい。"_s.arg(
                txtHappyMoney->text()));
    }
    if (keptNumber_.isEmpty() && cboNumber->currentText() != u"全員"_s &&
        records::numberOfWinners(cboNumber->currentText(), txtNumber->text()).isEmpty()) {
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

void frmDataInput::cmdKoshin_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    cmdKoshin->setEnabled(false);
    if (dtpNowDay->date() > dtpEndDay->date()) {
        platform::showError(platform_.prompter, u"応募日が締切日を越えています。"_s);
        return;
    }
    if (refuseUnstorable()) {
        return;
    }
    const QString numberText = numberForStore();
    const PrizeEntry record = recordFromEditor(numberText);
    const records::Description typed = typedDescription(numberText);
    Q_EMIT updateRequested(record, typed);
    // The window may have closed the editor meanwhile.
    cmdKoshin->setEnabled(false);
}
