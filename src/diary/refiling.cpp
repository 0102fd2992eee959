#include "diary/refiling.h"

#include <QDir>
#include <QMap>

#include "diary/monthwalker.h"
#include "diary/summaries.h"
#include "diary/treeswap.h"
#include "storage/diskfile.h"
#include "storage/linereader.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace refiling {

namespace {
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
    if (swapPending(paths)) {
        // A swap that could not be finished waits for the next start.
        result.fail(unfinishedText(paths));
        return result;
    }
    const Collected collected = collect(paths, keys);
    if (!collected.problems.isEmpty()) {
        result.fail(problemsText(collected.problems));
        return result;
    }
    clearStaging(paths);
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
