#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>
#include <array>

#include "diary/diary.h"
#include "diary/export.h"
#include "diary/records.h"
#include "entry/editorhost.h"
#include "platform/platform.h"
#include "search/searchhost.h"
#include "storage/settingsfile.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabBar;
class DatePicker;
class NumberBox;
class PictureButton;
class ListView;
class frmDataInput;
class frmDataSearch;

class frmMain;

// The entry procedure: refuses a second running copy, otherwise loads and
// shows the main window. Returns nullptr when the program ends without a
// window. The window deletes itself when the program ends.
frmMain* StartProgram(Platform& platform, const QString& programFolder);

// The main window. It owns the program-wide state — the shown date, the
// working list, the selection and the flags — and shows the diary's data.
class frmMain : public QWidget, private RecordEditorHost, private SearchHost {
    Q_OBJECT

  public:
    frmMain(Platform& platform, const QString& programFolder);
    ~frmMain() override;

    // The load sequence; false when the program must end at once.
    bool Form_Load();
    bool programEnded() const { return ended_; }
    // The rows of the search list, for the search to fill.
    diary::RecordList& searchResults() { return searchResults_; }

  Q_SIGNALS:
    // The program has ended; the window is about to be deleted.
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The tabs of tabMain, in their order on the strip.
    enum class Tab { Month, Year, Total, Search, Setting, About };

    // Building the window
    void buildWindow();
    void buildStatisticsPanel();
    void buildButtons();
    void buildSettingsPanel();
    void buildAboutPanels();
    void placeLists();
    void connectHandlers();
    void connectListHandlers();

    // Start-up and end
    void cmdEnd_Click();
    void cmdShortcut_Click();
    void endProgram();
    void applyWindowOrder();
    QString programPath() const;
    void setShownDate(QDate date);

    // Settings
    void LoadSettings();
    // Writes the settings from the controls; a failure is shown and returned.
    bool SaveSettings();
    void cmdSetting_Click();
    void optNowDay_Click();
    void optEndDay_Click();
    void settingsCheckBoxClicked();
    void chkStartPassword_Click();
    void placeDateWidthBoxes(int first, int other);
    settingsfile::Settings settingsFromControls() const;
    void putSettingsIntoControls(const settingsfile::Settings& settings);
    // The window's place, or the middle of the main screen when the window
    // would show on none.
    QPoint onSomeScreen(QPoint at) const;
    // Hands what the settings decide about storing to the diary.
    void applyDiarySettings();

    // Lists and columns
    Tab selectedTab() const;
    void ListViewColumnHeadersMonth();
    void ListViewColumnHeadersYear();
    void ListViewColumnHeadersTotal();
    void ColumnHeaderClikSort();
    void lvwMonth_ColumnClick(int column);
    void lvwSearch_ColumnClick(int column);
    void LoadMonthFile();
    // False when the month file could not be written (the user was told).
    bool SaveMonthFile();
    void ShowDataFileError(const QString& path);
    void tabMain_Click();
    // Shows the list or the panels of a tab and loads its data.
    void enterTab(Tab tab);
    bool shownYearIsStorable() const;

    // Month view and navigation
    void ListViewStatistics();
    statistics::Counts countShown(ListView* list);
    void showFigures(qint64 wins, qint64 entries, Currency money, Currency expenses);
    void cmdMonthBack_Click();
    void cmdMonthNext_Click();
    void cmdYearBack_Click();
    void cmdYearNext_Click();
    void stepMonth(int by);
    void stepYear(int by);
    void setMonthLabel();
    // Sets the date picker, by code, to ShownYear/ShownMonth/ShownDay.
    void showShownDate();
    void dtpDate_Change();
    void lvwMonth_ItemClick(int row);
    void lvwSearch_ItemClick(int row);
    // What a row click does in the month and the search list alike.
    void listItemClicked(ListView* list, int row);
    void listDoubleClicked(int selectedIndex);
    void lvwMonth_KeyDown(int key);
    void lvwSearch_KeyDown(int key);
    void lvwYear_KeyDown(int key);
    void lvwTotal_KeyDown(int key);
    void cmdHensyu_Click();

    // Records: the editor and the update it asks for
    frmDataInput* loadEditor();
    void editorClosed();
    void cmdNewInput_Click();
    void OpenRecordEditor();
    void editorRecordRequested(int position);
    void storeEditedRecord(const PrizeEntry& record, const records::Description& typed);
    // True when the user declines to store a record that reads as one of
    // the shown month's.
    bool isDuplicateDeclined(const records::Description& typed);
    void SortMonthList();
    // Moves an edited record, filed by application date, to its new month.
    void moveRecord(const PrizeEntry& record);
    const diary::RecordList& listRecords(const ListView* list) const;
    diary::RecordList& listRecords(const ListView* list);

