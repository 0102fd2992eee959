// frmMain: the shell — its parts, their layout, and what their controls are
// connected to. The design size is given in twips and scaled with the
// screen's dpi; the window grows from there, never below it.
#include "mainwindow/frmmain.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

#include "mainwindow/aboutpage.h"
#include "mainwindow/analysispage.h"
#include "mainwindow/bottompanel.h"
#include "mainwindow/deadlinepage.h"
#include "mainwindow/legendstrip.h"
#include "mainwindow/listoutput.h"
#include "mainwindow/listpages.h"
#include "mainwindow/recordediting.h"
#include "mainwindow/searchcontrol.h"
#include "mainwindow/settingspage.h"
#include "platform/programfiles.h"
#include "platform/shell.h"
#include "platform/shellopen.h"
#include "widgets/controls.h"
#include "widgets/listview.h"
#include "widgets/marks.h"
#include "widgets/twips.h"
#include "widgets/uifont.h"

using namespace Qt::StringLiterals;

namespace {

// The design size of the client area; the tab strip lies 120 twips from
// the top, left and right, and the bottom panel 60 twips below its client.
constexpr int ClientWidth = 11700;
constexpr int ClientHeight = 6380;
constexpr int Margin = 120;
constexpr int TabStripHeight = 360;
constexpr int PanelGap = 60;

// The tabs in the order of diary::Tab; the keys name them in the tab data.
struct TabInfo {
    const char16_t* key;
    const char16_t* caption;
};
constexpr TabInfo tabs[] = {
    {u"T_Month", u"月　　　間"},    {u"T_Year", u"年　　　間"},     {u"T_Total", u"総　　　計"},
    {u"T_Analysis", u"分　　　析"}, {u"T_Deadline", u"締　　　切"}, {u"T_Search", u"検　　　索"},
    {u"T_Setting", u"設　　　定"},  {u"T_About", u"ソフト情報"},
};

}  // namespace

frmMain::frmMain(Platform& platform, platform::ProgramLocation location)
    : platform_(platform), location_(std::move(location)), desk_(DataPaths(location_.dataHome)) {
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"きらび帳"_s);
    setFont(japaneseUiFont());
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWindow();
    search_ =
        new SearchControl(platform_, desk_, this, searchPage_, panel_, *this, location_.helpPage);
    editing_ =
        new RecordEditing(platform_, desk_, this, lvwMonth, panel_, *this, location_.helpPage);
    output_ = new ListOutput(platform_, desk_, panel_, this);
    output_->setAnalysisRows(&analysisPage_->rows());
    connectParts();
    connectLists();
}

frmMain::~frmMain() = default;

