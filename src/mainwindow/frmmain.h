#pragma once

#include <QDate>
#include <QWidget>

#include "diary/desk.h"
#include "mainwindow/viewrefresh.h"
#include "platform/platform.h"
#include "platform/programlocation.h"

class QStackedLayout;
class QTabBar;
class AboutPage;
class AnalysisPage;
class DeadlinePage;
class BottomPanel;
class LegendStrip;
class ListView;
class MonthPage;
class SearchPage;
class SettingsPage;
class TotalPage;
class YearPage;
class SearchControl;
class RecordEditing;
class ListOutput;

class frmMain;

// The entry procedure: refuses a second running copy, otherwise loads and
// shows the main window. Returns nullptr when the program ends without a
// window. The window deletes itself when the program ends.
frmMain* StartProgram(Platform& platform, const platform::ProgramLocation& location);
// A portable copy, everything beside the program.
frmMain* StartProgram(Platform& platform, const QString& programFolder);

// The main window: a shell of small parts over the desk, which owns the
// program-wide state and the data. Its procedures gather input from the
// parts, call the desk, and show the result.
class frmMain : public QWidget, private ViewRefresh {
    Q_OBJECT

  public:
    frmMain(Platform& platform, platform::ProgramLocation location);
    ~frmMain() override;

    // The load sequence; false when the program must end at once.
    bool Form_Load();
    bool programEnded() const { return ended_; }
    // After the month is on show: one message when records not yet sent
    // have their deadline within the coming week.
    void remindDeadlines();
    // After the log-in, when sync clients made copies of the data files:
    // their records are brought back if the user wants.
    void bringBackConflicts();
    // The rows of the search list, for the search to fill.
    diary::RecordList& searchResults() { return desk_.searchResults(); }

  Q_SIGNALS:
    // The program has ended; the window is about to be deleted.
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    using Tab = diary::Tab;

    void buildWindow();
    void connectParts();
    void connectLists();

    // Start-up and end
    void cmdEnd_Click();
    void endProgram();
    // The window's place, or the middle of the main screen when the window
    // would show on none.
    QPoint onSomeScreen(QPoint at) const;
    // Writes the settings with the window's place; a failure is shown.
    void SaveSettings();
    void cmdSetting_Click();

    // Lists, columns and tabs
    Tab selectedTab() const;
    void ListViewColumnHeadersMonth(ListView* list);
    void ColumnHeaderClikSort(ListView* list, int column);
    void LoadMonthFile();
    // False when the month file could not be written (the user was told).
    bool SaveMonthFile();
    void tabMain_Click();
    // Shows the page of a tab and loads its data.
    void enterTab(Tab tab);

    // The views and the navigation
    void ListViewStatistics() override;
    void stepMonth(int by);
    void stepYear(int by);
    void dtpDate_Change();
    void listItemClicked(ListView* list, int row);
    // A row click in a list of many months (search, deadlines).
    void listedItemClick(ListView* list, int row);
    // The selected row of a list of records, counted from 1; 0 is none.
    int selectedRowOf(const ListView* list) const;
    void listKeyDown(ListView* list, int key);
    void cmdInput_Click();

    // Year and total summaries
    void summariesChanged() override;
    void LoadYearFile() override;
    void LoadTotalFile() override;
    // A row click in the year or total list: the month or year it names is
    // shown, for the expenses and the deletion.
    void summaryItemClicked(ListView* list, int row);

    // Deletion
    void DeleteSelectedRecords();
    void cmdDelete_Click();
    // confirm: whether the delete-all question may be asked.
    void cmdAllDelete_Click(bool confirm = true);
    // Every selected search result, from the last to the first, each with
    // its own question.
    void deleteSelectedSearchResults();

    void showResult(const diary::Result& result) override;

    Platform& platform_;
    // The program's folder and help file; the data home is the desk's.
    const platform::ProgramLocation location_;
    diary::Desk desk_;

    // The parts of the window.
    QTabBar* tabMain;
    QWidget* tabClient;  // the tab strip's client area; the pages lie on it
    QStackedLayout* pages_;
    MonthPage* monthPage_;
    YearPage* yearPage_;
    TotalPage* totalPage_;
    AnalysisPage* analysisPage_;
    DeadlinePage* deadlinePage_;
    SearchPage* searchPage_;
    SettingsPage* settingsPage_;
    AboutPage* aboutPage_;
    LegendStrip* fraLabel;
    BottomPanel* panel_;
    SearchControl* search_;
    RecordEditing* editing_;
    ListOutput* output_;

    // The lists of the pages.
    ListView* lvwMonth;
    ListView* lvwSearch;
    ListView* lvwDeadline;
    ListView* lvwYear;
    ListView* lvwTotal;

    ListView* CurrentListView = nullptr;
    int LastMouseButton = 0;  // 1 = left, 2 = right, 4 = middle
    // The days the win-date marks of the month and search lists follow: the
    // shown day when their statistics were last counted.
    QString monthMarkDate_;
    QString searchMarkDate_;
    QString deadlineMarkDate_;
    diary::RowList noRows_;
    bool ended_ = false;
    bool ending_ = false;
};
