#pragma once

#include <QString>
#include <QStringList>

#include "diary/recordlist.h"
#include "diary/result.h"
#include "diary/statistics.h"
#include "storage/currency.h"
#include "storage/datafolder.h"

namespace diary {

// What a month adds to its row of the year file.
struct MonthFigures {
    statistics::Counts counts;
    Currency expenses;
};

// One month of the diary: its records as its month file holds them, and its
// expenses as its year file holds them. A month whose file could not be read,
// was refused for its password or has damaged lines is never written: the
// file would lose the records the book does not hold.
class MonthBook {
  public:
    enum class State { None, Loaded, Missing, Refused, Failed, Damaged };

    explicit MonthBook(DataPaths paths) : paths_(std::move(paths)) {}

    const QString& year() const { return year_; }
    const QString& month() const { return month_; }
    QString path() const { return paths_.monthFile(year_, month_); }
    State state() const { return state_; }

    RecordList& records() { return records_; }
    const RecordList& records() const { return records_; }
    Currency expenses() const { return expenses_; }
    void setExpenses(Currency expenses) { expenses_ = expenses; }
    MonthFigures figures() const;

    // Reads the month file; a file that does not fit the password in force
    // is refused. The expenses are the month's from its year file.
    Result load(const QString& year, const QString& month, const QString& password,
                Currency expenses);
    // No month at all: nothing to show, nothing to store.
    void clear();
    // Whether the month file may be written or removed from the book: not
    // when the book holds less than the file.
    Result writable() const;
    // Writes the records, with the password line when storedPassword is not
    // empty; a month without records removes its file. Once written, the
    // file holds what the book holds.
    Result save(const QString& storedPassword);

  private:
    DataPaths paths_;
    QString year_;
    QString month_;
    State state_ = State::None;
    RecordList records_;
    Currency expenses_;
    QStringList toldOverflow_;  // months whose sum of money won passed the range, told once
};

}  // namespace diary
