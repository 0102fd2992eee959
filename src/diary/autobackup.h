#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "diary/result.h"
#include "storage/datafolder.h"

// The automatic backup at the end of the program: one backup a day, made as
// the backup button makes it, into a folder of the user's choice, of which
// the newest generations are kept.
namespace autobackup {

// Whether a folder's name is a generation: exactly "yyyyMMdd" of a real
// date and "_kirabilog_backup".
bool isGeneration(const QString& name);

// The generations among the names of a folder's entries that go when only
// the newest `keep` are kept, oldest first; other names never go.
QStringList generationsToRemove(const QStringList& names, int keep);

// Why the backups cannot go to the folder, as a message naming it; empty
// when they can: it must exist, take a new file, lie outside the data
// folder, and have a path that the settings file (code page 932, 255
// characters a value) holds.
QString folderProblem(const DataPaths& paths, const QString& folder);

// Makes today's generation in the folder, in place of an earlier one of the
// same day, then removes the generations beyond `keep`. A generation is
// whole or not there under its name, whenever the work stops.
diary::Result makeGeneration(const DataPaths& paths, const QString& folder, QDate today, int keep);

}  // namespace autobackup
