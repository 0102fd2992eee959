#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// One choice of a file dialog's filter.
struct FileFilter {
    QString description;
    QStringList patterns;
};

// The choices of a filter in the classic form "description|pattern;pattern|…|".
QList<FileFilter> parseFileFilter(const QString& filter);

// The choice in the form of Qt's dialogs, "description (pattern pattern)".
QString qtNameFilter(const FileFilter& filter);

// The extension, without its dot, that a name typed without one gets while
// this choice is selected: that of the first pattern, "csv" for "*.csv".
// Nothing for "*.*" or an extension with wildcards.
QString defaultSuffix(const FileFilter& filter);

// The choice a save dialog preselects for a proposed name: the first whose
// patterns match the name, else the first. 0 for an empty list.
qsizetype filterIndexForName(const QList<FileFilter>& filters, const QString& name);

// The path as a save dialog returns it: the suffix is added when the file
// name has no dot of its own, as Qt's dialog does.
QString withDefaultSuffix(const QString& path, const QString& suffix);

}  // namespace platform
