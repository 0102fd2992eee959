// frmDataInput: the editor filled from a record of the list, or for a new one.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "diary/links.h"
#include "entry/frmdatainput.h"
#include "storage/prizeentry.h"
#include "widgets/choices.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

void frmDataInput::showNew(QDate date) {
    applyDateLayout(true);
    PicturePath.clear();
    for (DatePicker* picker : {dtpNowDay, dtpEndDay, dtpHappyDay}) {
        picker->setDateByCode(date);
    }
    for (QWidget* w : {cmdTopRecord, cmdBackRecord, cmdNextRecord, cmdEndRecord}) {
        w->setEnabled(false);
    }
    show();
}

void frmDataInput::showRecord(const PrizeEntry& record, int position, int count) {
    applyDateLayout(false);
    txtID->setText(record[ID]);
    applyLockRule();
    FillEditorFromRow(record, position, count);
    cmdKoshin->setEnabled(false);
}

void frmDataInput::showPosition(int position) {
    lblActiveNumber->setText(QString::number(position));
}

void frmDataInput::fillNumber(const QString& number) {
    keptNumber_.clear();
    if (number.contains(u"名様"_s)) {
        txtNumber->setText(number.left(number.size() - 2));
        txtNumber->setEnabled(true);
        cboNumber->showText(u"名様"_s);
    } else if (number.startsWith(u"全員"_s)) {
        txtNumber->setText(u"0"_s);
        txtNumber->setEnabled(false);
        cboNumber->showText(u"全員"_s);
    } else {
        // Shown as it is and stored unchanged unless the user changes it.
        keptNumber_ = number;
        txtNumber->setText(u"0"_s);
        txtNumber->setEnabled(false);
        cboNumber->showText(number);
    }
}

void frmDataInput::FillEditorFromRow(const PrizeEntry& record, int position, int count) {
    lblActiveNumber->setText(QString::number(position));
    lblMaxNumber->setText(u"/　"_s + QString::number(count));
    const auto date = [](const QString& text) { return QDate::fromString(text, u"yyyy/MM/dd"_s); };
    filingDatePicker()->setDateByCode(date(record[FilingDate]));
    otherDatePicker()->setDateByCode(date(record[OtherDate]));
    txtID->setText(record[ID]);
    txtSite->setText(record[Site]);
    txtURL->setText(record[URL]);
    cboGenre->showText(record[Genre]);
    txtPresent->setText(record[Present]);
    cboKekka->showText(record[Kekka]);
    txtHappyMoney->setText(record[HappyMoney]);
    fillNumber(record[Number]);
    const QString& happyDay = record[HappyDay];
    if (happyDay != u"----/--/--"_s) {
        dtpHappyDay->setDateByCode(date(happyDay));
        chkHappyDay->setChecked(true);
    } else {
        dtpHappyDay->setDateByCode(dtpEndDay->date());
        chkHappyDay->setChecked(false);
    }
    dtpHappyDay->setEnabled(chkHappyDay->isChecked());
    cboOboKeishiki->showText(record[OboKeishiki]);
    cboSenkoWay->showText(record[SenkoWay]);
    cboCycle->showText(record[Cycle]);
    cboOboWay->showText(record[OboWay]);
    txtMsg->setText(record[Msg]);
    cmdHensyuURL->setEnabled(isWebAddress(txtURL->text()));
    PicturePath = record[PrizeField::PicturePath];
    showPicture();
}

void frmDataInput::moveTo(int position) {
    Q_EMIT recordRequested(position);
    cmdKoshin->setEnabled(false);
}
