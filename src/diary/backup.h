#pragma once

#include <QDate>
#include <QString>

#include "diary/result.h"
#include "storage/datafolder.h"

// Copies of the whole data folder: a backup into a dated folder that the
// user places anywhere, and a restore that replaces the data by one. Files
// are copied byte for byte, still enciphered.
namespace backup {

// What every backup folder's name ends with, after the date "yyyyMMdd".
inline constexpr QStringView FolderSuffix = u"_kirabilog_backup";
// The work names beside a backup folder while it is made: the new copy, and
// the day's earlier backup until the new one has taken its place.
inline const QString FreshSuffix = QStringLiteral(".new");
inline const QString PreviousSuffix = QStringLiteral(".old");

// The folder a backup made on `today` into the chosen folder goes to; a
// chosen folder that ends with a separator (a drive's root) gets none more.
QString backupFolder(const QString& chosen, QDate today);

// True when path is folder or lies below it, both as they are on disk.
bool isWithin(const QString& path, const QString& folder);

// Whether a folder can be restored from by its name: the first
// "kirabilog_backup" in the path stands at its very end.
bool isBackupFolderName(const QString& path);

// Copies the data folder into the backup folder of today below the chosen
// folder. The copy is made beside it and checked first; a backup made
// earlier on the same day is replaced only by a whole copy.
diary::Result makeBackup(const DataPaths& paths, const QString& chosen, QDate today);

// Replaces the data folder by a backup. The backup is copied beside the
// data and checked first; only a whole copy takes the data's place, by
// renames, so that a failure leaves the data as it was.
diary::Result restore(const DataPaths& paths, const QString& backupFolder);

// Finishes a restore that was stopped once its copy was whole, or drops
// one that was not; run at every start, before the data folder is used.
void recoverRestore(const DataPaths& paths);

}  // namespace backup