    // The import from the clipboard
    void cmdInput_Click();
    void fileImportedRecords(const QList<PrizeEntry>& records);
    void showImportMonth(const QString& filingDate);
    // Adds records to the month shown and stores it; a failed store leaves
    // the month as it was.
    bool storeImported(const QList<PrizeEntry>& records, bool sort);
    // True when a record's ID stands in its month and the user declines it.
    bool isImportDeclined(const PrizeEntry& record);

    // Saving and printing the list of the tab
    void cmdSave_Click();
    bool Output();
    void cmdPrint_Click();
    // The list of the tab for the output, and its progress; false on a tab
    // without a list.
    bool prepareOutput();
    exporting::Table outputTable() const;

    // Shell, help and links
    void OpenShellTarget();
    void OpenMailTarget();
    void ShellOpenWithMessage(const QString& path);
    void cmdURL_Click();
    void cmdHelp_Click();
    void cmdUserInput_Click();
    void connectLinks();

    // Backup and restore
    // The folder the user chooses; "" when he cancels.
    QString BrowseForFolder(const QString& prompt);
    void cmdBackUp_Click();
    void cmdRestore_Click();

    // Year and total summaries
    void SaveYearFile(const diary::MonthFigures& figures);
    void SaveTotalFile();
    void CheckTargetReached(int row);
    // After the total file changed: the figures shown and the target.
    void summariesChanged();
    void LoadYearFile();
    void LoadTotalFile();
    void prepareExpensesPanel();
    void lvwYear_ItemClick(int row);
    void lvwTotal_ItemClick(int row);
    void cmdUnhappyMoneyIn_Click();

    // Deletion
    void DeleteSelectedRecords();
    void cmdDelete_Click();
    // confirm: whether the delete-all question may be asked.
    void cmdAllDelete_Click(bool confirm = true);
    void disableRowButtons();
    // Removes rows (1-based) of the month list and stores the month, or
    // removes it when it became empty.
    void removeMonthRows(const QList<int>& rows);
    void removeShownMonth();
    // The search result at SearchSelectedIndex leaves its own month file.
    void deleteSearchResult();
    // Every selected search result, from the last to the first, each with
    // its own question.
    void deleteSelectedSearchResults();
    void deleteYearMonth();
    void deleteTotalYear();

    // Messages
    void showError(const QString& text);
    void showResult(const diary::Result& result);

    // What the record editor and the search window ask
    bool filedByDeadline() const override;
    QString helpFile() const override;
    const DataPaths& dataPaths() const override;
    QString startPassword() const override;
    bool keepsWindowsOnTop() const override;
    void setMainOnTop(bool onTop) override;
    void newConditions() override;
    qint64 searchBegins() override;
    void searchProgress(qint64 examined) override;
    void searchEnds(const QList<PrizeEntry>* results) override;
    void searchFinished() override;

    // The search window
    void loadSearchWindow();
    void unloadSearchWindow();
    void searchWindowClosed();

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
    PictureButton* picKirabiBanner;
    QGroupBox* fraHome;
    QPushButton* cmdMyHomepage;
    QPushButton* cmdMyMail;
    PictureButton* picHomeBanner;
    QPushButton* cmdNewVersionCheck;
    QLabel* lblVersion;
    QGroupBox* fraTyosaku;

    // Program-wide state
    Platform& platform_;
    diary::Diary diary_;
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
    QString MailTarget;
    QString OutputPath;  // the file the list is saved to
    // Counters of the search results; their expenses are always 0.
    qint32 SearchWinCount = 0;
    qint32 SearchEntryCount = 0;
    Currency SearchWinMoney;
    Currency TargetAmount;
    bool DreamMoneyFlag = false;
    QString CurrentStartPassword;
    // The days the win-date marks of the month and search lists follow: the
    // shown day when their statistics were last counted.
    QString monthMarkDate_;
    QString searchMarkDate_;
    // The search results; lvwSearchTemp and lvwDummy show no rows.
    diary::RecordList searchResults_;
    diary::RowList noRows_;

    // A window of its own, so that disabling the main window leaves it
    // usable; it is deleted when it closes or with the main window.
    QPointer<frmDataInput> dataInput_;
    QPointer<frmDataSearch> dataSearch_;
    bool ended_ = false;
    bool ending_ = false;
};
