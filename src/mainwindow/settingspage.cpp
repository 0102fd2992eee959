#include "mainwindow/settingspage.h"

#include <QRadioButton>

#include "mainwindow/formcontrols.h"
#include "mainwindow/frmstartpassword.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;
using formcontrols::checkBox;
using formcontrols::frame;
using formcontrols::label;

namespace {

constexpr int PanelWidth = 11460;
constexpr int PanelHeight = 3960;

// The labels of the width boxes, in the order of the record's columns.
constexpr const char16_t* widthLabels[settingsfile::ColumnWidthCount] = {
    u"応 募 日", u"ＩＤ番号", u"応募先",   u"ＵＲＬ",   u"ジャンル", u"賞品名",
    u"結果",     u"当選額",   u"当選数",   u"締 切 日", u"当選日",   u"応募形式",
    u"選考方法", u"サイクル", u"応募方法", u"コメント",
};

}  // namespace

SettingsPage::SettingsPage(Platform& platform, diary::Desk& desk, QString programPath,
                           QWidget* parent)
    : QWidget(parent), platform_(platform), desk_(desk), programPath_(std::move(programPath)) {
    setObjectName(u"pageSetting"_s);
    setAutoFillBackground(true);
    // The panel keeps its arrangement at the top left of the page.
    fraSetting = frame(this, u"fraSetting"_s, QString(), 0, 0, PanelWidth, PanelHeight);
    QWidget* s = fraSetting;
    chkStartPassword = checkBox(s, u"chkStartPassword"_s, u"起動時に記帳者認証を行う"_s, 120, 120);
    chkFormState = checkBox(s, u"chkFormState"_s, u"常に手前に表示する"_s, 120, 420);
    chkAllDeleteKakunin = checkBox(s, u"chkAllDeleteKakunin"_s, u"全削除前に確認する"_s, 120, 720);
    chkDeleteKakunin = checkBox(s, u"chkDeleteKakunin"_s, u"削除前に確認する"_s, 120, 1020);
    chkSortOn = checkBox(s, u"chkSortOn"_s, u"登録・編集後に構成キーでソートする"_s, 3660, 120);
    chkNoTyohuku = checkBox(s, u"chkNoTyohuku"_s, u"登録前に重複確認する"_s, 3660, 420);
    chkAutoSumOutput =
        checkBox(s, u"chkAutoSumOutput"_s, u"保存・印刷時に自動集計も出力する"_s, 3660, 720);
    chkStartKirabi =
        checkBox(s, u"chkStartKirabi"_s, u"起動時に「きらび広場」サイトを開く"_s, 3660, 1020);
    buildOptions();
    cmdShortcut = pushButton(s, u"cmdShortcut"_s, u"ﾃﾞｽｸﾄｯﾌﾟ上にｼｮｰﾄｶｯﾄ作成"_s, 120, 1400, 2800);
    cmdBackUp = pushButton(s, u"cmdBackUp"_s, u"ﾊﾞｯｸｱｯﾌﾟ(&B)"_s, 3000, 1400, 1500);
    cmdRestore = pushButton(s, u"cmdRestore"_s, u"復元(&R)"_s, 4560, 1400, 1500);
    cmdSetting = pushButton(s, u"cmdSetting"_s, u"適用(&A)"_s, 10020, 1400, 1380);
    chkSeal = checkBox(s, u"chkSeal"_s, u"データを暗号化して保存する"_s, 6240, 1440);
    buildWidthBoxes();
    buildAutoBackup();
    connectControls();
    connectAutoBackup();
    // The page shows the settings in force anew on every tab switch: what
    // was edited and not applied is gone once the user leaves the tab.
    connect(&desk_, &diary::Desk::tabEntered, this, [this] { showSettings(desk_.settings()); });
    cmdSetting->setEnabled(false);
}

