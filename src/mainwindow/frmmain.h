#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>
#include <array>

#include "diary/desk.h"
#include "diary/export.h"
#include "diary/records.h"
#include "diary/statistics.h"
#include "entry/editorhost.h"
#include "platform/platform.h"
#include "search/searchhost.h"

class QStackedLayout;
class QTabBar;
class AboutPage;
class BottomPanel;
class LegendStrip;
class ListView;
class MonthPage;
class SearchPage;
class SettingsPage;
class TotalPage;
class YearPage;
class frmDataInput;
class frmDataSearch;

class frmMain;

// The entry procedure: refuses a second running copy, otherwise loads and
// shows the main window. Returns nullptr when the program ends without a
// window. The window deletes itself when the program ends.
frmMain* StartProgram(Platform& platform, const QString& programFolder);

// The main window: a shell of small parts over the desk, which owns the
// program-wide state and the data. Its procedures gather input from the
// parts, call the desk, and show the result.
class frmMain : public QWidget, private RecordEditorHost, private SearchHost {
    Q_OBJECT

  public:
    frmMain(Platform& platform, const QString& programFolder);
    ~frmMain() override;

    // The load sequence; false when the program must end at once.
    bool Form_Load();
    bool programEnded() const { return ended_; }
    // The rows of the search list, for the search to fill.
    diary::RecordList& searchResults() { return desk_.searchResults(); }

  Q_SIGNALS:
    // The program has ended; the window is about to be deleted.
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    using Tab = diary::Tab;

    // Building the window
    void buildWindow();
    void connectHandlers();
    void connectListHandlers();

    // Start-up and end
    void cmdEnd_Click();
    void cmdShortcut_Click();
    void endProgram();
    void applyWindowOrder();
    QString programPath() const;
    // The window's place, or the middle of the main screen when the window
    // would show on none.
    QPoint onSomeScreen(QPoint at) const;

    // Settings
    // Writes the settings with the window's place; a failure is shown and returned.
    bool SaveSettings();
    void cmdSetting_Click();

    // Lists and columns
    Tab selectedTab() const;
    void ListViewColumnHeadersMonth(ListView* list);
    void lvwMonth_ColumnClick(int column);
    void lvwSearch_ColumnClick(int column);
    void ColumnHeaderClikSort(ListView* list, int column);
    void LoadMonthFile();
    // False when the month file could not be written (the user was told).
    bool SaveMonthFile();
    void tabMain_Click();
    // Shows the list or the panels of a tab and loads its data.
    void enterTab(Tab tab);

    // Month view and navigation
    void ListViewStatistics();
    statistics::Counts countShown(ListView* list);
    void stepMonth(int by);
    void stepYear(int by);
    void setMonthLabel();
    void dtpDate_Change();
    void listItemClicked(ListView* list, int row);
    void lvwSearch_ItemClick(int row);
    void listKeyDown(ListView* list, int key);

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
    // Moves an edited record, filed by application date, to its new month.
    void moveRecord(const PrizeEntry& record);
    const diary::RecordList& listRecords(const ListView* list) const;
    diary::RecordList& listRecords(const ListView* list);

    // The import from the clipboard
    void cmdInput_Click();

    // Saving and printing the list of the tab
    void cmdSave_Click();
    bool Output(const QString& path);
    void cmdPrint_Click();
    // The list of the tab for the output, and its progress; false on a tab
    // without a list.
    bool prepareOutput();
    exporting::Table outputTable() const;

    // Shell, help and links
    void cmdURL_Click();
    void cmdUserInput_Click();

    // Backup and restore
    // The folder the user chooses; "" when he cancels.
    QString BrowseForFolder(const QString& prompt);
    void cmdBackUp_Click();
    void cmdRestore_Click();

    // Year and total summaries
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
    // Every selected search result, from the last to the first, each with
    // its own question.
    void deleteSelectedSearchResults();

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

    Platform& platform_;
    diary::Desk desk_;

    // The parts of the window.
    QTabBar* tabMain;
    QWidget* tabClient;  // the tab strip's client area; the pages lie on it
    QStackedLayout* pages_;
    MonthPage* monthPage_;
    YearPage* yearPage_;
    TotalPage* totalPage_;
    SearchPage* searchPage_;
    SettingsPage* settingsPage_;
    AboutPage* aboutPage_;
    LegendStrip* fraLabel;
    BottomPanel* panel_;

    // The lists of the pages.
    ListView* lvwMonth;
    ListView* lvwSearch;
    ListView* lvwDummy;
    ListView* lvwYear;
    ListView* lvwTotal;

    QString HelpFile;
    ListView* CurrentListView = nullptr;
    int LastMouseButton = 0;  // 1 = left, 2 = right, 4 = middle
    // The days the win-date marks of the month and search lists follow: the
    // shown day when their statistics were last counted.
    QString monthMarkDate_;
    QString searchMarkDate_;
    diary::RowList noRows_;

    // A window of its own, so that disabling the main window leaves it
    // usable; it is deleted when it closes or with the main window.
    QPointer<frmDataInput> dataInput_;
    QPointer<frmDataSearch> dataSearch_;
    bool ended_ = false;
    bool ending_ = false;
};
