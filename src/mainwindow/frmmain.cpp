// frmMain: construction and layout of the window. The layout is designed in
// twips and scaled with the screen's dpi.
#include "mainwindow/frmmain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "diary/links.h"
#include "entry/frmdatainput.h"
#include "search/frmdatasearch.h"
#include "widgets/controls.h"
#include "widgets/listview.h"
#include "widgets/marks.h"
#include "widgets/twips.h"
#include "widgets/uifont.h"

using namespace Qt::StringLiterals;

namespace {

// The design size of the client area and of the tab strip's client area. The
// lists leave 400 twips at the bottom of the tab client for the legend and
// the expenses panel, which start 3560 twips below its top.
constexpr int ClientWidth = 11700;
constexpr int ClientHeight = 6380;
constexpr int TabLeft = 120;
constexpr int TabTop = 480;
constexpr int TabWidth = 11460;
constexpr int TabHeight = 3960;

// The tabs in the order of frmMain::Tab; the keys name them in the tab data.
struct TabInfo {
    const char16_t* key;
    const char16_t* caption;
};
constexpr TabInfo tabs[] = {
    {u"T_Month", u"月　　　間"},  {u"T_Year", u"年　　　間"},    {u"T_Total", u"総　　　計"},
    {u"T_Search", u"検　　　索"}, {u"T_Setting", u"設　　　定"}, {u"T_About", u"ソフト情報"},
};

// The labels of the width boxes, in the order of the record's columns.
constexpr const char16_t* widthLabels[settingsfile::ColumnWidthCount] = {
    u"応 募 日", u"ＩＤ番号", u"応募先",   u"ＵＲＬ",   u"ジャンル", u"賞品名",
    u"結果",     u"当選額",   u"当選数",   u"締 切 日", u"当選日",   u"応募形式",
    u"選考方法", u"サイクル", u"応募方法", u"コメント",
};

QLabel* label(QWidget* parent, const QString& name, const QString& text, int left, int top,
              int width, int height = 300) {
    QLabel* l = makeTwips<QLabel>(parent, name, left, top, width, height);
    l->setText(text);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height) {
    QGroupBox* f = makeTwips<QGroupBox>(parent, name, left, top, width, height);
    f->setTitle(caption);
    // Panels on the tab client overlap: the one in front must hide the rest.
    f->setAutoFillBackground(true);
    return f;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, int left,
                    int top) {
    QCheckBox* c = makeTwips<QCheckBox>(parent, name, left, top, 3500, 300);
    c->setText(caption);
    return c;
}

// A banner picture: a coloured plate with the name on it.
PictureButton* banner(QWidget* parent, const QString& name, const QString& text,
                      const QColor& color, int left, int top, int width, int height) {
    auto* picture = makeTwips<PictureButton>(parent, name, left, top, width, height);
    QPixmap plate(picture->size());
    plate.fill(color);
    QPainter painter(&plate);
    painter.setPen(color.darker(200));
    painter.drawRect(plate.rect().adjusted(0, 0, -1, -1));
    QFont font = picture->font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(plate.rect(), Qt::AlignCenter, text);
    painter.end();
    picture->setPixmap(plate);
    picture->setCursor(Qt::PointingHandCursor);
    return picture;
}

QLineEdit* figureBox(QWidget* parent, const QString& name, const QString& text, int left, int top,
                     int width) {
    QLineEdit* box = makeTwips<QLineEdit>(parent, name, left, top, width, 300);
    box->setText(text);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

frmMain::frmMain(Platform& platform, const QString& programFolder)
    : platform_(platform), diary_(DataPaths(programFolder)) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"きらび帳"_s);
    setFont(japaneseUiFont());
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWindow();
    connectHandlers();
    connectListHandlers();
}

frmMain::~frmMain() {
    delete dataInput_.data();
    delete dataSearch_.data();
}

