#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "storage/prizeentry.h"

// Announcements of the maker's prize-contest mail magazine, copied as text,
// read as records.
namespace mailimport {

// The maker's search page, where an announcement without a URL is found by
// its ID.
inline const QString SearchLinkBase =
    QStringLiteral("http://kirabi-hiroba.example.jp/cgi-bin/kirabi/search-bunrui.cgi?links=");

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
