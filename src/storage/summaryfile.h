#pragma once

#include <QList>
#include <QStringList>

#include "storage/diskfile.h"

// The summary files in data/0000: a year file "<yyyy>.log" of 12 rows, one
// per month (January first), and "total.log" of one row per year. Values are
// separated by single commas, without quotes, in code page 932 with CR LF,
// enciphered on disk. Numbers are kept as the text the lists show.
namespace summaryfile {

// Year row: 月, 小物当選, 中物当選, 大物当選, 当選総数, 応募総数, 当選率, 当選総額,
// 支出総額, 収支総額. Total row: 年, the same nine figures, 目標収支金額.
inline constexpr int YearColumns = 10;
inline constexpr int TotalColumns = 11;
enum Column : int {
    Key = 0,  // the month in a year row, the year in a total row
    SmallWins = 1,
    MiddleWins = 2,
    BigWins = 3,
    WinCount = 4,
    EntryCount = 5,
    WinRate = 6,
    WinMoney = 7,
    Expenses = 8,
    Balance = 9,
    TargetLeft = 10,
};

using Row = QStringList;

// The 12 rows of a year without a year file: "0" everywhere, "0.00" as rate.
QList<Row> zeroYear();

// A row is one line of its 10 (year) or 11 (total) numbers; blank lines are
// passed over, any other line is damage. A damaged file shows what it could
// read and is never written over.
struct ReadResult {
    enum class Status { Read, Missing, Failed, Damaged };
    Status status = Status::Missing;
    QList<Row> rows;
    QList<int> damagedLines;  // numbers, from 1, of the lines that are no row
    QString error;            // when Failed or Damaged: what the user is told
};

// Always 12 rows, by position: missing rows, and the rows of damaged lines,
// are those of the zero table; rows past the twelfth are left out.
ReadResult readYear(const QString& path);
// The rows of 11 values that stand in the file.
ReadResult readTotal(const QString& path);

// Writes the rows, each value joined by ","; no rows remove the file.
diskfile::WriteResult write(const QString& path, const QList<Row>& rows);

// A count cell read as a number and taken to the nearest whole number; 0
// when it is no number.
qint64 countOf(const QString& text);

// True for a text above "0" in character order: every positive number this
// file holds, and no zero or negative one.
bool isPositiveText(const QString& text);

}  // namespace summaryfile
