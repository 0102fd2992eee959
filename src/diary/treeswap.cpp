// The staged tree and its swap, and the rewrite of every data file into it.
#include "diary/treeswap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "diary/refiling.h"
#include "storage/diskfile.h"

using namespace Qt::StringLiterals;

namespace refiling {

namespace {

// A marker in the staging and the old folder tells how far the swap came.
QString oldFolder(const DataPaths& paths) {
    return paths.dataFolder() + u"/.refile-old"_s;
}
QString completeMarker(const DataPaths& paths) {
    return stagingFolder(paths) + u"/complete"_s;
}
QString movedMarker(const DataPaths& paths) {
    return oldFolder(paths) + u"/moved"_s;
}

enum class SwapResult { Done, Undone, Stopped };

// The folders of the data tree that the settings folder, the work of a
// re-filing and the conflict copies set aside are not. The copies stay
// where they are: the old tree is removed once the new one is in.
QStringList dataItems(const QString& folder) {
    QStringList items;
    for (const QString& name :
         QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (name != u"ini"_s && !name.startsWith(u'.') && name != DataPaths::ConflictsFolderName) {
            items.append(name);
        }
    }
    return items;
}

bool moveFolders(const QString& from, const QString& to) {
    bool moved = true;
    for (const QString& name : dataItems(from)) {
        moved = QDir().rename(from + u'/' + name, to + u'/' + name) && moved;
    }
    return moved;
}

bool moveFile(const QString& from, const QString& to) {
    return !QFile::exists(from) || QFile::rename(from, to);
}

// Moves the old data aside and the new into place; each step may have been
// done before, by a run that was stopped. Nothing is removed unless every
// move worked: when the old data cannot be moved aside it is put back, and a
// later step that fails leaves both trees for the next start to finish.
SwapResult swap(const DataPaths& paths) {
    const QString data = paths.dataFolder();
    const QString old = oldFolder(paths);
    const QString oldSettings = old + u"/kirabilog.ini"_s;
    const DataPaths staged(stagingFolder(paths));
    if (!QFile::exists(movedMarker(paths))) {
        if (!QDir().mkpath(old) || !moveFolders(data, old) ||
            !moveFile(paths.settingsFile(), oldSettings) ||
            !diskfile::writeMarker(movedMarker(paths))) {
            if (!moveFolders(old, data) || !moveFile(oldSettings, paths.settingsFile())) {
                return SwapResult::Stopped;
            }
            QDir(stagingFolder(paths)).removeRecursively();
            QDir(old).removeRecursively();
            return SwapResult::Undone;
        }
    }
    diskfile::syncFolder(old);
    QDir().mkpath(paths.iniFolder());
    if (!moveFolders(staged.dataFolder(), data) ||
        !moveFile(staged.settingsFile(), paths.settingsFile())) {
        return SwapResult::Stopped;
    }
    diskfile::syncFolder(data);
    diskfile::syncFolder(paths.iniFolder());
    QDir(stagingFolder(paths)).removeRecursively();
    QDir(old).removeRecursively();
    return SwapResult::Done;
}

}  // namespace

QString stagingFolder(const DataPaths& paths) {
    return paths.dataFolder() + u"/.refile"_s;
}

void clearStaging(const DataPaths& paths) {
    QDir(stagingFolder(paths)).removeRecursively();
    QDir(oldFolder(paths)).removeRecursively();
}

bool swapPending(const DataPaths& paths) {
    return QFile::exists(completeMarker(paths));
}

QStringList dataFiles(const QString& data) {
    QStringList files;
    for (const QString& folder : dataItems(data)) {
        for (const QString& name :
             QDir(data + u'/' + folder).entryList({u"*.log"_s}, QDir::Files)) {
            const QString path = data + u'/' + folder + u'/' + name;
            if (diskfile::isDataFile(path)) {
                files.append(path);
            }
        }
    }
    return files;
}

diary::Result swapStaged(const DataPaths& paths, const QString& unfinished, const QString& undone) {
    diary::Result result;
    if (!diskfile::writeMarker(completeMarker(paths))) {
        QDir(stagingFolder(paths)).removeRecursively();
        result.fail(diskfile::cannotWriteMessage(completeMarker(paths), QString()));
        return result;
    }
    switch (swap(paths)) {
        case SwapResult::Done:
            break;
        case SwapResult::Undone:
            result.fail(undone);
            break;
        case SwapResult::Stopped:
            result.fail(unfinished);
            break;
    }
    return result;
}

diary::Result rewriteAll(const DataPaths& paths, const seal::DataKey* newKey,
                         const QByteArray& settingsPlain, const MonthRewrite& rewriteMonth,
                         const std::function<void(int, int)>& progress) {
    diary::Result result;
    const QString unfinished =
        u"データフォルダ「%1」の中のフォルダを移動できないため、暗号化の切り替えを"
        u"終えられませんでした。次回の起動時に切り替えを終えます。"_s.arg(
            QDir::toNativeSeparators(paths.dataFolder()));
    if (swapPending(paths)) {
        result.fail(unfinished);
        return result;
    }
    clearStaging(paths);
    const DataPaths staged(stagingFolder(paths));
    const QStringList files = dataFiles(paths.dataFolder());
    QStringList problems;
    QString written;  // the first write that failed
    QByteArray plain;
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        QString error;
        if (diskfile::readEnciphered(path, plain, &error) != diskfile::ReadResult::Status::Read) {
            problems.append(error);
            continue;
        }
        const bool month = QFileInfo(path).dir().dirName() != u"0000"_s;
        std::optional<QByteArray> rewritten = month ? rewriteMonth(path, plain, &error) : plain;
        if (!rewritten) {
            problems.append(error);
            continue;
        }
        // Nothing more is written once the change is known to fail.
        if (problems.isEmpty() && written.isEmpty() && !rewritten->isEmpty()) {
            const QString target = staged.dataFolder() + u'/' + diskfile::sealedPlace(path);
            const diskfile::WriteResult w = diskfile::replaceEncoded(
                target, diskfile::encode(target, std::move(*rewritten), newKey));
            if (!w.ok()) {
                written = w.error;
            }
        }
        if (progress) {
            progress(i + 1, int(files.size()));
        }
    }
    if (problems.isEmpty() && written.isEmpty()) {
        written = diskfile::replaceEnciphered(staged.settingsFile(), settingsPlain).error;
    }
    if (!problems.isEmpty() || !written.isEmpty()) {
        QDir(stagingFolder(paths)).removeRecursively();  // the old data stays as it was
        if (!problems.isEmpty()) {
            QStringList shown = problems.mid(0, 10);
            if (problems.size() > 10) {
                shown.append(u"…"_s);
            }
            result.fail(
                u"次のデータを読み取れないため、暗号化を切り替えられません。"
                u"データは何も変更していません。\r\n"_s +
                shown.join(u"\r\n"_s));
        } else {
            result.fail(written);
        }
        return result;
    }
    return swapStaged(
        paths, unfinished,
        u"データフォルダ「%1」の中のフォルダを移動できないため、暗号化を切り替えられません。"
        u"データは何も変更していません。"_s.arg(QDir::toNativeSeparators(paths.dataFolder())));
}

void recoverRefiling(const DataPaths& paths) {
    if (QFile::exists(completeMarker(paths))) {
        swap(paths);  // the new data is whole: the swap is finished
        return;
    }
    // Without the marker the old data was never moved aside, or the swap
    // was finished: what is left of the work is of no use.
    clearStaging(paths);
}

}  // namespace refiling
