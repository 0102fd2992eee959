#pragma once

#include <QString>

class ListModel;

// Pieces of storing a record that need no window.
namespace recordupdate {

// Every " becomes a space, and “ and ” become full-width spaces; the length
// stays. Free text passes through it before it enters a list.
QString ReplaceQuotes(QString text);

// Orders the rows of a month list by date (column 0) and, within a date, by
// ID number; IDs lose their leading zeros. An ID that is no whole number in
// the 32-bit range follows the numbered ones of its date, by its text, and
// keeps its text.
void SortMonthRows(ListModel& rows);

// The number of winners as stored: a whole number with "名様", or "全員".
// Empty when the typed number is no whole number.
QString numberOfWinners(const QString& choice, const QString& typed);

// The amount as stored: the whole number without leading zeros; empty when
// the text is no whole amount.
QString prizeAmount(const QString& typed);

// The eleven lines the duplicate question shows and compares.
struct Description {
    QString id, deadline, site, url, genre, present, number, oboKeishiki, senkoWay, cycle, oboWay;
    QString text() const;
};

}  // namespace recordupdate