void frmMain::buildWindow() {
    setFixedSize(twipsToPixels(ClientWidth, this), twipsToPixels(ClientHeight, this));

    tabMain = makeTwips<QTabBar>(this, u"tabMain"_s, TabLeft, 120, TabWidth, 360);
    tabMain->setExpanding(false);
    tabMain->setDrawBase(false);
    for (const TabInfo& tab : tabs) {
        const int index = tabMain->addTab(QString::fromUtf16(tab.caption));
        tabMain->setTabData(index, QString::fromUtf16(tab.key));
    }
    tabClient = makeTwips<QWidget>(this, u"tabClient"_s, TabLeft, TabTop, TabWidth, TabHeight);

    lvwMonth = new ListView(u"lvwMonth"_s, tabClient);
    lvwSearch = new ListView(u"lvwSearch"_s, tabClient);
    lvwDummy = new ListView(u"lvwDummy"_s, tabClient);
    lvwYear = new ListView(u"lvwYear"_s, tabClient);
    lvwTotal = new ListView(u"lvwTotal"_s, tabClient);
    lvwSearchTemp = new ListView(u"lvwSearchTemp"_s, tabClient);
    lvwSearchTemp->hide();
    // Each list shows where its rows are kept.
    lvwMonth->listModel().setSource(marks::recordRows(diary_.month().records(), &monthMarkDate_));
    lvwSearch->listModel().setSource(marks::recordRows(searchResults_, &searchMarkDate_));
    lvwYear->listModel().setSource(marks::summaryRows(diary_.summaries().year()));
    lvwTotal->listModel().setSource(marks::summaryRows(diary_.summaries().total()));
    lvwSearchTemp->listModel().setSource(marks::plainRows(noRows_));

    fraLabel = frame(tabClient, u"fraLabel"_s, QString(), 0, 3560, TabWidth, 400);
    lblSyo = label(fraLabel, u"lblSyo"_s, u"　小物当選"_s, 120, 60, 1300);
    lblTyu = label(fraLabel, u"lblTyu"_s, u"　中物当選"_s, 1560, 60, 1300);
    lblDai = label(fraLabel, u"lblDai"_s, u"　大物当選"_s, 3000, 60, 1300);
    lblDay = label(fraLabel, u"lblDay"_s, u"　当選日"_s, 4440, 60, 1300);

    fraUnhappyMoney = frame(tabClient, u"fraUnhappyMoney"_s, QString(), 0, 3560, TabWidth, 400);
    lblMonth = label(fraUnhappyMoney, u"lblMonth"_s, u"****年**月の支出総額"_s, 120, 60, 2600);
    txtUnhappyMoneyValue = new NumberBox(u"txtUnhappyMoneyValue"_s, u"0"_s, fraUnhappyMoney);
    placeTwips(txtUnhappyMoneyValue, 2760, 40, 1600, 320);
    txtUnhappyMoneyValue->setAlignment(Qt::AlignRight);
    cmdUnhappyMoneyIn =
        pushButton(fraUnhappyMoney, u"cmdUnhappyMoneyIn"_s, u"記帳(&K)"_s, 4440, 20, 1200);

    buildSettingsPanel();
    buildAboutPanels();
    buildStatisticsPanel();
    buildButtons();
}

void frmMain::buildStatisticsPanel() {
    fraAutoKeisan = frame(this, u"fraAutoKeisan"_s, u"自動集計"_s, 120, 4500, 6660, 1260);
    QWidget* f = fraAutoKeisan;
    // 当選総数 [ ] 件 ÷ 応募総数 [ ] 件 × 100 ＝ 当選率 [ ] ％
    label(f, u"lblHappyCount"_s, u"当選総数"_s, 120, 330, 760);
    txtHappyCount = figureBox(f, u"txtHappyCount"_s, u"0"_s, 900, 300, 700);
    label(f, u"lblKen1"_s, u"件"_s, 1620, 330, 240);
    label(f, u"lblDivide"_s, u"÷"_s, 1880, 330, 240);
    label(f, u"lblTotalCount"_s, u"応募総数"_s, 2140, 330, 760);
    txtTotalCount = figureBox(f, u"txtTotalCount"_s, u"0"_s, 2920, 300, 700);
    label(f, u"lblKen2"_s, u"件"_s, 3640, 330, 240);
    label(f, u"lblTimes"_s, u"× 100 ＝"_s, 3900, 330, 760);
    label(f, u"lblPercent"_s, u"当選率"_s, 4680, 330, 600);
    txtPercent = figureBox(f, u"txtPercent"_s, u"0.00"_s, 5300, 300, 900);
    label(f, u"lblPercentSign"_s, u"％"_s, 6220, 330, 240);
    // 当選総額 [ ] 円 － 支出総額 [ ] 円 ＝ 収支総額 [ ] 円
    label(f, u"lblHappyMoney"_s, u"当選総額"_s, 120, 780, 760);
    txtHappyMoney = figureBox(f, u"txtHappyMoney"_s, u"0"_s, 900, 750, 1000);
    label(f, u"lblYen1"_s, u"円"_s, 1920, 780, 240);
    label(f, u"lblMinus"_s, u"－"_s, 2180, 780, 240);
    label(f, u"lblUnhappyMoney"_s, u"支出総額"_s, 2440, 780, 760);
    txtUnhappyMoney = figureBox(f, u"txtUnhappyMoney"_s, u"0"_s, 3220, 750, 1000);
    label(f, u"lblYen2"_s, u"円"_s, 4240, 780, 240);
    label(f, u"lblEquals"_s, u"＝"_s, 4500, 780, 240);
    label(f, u"lblTotalMoney"_s, u"収支総額"_s, 4760, 780, 760);
    txtTotalMoney = figureBox(f, u"txtTotalMoney"_s, u"0"_s, 5540, 750, 800);
    label(f, u"lblYen3"_s, u"円"_s, 6360, 780, 240);

    prgShinko = makeTwips<QProgressBar>(this, u"prgShinko"_s, 120, 5880, 6660, 300);
    prgShinko->setRange(0, 100);
    prgShinko->setValue(0);
    prgShinko->setTextVisible(false);
}

