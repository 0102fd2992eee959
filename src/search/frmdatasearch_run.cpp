// frmDataSearch: a search — the conditions as the window shows them, the walk
// with its progress and interrupt, and the end.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/datafileerror.h"
#include "platform/prompter.h"
#include "search/frmdatasearch.h"
#include "search/searchhost.h"
#include "storage/monthfile.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

namespace {

QString dateText(const DatePicker* picker) {
    return picker->date().toString(u"yyyy/MM/dd"_s);
}

Currency amount(const QLineEdit* box) {
    return Currency::parse(box->text()).value_or(Currency());
}

QString plainNumber(const QString& typed) {
    const std::optional<Currency> number = Currency::parse(typed);
    return number ? number->toString() : typed;
}

// A pair given the wrong way round changes places, the boxes then in plain
// numbers. A pair in order keeps what was typed: the winners rule reads the
// lower bound as typed, and "00" there is not "0".
template <typename Less>
void orderBoxes(QLineEdit* down, QLineEdit* up, Less less) {
    if (!less(up, down)) {
        return;
    }
    const QString lower = up->text();
    up->setText(plainNumber(down->text()));
    down->setText(plainNumber(lower));
}

void orderDates(DatePicker* before, DatePicker* after) {
    if (before->date() > after->date()) {
        const QDate from = after->date();
        after->setDateByCode(before->date());
        before->setDateByCode(from);
    }
}

}  // namespace

void frmDataSearch::orderPairs() {
    orderDates(filingRow().before, filingRow().after);  // whether or not it is ticked
    orderDates(otherRow().before, otherRow().after);
    const auto byAmount = [](const QLineEdit* a, const QLineEdit* b) {
        return amount(a) < amount(b);
    };
    const auto byInteger = [](const QLineEdit* a, const QLineEdit* b) {
        return a->text().toLongLong() < b->text().toLongLong();
    };
    if (IDRow.check->isChecked()) {
        orderBoxes(IDRow.down, IDRow.up, byAmount);
    }
    if (HappyMoneyRow.check->isChecked()) {
        orderBoxes(HappyMoneyRow.down, HappyMoneyRow.up, byAmount);
    }
    if (NumberRow.check->isChecked()) {
        orderBoxes(NumberRow.down, NumberRow.up, byInteger);
    }
    if (HappyDay.check->isChecked()) {
        orderDates(HappyDay.before, HappyDay.after);
    }
}

search::Conditions frmDataSearch::conditions() {
    orderPairs();
    search::Conditions c;
    const auto dates = [](const DateRow& row) -> std::optional<search::Range<QString>> {
        if (!row.check->isChecked()) {
            return std::nullopt;
        }
        return search::Range<QString>{dateText(row.before), dateText(row.after)};
    };
    const auto amounts = [](const BoundRow& row) -> std::optional<search::Range<Currency>> {
        if (!row.check->isChecked()) {
            return std::nullopt;
        }
        return search::Range<Currency>{amount(row.down), amount(row.up)};
    };
    c.filingDate = dates(filingRow());
    c.otherDate = dates(otherRow());
    c.happyDay = dates(HappyDay);
    c.id = amounts(IDRow);
    c.money = amounts(HappyMoneyRow);
    if (NumberRow.check->isChecked()) {
        c.number = search::Range<QString>{NumberRow.down->text(), NumberRow.up->text()};
    }
    c.site = txtSite->text();
    c.url = txtURL->text();
    c.present = txtPresent->text();
    c.msg = txtMsg->text();
    c.picture = txtSnap->text();
    c.caseSensitive = chkBigAndSmall->isChecked();
    const auto choice = [](const ListCombo* combo) {
        return combo->currentText() == u"指定なし"_s ? QString() : combo->currentText();
    };
    c.genre = choice(cboGenre);
    c.kekka = search::resultCondition(choice(cboKekka));
    c.oboKeishiki = choice(cboOboKeishiki);
    c.senkoWay = choice(cboSenkoWay);
    c.cycle = choice(cboCycle);
    c.oboWay = choice(cboOboWay);
    c.anyCondition = optOR->isChecked();
    return c;
}

void frmDataSearch::setBusy(bool busy) {
    searching_ = busy;
    cmdSearch->setEnabled(!busy);
    cmdNewSearch->setEnabled(!busy);
    cmdClose->setText(busy ? u"中止(&P)"_s : u"終了(&P)"_s);
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// The walk runs beside the window: its progress, a refused month file and
// its end come back as queued signals, and 中止 is heard at once.
void frmDataSearch::cmdSearch_Click() {
    setBusy(true);
    const search::Conditions wanted = conditions();
    stored_ = host_.searchBegins();
    run_ = std::make_unique<search::SearchRun>(host_.dataPaths(), host_.startPassword());
    connect(run_.get(), &search::SearchRun::progress, this, [this](qint64 examined) {
        host_.searchProgress(stored_ > 0 ? std::min(examined, stored_) : examined);
    });
    connect(run_.get(), &search::SearchRun::refused, this, &frmDataSearch::tellRefused);
    connect(run_.get(), &search::SearchRun::finished, this, &frmDataSearch::searchEnded);
    run_->start(wanted);
}

// The walk waits meanwhile, so that every refused file is told before the
// end.
void frmDataSearch::tellRefused(const QString& path) {
    if (!unloaded_) {
        QApplication::restoreOverrideCursor();
        platform::ShowDataFileError(platform_.prompter, path);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    run_->refusalTold();
}

void frmDataSearch::searchEnded() {
    const search::SearchRun::Found found = run_->takeResults();
    host_.searchEnds(found ? &*found : nullptr);
    if (!unloaded_) {
        QApplication::restoreOverrideCursor();
        if (found) {
            platform_.prompter.message(u"検索終了"_s, u"検索が終了しました"_s,
                                       platform::MessageIcon::None, platform::MessageButtons::Ok);
        } else {
            platform_.prompter.message(u"検索中断"_s, u"検索を中断しました"_s,
                                       platform::MessageIcon::None, platform::MessageButtons::Ok);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    host_.searchFinished();
    setBusy(false);
    if (closeAfterSearch_ || unloaded_) {
        cmdClose_Click();
    }
}

frmDataSearch::~frmDataSearch() {
    // The walk must stop before the window it reports to goes.
    run_.reset();
    if (searching_) {
        QApplication::restoreOverrideCursor();
    }
}