void frmMain::buildWindow() {
    const auto px = [this](int twips) { return twipsToPixels(twips, this); };
    setMinimumSize(px(ClientWidth), px(ClientHeight));
    resize(minimumSize());

    tabMain = new QTabBar(this);
    tabMain->setObjectName(u"tabMain"_s);
    tabMain->setFixedHeight(px(TabStripHeight));
    tabMain->setExpanding(false);
    tabMain->setDrawBase(false);
    for (const TabInfo& tab : tabs) {
        const int index = tabMain->addTab(QString::fromUtf16(tab.caption));
        tabMain->setTabData(index, QString::fromUtf16(tab.key));
    }

    // The pages lie on each other in the tab client; the one of the tab is
    // raised. The legend lies over the bottom strip of the month and search
    // pages.
    tabClient = new QWidget(this);
    tabClient->setObjectName(u"tabClient"_s);
    auto* clientLayout = new QGridLayout(tabClient);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    pages_ = new QStackedLayout;
    pages_->setStackingMode(QStackedLayout::StackAll);
    monthPage_ = new MonthPage(tabClient);
    yearPage_ = new YearPage(tabClient);
    totalPage_ = new TotalPage(tabClient);
    analysisPage_ = new AnalysisPage(platform_, desk_, tabClient);
    deadlinePage_ = new DeadlinePage(platform_, desk_, tabClient);
    searchPage_ = new SearchPage(tabClient);
    settingsPage_ = new SettingsPage(
        platform_, desk_, location_.programFolder + u'/' + programfiles::Program, tabClient);
    aboutPage_ = new AboutPage(tabClient);
    for (QWidget* page :
         std::initializer_list<QWidget*>{monthPage_, yearPage_, totalPage_, analysisPage_,
                                         deadlinePage_, searchPage_, settingsPage_, aboutPage_}) {
        pages_->addWidget(page);
    }
    clientLayout->addLayout(pages_, 0, 0, 2, 1);
    fraLabel = new LegendStrip(tabClient);
    clientLayout->addWidget(fraLabel, 1, 0);
    clientLayout->setRowStretch(0, 1);

    lvwMonth = monthPage_->lvwMonth;
    lvwSearch = searchPage_->lvwSearch;
    lvwDeadline = deadlinePage_->lvwDeadline;
    lvwYear = yearPage_->lvwYear;
    lvwTotal = totalPage_->lvwTotal;
    // Each list shows where its rows are kept.
    diary::Diary& diary = desk_.diary();
    lvwMonth->listModel().setSource(marks::recordRows(diary.month().records(), &monthMarkDate_));
    lvwSearch->listModel().setSource(marks::recordRows(desk_.searchResults(), &searchMarkDate_));
    lvwDeadline->listModel().setSource(
        marks::recordRows(desk_.deadlineResults(), &deadlineMarkDate_));
    lvwYear->listModel().setSource(marks::summaryRows(diary.summaries().year()));
    lvwTotal->listModel().setSource(marks::summaryRows(diary.summaries().total()));
    searchPage_->lvwSearchTemp->listModel().setSource(marks::plainRows(noRows_));

    panel_ = new BottomPanel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(Margin), px(Margin), px(Margin), 0);
    layout->setSpacing(0);
    layout->addWidget(tabMain);
    layout->addWidget(tabClient, 1);
    layout->addSpacing(px(PanelGap));
    layout->addWidget(panel_);
}

void frmMain::connectParts() {
    connect(settingsPage_, &SettingsPage::applyRequested, this, &frmMain::cmdSetting_Click);
    connect(analysisPage_, &AnalysisPage::loaded, this, [this] { ListViewStatistics(); });
    connect(deadlinePage_, &DeadlinePage::loaded, this, [this] { ListViewStatistics(); });
    // A record stored from the deadline list may have left it or moved.
    connect(editing_, &RecordEditing::deadlineRecordStored, this, [this](const PrizeEntry& record) {
        deadlinePage_->load();
        editing_->followListedRecord(record);
    });
    connect(settingsPage_, &SettingsPage::restored, this, &frmMain::endProgram);
    connect(aboutPage_, &AboutPage::linkClicked, this,
            [this](const QString& target) { platform_.shell.open(target); });
    // The settings tab shows the settings in force whenever they change.
    connect(&desk_, &diary::Desk::settingsChanged, this,
            [this] { settingsPage_->showSettings(desk_.settings()); });
    connect(tabMain, &QTabBar::currentChanged, this, &frmMain::tabMain_Click);
    connect(&desk_, &diary::Desk::shownDateChanged, this,
            [this](QDate date) { panel_->dtpDate->setDateByCode(date); });

    const BottomPanel* p = panel_;
    connect(p->cmdEnd, &QPushButton::clicked, this, &frmMain::cmdEnd_Click);
    connect(p->cmdMonthBack, &QPushButton::clicked, this, [this] {
        if (selectedTab() == Tab::Month) {
            stepMonth(-1);
        }
    });
    connect(p->cmdMonthNext, &QPushButton::clicked, this, [this] { stepMonth(+1); });
    connect(p->cmdYearBack, &QPushButton::clicked, this, [this] { stepYear(-1); });
    connect(p->cmdYearNext, &QPushButton::clicked, this, [this] { stepYear(+1); });
    connect(p->dtpDate, &DatePicker::userChanged, this, &frmMain::dtpDate_Change);
    connect(p->cmdHensyu, &QPushButton::clicked, this, [this] {
        desk_.flags.EditExisting = true;
        editing_->OpenRecordEditor();
    });
    connect(p->cmdNewInput, &QPushButton::clicked, editing_, &RecordEditing::cmdNewInput_Click);
    connect(p->cmdInput, &QPushButton::clicked, this, &frmMain::cmdInput_Click);
    connect(p->cmdSave, &QPushButton::clicked, output_, &ListOutput::cmdSave_Click);
    connect(p->cmdPrint, &QPushButton::clicked, output_, &ListOutput::cmdPrint_Click);
    connect(p->cmdURL, &QPushButton::clicked, this, [this] {
        // The button is enabled only for a row whose address is a web page.
        const int row = desk_.selection.EditIndex - 1;
        if (CurrentListView != nullptr && row >= 0 && row < CurrentListView->count()) {
            platform_.shell.open(CurrentListView->listModel().text(row, URL));
        }
        for (QWidget* w : {panel_->cmdHensyu, panel_->cmdURL, panel_->cmdDelete}) {
            w->setEnabled(false);
        }
        desk_.selection.SelectedIndex = 0;
        desk_.selection.SearchSelectedIndex = 0;
        desk_.selection.DeadlineSelectedIndex = 0;
    });
    connect(p->cmdDelete, &QPushButton::clicked, this, &frmMain::cmdDelete_Click);
    connect(p->cmdAllDelete, &QPushButton::clicked, this, [this] { cmdAllDelete_Click(); });
    connect(p->cmdHelp, &QPushButton::clicked, this,
            [this] { OpenHelpFile(platform_.shell, platform_.prompter, location_.helpPage); });
    connect(p->cmdUserInput, &QPushButton::clicked, this, [this] {
        OpenCompanion(platform_.shell, platform_.prompter, location_.programFolder);
    });
}

