#pragma once

#include <QFile>
#include <QString>

// The calls of the system that make a write durable and atomic, one file for
// POSIX systems (diskfile_posix.cpp) and one for Windows (diskfile_win.cpp).
namespace diskfile::system {

// Flushes the file's data to the disk itself.
bool syncToDisk(QFile& file);
// Replaces target by source in one step; the old target stays until then.
// On failure reason says why, in the system's words.
bool replace(const QString& source, const QString& target, QString* reason);

}  // namespace diskfile::system
