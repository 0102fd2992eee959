#include "diary/backup.h"

#include <QDir>
#include <QFileInfo>

#include "storage/diskfile.h"
#include "storage/folders.h"

using namespace Qt::StringLiterals;

namespace backup {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString backupFailed(const QString& path, const QString& reason) {
    return u"バックアップできませんでした。\r\n"_s + native(path) + u"\r\n"_s + reason;
}

QString restoreFailed(const QString& path, const QString& reason) {
    return u"復元できませんでした。\r\n"_s + native(path) + u"\r\n"_s + reason;
}

// A restore copies the backup to <base folder>/.kirabilog-restore/data,
// marks it whole, moves the data to .../old and the copy into its place.
QString restoreWork(const DataPaths& paths) {
    return paths.baseFolder() + u"/.kirabilog-restore"_s;
}
QString restoreCopy(const DataPaths& paths) {
    return restoreWork(paths) + u"/data"_s;
}
QString restoreOld(const DataPaths& paths) {
    return restoreWork(paths) + u"/old"_s;
}
QString restoreMarker(const DataPaths& paths) {
    return restoreWork(paths) + u"/complete"_s;
}

bool rename(const QString& from, const QString& to) {
    return QDir().rename(from, to);
}

// Moves the whole copy into the data's place; false, with the data where it
// was, when that cannot be done.
bool swapIn(const DataPaths& paths) {
    const QString data = paths.dataFolder();
    if (QFileInfo::exists(data) && !rename(data, restoreOld(paths))) {
        return false;
    }
    if (!rename(restoreCopy(paths), data)) {
        rename(restoreOld(paths), data);
        return false;
    }
    diskfile::syncFolder(paths.baseFolder());
    return true;
}

}  // namespace

QString backupFolder(const QString& chosen, QDate today) {
    const QString name = today.toString(u"yyyyMMdd"_s) + FolderSuffix.toString();
    const bool atRoot = chosen.endsWith(u'/') || chosen.endsWith(u'\\');
    return atRoot ? chosen + name : chosen + u'/' + name;
}

bool isWithin(const QString& path, const QString& folder) {
    const QString inner = QFileInfo(path).canonicalFilePath();
    const QString outer = QFileInfo(folder).canonicalFilePath();
    return !inner.isEmpty() && !outer.isEmpty() &&
           (inner == outer || inner.startsWith(outer + u'/'));
}

bool isBackupFolderName(const QString& path) {
    const QString name = u"kirabilog_backup"_s;
    const qsizetype at = path.indexOf(name);
    return at >= 0 && at == path.size() - name.size();
}

diary::Result makeBackup(const DataPaths& paths, const QString& chosen, QDate today) {
    diary::Result result;
    if (isWithin(chosen, paths.dataFolder())) {
        result.fail(u"データフォルダ「"_s + native(paths.dataFolder()) +
                    u"」の中にはバックアップできません。\r\n別のフォルダを指定して下さい。"_s);
        return result;
    }
    const QString target = backupFolder(chosen, today);
    // The new copy is made beside the target and takes its place once whole.
    const QString fresh = target + FreshSuffix;
    const QString previous = target + PreviousSuffix;
    QDir(fresh).removeRecursively();
    if (!QDir().mkpath(fresh)) {
        result.fail(backupFailed(fresh, u"The folder cannot be made"_s));
        return result;
    }
    const folders::OperationResult copied =
        folders::FolderOperation(paths.dataFolder(), fresh, u"Copy"_s);
    if (!copied.ok()) {
        QDir(fresh).removeRecursively();
        result.fail(backupFailed(copied.failures[0].path, copied.failures[0].reason));
        return result;
    }
    QDir(previous).removeRecursively();
    if (QFileInfo::exists(target) && !rename(target, previous)) {
        QDir(fresh).removeRecursively();
        result.fail(backupFailed(target, u"The earlier backup of the day cannot be replaced"_s));
        return result;
    }
    if (!rename(fresh, target)) {
        rename(previous, target);
        QDir(fresh).removeRecursively();
        result.fail(backupFailed(target, u"The folder cannot be made"_s));
        return result;
    }
    QDir(previous).removeRecursively();
    return result;
}

diary::Result restore(const DataPaths& paths, const QString& backupFolder) {
    diary::Result result;
    if (QFileInfo::exists(restoreMarker(paths))) {
        // A restore that could not be finished waits for the next start.
        result.fail(restoreFailed(restoreWork(paths),
                                  u"前回の復元が終わっていません。"
                                  u"一旦終了して、もう一度起動して下さい。"_s));
        return result;
    }
    // Every backup holds the settings; a folder without them holds no
    // backup, and restoring it would only empty the data.
    const DataPaths layout{QString()};
    const QString settingsBelow = layout.settingsFile().mid(layout.dataFolder().size());
    if (!QFileInfo::exists(backupFolder + settingsBelow)) {
        result.fail(
            restoreFailed(backupFolder, u"このフォルダにはバックアップしたデータがありません。"_s));
        return result;
    }
    QDir(restoreWork(paths)).removeRecursively();
    const QString copy = restoreCopy(paths);
    if (!QDir().mkpath(copy)) {
        result.fail(restoreFailed(copy, u"The folder cannot be made"_s));
        return result;
    }
    const folders::OperationResult copied = folders::FolderOperation(backupFolder, copy, u"Copy"_s);
    if (!copied.ok() || !diskfile::writeMarker(restoreMarker(paths))) {
        QDir(restoreWork(paths)).removeRecursively();
        result.fail(copied.ok()
                        ? restoreFailed(restoreMarker(paths), u"The file cannot be written"_s)
                        : restoreFailed(copied.failures[0].path, copied.failures[0].reason));
        return result;
    }
    if (!swapIn(paths)) {
        QDir(restoreWork(paths)).removeRecursively();
        result.fail(restoreFailed(paths.dataFolder(), u"The folder cannot be replaced"_s));
        return result;
    }
    QDir(restoreWork(paths)).removeRecursively();
    return result;
}

void recoverRestore(const DataPaths& paths) {
    const QString work = restoreWork(paths);
    if (!QFileInfo::exists(work)) {
        return;
    }
    if (QFileInfo::exists(restoreMarker(paths)) && QFileInfo::exists(restoreCopy(paths))) {
        // The copy is whole: the data moved aside or not, the copy goes in.
        if (QFileInfo::exists(restoreOld(paths))) {
            QDir().rmdir(paths.dataFolder());  // only when something made it anew, empty
            if (!rename(restoreCopy(paths), paths.dataFolder())) {
                return;  // tried again at the next start
            }
        } else if (!swapIn(paths)) {
            return;
        }
    } else if (!QFileInfo::exists(paths.dataFolder()) && QFileInfo::exists(restoreOld(paths))) {
        rename(restoreOld(paths), paths.dataFolder());
    }
    QDir(work).removeRecursively();
}

}  // namespace backup
