// frmDataSearch: the window, its controls and their small rules.
#include "search/frmdatasearch.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/clock.h"
#include "platform/shellopen.h"
#include "search/searchhost.h"
#include "widgets/choices.h"
#include "widgets/controls.h"
#include "widgets/twips.h"
#include "widgets/uifont.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int FilingRowTop = 240;
constexpr int OtherRowTop = 3600;
constexpr int BoxLeft = 1300;
constexpr int RightLabel = 5500;
constexpr int RightBox = 6400;

const QString NoChoice = u"指定なし"_s;

QLabel* label(QWidget* parent, const QString& name, const QString& text, int left, int top,
              int width = 1100) {
    QLabel* l = makeTwips<QLabel>(parent, name, left, top + 30, width);
    l->setText(text);
    return l;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left,
                    int top) {
    return pushButton(parent, name, caption, left, top, 1300);
}

// A box of a bound pair: enabled with the window background, or disabled
// with the inactive-border colour.
void colourBox(QLineEdit* box, bool on) {
    box->setEnabled(on);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, on ? QColor(Qt::white) : QColor(212, 208, 200));
    box->setPalette(palette);
}

QStringList withNoChoice(QStringList items) {
    items.prepend(NoChoice);
    return items;
}

}  // namespace

frmDataSearch::frmDataSearch(Platform& platform, SearchHost& host)
    : QWidget(nullptr, Qt::Window), platform_(platform), host_(host) {
    setObjectName(u"frmDataSearch"_s);
    setWindowTitle(u"懸賞情報検索フォーム"_s);
    setFont(japaneseUiFont());
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWindow();
    connectHandlers();
    cmdNewSearch_Click();
    if (host_.keepsWindowsOnTop()) {
        host_.setMainOnTop(false);
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
}

frmDataSearch::DateRow frmDataSearch::dateRow(const QString& name, const QString& caption,
                                              int top) {
    DateRow row{makeTwips<QCheckBox>(this, u"chk"_s + name, 120, top, 1100),
                new DatePicker(u"dtp"_s + name + u"Before"_s, this),
                new DatePicker(u"dtp"_s + name + u"After"_s, this)};
    row.check->setText(caption);
    label(this, u"lbl"_s + name + u"To"_s, u"～"_s, 3050, top, 250);
    placeTwips(row.before, BoxLeft, top, 1700, 330);
    placeTwips(row.after, 3350, top, 1700, 330);
    return row;
}

frmDataSearch::BoundRow frmDataSearch::boundRow(const QString& name, const QString& caption,
                                                int top) {
    BoundRow row{makeTwips<QCheckBox>(this, u"chk"_s + name, 120, top, 1100),
                 new NumberBox(u"txt"_s + name + u"Down"_s, u"0"_s, this),
                 new NumberBox(u"txt"_s + name + u"Up"_s, u"0"_s, this)};
    row.check->setText(caption);
    label(this, u"lbl"_s + name + u"To"_s, u"～"_s, 3050, top, 250);
    placeTwips(row.down, BoxLeft, top, 1700, 300);
    placeTwips(row.up, 3350, top, 1700, 300);
    for (NumberBox* box : {row.down, row.up}) {
        box->setAlignment(Qt::AlignRight);
    }
    return row;
}

void frmDataSearch::buildWindow() {
    setFixedSize(twipsToPixels(8400, this), twipsToPixels(5000, this));
    NowDay = dateRow(u"NowDay"_s, u"応 募 日"_s, FilingRowTop);
    EndDay = dateRow(u"EndDay"_s, u"締 切 日"_s, OtherRowTop);
    HappyDay = dateRow(u"HappyDay"_s, u"当 選 日"_s, 3960);
    IDRow = boundRow(u"ID"_s, u"ＩＤ番号"_s, 600);
    buildTextRows();
    HappyMoneyRow = boundRow(u"HappyMoney"_s, u"当 選 額"_s, 2760);
    NumberRow = boundRow(u"Number"_s, u"当 選 数"_s, 3120);
    buildChoices();
    buildButtons();
}

void frmDataSearch::buildTextRows() {
    const auto text = [this](const QString& name, const QString& caption, int top) {
        label(this, u"lbl"_s + name, caption, 400, top, 900);
        return makeTwips<QLineEdit>(this, u"txt"_s + name, BoxLeft, top, 3750);
    };
    txtSite = text(u"Site"_s, u"応 募 先"_s, 960);
    txtURL = text(u"URL"_s, u"Ｕ Ｒ Ｌ"_s, 1320);
    txtPresent = text(u"Present"_s, u"賞 品 名"_s, 1680);
    txtMsg = text(u"Msg"_s, u"コメント"_s, 2040);
    txtSnap = text(u"Snap"_s, u"画　　像"_s, 2400);
}

void frmDataSearch::buildChoices() {
    const auto combo = [this](const QString& name, const QString& caption, const QStringList& items,
                              int top) {
        label(this, u"lbl"_s + name, caption, RightLabel, top, 900);
        auto* box = new ListCombo(u"cbo"_s + name, withNoChoice(items), this);
        placeTwips(box, RightBox, top, 1850, 320);
        return box;
    };
    QStringList results = choices::Results;
    results.insert(results.indexOf(u"小物当選"_s), u"全当選"_s);
    cboGenre = combo(u"Genre"_s, u"ジャンル"_s, choices::Genres, 240);
    cboKekka = combo(u"Kekka"_s, u"結　　果"_s, results, 600);
    cboOboKeishiki = combo(u"OboKeishiki"_s, u"応募形式"_s, choices::Forms, 960);
    cboSenkoWay = combo(u"SenkoWay"_s, u"選考方法"_s, choices::Selections, 1320);
    cboCycle = combo(u"Cycle"_s, u"サイクル"_s, choices::Cycles, 1680);
    cboOboWay = combo(u"OboWay"_s, u"応募方法"_s, choices::Methods, 2040);
    chkBigAndSmall = makeTwips<QCheckBox>(this, u"chkBigAndSmall"_s, RightLabel, 2460, 2750);
    chkBigAndSmall->setText(u"大文字と小文字を区別する"_s);
    optOR = makeTwips<QRadioButton>(this, u"optOR"_s, RightLabel, 2820, 1300);
    optOR->setText(u"OR検索"_s);
    optAND = makeTwips<QRadioButton>(this, u"optAND"_s, RightLabel + 1400, 2820, 1300);
    optAND->setText(u"AND検索"_s);
    optAND->setChecked(true);
    QLabel* note =
        label(this, u"lblNumberNote"_s, u"※当選数「全員」も結果に含めたい場合は値を0にする"_s,
              RightLabel, 3150, 2750);
    note->setWordWrap(true);
    placeTwips(note, RightLabel, 3180, 2750, 420);
}

void frmDataSearch::buildButtons() {
    cmdSearch = button(this, u"cmdSearch"_s, u"検索開始(&I)"_s, 1300, 4440);
    cmdNewSearch = button(this, u"cmdNewSearch"_s, u"新条件(&W)"_s, 2700, 4440);
    cmdClose = button(this, u"cmdClose"_s, u"終了(&E)"_s, 5500, 4440);
    cmdHelp = button(this, u"cmdHelp"_s, u"ヘルプ(&Q)"_s, 6900, 4440);
}

void frmDataSearch::connectHandlers() {
    for (const DateRow* row : {&NowDay, &EndDay, &HappyDay}) {
        connect(row->check, &QCheckBox::toggled, this, [this, row] { enableDates(*row); });
    }
    for (const BoundRow* row : {&IDRow, &HappyMoneyRow, &NumberRow}) {
        connect(row->check, &QCheckBox::toggled, this, [this, row] { enableBounds(*row); });
    }
    connect(cmdSearch, &QPushButton::clicked, this, &frmDataSearch::cmdSearch_Click);
    connect(cmdNewSearch, &QPushButton::clicked, this, &frmDataSearch::cmdNewSearch_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDataSearch::cmdCloseClicked);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDataSearch::cmdHelp_Click);
}

