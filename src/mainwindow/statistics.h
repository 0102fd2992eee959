#pragma once

#include <QColor>
#include <QStringList>
#include <optional>

#include "storage/currency.h"

// Counting wins and marking the rows of the month and search lists.
namespace statistics {

inline const QColor SmallWinColor(168, 0, 0);
inline const QColor MiddleWinColor(0, 168, 0);
inline const QColor BigWinColor(0, 0, 168);
inline const QColor WinDayColor(191, 159, 63);

enum class PrizeClass { None, Small, Middle, Big };

struct RowMark {
    bool win = false;
    PrizeClass prizeClass = PrizeClass::None;
    std::optional<QColor> color;  // nothing: the list's own colour
};

// A row is a win when its result contains "当選"; its class and colour come
// from the exact result text, and a win colour wins over the win-date colour.
RowMark markOf(const QStringList& row, const QString& shownDate);

struct Counts {
    qint32 wins = 0;
    qint32 entries = 0;
    qint32 smallWins = 0;
    qint32 middleWins = 0;
    qint32 bigWins = 0;
    Currency winMoney;
};

// Adds one row to the counts. A prize value that is not a number counts 0.
void add(Counts& counts, const QStringList& row, const RowMark& mark);

// The prize value of a row as money; 0 when it is not a number.
Currency prizeValue(const QString& text);

// wins ÷ entries × 100 as "##0.00", rounded half up; "0.00" below one win.
QString winRate(qint64 wins, qint64 entries);

}  // namespace statistics
