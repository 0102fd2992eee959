// frmDataInput: the record editor window, its fields and navigation.
#include "entry/frmdatainput.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "diary/links.h"
#include "entry/editorhost.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/shellopen.h"
#include "storage/prizeentry.h"
#include "widgets/choices.h"
#include "widgets/controls.h"
#include "widgets/twips.h"
#include "widgets/uifont.h"

using namespace Qt::StringLiterals;

namespace {

const QColor LockedColor(255, 0, 0);
const QColor EditableColor(0, 0, 255);

QLabel* label(QWidget* parent, const QString& name, const QString& text, int left, int top,
              int width = 1000) {
    QLabel* l = makeTwips<QLabel>(parent, name, left, top, width);
    l->setText(text);
    return l;
}

void setLabelColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

}  // namespace

frmDataInput::frmDataInput(Platform& platform, const RecordEditorHost& host)
    : QWidget(nullptr, Qt::Window), platform_(platform), host_(host) {
    setObjectName(u"frmDataInput"_s);
    setWindowTitle(u"懸賞情報編集フォーム"_s);
    setFont(japaneseUiFont());
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWindow();
    connectHandlers();
}

void frmDataInput::buildWindow() {
    setFixedSize(twipsToPixels(9600, this), twipsToPixels(6060, this));
    lblNowDay = label(this, u"lblNowDay"_s, u"応 募 日"_s, 120, 270);
    dtpNowDay = new DatePicker(u"dtpNowDay"_s, this);
    lblEndDay = label(this, u"lblEndDay"_s, u"締 切 日"_s, 120, 2670);
    dtpEndDay = new DatePicker(u"dtpEndDay"_s, this);
    label(this, u"lblID"_s, u"ＩＤ番号"_s, 120, 630);
    txtID = makeTwips<QLineEdit>(this, u"txtID"_s, 1200, 600, 1700);
    txtID->setText(u"0"_s);
    lblSite = label(this, u"lblSite"_s, u"応 募 先"_s, 120, 990);
    txtSite = makeTwips<QLineEdit>(this, u"txtSite"_s, 1200, 960, 5700);
    lblURL = label(this, u"lblURL"_s, u"Ｕ Ｒ Ｌ"_s, 120, 1350);
    txtURL = makeTwips<QLineEdit>(this, u"txtURL"_s, 1200, 1320, 4200);
    cmdHensyuURL = pushButton(this, u"cmdHensyuURL"_s, u"ﾎｰﾑﾍﾟｰｼﾞ(&U)"_s, 5500, 1290, 1400);
    cmdHensyuURL->setEnabled(false);
    label(this, u"lblGenre"_s, u"ジャンル"_s, 120, 1710);
    cboGenre = new ListCombo(u"cboGenre"_s, choices::Genres, this);
    placeTwips(cboGenre, 1200, 1680, 2800, 320);
    cboGenre->showText(u"その他"_s);
    label(this, u"lblPresent"_s, u"賞 品 名"_s, 120, 2070);
    txtPresent = makeTwips<QLineEdit>(this, u"txtPresent"_s, 1200, 2040, 5700);
    buildChoices();
    buildPictureAndButtons();
    colourLabels();
}

