#pragma once

#include <QList>
#include <QString>

#include "storage/currency.h"
#include "storage/prizeentry.h"

// Counting the wins of records, and what marks a record in a list.
namespace statistics {

enum class PrizeClass { None, Small, Middle, Big };

struct RowMark {
    bool win = false;
    PrizeClass prizeClass = PrizeClass::None;
    bool winDay = false;  // the record was won on the shown day
};

// A record is a win when its result contains "当選"; its class comes from the
// exact result text.
RowMark markOf(const PrizeEntry& record, const QString& shownDate);

struct Counts {
    qint32 wins = 0;
    qint32 entries = 0;
    qint32 smallWins = 0;
    qint32 middleWins = 0;
    qint32 bigWins = 0;
    Currency winMoney;
    bool overflow =
        false;  // the money won passed the range of money: winMoney is the last sum that fit
};

// Adds one record to the counts. A prize value that is not a number counts 0.
void add(Counts& counts, const PrizeEntry& record, const RowMark& mark);
Counts countOf(const QList<PrizeEntry>& records);

// The prize value of a record as money; 0 when it is not a number.
Currency prizeValue(const QString& text);

// wins ÷ entries × 100 as "##0.00", rounded half up; "0.00" below one win.
QString winRate(qint64 wins, qint64 entries);

}  // namespace statistics
