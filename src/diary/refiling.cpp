#include "diary/refiling.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "diary/monthwalker.h"
#include "diary/summaries.h"
#include "storage/diskfile.h"
#include "storage/linereader.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace refiling {

namespace {

// The new data is written to <data>/.refile/data (a program folder of its
// own); the old data goes to <data>/.refile-old while the new takes its
// place. A marker in each tells how far the swap came.
QString stagingFolder(const DataPaths& paths) {
    return paths.dataFolder() + u"/.refile"_s;
}
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

// The folders of the data tree that the settings folder and the work of a
// re-filing are not.
QStringList dataItems(const QString& folder) {
    QStringList items;
    for (const QString& name :
         QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (name != u"ini"_s && !name.startsWith(u'.')) {
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

struct Collected {
    QList<PrizeEntry> records;
    QStringList problems;
};

bool fits(const monthfile::Content& content, const Keys& keys) {
    if (!content.hasPasswordLine) {
        return true;  // read whatever the passwords
    }
    return monthfile::passwordFits(content, keys.previousPassword) ||
           monthfile::passwordFits(content, keys.password);
}

// A date "yyyy/MM/dd" that files a record under a month; read by hand, as
// the general date parser costs more than the rest of a re-filing.
bool isFilingDate(const QString& text) {
    if (text.size() != 10 || text[4] != u'/' || text[7] != u'/') {
        return false;
    }
    const auto number = [&](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            if (text[i] < u'0' || text[i] > u'9') {
                return -1;
            }
            n = n * 10 + (text[i].unicode() - u'0');
        }
        return n;
    };
    const int year = number(0, 4);
    return year >= 1 && QDate::isValid(year, number(5, 2), number(8, 2));
}

Collected collect(const DataPaths& paths, const Keys& keys) {
    Collected c;
    diary::MonthWalker(paths).walk(diary::WalkRange::everyMonth(), [&](const diary::StoredMonth&
                                                                           m) {
        const QString where = QDir::toNativeSeparators(m.path);
        if (!m.error.isEmpty()) {
            c.problems.append(m.error);
        } else if (!fits(m.content, keys)) {
            c.problems.append(monthfile::dataFileErrorText(m.path));
        } else if (!m.content.damagedLines.isEmpty()) {
            c.problems.append(u"データファイル「%1」の%2行目を読み取れません。"_s.arg(
                where, lineNumbers(m.content.damagedLines)));
        }
        for (PrizeEntry record : m.content.records) {
            std::swap(record[FilingDate], record[OtherDate]);
            if (!isFilingDate(record[FilingDate])) {
                c.problems.append(
                    u"データファイル「%1」の懸賞情報（ＩＤ番号 %2、%3）は日付「%4」の月に振り分けられません。"_s
                        .arg(where, record[ID], record[Present], record[FilingDate]));
            }
            c.records.append(record);
        }
        return true;
    });
    return c;
}

// Every data file below the data folder, summaries included, with its folder
// name; the settings folder and the work of a change are left out.
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

QString unfinishedText(const DataPaths& paths) {
    return u"データフォルダ「%1」の中のフォルダを移動できないため、構成キーの変更を"
           u"終えられませんでした。次回の起動時に変更を終えます。"_s.arg(
               QDir::toNativeSeparators(paths.dataFolder()));
}

QString problemsText(const QStringList& problems) {
    QStringList shown = problems.mid(0, 10);
    if (problems.size() > 10) {
        shown.append(u"…"_s);
    }
    return u"次のデータを読み取れないか月に振り分けられないため、構成キーを変更できません。"
           u"データは何も変更していません。\r\n"_s +
           shown.join(u"\r\n"_s);
}

// Moves a whole staged tree in: the marker first, then the swap.
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

// Writes the re-filed months, their summaries and the settings into the
// staging folder.
diary::Result writeStaging(const DataPaths& paths, const Keys& keys, QList<PrizeEntry> records,
                           const QByteArray& settingsPlain, Currency target,
                           const std::function<void(int, int)>& progress) {
    const DataPaths staged(stagingFolder(paths));
    const int all = int(records.size());
    QMap<QString, QList<PrizeEntry>> months;  // by "yyyy/MM", in date order
    for (PrizeEntry& record : records) {
        months[record[FilingDate].left(7)].append(std::move(record));
    }
    records.clear();
    diary::MonthBook book(staged);
    diary::Summaries summaries(staged);
    int done = 0;
    for (auto it = months.begin(); it != months.end(); ++it) {
        const QString year = it.key().left(4);
        const QString month = it.key().mid(5, 2);
        book.load(year, month, keys.password, Currency());
        done += int(it.value().size());
        book.records().assign(std::move(it.value()));
        book.records().sortByFilingKey();
        diary::Result stored = book.save(keys.storedPassword);
        if (stored.done) {
            stored = summaries.storeMonth(year, month.toInt(), book.figures());
        }
        // The total row once the year's last month is in.
        const auto next = std::next(it);
        if (stored.done && (next == months.end() || next.key().left(4) != year)) {
            stored = summaries.storeYear(year, summaries.yearSums(), target);
        }
        if (!stored.done || !stored.notices.isEmpty()) {
            stored.done = false;
            return stored;
        }
        if (progress) {
            progress(done, all);
        }
    }
    diary::Result result;
    const diskfile::WriteResult settings =
        diskfile::replaceEnciphered(staged.settingsFile(), settingsPlain);
    if (!settings.ok()) {
        result.fail(settings.error);
    }
    return result;
}

}  // namespace

diary::Result refile(const DataPaths& paths, const Keys& keys, const QByteArray& settingsPlain,
                     Currency target, const std::function<void(int, int)>& progress) {
    diary::Result result;
    if (QFile::exists(completeMarker(paths))) {
        // A swap that could not be finished waits for the next start.
        result.fail(unfinishedText(paths));
        return result;
    }
    const Collected collected = collect(paths, keys);
    if (!collected.problems.isEmpty()) {
        result.fail(problemsText(collected.problems));
        return result;
    }
    QDir(stagingFolder(paths)).removeRecursively();
    QDir(oldFolder(paths)).removeRecursively();
    result = writeStaging(paths, keys, collected.records, settingsPlain, target, progress);
    if (!result.done || !result.notices.isEmpty()) {
        QDir(stagingFolder(paths)).removeRecursively();  // the old data stays as it was
        result.done = false;
        return result;
    }
    return swapStaged(
        paths, unfinishedText(paths),
        u"データフォルダ「%1」の中のフォルダを移動できないため、構成キーを変更できません。"
        u"データは何も変更していません。"_s.arg(QDir::toNativeSeparators(paths.dataFolder())));
}

diary::Result rewriteAll(const DataPaths& paths, const seal::DataKey* newKey,
                         const QByteArray& settingsPlain, const MonthRewrite& rewriteMonth,
                         const std::function<void(int, int)>& progress) {
    diary::Result result;
    const QString unfinished =
        u"データフォルダ「%1」の中のフォルダを移動できないため、暗号化の切り替えを"
        u"終えられませんでした。次回の起動時に切り替えを終えます。"_s.arg(
            QDir::toNativeSeparators(paths.dataFolder()));
    if (QFile::exists(completeMarker(paths))) {
        result.fail(unfinished);
        return result;
    }
    QDir(stagingFolder(paths)).removeRecursively();
    QDir(oldFolder(paths)).removeRecursively();
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
    QDir(stagingFolder(paths)).removeRecursively();
    QDir(oldFolder(paths)).removeRecursively();
}

diary::Result rekey(const DataPaths& paths, const Keys& keys,
                    const std::function<void(int, int)>& progress) {
    diary::Result result;
    const diary::MonthWalker walker(paths);
    QStringList files;
    walker.walkFiles(diary::WalkRange::everyMonth(),
                     [&](const QString& path) { files.append(path); });
    QByteArray plain;
    for (int i = 0; i < files.size(); ++i) {
        if (progress) {
            progress(i + 1, int(files.size()));
        }
        QString error;
        if (diskfile::readEnciphered(files[i], plain, &error) !=
            diskfile::ReadResult::Status::Read) {
            result.error(error);
            continue;
        }
        // The first line decides; most files need nothing more.
        const monthfile::Content head =
            monthfile::scanBytes(plain, [](const monthfile::ByteFields&) { return false; });
        const bool fitsNew = monthfile::passwordFits(head, keys.password);
        const bool fitsOld = monthfile::passwordFits(head, keys.previousPassword);
        if (fitsNew) {
            continue;
        }
        if (!fitsOld) {
            result.notices.append(
                {monthfile::DataFileErrorTitle.toString(), monthfile::dataFileErrorText(files[i])});
            continue;
        }
        // Only the password line changes; every record line stays byte for
        // byte, damaged ones too.
        const QByteArray rekeyed = monthfile::withPasswordLine(plain, keys.storedPassword);
        const bool empty = std::all_of(rekeyed.cbegin(), rekeyed.cend(),
                                       [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
        const diskfile::WriteResult written =
            empty ? diskfile::removeFile(files[i]) : diskfile::replaceEnciphered(files[i], rekeyed);
        if (!written.ok()) {
            result.error(written.error);
        }
    }
    return result;
}

}  // namespace refiling