void frmDataInput::buildChoices() {
    chkHappyDay = makeTwips<QCheckBox>(this, u"chkHappyDay"_s, 3100, 2640, 1000);
    chkHappyDay->setText(u"当選日"_s);
    dtpHappyDay = new DatePicker(u"dtpHappyDay"_s, this);
    placeTwips(dtpHappyDay, 4100, 2640, 1800, 330);
    dtpHappyDay->setEnabled(false);
    label(this, u"lblKekka"_s, u"結　　果"_s, 120, 3030);
    cboKekka = new ListCombo(u"cboKekka"_s, choices::Results, this);
    placeTwips(cboKekka, 1200, 3000, 1700, 320);
    label(this, u"lblHappyMoney"_s, u"当 選 額"_s, 3100, 3030);
    txtHappyMoney = new NumberBox(u"txtHappyMoney"_s, u"0"_s, this);
    placeTwips(txtHappyMoney, 4100, 3000, 1300, 300);
    txtHappyMoney->setAlignment(Qt::AlignRight);
    label(this, u"lblNumber"_s, u"当 選 数"_s, 120, 3390);
    txtNumber = new NumberBox(u"txtNumber"_s, u"0"_s, this);
    placeTwips(txtNumber, 1200, 3360, 800, 300);
    txtNumber->setAlignment(Qt::AlignRight);
    cboNumber = new ListCombo(u"cboNumber"_s, {u"名様"_s, u"全員"_s}, this);
    placeTwips(cboNumber, 2060, 3360, 1100, 320);
    lblOboKeishiki = label(this, u"lblOboKeishiki"_s, u"応募形式"_s, 120, 3750);
    cboOboKeishiki = new ListCombo(u"cboOboKeishiki"_s, choices::Forms, this);
    placeTwips(cboOboKeishiki, 1200, 3720, 1900, 320);
    lblSenkoWay = label(this, u"lblSenkoWay"_s, u"選考方法"_s, 3300, 3750);
    cboSenkoWay = new ListCombo(u"cboSenkoWay"_s, choices::Selections, this);
    placeTwips(cboSenkoWay, 4300, 3720, 1500, 320);
    lblCycle = label(this, u"lblCycle"_s, u"サイクル"_s, 120, 4110);
    cboCycle = new ListCombo(u"cboCycle"_s, choices::Cycles, this);
    placeTwips(cboCycle, 1200, 4080, 1900, 320);
    lblOboWay = label(this, u"lblOboWay"_s, u"応募方法"_s, 3300, 4110);
    cboOboWay = new ListCombo(u"cboOboWay"_s, choices::Methods, this);
    placeTwips(cboOboWay, 4300, 4080, 1500, 320);
    label(this, u"lblMsg"_s, u"コメント"_s, 120, 4470);
    txtMsg = makeTwips<QLineEdit>(this, u"txtMsg"_s, 1200, 4440, 5700);

    label(this, u"lblNote"_s, u"※当選額は、結果「＊物当選」を選択しないと集計されません"_s, 120,
          4830, 6800);
    // The coloured squares stand in the full-width space after the "※".
    const int markOffset = pixelsToTwips(fontMetrics().horizontalAdvance(u"※"_s), this);
    label(this, u"lblLocked"_s, u"※　色の項目は編集不可"_s, 120, 5160, 2600);
    QLabel* red = label(this, u"lblLockedMark"_s, u"■"_s, 120 + markOffset, 5160, 240);
    setLabelColor(red, LockedColor);
    label(this, u"lblEditable"_s, u"※　色の項目は編集可"_s, 3300, 5160, 2600);
    QLabel* blue = label(this, u"lblEditableMark"_s, u"■"_s, 3300 + markOffset, 5160, 240);
    setLabelColor(blue, EditableColor);
}

void frmDataInput::buildPictureAndButtons() {
    // The picture area: the error label lies over the picture.
    imgPicView = makeTwips<QLabel>(this, u"imgPicView"_s, 7140, 240, 2340, 2340);
    imgPicView->setAlignment(Qt::AlignCenter);
    imgPicView->setFrameShape(QFrame::Box);
    imgPicView->installEventFilter(this);
    imgPicView->setMouseTracking(true);
    lblError = makeTwips<QLabel>(this, u"lblError"_s, 7140, 240, 2340, 2340);
    lblError->setWordWrap(true);
    lblError->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblError->setAttribute(Qt::WA_TransparentForMouseEvents);
    cmdPicIn = pushButton(this, u"cmdPicIn"_s, u"画像登録(&I)"_s, 7140, 2700, 1140);
    cmdPicOut = pushButton(this, u"cmdPicOut"_s, u"画像削除(&O)"_s, 8340, 2700, 1140);
    cmdPicOut->setEnabled(false);

    cmdTopRecord = pushButton(this, u"cmdTopRecord"_s, u"<<"_s, 120, 5520, 480);
    cmdTopRecord->setToolTip(u"最初へ"_s);
    cmdBackRecord = pushButton(this, u"cmdBackRecord"_s, u"<"_s, 620, 5520, 480);
    cmdBackRecord->setToolTip(u"前へ"_s);
    lblActiveNumber = label(this, u"lblActiveNumber"_s, u"1"_s, 1140, 5550, 600);
    lblActiveNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMaxNumber = label(this, u"lblMaxNumber"_s, u"/　1"_s, 1780, 5550, 900);
    cmdNextRecord = pushButton(this, u"cmdNextRecord"_s, u">"_s, 2700, 5520, 480);
    cmdNextRecord->setToolTip(u"次へ"_s);
    cmdEndRecord = pushButton(this, u"cmdEndRecord"_s, u">>"_s, 3200, 5520, 480);
    cmdEndRecord->setToolTip(u"最後へ"_s);
    cmdKoshin = pushButton(this, u"cmdKoshin"_s, u"更新(&A)"_s, 5460, 5520, 1300);
    cmdKoshin->setEnabled(false);
    cmdClose = pushButton(this, u"cmdClose"_s, u"閉じる(&C)"_s, 6820, 5520, 1300);
    cmdHelp = pushButton(this, u"cmdHelp"_s, u"ヘルプ(&Q)"_s, 8180, 5520, 1300);
}

