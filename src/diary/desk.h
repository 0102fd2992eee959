#pragma once

#include <QDate>
#include <QObject>
#include <functional>
#include <optional>

#include "diary/diary.h"
#include "diary/recordlist.h"
#include "diary/result.h"
#include "storage/settingsfile.h"

namespace diary {

// The tabs of the main window, in their order on the strip.
enum class Tab { Month, Year, Total, Analysis, Deadline, Search, Setting, About };

// The tabs whose list holds records of many months, each opened in its own.
inline bool listsManyMonths(Tab tab) {
    return tab == Tab::Search || tab == Tab::Deadline;
}

// The rows the lists and the editor work on, counted from 1; 0 is none.
struct Selection {
    int SelectedIndex = 0;        // the month list
    int SearchSelectedIndex = 0;  // the search list
    int DeadlineSelectedIndex = 0;
    int YearSelectedIndex = 0;
    int TotalSelectedIndex = 0;
    int SelectedCount = 0;  // rows selected in the list clicked last
    int EditIndex = 0;      // the row the editor shows
};

struct Flags {
    bool StartingUp = false;
    bool SearchFormOpen = false;
    // An entry is being stored: the month is written once the entry is in.
    bool MonthSavePending = false;
    // A deleted search result leaves the search list too.
    bool RemoveSearchRow = true;
    // The editor opens on a row of the list rather than a new record.
    bool EditExisting = false;
};

using Progress = std::function<void(int done, int all)>;

// What an import filed, and the IDs of announcements it could not read.
struct ImportOutcome {
    Result result;
    QStringList unreadableIds;
    bool monthReloaded = false;  // the month shown before was read again at the end
};

// The program-wide state of the main window — the shown date, the settings,
// the selection, the flags and the search results — and the operations the
// windows ask for. It owns the diary. Nothing here asks the user: a question
// is asked by the window before, or through a callback.
class Desk : public QObject {
    Q_OBJECT

  public:
    explicit Desk(const DataPaths& paths, QObject* parent = nullptr);
    ~Desk() override;

    Diary& diary() { return diary_; }
    const Diary& diary() const { return diary_; }
    const DataPaths& paths() const { return diary_.paths(); }
    RecordList& searchResults() { return searchResults_; }
    const RecordList& searchResults() const { return searchResults_; }

    // The records of the deadlines tab, each still in its own month.
    RecordList& deadlineResults() { return deadlineResults_; }

    // The records a list of the tab shows: the search results, the coming
    // deadlines or the month's.
    RecordList& recordsOf(Tab tab) {
        return tab == Tab::Search     ? searchResults_
               : tab == Tab::Deadline ? deadlineResults_
                                      : diary_.month().records();
    }
    const RecordList& recordsOf(Tab tab) const { return const_cast<Desk*>(this)->recordsOf(tab); }
    // The row of the list of the tab that the user chose, for the tabs
    // whose list holds many months.
    int& listedSelection(Tab tab) {
        return tab == Tab::Deadline ? selection.DeadlineSelectedIndex
                                    : selection.SearchSelectedIndex;
    }

    Tab tab() const { return tab_; }
    // Every tab switch, to the tab it shows already too.
    void setTab(Tab tab) {
        tab_ = tab;
        Q_EMIT tabEntered(tab);
    }

    // The shown date, and its parts as the file names use them.
    QDate shownDate() const { return shownDate_; }
    QString ShownDate() const;
    QString ShownYear() const;
    QString ShownMonth() const;
    QString ShownDay() const;
    QString ShownYearMonth() const;
    void setShownDate(QDate date);
    // Steps of the navigation buttons. Months and years wrap around at the
    // ends of the calendar (before 0001 comes 9999); the day is fitted to the
    // month reached.
    void stepMonth(int by);
    void stepYear(int by);
    // The shown date moves to the month of a filing date ("yyyy/MM/dd"),
    // keeping its day when the text gives none that fits.
    void showMonthOf(const QString& filingDate);