void frmDataSearch::enableDates(const DateRow& row) {
    row.before->setEnabled(row.check->isChecked());
    row.after->setEnabled(row.check->isChecked());
}

void frmDataSearch::enableBounds(const BoundRow& row) {
    colourBox(row.down, row.check->isChecked());
    colourBox(row.up, row.check->isChecked());
}

const frmDataSearch::DateRow& frmDataSearch::filingRow() const {
    return host_.filedByDeadline() ? EndDay : NowDay;
}

const frmDataSearch::DateRow& frmDataSearch::otherRow() const {
    return host_.filedByDeadline() ? NowDay : EndDay;
}

void frmDataSearch::arrangeDateRows() {
    for (const auto& [row, top] :
         {std::pair{&filingRow(), FilingRowTop}, std::pair{&otherRow(), OtherRowTop}}) {
        placeTwips(row->check, 120, top, 1100, 300);
        placeTwips(row->before, BoxLeft, top, 1700, 330);
        placeTwips(row->after, 3350, top, 1700, 330);
        findChild<QLabel*>(row->check->objectName().replace(u"chk"_s, u"lbl"_s) + u"To"_s)
            ->move(twipsToPixels(3050, this), twipsToPixels(top + 30, this));
    }
    // The filing date's row comes first; the other date's row follows the
    // number of winners.
    QList<QWidget*> order = {filingRow().check,
                             filingRow().before,
                             filingRow().after,
                             IDRow.check,
                             IDRow.down,
                             IDRow.up,
                             txtSite,
                             txtURL,
                             txtPresent,
                             txtMsg,
                             txtSnap,
                             HappyMoneyRow.check,
                             HappyMoneyRow.down,
                             HappyMoneyRow.up,
                             NumberRow.check,
                             NumberRow.down,
                             NumberRow.up,
                             otherRow().check,
                             otherRow().before,
                             otherRow().after,
                             HappyDay.check,
                             HappyDay.before,
                             HappyDay.after,
                             cboGenre,
                             cboKekka,
                             cboOboKeishiki,
                             cboSenkoWay,
                             cboCycle,
                             cboOboWay,
                             chkBigAndSmall,
                             optOR,
                             optAND,
                             cmdSearch,
                             cmdNewSearch,
                             cmdClose,
                             cmdHelp};
    for (int i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmDataSearch::setDates(QDate day) {
    for (const DateRow* row : {&NowDay, &EndDay, &HappyDay}) {
        row->before->setDateByCode(day);
        row->after->setDateByCode(day);
    }
}

void frmDataSearch::cmdNewSearch_Click() {
    host_.newConditions();
    for (const DateRow* row : {&NowDay, &EndDay, &HappyDay}) {
        row->check->setChecked(false);
        enableDates(*row);
    }
    setDates(platform_.clock.today());
    chkBigAndSmall->setChecked(false);
    for (ListCombo* combo :
         {cboGenre, cboOboKeishiki, cboSenkoWay, cboCycle, cboOboWay, cboKekka}) {
        combo->showText(NoChoice);
    }
    for (QLineEdit* box : {txtSite, txtURL, txtPresent, txtMsg, txtSnap}) {
        box->clear();
    }
    for (const BoundRow* row : {&IDRow, &NumberRow, &HappyMoneyRow}) {
        row->check->setChecked(false);
        row->down->setText(u"0"_s);
        row->up->setText(u"0"_s);
        enableBounds(*row);
    }
}

void frmDataSearch::cmdHelp_Click() {
    OpenHelpFile(platform_.shell, platform_.prompter, host_.helpFile());
}

void frmDataSearch::cmdCloseClicked() {
    if (searching_) {
        run_->interrupt();  // it stops at its next look
        return;
    }
    cmdClose_Click();
}

void frmDataSearch::cmdClose_Click() {
    if (searching_) {
        unloaded_ = true;
        run_->interrupt();
        return;
    }
    if (closing_) {
        return;
    }
    closing_ = true;
    if (host_.keepsWindowsOnTop()) {
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
        host_.setMainOnTop(true);
    } else {
        host_.setMainOnTop(false);
    }
    hide();
    Q_EMIT closed();
}

void frmDataSearch::closeEvent(QCloseEvent* event) {
    // Closing during a search interrupts it; the window goes once the
    // search has told its end.
    if (searching_) {
        run_->interrupt();
        closeAfterSearch_ = true;
        event->ignore();
        return;
    }
    cmdClose_Click();
    event->accept();
}