void frmDataInput::colourLabels() {
    for (QLabel* l : {lblSite, lblURL, lblOboKeishiki, lblSenkoWay, lblCycle, lblOboWay, lblNowDay,
                      lblEndDay}) {
        setLabelColor(l, EditableColor);
    }
    for (const char16_t* name : {u"lblID", u"lblGenre", u"lblPresent", u"lblKekka",
                                 u"lblHappyMoney", u"lblNumber", u"lblMsg"}) {
        setLabelColor(findChild<QLabel*>(QString::fromUtf16(name)), EditableColor);
    }
    for (QLineEdit* box :
         {txtID, txtSite, txtURL, txtPresent, static_cast<QLineEdit*>(txtHappyMoney),
          static_cast<QLineEdit*>(txtNumber), txtMsg}) {
        box->installEventFilter(this);  // Enter moves on to the next field
    }
}

void frmDataInput::connectHandlers() {
    const auto track = [this] { changed(); };
    for (QLineEdit* box : {txtSite, txtURL, txtPresent, static_cast<QLineEdit*>(txtHappyMoney),
                           static_cast<QLineEdit*>(txtNumber), txtMsg}) {
        connect(box, &QLineEdit::textChanged, this, track);
    }
    for (DatePicker* picker : {dtpNowDay, dtpEndDay, dtpHappyDay}) {
        connect(picker, &DatePicker::userChanged, this, track);
    }
    for (ListCombo* combo :
         {cboGenre, cboKekka, cboNumber, cboOboKeishiki, cboSenkoWay, cboCycle, cboOboWay}) {
        // A step by Up or Down counts as a change only in ジャンル and 結果.
        connect(combo, &QComboBox::activated, this, [this, combo] {
            if (!combo->steppingByKey()) {
                changed();
            }
        });
    }
    for (ListCombo* combo : {cboGenre, cboKekka}) {
        connect(combo, &ListCombo::steppedByKey, this, track);
    }
    connect(chkHappyDay, &QCheckBox::clicked, this, [this] {
        dtpHappyDay->setEnabled(chkHappyDay->isChecked());
        changed();
    });
    connect(cboNumber, &QComboBox::activated, this,
            [this] { setNumberChoice(cboNumber->currentText()); });
    connect(txtNumber, &QLineEdit::textEdited, this, [this] { keptNumber_.clear(); });
    connect(txtURL, &QLineEdit::textChanged, this,
            [this](const QString& url) { cmdHensyuURL->setEnabled(isWebAddress(url)); });
    connect(cmdHensyuURL, &QPushButton::clicked, this,
            [this] { platform_.shell.open(txtURL->text()); });
    // The row count is read back from lblMaxNumber, after its "/　".
    const auto position = [this] { return lblActiveNumber->text().toInt(); };
    const auto count = [this] { return lblMaxNumber->text().mid(2).toInt(); };
    connect(cmdTopRecord, &QPushButton::clicked, this, [this] { moveTo(1); });
    connect(cmdBackRecord, &QPushButton::clicked, this,
            [this, position] { moveTo(position() > 1 ? position() - 1 : position()); });
    connect(cmdNextRecord, &QPushButton::clicked, this, [this, position, count] {
        moveTo(position() < count() ? position() + 1 : position());
    });
    connect(cmdEndRecord, &QPushButton::clicked, this, [this, count] { moveTo(count()); });
    connect(cmdKoshin, &QPushButton::clicked, this, &frmDataInput::cmdKoshin_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDataInput::cmdClose_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDataInput::cmdHelp_Click);
    connect(cmdPicIn, &QPushButton::clicked, this, &frmDataInput::cmdPicIn_Click);
    connect(cmdPicOut, &QPushButton::clicked, this, &frmDataInput::cmdPicOut_Click);
}

