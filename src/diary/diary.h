#pragma once

#include <optional>

#include "diary/monthbook.h"
#include "diary/result.h"
#include "diary/summaries.h"
#include "storage/datafolder.h"

namespace diary {

// What the settings decide about reading and storing months.
struct Settings {
    QString password;              // the start password in force: a file must carry it to be read
    QString storedPassword;        // the password line months are written with; empty for none
    bool sortAfterChange = false;  // a month changed by an entry is sorted by date and ID
    Currency target;               // the savings target the total file counts down
};

// The stored data of the program: the month on show, the year and total
// summaries, and what changes several of them at once — moving a record to
// another month and removing months, years or everything.
class Diary {
  public:
    explicit Diary(const DataPaths& paths) : paths_(paths), month_(paths), summaries_(paths) {}

    const DataPaths& paths() const { return paths_; }
    const Settings& settings() const { return settings_; }
    void setSettings(Settings settings) { settings_ = std::move(settings); }

    MonthBook& month() { return month_; }
    const MonthBook& month() const { return month_; }
    Summaries& summaries() { return summaries_; }
    const Summaries& summaries() const { return summaries_; }

    // Stores a month with its row of the year file and its year's row of
    // the total file.
    Result store(MonthBook& book);

    // Moves a record of the month on show to the month of its filing date:
    // it is stored there first, and leaves its old row only once that
    // worked, so that no failure can lose it. Not done when it could not be
    // stored in its new month.
    Result moveRecord(int row, const PrizeEntry& record);
    // Removes rows of the month on show and stores it; a month left without
    // records is removed.
    Result removeRows(const QList<int>& rows);
    // Removes a month: its file, its figures, and the year folder, the year
    // file and the summary folder when they are left empty.
    Result removeMonth(const QString& year, const QString& month);
    // Removes every month of a year, its year file and its total row.
    Result removeYear(const QString& year);
    // Removes every year and the summaries; the settings stay.
    Result removeAll();

  private:
    bool isShown(const QString& year, const QString& month) const;
    Result removeFile(const QString& path);
    Result removeFolderFiles(const QString& folder);
    void removeEmptySummaryFolder();

    DataPaths paths_;
    Settings settings_;
    MonthBook month_;
    Summaries summaries_;
};

}  // namespace diary
