#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Whole folders of the data tree: the listing of subfolders, and copying or
// emptying what they hold. Files lying directly in the root folder are
// neither copied nor deleted, and the root itself is never removed.
namespace folders {

// Every folder below root, at every depth, each before its own subfolders,
// in name order. With fullPaths an entry is the folder's full path;
// otherwise the last four characters of it, and "ini" for a folder named
// "ini". Unless keepIni, entries whose last three characters are "ini" in
// any case are left out.
QStringList ListSubFolders(const QString& root, bool fullPaths, bool keepIni);

// A file or folder that an operation could not handle, and why.
struct Failure {
    QString path;
    QString reason;
};

struct OperationResult {
    QList<Failure> failures;
    bool ok() const { return failures.isEmpty(); }
};

// "Copy": every subfolder of source is made below destination, in the same
// place, and its files copied into it, replacing files of the same name;
// each copy is read back and must hold the bytes of its source.
// "Delete": the files of every subfolder of source are deleted and the
// subfolders removed; destination is not used.
// "DeleteData": the same, but the settings folder and its files stay.
// Any other mode does nothing. Every step is tried; what fails is listed.
OperationResult FolderOperation(const QString& source, const QString& destination,
                                const QString& mode);

}  // namespace folders