void SettingsPage::buildOptions() {
    QGroupBox* fraKey = frame(fraSetting, u"fraKey"_s, u"構成キー"_s, 7260, 60, 2700, 1320);
    optNowDay = makeTwips<QRadioButton>(fraKey, u"optNowDay"_s, 120, 300, 1000, 300);
    optNowDay->setText(u"応募日"_s);
    optEndDay = makeTwips<QRadioButton>(fraKey, u"optEndDay"_s, 120, 660, 1000, 300);
    optEndDay->setText(u"締切日"_s);
    // The note breaks its lines where it has full-width spaces.
    QLabel* note =
        label(fraKey, u"lblKeyNote"_s,
              u"※構成キーを変更　すると、支出総　額は全て0円に　なります。"_s.replace(u'　', u'\n'),
              1140, 220, 1500, 1080);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QGroupBox* fraDreamMoney =
        frame(fraSetting, u"fraDreamMoney"_s, u"目標収支金額"_s, 10020, 60, 1380, 720);
    txtDreamMoney = new NumberBox(u"txtDreamMoney"_s, u"1000000"_s, fraDreamMoney);
    placeTwips(txtDreamMoney, 100, 320, 1180, 300);
    txtDreamMoney->setAlignment(Qt::AlignRight);
}

void SettingsPage::buildWidthBoxes() {
    QGroupBox* fraHeader = frame(fraSetting, u"fraHeader"_s, u"「月間」「検索」の各項目幅"_s, 0,
                                 1860, PanelWidth, 1980);
    // Four rows of four boxes; the first-column date sits in the first slot
    // and the other date in the slot below and right of it.
    constexpr int slots[settingsfile::ColumnWidthCount][2] = {
        // left, top of each box, in the order of the record's columns
        {1200, 360},  {3000, 360},  {4920, 360},  {6840, 360},  {1200, 720},  {4920, 720},
        {6840, 720},  {1200, 1080}, {3000, 1080}, {3000, 720},  {4920, 1080}, {6840, 1080},
        {1200, 1440}, {3000, 1440}, {4920, 1440}, {6840, 1440},
    };
    for (int i = 0; i < settingsfile::ColumnWidthCount; ++i) {
        const QString key = settingsfile::ColumnWidthKeys[i].toString();
        txtSize[i] = new NumberBox(u"txt"_s + key, settingsfile::DefaultColumnWidths[i].toString(),
                                   fraHeader);
        placeTwips(txtSize[i], slots[i][0], slots[i][1], 720, 300);
        txtSize[i]->setAlignment(Qt::AlignRight);
        const bool date = i == settingsfile::SizeNowDayIndex || i == settingsfile::SizeEndDayIndex;
        if (!date) {
            label(fraHeader, u"lbl"_s + key, QString::fromUtf16(widthLabels[i]), slots[i][0] - 1040,
                  slots[i][1] + 30, 1000);
        }
    }
    lblMain = label(fraHeader, u"lblMain"_s, u"応 募 日"_s, 160, 390, 1000);
    lblSub = label(fraHeader, u"lblSub"_s, u"締 切 日"_s, 1960, 750, 1000);
}

void SettingsPage::connectControls() {
    const auto changed = [this] { cmdSetting->setEnabled(true); };
    for (QCheckBox* box : {chkFormState, chkAllDeleteKakunin, chkDeleteKakunin, chkSortOn,
                           chkNoTyohuku, chkAutoSumOutput, chkStartKirabi, chkSeal}) {
        connect(box, &QCheckBox::toggled, this, changed);
    }
    connect(chkStartPassword, &QCheckBox::clicked, this, &SettingsPage::chkStartPassword_Click);
    // Without a start password there is nothing to open a seal with.
    connect(chkStartPassword, &QCheckBox::toggled, this, [this](bool on) {
        chkSeal->setEnabled(on);
        if (!on) {
            chkSeal->setChecked(false);
        }
    });
    connect(optNowDay, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            optNowDay_Click();
        }
    });
    connect(optEndDay, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            optEndDay_Click();
        }
    });
    for (NumberBox* box : txtSize) {
        connect(box, &QLineEdit::textChanged, this, changed);
    }
    connect(txtDreamMoney, &QLineEdit::textChanged, this, changed);
    connect(cmdShortcut, &QPushButton::clicked, this, &SettingsPage::cmdShortcut_Click);
    connect(cmdBackUp, &QPushButton::clicked, this, &SettingsPage::cmdBackUp_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &SettingsPage::cmdRestore_Click);
    connect(cmdSetting, &QPushButton::clicked, this, [this] {
        cmdSetting->setEnabled(false);
        Q_EMIT applyRequested();
    });
}