void frmDataInput::changed() {
    cmdKoshin->setEnabled(true);
}

QLabel* frmDataInput::filingDateLabel() const {
    return host_.filedByDeadline() ? lblEndDay : lblNowDay;
}

DatePicker* frmDataInput::filingDatePicker() const {
    return host_.filedByDeadline() ? dtpEndDay : dtpNowDay;
}

DatePicker* frmDataInput::otherDatePicker() const {
    return host_.filedByDeadline() ? dtpNowDay : dtpEndDay;
}

void frmDataInput::applyDateLayout(bool newRecord) {
    const bool byDeadline = host_.filedByDeadline();
    QLabel* otherLabel = byDeadline ? lblNowDay : lblEndDay;
    placeTwips(filingDateLabel(), 120, 270, 1000, 300);
    placeTwips(filingDatePicker(), 1200, 240, 1800, 330);
    placeTwips(otherLabel, 120, 2640, 1000, 300);
    placeTwips(otherDatePicker(), 1200, 2640, 1800, 330);
    // Tab order: the filing date first; the other date at position 12 (11
    // for a new record) among the fields.
    QList<QWidget*> order = {
        filingDatePicker(), txtID,          txtSite,       txtURL,    cmdHensyuURL, cboGenre,
        txtPresent,         cboKekka,       txtHappyMoney, txtNumber, cboNumber,    chkHappyDay,
        dtpHappyDay,        cboOboKeishiki, cboSenkoWay,   cboCycle,  cboOboWay,    txtMsg,
        cmdPicIn,           cmdPicOut,      cmdKoshin,     cmdClose,  cmdHelp};
    order.insert(newRecord ? 11 : 12, otherDatePicker());
    for (int i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmDataInput::applyLockRule() {
    setLabelColor(lblEndDay, LockedColor);
    dtpEndDay->setEnabled(false);
    const bool locked = txtID->text() != u"0"_s;
    for (QLabel* l : {lblSite, lblURL, lblOboKeishiki, lblSenkoWay, lblCycle, lblOboWay}) {
        setLabelColor(l, locked ? LockedColor : EditableColor);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{txtSite, txtURL, cboOboKeishiki, cboSenkoWay,
                                                      cboCycle, cboOboWay}) {
        w->setEnabled(!locked);
    }
}

void frmDataInput::setNumberChoice(const QString& choice) {
    keptNumber_.clear();
    txtNumber->setEnabled(choice == u"名様"_s);
}

void frmDataInput::cmdHelp_Click() {
    OpenHelpFile(platform_.shell, platform_.prompter, host_.helpFile());
}

void frmDataInput::cmdClose_Click() {
    if (closing_) {
        return;
    }
    closing_ = true;
    Q_EMIT closed();
    hide();
}

void frmDataInput::closeEvent(QCloseEvent* event) {
    cmdClose_Click();
    event->accept();
}

void frmDataInput::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdClose_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmDataInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgPicView) {
        if (event->type() == QEvent::MouseButtonRelease && pictureShown()) {
            ShellOpenWithMessage(platform_.shell, platform_.prompter, PicturePath);
            return true;
        }
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            imgPicView->setCursor(pictureShown() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
        return false;
    }
    // Enter in a text box moves on to the next field, as the Tab key does.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