void frmMain::buildButtons() {
    constexpr int left = 6840;
    cmdYearBack = pushButton(this, u"cmdYearBack"_s, u"<<"_s, left, 4560, 540);
    cmdMonthBack = pushButton(this, u"cmdMonthBack"_s, u"<"_s, left + 560, 4560, 480);
    dtpDate = new DatePicker(u"dtpDate"_s, this);
    placeTwips(dtpDate, left + 1060, 4560, 2560, 360);
    cmdMonthNext = pushButton(this, u"cmdMonthNext"_s, u">"_s, left + 3640, 4560, 480);
    cmdYearNext = pushButton(this, u"cmdYearNext"_s, u">>"_s, left + 4140, 4560, 540);

    constexpr int width = 1140;
    constexpr int step = 1180;
    cmdNewInput = pushButton(this, u"cmdNewInput"_s, u"手動登録(&M)"_s, left, 5000, width);
    cmdInput = pushButton(this, u"cmdInput"_s, u"取込登録(&T)"_s, left + step, 5000, width);
    cmdHensyu = pushButton(this, u"cmdHensyu"_s, u"編集(&H)"_s, left + 2 * step, 5000, width);
    cmdDelete = pushButton(this, u"cmdDelete"_s, u"削除(&D)"_s, left + 3 * step, 5000, width);
    cmdAllDelete = pushButton(this, u"cmdAllDelete"_s, u"全削除(&C)"_s, left, 5420, width);
    cmdURL = pushButton(this, u"cmdURL"_s, u"ﾎｰﾑﾍﾟｰｼﾞ(&U)"_s, left + step, 5420, width);
    cmdSave = pushButton(this, u"cmdSave"_s, u"保存(&S)"_s, left + 2 * step, 5420, width);
    cmdPrint = pushButton(this, u"cmdPrint"_s, u"印刷(&P)"_s, left + 3 * step, 5420, width);
    cmdHelp = pushButton(this, u"cmdHelp"_s, u"ヘルプ(&Q)"_s, left, 5840, width);
    cmdUserInput = pushButton(this, u"cmdUserInput"_s, u"入打(&N)"_s, left + step, 5840, width);
    cmdEnd = pushButton(this, u"cmdEnd"_s, u"終了(&E)"_s, left + 3 * step, 5840, width);
}

