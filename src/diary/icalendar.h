#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "storage/prizeentry.h"

// Deadlines as an iCalendar file (RFC 5545) for calendar programs: one
// all-day event per record on its deadline, with a reminder the day before.
namespace icalendar {

// The calendar in UTF-8 with CR LF line ends. Records whose deadline is no
// date make no event. stamp is when the file is made (DTSTAMP).
QByteArray calendar(const QList<PrizeEntry>& records, bool filedByDeadline, const QDateTime& stamp);

// A text value with backslash, semicolon, comma and line ends escaped.
QString escapeText(const QString& text);

// One content line as it goes into the file: folded so that no line is
// longer than 75 octets, never within a UTF-8 character, each continuation
// starting with one space; ends with CR LF.
QByteArray foldLine(const QByteArray& line);

// The event's UID: the same for the same record in every export.
QString uid(const PrizeEntry& record, bool filedByDeadline);

}  // namespace icalendar
