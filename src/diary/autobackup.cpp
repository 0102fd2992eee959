#include "diary/autobackup.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

#include "diary/backup.h"
#include "storage/cp932.h"

using namespace Qt::StringLiterals;

namespace autobackup {

namespace {

constexpr qsizetype DateLength = 8;  // yyyyMMdd
// A generation on its way out is renamed to this before it is removed.
const QString GoneSuffix = QStringLiteral(".gone");
// A profile value is read up to 255 characters.
constexpr qsizetype LongestFolder = 255;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A replacement of a day's backup that stopped between its two renames left
// the earlier backup under the work name ".old": it goes back under its own
// name. Half copies (".new"), generations on their way out (".gone") and a
// backup replaced that is whole beside its successor are removed.
void settleWorkFolders(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString base = name.section(u'.', 0, 0);
        if (!isGeneration(base) || name == base) {
            continue;
        }
        const QString path = dir.filePath(name);
        const bool previous = name == base + backup::PreviousSuffix;
        if (previous && !QFileInfo::exists(dir.filePath(base))) {
            QDir().rename(path, dir.filePath(base));
        } else if (previous || name == base + backup::FreshSuffix || name == base + GoneSuffix) {
            QDir(path).removeRecursively();
        }
    }
}

}  // namespace

bool isGeneration(const QString& name) {
    const QString suffix = backup::FolderSuffix.toString();
    if (name.size() != DateLength + suffix.size() || !name.endsWith(suffix)) {
        return false;
    }
    const QString date = name.left(DateLength);
    return std::all_of(date.cbegin(), date.cend(), [](QChar c) { return c.isDigit(); }) &&
           QDate::fromString(date, u"yyyyMMdd"_s).isValid();
}

QStringList generationsToRemove(const QStringList& names, int keep) {
    QStringList generations;
    std::copy_if(names.cbegin(), names.cend(), std::back_inserter(generations), isGeneration);
    // The date leads the name: name order is date order.
    std::sort(generations.begin(), generations.end());
    generations.erase(std::unique(generations.begin(), generations.end()), generations.end());
    const qsizetype going = std::max<qsizetype>(0, generations.size() - std::max(keep, 1));
    return generations.mid(0, going);
}

QString folderProblem(const DataPaths& paths, const QString& folder) {
    const QString named = u"自動バックアップのフォルダ「"_s + native(folder) + u"」"_s;
    if (folder.isEmpty()) {
        return u"自動バックアップのフォルダを指定して下さい。"_s;
    }
    if (!cp932::encode(folder).ok()) {
        return named +
               u"は、Shift-JISで書けない文字を含むため設定に保存できません。"
               u"\r\n別のフォルダを指定して下さい。"_s;
    }
    if (folder.size() > LongestFolder) {
        return named +
               u"は長すぎるため設定に保存できません。\r\n255文字までのフォルダを"
               u"指定して下さい。"_s;
    }
    if (!QFileInfo(folder).isDir()) {
        return named + u"がありません。"_s;
    }
    if (backup::isWithin(folder, paths.dataFolder())) {
        return named + u"はデータフォルダの中にあります。\r\n別のフォルダを指定して下さい。"_s;
    }
    QTemporaryFile probe(folder + u"/.kirabilog-XXXXXX"_s);
    if (!probe.open()) {
        return named + u"に書き込めません。\r\n"_s + probe.errorString();
    }
    return {};
}

diary::Result makeGeneration(const DataPaths& paths, const QString& folder, QDate today, int keep) {
    diary::Result result;
    if (const QString problem = folderProblem(paths, folder); !problem.isEmpty()) {
        result.fail(problem);
        return result;
    }
    settleWorkFolders(folder);
    result = backup::makeBackup(paths, folder, today);
    if (!result.done) {
        return result;
    }
    const QDir dir(folder);
    for (const QString& name :
         generationsToRemove(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot), keep)) {
        // Out of its name first, so that no half generation is ever left to
        // be restored from; one that stays is no loss: it goes at the next end.
        const QString gone = dir.filePath(name + GoneSuffix);
        if (QDir().rename(dir.filePath(name), gone)) {
            QDir(gone).removeRecursively();
        }
    }
    return result;
}

}  // namespace autobackup