    const settingsfile::Settings& settings() const { return settings_; }
    bool filedByDeadline() const { return !settings_.formatKeyNowDay; }
    // The password the month files are written and checked with: none in a
    // sealed diary, whose seal guards them.
    QString startPassword() const {
        return settings_.seal ? QString() : settings_.startPasswordInput;
    }
    // A sealed diary opens only with the data key its start password unlocks.
    bool sealed() const { return settings_.seal; }
    // Opens the data key with the password; not done when it does not fit.
    Result unlock(const QString& password);
    // Reads the settings file; a first start writes the defaults. A file that
    // exists but cannot be read gives the defaults and is left as it is.
    Result loadSettings();
    Result saveSettings();
    void setWindowPosition(int topTwips, int leftTwips);
    // Applies the settings the settings tab edited: a changed filing key
    // re-files every record together with the settings file; otherwise the
    // settings file is written first and the month files are re-keyed when
    // the password changed.
    // Sealing or unsealing rewrites every data file, with the settings
    // file, in one swap; a new password of a sealed diary re-encrypts only
    // its data key.
    Result applySettings(const settingsfile::Settings& edited, const Progress& progress);
    // After the total file changed: true once, when the savings target has
    // just been reached; the fact is stored in the settings file.
    std::optional<Result> checkTargetReached();

    // The month of the shown date: its year file and its month file.
    Result loadMonth();
    // The shown month, with its row of the year file and its year's row of
    // the total file. Not done when the month could not be written.
    Result storeMonth();
    Result loadYear();
    Result loadTotal();

    // Records. Rows count from 0.
    Result replaceRecord(int row, const PrizeEntry& record);
    // A record of the shown month whose filing month changed: stored in its
    // new month first, and the old month shown again as its file holds it.
    Result moveRecord(int row, const PrizeEntry& record);
    // A new record goes into the month of its filing date, which is shown.
    // A failed store leaves the month as it was.
    Result addRecord(const PrizeEntry& record);
    // The record at the row of a list of many months (search results,
    // deadlines) is looked up in its month, which is shown; -1 when it is no
    // longer there.
    int findListedRecord(Tab tab, int row, Result* loaded);

    // Files announcements read from copied text into their months. isWanted
    // is asked for a record whose ID stands in its month when duplicates are
    // checked; the shown date is back in its month at the end.
    ImportOutcome importText(const QString& text,
                             const std::function<bool(const PrizeEntry&)>& isWanted,
                             const Progress& progress);

    // Deletion at every grain; rows count from 0.
    Result removeRows(const QList<int>& rows);
    Result removeShownMonth();
    // The search result at the row leaves its own month file.
    Result removeSearchResult(int row);
    Result removeShownYear();
    Result removeAll();

    // The expenses of the shown month, in its row of the year file.
    Result enterExpenses(const QString& typed);

    Result backUp(const QString& chosen, QDate today);
    // Today's generation of the automatic backup, when it is on; done and
    // silent when it is off.
    Result autoBackUp(QDate today);
    Result restore(const QString& backupFolder);

    // The copies that sync clients made of the data files, below the data
    // folder ("2010/01 (1).log"), in path order.
    QStringList conflictCopies() const;
    // Adds to each month the records of its copies that it does not hold,
    // lists them as the search results, and sets the copies aside in the
    // conflicts folder named by now. A copy that cannot be read, or whose
    // records its month cannot store, stays where it is.
    Result bringBackConflicts(const QStringList& copies, const QDateTime& now);

  Q_SIGNALS:
    void shownDateChanged(QDate date);
    void settingsChanged();
    void tabEntered(diary::Tab tab);

  private:
    bool storableYear() const;
    // Why the settings edited on the tab cannot be applied, before anything
    // is changed; nothing when they can.
    std::optional<QString> refusal(const settingsfile::Settings& edited) const;
    void applyDiarySettings();
    void sortIfWanted();
    Result storeImported(const QList<PrizeEntry>& records, bool sort);
    Result fileImported(const QList<PrizeEntry>& records,
                        const std::function<bool(const PrizeEntry&)>& isWanted,
                        const Progress& progress);
    // The settings in force as the bytes of their file; nothing, with the
    // reason in result, when they cannot be written.
    std::optional<QByteArray> settingsBytes(Result& result) const;
    // The data key the edited settings keep, under their password: a new
    // one when the diary is being sealed (newKey), the one in force under a
    // new password, or none.
    Result chooseSealKey(settingsfile::Settings& edited, const settingsfile::Settings& previous,
                         seal::Key* newKey) const;
    Result reseal(const settingsfile::Settings& stored, const seal::Key& newKey,
                  const Progress& progress);

    Diary diary_;
    QDate shownDate_;
    Tab tab_ = Tab::Month;
    settingsfile::Settings settings_;
    RecordList searchResults_;
    RecordList deadlineResults_;
    bool ownsDataKey_ = false;

  public:
    Selection selection;
    Flags flags;
};

}  // namespace diary
