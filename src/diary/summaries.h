#pragma once

#include <optional>

#include "diary/monthbook.h"
#include "diary/result.h"
#include "diary/rowlist.h"
#include "storage/currency.h"
#include "storage/datafolder.h"
#include "storage/summaryfile.h"

namespace diary {

// The sums of year rows, or of the rows of the total file.
struct YearSums {
    qint64 smallWins = 0;
    qint64 middleWins = 0;
    qint64 bigWins = 0;
    qint64 wins = 0;
    qint64 entries = 0;
    Currency money;
    Currency expenses;
    // A sum passed its range (64-bit counts, money): it keeps the last value
    // that fit.
    bool overflow = false;

    QString winRate() const;
    Currency balance() const;
};
YearSums sumOf(const QList<QStringList>& rows);

// The year file of one year and the total file, each as the list of its rows
// that the year and total lists show.
class Summaries {
  public:
    explicit Summaries(DataPaths paths) : paths_(std::move(paths)) {}

    // The twelve rows of the year last read or stored.
    RowList& year() { return year_; }
    const RowList& year() const { return year_; }
    RowList& total() { return total_; }
    const RowList& total() const { return total_; }
    YearSums yearSums() const { return sumOf(year_.rows()); }
    YearSums totalSums() const { return sumOf(total_.rows()); }

    // What the year rows hold for a month (1 to 12): its expenses, and all
    // its figures.
    Currency expensesOf(int month) const;
    MonthFigures figuresOf(int month) const;

    // A year or total file that cannot be read shows as no figures; one with
    // damaged lines shows the rows it could read, and the user is told of it
    // once.
    Result loadYear(const QString& year);
    Result loadTotal();

    // Puts a month's figures into its row of the year file, or zeros when the
    // month is gone. A year file that cannot be read is never written over.
    Result storeMonth(const QString& year, int month, const std::optional<MonthFigures>& figures);
    // Puts a year's sums into its row of the total file, or drops the row
    // when the year is gone, and counts down the target over the years.
    Result storeYear(const QString& year, const std::optional<YearSums>& sums, Currency target);

    // Counts the target down anew over the rows of the total file, after the
    // target changed; nothing is announced.
    Result recountTarget(Currency target);

  private:
    // Tells of a damaged file once while the program runs.
    Result damaged(const QString& path, const QString& text);
    Result refusedDamaged(const QString& path, const QString& text);
    // What the user is told of a file just read: damage, or sums out of range.
    Result loaded(const QString& path, const summaryfile::ReadResult& read, const YearSums& sums);

    DataPaths paths_;
    QStringList toldDamaged_;
    RowList year_;
    RowList total_;
};

}  // namespace diary
