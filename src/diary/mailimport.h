#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "storage/prizeentry.h"

// Announcements of the maker's prize-contest mail magazine, copied as text,
// read as records.
namespace mailimport {

struct Parsed {
    QList<PrizeEntry> records;
    // Announcements without a prize or a deadline that reads as a date, by
    // their IDs; they are no records.
    QStringList unreadableIds;
};

// Reads every announcement of the text. Records get startDate as their
// application date; they are filed under their deadline when
// filedByDeadline, else under startDate. An announcement cut off by the
// end of the text ends the reading and is dropped.
Parsed parse(const QString& text, const QString& startDate, bool filedByDeadline);

// The first part of a line that fits in 608 bytes of code page 932.
QString lineLimit(const QString& line);

}  // namespace mailimport