void SettingsPage::showSettings(const settingsfile::Settings& s) {
    shown_ = s;
    password_ = s.startPasswordInput;
    (s.formatKeyNowDay ? optNowDay : optEndDay)->setChecked(true);
    txtDreamMoney->setText(s.dreamMoney);
    for (int i = 0; i < settingsfile::ColumnWidthCount; ++i) {
        txtSize[i]->setText(s.columnWidths[i]);
    }
    chkStartPassword->setChecked(s.startPassword);
    chkStartKirabi->setChecked(s.startKirabi);
    chkFormState->setChecked(s.formState);
    chkNoTyohuku->setChecked(s.noTyohuku);
    chkSortOn->setChecked(s.sortOn);
    chkDeleteKakunin->setChecked(s.deleteKakunin);
    chkAllDeleteKakunin->setChecked(s.allDeleteKakunin);
    chkAutoSumOutput->setChecked(s.autoSumOutput);
    chkSeal->setChecked(s.seal);
    chkSeal->setEnabled(s.startPassword);
    showAutoBackup(s);
    cmdSetting->setEnabled(false);
}

settingsfile::Settings SettingsPage::edited() const {
    settingsfile::Settings s = shown_;
    s.formatKeyNowDay = !optEndDay->isChecked();
    s.dreamMoney = txtDreamMoney->text();
    for (int i = 0; i < settingsfile::ColumnWidthCount; ++i) {
        s.columnWidths[i] = txtSize[i]->text();
    }
    s.startPassword = chkStartPassword->isChecked();
    s.startPasswordInput = password_;
    s.startKirabi = chkStartKirabi->isChecked();
    s.formState = chkFormState->isChecked();
    s.noTyohuku = chkNoTyohuku->isChecked();
    s.sortOn = chkSortOn->isChecked();
    s.deleteKakunin = chkDeleteKakunin->isChecked();
    s.allDeleteKakunin = chkAllDeleteKakunin->isChecked();
    s.autoSumOutput = chkAutoSumOutput->isChecked();
    s.seal = chkSeal->isChecked() && s.startPassword;
    editedAutoBackup(s);
    return s;
}

void SettingsPage::chkStartPassword_Click() {
    // A click by the user sets the password (box now on) or releases it
    // (box now off); a cancel puts the box back.
    const bool on = chkStartPassword->isChecked();
    frmStartPassword dialog(platform_,
                            on ? frmStartPassword::Mode::Set : frmStartPassword::Mode::Release,
                            password_, window());
    if (dialog.exec() == QDialog::Accepted) {
        password_ = dialog.password();
    } else {
        chkStartPassword->setChecked(!on);
        if (on) {
            password_.clear();
        }
    }
    cmdSetting->setEnabled(true);
}

void SettingsPage::optNowDay_Click() {
    lblMain->setText(u"応 募 日"_s);
    lblSub->setText(u"締 切 日"_s);
    placeDateWidthBoxes(settingsfile::SizeNowDayIndex, settingsfile::SizeEndDayIndex);
    cmdSetting->setEnabled(true);
}

void SettingsPage::optEndDay_Click() {
    lblMain->setText(u"締 切 日"_s);
    lblSub->setText(u"応 募 日"_s);
    placeDateWidthBoxes(settingsfile::SizeEndDayIndex, settingsfile::SizeNowDayIndex);
    cmdSetting->setEnabled(true);
}

void SettingsPage::placeDateWidthBoxes(int first, int other) {
    placeTwips(txtSize[first], 1200, 360, 720, 300);
    placeTwips(txtSize[other], 3000, 720, 720, 300);
}
