#include "storage/folders.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace folders {

namespace {

void listBelow(const QString& folder, QStringList& found) {
    const QStringList names =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        const QString path = folder + u'/' + name;
        found.append(path);
        listBelow(path, found);
    }
}

QStringList filesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QByteArray readAll(const QString& path, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return {};
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
    }
    return bytes;
}

// Copies a file through a work file that replaces the target once it is
// whole and on the disk, then reads the copy back.
bool copyFile(const QString& from, const QString& to, QString* reason) {
    const QByteArray bytes = readAll(from, reason);
    if (!reason->isEmpty()) {
        return false;
    }
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *reason = out.errorString();
        return false;
    }
    if (readAll(to, reason) != bytes) {
        if (reason->isEmpty()) {
            *reason = u"The copy does not hold the bytes of its source"_s;
        }
        return false;
    }
    return true;
}

void copyFolders(const QString& source, const QString& destination, OperationResult& result) {
    for (const QString& folder : ListSubFolders(source, true, true)) {
        const QString target = destination + folder.mid(source.size());
        if (!QDir().mkpath(target)) {
            result.failures.append({target, u"The folder cannot be made"_s});
            continue;
        }
        for (const QString& name : filesOf(folder)) {
            QString reason;
            if (!copyFile(folder + u'/' + name, target + u'/' + name, &reason)) {
                result.failures.append({folder + u'/' + name, reason});
            }
        }
    }
}

void deleteFolders(const QString& source, bool keepSettings, OperationResult& result) {
    const QStringList folders = ListSubFolders(source, true, !keepSettings);
    for (const QString& folder : folders) {
        for (const QString& name : filesOf(folder)) {
            QFile file(folder + u'/' + name);
            if (!file.remove()) {
                result.failures.append({file.fileName(), file.errorString()});
            }
        }
    }
    // Children before their parents, so that each folder is empty by then.
    for (auto it = folders.crbegin(); it != folders.crend(); ++it) {
        if (!QDir().rmdir(*it)) {
            result.failures.append({*it, u"The folder cannot be removed"_s});
        }
    }
}

}  // namespace

QStringList ListSubFolders(const QString& root, bool fullPaths, bool keepIni) {
    QStringList found;
    listBelow(QDir::cleanPath(root), found);
    QStringList entries;
    for (const QString& path : std::as_const(found)) {
        if (!keepIni && path.right(3).toLower() == u"ini"_s) {
            continue;
        }
        if (fullPaths) {
            entries.append(path);
        } else {
            const QString last = path.right(4);
            entries.append(last == u"/ini"_s ? u"ini"_s : last);
        }
    }
    return entries;
}

OperationResult FolderOperation(const QString& source, const QString& destination,
                                const QString& mode) {
    OperationResult result;
    const QString root = QDir::cleanPath(source);
    if (mode == u"Copy"_s) {
        copyFolders(root, QDir::cleanPath(destination), result);
    } else if (mode == u"Delete"_s) {
        deleteFolders(root, false, result);
    } else if (mode == u"DeleteData"_s) {
        deleteFolders(root, true, result);
    }
    return result;
}

}  // namespace folders
