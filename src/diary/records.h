#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "storage/prizeentry.h"

// Pieces of storing and ordering records that every list of records shares.
namespace records {

// Every " becomes a space, and “ and ” become full-width spaces; the length
// stays. Free text passes through it before it is stored.
QString ReplaceQuotes(QString text);

// The number of winners as stored: a whole number with "名様", or "全員".
// Empty when the typed number is no whole number.
QString numberOfWinners(const QString& choice, const QString& typed);

// The amount as stored: the whole number without leading zeros; empty when
// the text is no whole amount.
QString prizeAmount(const QString& typed);

// Text order by character code.
int compareText(const QString& a, const QString& b);
// Whole numbers of the 32-bit range by value; any other text after them, in
// text order. Numbered IDs and prize values sort this way.
int compareWholeNumbersFirst(const QString& a, const QString& b);
// A whole number of the 32-bit range, as the sort reads it.
std::optional<qint32> wholeNumber(const QString& text);

// The eleven lines the duplicate question shows and compares.
struct Description {
    QString id, deadline, site, url, genre, present, number, oboKeishiki, senkoWay, cycle, oboWay;
    QString text() const;
};

// The description of a stored record; its deadline is the filing date when
// records are filed by deadline.
Description describe(const PrizeEntry& record, bool filedByDeadline);

// The text of the first record that reads as the typed description, if any.
std::optional<QString> duplicateOf(const QList<PrizeEntry>& month, const Description& typed,
                                   bool filedByDeadline);

}  // namespace records