void frmMain::connectLists() {
    connect(lvwMonth, &ListView::columnClicked, this, [this](int column) {
        ColumnHeaderClikSort(lvwMonth, column);
        if (lvwMonth->count() > 0) {
            SaveMonthFile();  // the sorted order is the stored order
        }
    });
    for (ListView* list : {lvwSearch, lvwDeadline}) {
        connect(list, &ListView::columnClicked, this,
                [this, list](int column) { ColumnHeaderClikSort(list, column); });
        connect(list, &ListView::itemClicked, this,
                [this, list](int row) { listedItemClick(list, row); });
    }
    connect(lvwMonth, &ListView::itemClicked, this, [this](int row) {
        desk_.selection.SelectedIndex = row;
        listItemClicked(lvwMonth, row);
    });
    for (ListView* list : {lvwMonth, lvwSearch, lvwDeadline}) {
        connect(list, &ListView::mouseDown, this, [this](Qt::MouseButton button) {
            LastMouseButton = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
        });
        connect(list, &ListView::rowDoubleClicked, this, [this, list] {
            if (selectedRowOf(list) != 0 && LastMouseButton == 1) {
                desk_.flags.EditExisting = true;
                editing_->OpenRecordEditor();
            }
        });
    }
    for (ListView* list : {lvwYear, lvwTotal}) {
        connect(list, &ListView::itemClicked, this,
                [this, list](int row) { summaryItemClicked(list, row); });
    }
    const auto cmdUnhappyMoneyIn_Click = [this] {
        showResult(desk_.enterExpenses(yearPage_->txtUnhappyMoneyValue->text()));
        summariesChanged();
        ListViewStatistics();
    };
    connect(yearPage_->cmdUnhappyMoneyIn, &QPushButton::clicked, this, cmdUnhappyMoneyIn_Click);
    connect(yearPage_->txtUnhappyMoneyValue, &QLineEdit::returnPressed, this,
            [this, cmdUnhappyMoneyIn_Click] {
                if (!yearPage_->txtUnhappyMoneyValue->text().isEmpty() &&
                    yearPage_->cmdUnhappyMoneyIn->isEnabled()) {
                    cmdUnhappyMoneyIn_Click();
                }
            });
    for (ListView* list : {lvwMonth, lvwSearch, lvwDeadline, lvwYear, lvwTotal}) {
        connect(list, &ListView::keyDown, this, [this, list](int key) { listKeyDown(list, key); });
    }
}
