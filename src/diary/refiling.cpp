#include "diary/refiling.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "diary/diary.h"
#include "diary/monthwalker.h"
#include "storage/cp932.h"
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

bool writeMarker(const QString& path) {
    QSaveFile marker(path);
    return marker.open(QIODevice::WriteOnly) && marker.write("1", 1) == 1 && marker.commit();
}

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

// Moves the old data aside and the new into place; each step may have been
// done before, by a run that was stopped.
void swap(const DataPaths& paths) {
    const QString data = paths.dataFolder();
    const QString old = oldFolder(paths);
    const DataPaths staged(stagingFolder(paths));
    if (!QFile::exists(movedMarker(paths))) {
        QDir().mkpath(old);
        for (const QString& name : dataItems(data)) {
            QDir().rename(data + u'/' + name, old + u'/' + name);
        }
        if (QFile::exists(paths.settingsFile())) {
            QFile::rename(paths.settingsFile(), old + u"/kirabilog.ini"_s);
        }
        writeMarker(movedMarker(paths));
    }
    for (const QString& name : dataItems(staged.dataFolder())) {
        QDir().rename(staged.dataFolder() + u'/' + name, data + u'/' + name);
    }
    if (QFile::exists(staged.settingsFile())) {
        QDir().mkpath(paths.iniFolder());
        QFile::rename(staged.settingsFile(), paths.settingsFile());
    }
    QDir(stagingFolder(paths)).removeRecursively();
    QDir(old).removeRecursively();
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

bool isFilingDate(const QString& text) {
    const QDate date = QDate::fromString(text, u"yyyy/MM/dd"_s);
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
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

QString problemsText(const QStringList& problems) {
    QStringList shown = problems.mid(0, 10);
    if (problems.size() > 10) {
        shown.append(u"…"_s);
    }
    return u"次のデータを読み取れないか月に振り分けられないため、構成キーを変更できません。"
           u"データは何も変更していません。\r\n"_s +
           shown.join(u"\r\n"_s);
}

// Writes the re-filed months, their summaries and the settings into the
// staging folder.
diary::Result writeStaging(const DataPaths& paths, const Keys& keys, QList<PrizeEntry> records,
                           const QByteArray& settingsPlain, Currency target,
                           const std::function<void(int, int)>& progress) {
    const DataPaths staged(stagingFolder(paths));
    diary::Diary diary(staged);
    diary.setSettings({keys.password, keys.storedPassword, true, target});
    diary::RecordList sorted;
    sorted.assign(std::move(records));
    sorted.sortByFilingKey();
    const QList<PrizeEntry>& all = sorted.records();
    for (qsizetype first = 0; first < all.size();) {
        qsizetype end = first;
        while (end < all.size() && all[end][FilingDate].left(7) == all[first][FilingDate].left(7)) {
            ++end;
        }
        diary::MonthBook& book = diary.month();
        book.load(all[first][FilingDate].left(4), all[first][FilingDate].mid(5, 2), keys.password,
                  Currency());
        book.records().assign(all.mid(first, end - first));
        const diary::Result stored = diary.store(book);
        if (!stored.done || !stored.notices.isEmpty()) {
            return stored;
        }
        if (progress) {
            progress(int(end), int(all.size()));
        }
        first = end;
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
    const Collected collected = collect(paths, keys);
    if (!collected.problems.isEmpty()) {
        result.fail(problemsText(collected.problems));
        return result;
    }
    QDir(stagingFolder(paths)).removeRecursively();
    result = writeStaging(paths, keys, collected.records, settingsPlain, target, progress);
    if (!result.done || !result.notices.isEmpty() || !writeMarker(completeMarker(paths))) {
        QDir(stagingFolder(paths)).removeRecursively();  // the old data stays as it was
        result.done = false;
        if (result.notices.isEmpty()) {
            result.error(diskfile::cannotWriteMessage(completeMarker(paths), QString()));
        }
        return result;
    }
    swap(paths);
    return result;
}

void recoverRefiling(const DataPaths& paths) {
    if (QFile::exists(completeMarker(paths))) {
        swap(paths);  // the new data is whole: the swap is finished
        return;
    }
    QDir(stagingFolder(paths)).removeRecursively();  // the old data was never touched
    if (QDir(oldFolder(paths)).exists() && !QFile::exists(movedMarker(paths))) {
        QDir(oldFolder(paths)).removeRecursively();
    }
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
        const monthfile::Content content = monthfile::parse(cp932::decode(plain));
        if (!content.damagedLines.isEmpty()) {
            result.error(monthfile::damagedMonthText(files[i], content.damagedLines));
            continue;  // rewriting would lose the lines it cannot read
        }
        const diskfile::WriteResult written =
            monthfile::write(files[i], content.records, keys.storedPassword);
        if (!written.ok()) {
            result.error(written.error);
        }
    }
    return result;
}

}  // namespace refiling
