#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "storage/datafolder.h"
#include "storage/prizeentry.h"

// The copies that sync clients make of a data file edited on two computers:
// the file's name with something added before its extension ("03 (1).log",
// "03-DESKTOP-AB12.log", "03.sync-conflict-20261209-101500-ABCDEFG.log").
// Paths here are below the data folder, with "/": "2010/03 (1).log".
namespace conflicts {

// The data file that a file is a copy of ("2010/03.log"), or nothing. A copy
// is the stem of a data file of its folder — "01" to "12" in a year folder,
// a year or "total" in the summary folder, "kirabilog" in the settings
// folder — then a space, hyphen, dot or opening parenthesis and any text,
// then the data file's extension. The data files themselves are no copies.
QString originalOf(const QString& below);

// Whether the original holds records: a month file.
bool isMonthFile(const QString& original);

// Every copy in the year folders, the summary folder and the settings
// folder, in path order.
QStringList findCopies(const DataPaths& paths);

// The records of a copy that held does not hold, each record compared whole;
// a record the copy holds twice is missing twice unless held twice.
QList<PrizeEntry> notHeldIn(const QList<PrizeEntry>& held, const QList<PrizeEntry>& copy);

// The lines that name the copies in a message: at most ten, then how many
// more there are.
QStringList listing(const QStringList& copies);

// Where the copies go that were dealt with at now:
// data/conflicts/<yyyyMMdd-HHmmss>.
QString setAsideFolder(const DataPaths& paths, const QDateTime& now);

// Moves a copy below folder under its own path. A file that is there
// already is never replaced; false, with the copy where it was and the
// reason, when the move fails.
bool setAside(const DataPaths& paths, const QString& below, const QString& folder, QString* reason);

}  // namespace conflicts