void frmMain::buildSettingsPanel() {
    fraSetting = frame(tabClient, u"fraSetting"_s, QString(), 0, 0, TabWidth, TabHeight);
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

    fraKey = frame(s, u"fraKey"_s, u"構成キー"_s, 7260, 60, 2700, 1320);
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

    fraDreamMoney = frame(s, u"fraDreamMoney"_s, u"目標収支金額"_s, 10020, 60, 1380, 720);
    txtDreamMoney = new NumberBox(u"txtDreamMoney"_s, u"1000000"_s, fraDreamMoney);
    placeTwips(txtDreamMoney, 100, 320, 1180, 300);
    txtDreamMoney->setAlignment(Qt::AlignRight);

    cmdShortcut = pushButton(s, u"cmdShortcut"_s, u"ﾃﾞｽｸﾄｯﾌﾟ上にｼｮｰﾄｶｯﾄ作成"_s, 120, 1400, 2800);
    cmdBackUp = pushButton(s, u"cmdBackUp"_s, u"ﾊﾞｯｸｱｯﾌﾟ(&B)"_s, 3000, 1400, 1500);
    cmdRestore = pushButton(s, u"cmdRestore"_s, u"復元(&R)"_s, 4560, 1400, 1500);
    cmdSetting = pushButton(s, u"cmdSetting"_s, u"適用(&A)"_s, 10020, 1400, 1380);

    fraHeader = frame(s, u"fraHeader"_s, u"「月間」「検索」の各項目幅"_s, 0, 1860, TabWidth, 1980);
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

void frmMain::buildAboutPanels() {
    fraKirabi = frame(tabClient, u"fraKirabi"_s, u" 企　画 "_s, 0, 0, 5730, 2400);
    label(fraKirabi, u"lblKirabiHomepage"_s, u"ホームページ"_s, 120, 330, 1500);
    cmdKirabiHomepage =
        pushButton(fraKirabi, u"cmdKirabiHomepage"_s, KirabiTopPage, 1680, 300, 3900);
    label(fraKirabi, u"lblKirabiMail"_s, u"お問い合せ先"_s, 120, 750, 1500);
    cmdKirabiMail = pushButton(fraKirabi, u"cmdKirabiMail"_s, KirabiContactPage, 1680, 720, 3900);
    picKirabiBanner = banner(fraKirabi, u"picKirabiBanner"_s, u"懸賞サイト 「きらび広場」"_s,
                             QColor(255, 236, 160), 120, 1200, 2400, 600);
    label(fraKirabi, u"lblKirabiName"_s, u"懸賞サイト 「きらび広場」"_s, 2640, 1230, 3000);
    QLabel* pitch =
        label(fraKirabi, u"lblKirabiPitch"_s,
              u"常時1000～2000件の懸賞情報を掲載！豪華賞品も盛り沢山！"_s, 120, 1860, 5500, 420);
    pitch->setWordWrap(true);

    fraHome = frame(tabClient, u"fraHome"_s, u" 開　発 "_s, 5730, 0, 5730, 2400);
    cmdMyHomepage = pushButton(fraHome, u"cmdMyHomepage"_s, MyHomePage, 120, 300, 3600);
    cmdMyMail = pushButton(fraHome, u"cmdMyMail"_s, MyMailAddress, 120, 720, 3600);
    picHomeBanner = banner(fraHome, u"picHomeBanner"_s, u"きらび帳"_s, QColor(200, 230, 255), 3840,
                           300, 1760, 780);
    cmdNewVersionCheck =
        pushButton(fraHome, u"cmdNewVersionCheck"_s, u"きらびﾆｭｰｽ"_s, 120, 1200, 1800);
    lblVersion = label(fraHome, u"lblVersion"_s, QString(), 120, 1800, 5400);

    fraTyosaku =
        frame(tabClient, u"fraTyosaku"_s, u"情報の著作権について"_s, 0, 2400, TabWidth, 1560);
    QLabel* notice = label(fraTyosaku, u"lblTyosaku"_s,
                           u"取り込んだ懸賞情報の著作権は、情報を掲載した各サイトに帰属します。"
                           u"取り込んだ情報は記帳者ご本人の懸賞記録としてのみ利用し、"
                           u"転載・再配布はしないで下さい。"_s,
                           120, 300, TabWidth - 240, 1140);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QWidget* w : {static_cast<QWidget*>(fraKirabi), static_cast<QWidget*>(fraHome),
                       static_cast<QWidget*>(fraTyosaku)}) {
        w->lower();
    }
}

void frmMain::placeLists() {
    // The lists cover the tab client but its last 400 twips; the total list
    // takes it all.
    for (ListView* list : {lvwMonth, lvwSearch, lvwDummy, lvwYear}) {
        placeTwips(list, 0, 0, TabWidth, TabHeight - 400);
    }
    placeTwips(lvwTotal, 0, 0, TabWidth, TabHeight);
}

