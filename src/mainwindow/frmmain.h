#pragma once

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QWidget>
#include <array>
#include <memory>

#include "mainwindow/controls.h"
#include "mainwindow/listview.h"
#include "mainwindow/statistics.h"
#include "storage/currency.h"
#include "storage/datafolder.h"
#include "storage/settingsfile.h"

namespace platform {
class Prompter;
class Dialogs;
class Shell;
class Clock;
class DesktopShortcut;
class InstanceLock;
}  // namespace platform

// What the program uses of the desktop; the real program passes the real
// ones, tests and scenarios scripted ones.
struct Platform {
    platform::Prompter& prompter;
    platform::Dialogs& dialogs;
    platform::Shell& shell;
    platform::Clock& clock;
    platform::DesktopShortcut& shortcut;
    platform::InstanceLock& instanceLock;
};

class frmMain;
class frmDataInput;

// The entry procedure: refuses a second running copy, otherwise loads and
// shows the main window. Returns nullptr when the program ends without a
// window. The window deletes itself when the program ends.
frmMain* StartProgram(Platform& platform, const QString& programFolder);

// The main window. It owns the program-wide state: the shown date, the
// working list, the selection, the month counters and the flags.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    frmMain(Platform& platform, const QString& programFolder);
    ~frmMain() override;

    Platform& platform() { return platform_; }

    // The load sequence; false when the program must end at once.
    bool Form_Load();

    // Controls, named as the user sees them in the design.
    QTabBar* tabMain;
    QWidget* tabClient;  // the tab strip's client area; lists and panels lie on it
    ListView* lvwMonth;
    ListView* lvwSearch;
    ListView* lvwDummy;
    ListView* lvwYear;
    ListView* lvwTotal;
    ListView* lvwSearchTemp;

    QGroupBox* fraLabel;
    QLabel* lblSyo;
    QLabel* lblTyu;
    QLabel* lblDai;
    QLabel* lblDay;

    QGroupBox* fraUnhappyMoney;
    QLabel* lblMonth;
    NumberBox* txtUnhappyMoneyValue;
    QPushButton* cmdUnhappyMoneyIn;

    QGroupBox* fraAutoKeisan;
    QLineEdit* txtHappyCount;
    QLineEdit* txtTotalCount;
    QLineEdit* txtPercent;
    QLineEdit* txtHappyMoney;
    QLineEdit* txtUnhappyMoney;
    QLineEdit* txtTotalMoney;

    QPushButton* cmdHensyu;
    QPushButton* cmdInput;
    QPushButton* cmdNewInput;
    QPushButton* cmdDelete;
    QPushButton* cmdAllDelete;
    QPushButton* cmdURL;
    QPushButton* cmdSave;
    QPushButton* cmdPrint;
    QPushButton* cmdHelp;
    QPushButton* cmdUserInput;
    QPushButton* cmdEnd;
    QPushButton* cmdMonthBack;
    QPushButton* cmdMonthNext;
    QPushButton* cmdYearBack;
    QPushButton* cmdYearNext;
    DatePicker* dtpDate;
    QProgressBar* prgShinko;

    // Settings tab
    QGroupBox* fraSetting;
    QCheckBox* chkStartPassword;
    QCheckBox* chkFormState;
    QCheckBox* chkAllDeleteKakunin;
    QCheckBox* chkDeleteKakunin;
    QCheckBox* chkSortOn;
    QCheckBox* chkNoTyohuku;
    QCheckBox* chkAutoSumOutput;
    QCheckBox* chkStartKirabi;
    QGroupBox* fraKey;
    QRadioButton* optNowDay;
    QRadioButton* optEndDay;
    QGroupBox* fraDreamMoney;
    NumberBox* txtDreamMoney;
    QGroupBox* fraHeader;
    QLabel* lblMain;
    QLabel* lblSub;
    // The width boxes in the order of the record's columns (txtSizeNowDay ...
    // txtSizeMsg), as the settings file lists them.
    std::array<NumberBox*, settingsfile::ColumnWidthCount> txtSize;
    QPushButton* cmdShortcut;
    QPushButton* cmdBackUp;
    QPushButton* cmdRestore;
    QPushButton* cmdSetting;

    // About tab
    QGroupBox* fraKirabi;
    QPushButton* cmdKirabiHomepage;
    QPushButton* cmdKirabiMail;
    QLabel* picKirabiBanner;
    QGroupBox* fraHome;
    QPushButton* cmdMyHomepage;
    QPushButton* cmdMyMail;
    QLabel* picHomeBanner;
    QPushButton* cmdNewVersionCheck;
    QLabel* lblVersion;
    QGroupBox* fraTyosaku;

    // Program-wide state
    DataPaths Paths;
    QString SettingsPath;
    QString HelpFile;
    QString ShownDate;
    QString ShownYear;
    QString ShownMonth;
    QString ShownDay;
    QString ShownYearMonth;
    ListView* CurrentListView = nullptr;
    bool StartingUp = false;
    bool SettingsLoading = false;
    bool SearchFormOpen = false;
    bool MonthSavePending = false;
    bool RemoveSearchRow = true;
    bool MonthRemovedFlag = false;  // the next year update zeroes the shown month
    bool YearRemovedFlag = false;   // the next total update drops the shown year
    int SelectedIndex = 0;
    int SearchSelectedIndex = 0;
    int YearSelectedIndex = 0;
    int TotalSelectedIndex = 0;
    int SortColumn = 0;
    int SelectedCount = 0;
    int EditIndex = 0;
    bool EditExisting = false;
    int LastMouseButton = 0;  // 1 = left, 2 = right, 4 = middle
    QString ShellTarget;
    // Month counters, recounted from the month list by ListViewStatistics.
    qint32 MonthWinCount = 0;
    qint32 MonthEntryCount = 0;
    qint32 MonthSmallWins = 0;
    qint32 MonthMiddleWins = 0;
    qint32 MonthBigWins = 0;
    Currency MonthWinMoney;
    Currency MonthExpenses;
    // Search counters; their expenses are always 0.
    qint32 SearchWinCount = 0;
    qint32 SearchEntryCount = 0;
    Currency SearchWinMoney;
    // Sums of the shown year and of all years, from the summary files.
    qint32 YearWinCount = 0;
    qint32 YearEntryCount = 0;
    Currency YearWinMoney;
    Currency YearExpenses;
    Currency YearBalance;
    QString YearWinRate = QStringLiteral("0.00");
    qint32 TotalWinCount = 0;
    qint32 TotalEntryCount = 0;
    Currency TotalWinMoney;
    Currency TotalExpenses;
    Currency TargetAmount;
    bool DreamMoneyFlag = false;
    QString CurrentStartPassword;

    // Start-up and end
    void cmdEnd_Click();
    void cmdShortcut_Click();
    bool programEnded() const { return ended_; }

    // Settings
    void LoadSettings();
    // Writes the settings from the controls; a failure is shown to the user
    // and returned.
    bool SaveSettings();
    void cmdSetting_Click();
    void optNowDay_Click();
    void optEndDay_Click();

    // Lists and columns
    void ListViewColumnHeadersMonth();
    void ListViewColumnHeadersYear();
    void ListViewColumnHeadersTotal();
    void ColumnHeaderClikSort();
    void LoadMonthFile();
    // False when the month file could not be written (the user was told).
    bool SaveMonthFile();
    void ShowDataFileError(const QString& path);
    QString selectedTabKey() const;
    void tabMain_Click();

    // Month view and navigation
    void ListViewStatistics();
    void cmdMonthBack_Click();
    void cmdMonthNext_Click();
    void cmdYearBack_Click();
    void cmdYearNext_Click();
    void dtpDate_Change();
    void lvwMonth_ItemClick(int row);
    void lvwSearch_ItemClick(int row);
    void cmdHensyu_Click();
    void OpenRecordEditor();

    // Records: the editor, moves and deletion
    void cmdNewInput_Click();
    void SortMonthList();
    // Moves an edited record, filed by application date, to its new month.
    void moveRecord(const QStringList& record);
    void DeleteSelectedRecords();
    void cmdDelete_Click();
    void cmdAllDelete_Click();
    // Removes rows (1-based) from the month list and stores the month, or
    // removes it when it became empty.
    void removeMonthRows(QList<int> rows);
    void editorClosed();
    frmDataInput* editor() const;

    // Shell
    void OpenShellTarget();
    void ShellOpenWithMessage(const QString& path);
    void cmdURL_Click();

    // Year and total summaries
    void SaveYearFile();
    void SaveTotalFile();
    void CheckTargetReached(int row);
    void LoadYearFile();
    void LoadTotalFile();
    void lvwYear_ItemClick(int row);
    void lvwTotal_ItemClick(int row);
    void cmdUnhappyMoneyIn_Click();

  Q_SIGNALS:
    // The program has ended; the window is about to be deleted.
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindow();
    void buildStatisticsPanel();
    void buildButtons();
    void buildSettingsPanel();
    void buildAboutPanels();
    void placeLists();
    void connectHandlers();
    void settingsCheckBoxClicked();
    void chkStartPassword_Click();
    void applyWindowOrder();
    void placeDateWidthBoxes(int first, int other);
    QString programPath() const;
    void setShownDate(QDate date);
    bool shownYearIsStorable() const;
    QString monthFilePath() const;
    QString monthFilePassword() const;
    settingsfile::Settings settingsFromControls() const;
    void putSettingsIntoControls(const settingsfile::Settings& settings);
    void lvwMonth_ColumnClick(int column);
    void lvwSearch_ColumnClick(int column);
    void listDoubleClicked(ListView* list, int selectedIndex);
    // What a row click does in the month and the search list alike.
    void listItemClicked(ListView* list, int row);
    void lvwMonth_KeyDown(int key);
    void lvwSearch_KeyDown(int key);
    void stepMonth(int by);
    void stepYear(int by);
    void setMonthLabel();
    // Sets the date picker, by code, to ShownYear/ShownMonth/ShownDay.
    void showShownDate();
    void prepareExpensesPanel();
    // Counts the rows of a month or search list, marking them when asked.
    statistics::Counts countRows(ListView* list, bool mark, bool withProgress);
    void endProgram();
    frmDataInput* loadEditor();
    void removeShownMonth();

    Platform& platform_;
    // A window of its own, so that disabling the main window leaves it
    // usable; it is deleted when it closes or with the main window.
    QPointer<frmDataInput> dataInput_;
    // The month file last refused or unreadable on loading; never written
    // over from the (empty) list.
    QString unreadableMonth_;
    bool ended_ = false;
    bool ending_ = false;
};