void frmMain::connectHandlers() {
    for (QCheckBox* box : {chkFormState, chkAllDeleteKakunin, chkDeleteKakunin, chkSortOn,
                           chkNoTyohuku, chkAutoSumOutput, chkStartKirabi}) {
        connect(box, &QCheckBox::toggled, this, &frmMain::settingsCheckBoxClicked);
    }
    connect(chkStartPassword, &QCheckBox::clicked, this, &frmMain::chkStartPassword_Click);
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
        connect(box, &QLineEdit::textChanged, this, [this] { cmdSetting->setEnabled(true); });
    }
    connect(txtDreamMoney, &QLineEdit::textChanged, this, [this] { cmdSetting->setEnabled(true); });
    connect(cmdSetting, &QPushButton::clicked, this, &frmMain::cmdSetting_Click);
    connect(cmdShortcut, &QPushButton::clicked, this, &frmMain::cmdShortcut_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmMain::cmdEnd_Click);
    connect(tabMain, &QTabBar::currentChanged, this, &frmMain::tabMain_Click);
    connect(cmdBackUp, &QPushButton::clicked, this, &frmMain::cmdBackUp_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmMain::cmdRestore_Click);
    connectLinks();

    // Buttons wait for a row click or a list with rows. The news button has
    // no work: it is shown, but cannot be pressed.
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdHensyu, cmdDelete, cmdAllDelete, cmdURL, cmdSave,
                                         cmdPrint, cmdUnhappyMoneyIn, cmdNewVersionCheck}) {
        w->setEnabled(false);
    }
    cmdSetting->setEnabled(false);
}

void frmMain::connectListHandlers() {
    connect(lvwMonth, &ListView::columnClicked, this, &frmMain::lvwMonth_ColumnClick);
    connect(lvwSearch, &ListView::columnClicked, this, &frmMain::lvwSearch_ColumnClick);
    connect(cmdMonthBack, &QPushButton::clicked, this, &frmMain::cmdMonthBack_Click);
    connect(cmdMonthNext, &QPushButton::clicked, this, &frmMain::cmdMonthNext_Click);
    connect(cmdYearBack, &QPushButton::clicked, this, &frmMain::cmdYearBack_Click);
    connect(cmdYearNext, &QPushButton::clicked, this, &frmMain::cmdYearNext_Click);
    connect(dtpDate, &DatePicker::userChanged, this, &frmMain::dtpDate_Change);
    connect(cmdHensyu, &QPushButton::clicked, this, &frmMain::cmdHensyu_Click);
    connect(cmdNewInput, &QPushButton::clicked, this, &frmMain::cmdNewInput_Click);
    connect(cmdInput, &QPushButton::clicked, this, &frmMain::cmdInput_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(cmdURL, &QPushButton::clicked, this, &frmMain::cmdURL_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmMain::cmdDelete_Click);
    connect(cmdAllDelete, &QPushButton::clicked, this, [this] { cmdAllDelete_Click(); });
    connect(lvwMonth, &ListView::itemClicked, this, &frmMain::lvwMonth_ItemClick);
    connect(lvwSearch, &ListView::itemClicked, this, &frmMain::lvwSearch_ItemClick);
    for (ListView* list : {lvwMonth, lvwSearch}) {
        connect(list, &ListView::mouseDown, this, [this](Qt::MouseButton button) {
            LastMouseButton = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
        });
    }
    connect(lvwMonth, &ListView::rowDoubleClicked, this,
            [this] { listDoubleClicked(SelectedIndex); });
    connect(lvwSearch, &ListView::rowDoubleClicked, this,
            [this] { listDoubleClicked(SearchSelectedIndex); });
    connect(lvwYear, &ListView::itemClicked, this, &frmMain::lvwYear_ItemClick);
    connect(lvwTotal, &ListView::itemClicked, this, &frmMain::lvwTotal_ItemClick);
    connect(cmdUnhappyMoneyIn, &QPushButton::clicked, this, &frmMain::cmdUnhappyMoneyIn_Click);
    connect(txtUnhappyMoneyValue, &QLineEdit::returnPressed, this, [this] {
        if (!txtUnhappyMoneyValue->text().isEmpty() && cmdUnhappyMoneyIn->isEnabled()) {
            cmdUnhappyMoneyIn_Click();
        }
    });
    connect(lvwMonth, &ListView::keyDown, this, &frmMain::lvwMonth_KeyDown);
    connect(lvwSearch, &ListView::keyDown, this, &frmMain::lvwSearch_KeyDown);
    connect(lvwYear, &ListView::keyDown, this, &frmMain::lvwYear_KeyDown);
    connect(lvwTotal, &ListView::keyDown, this, &frmMain::lvwTotal_KeyDown);
}
