#include "diary/conflicts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>

#include "storage/diskfile.h"

using namespace Qt::StringLiterals;

namespace conflicts {

namespace {

bool isDigits(QStringView text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isYearFolder(QStringView name) {
    return name.size() == 4 && isDigits(name);
}

// The stem of the data file that a name in folder begins with, as the data
// file spells it; empty when there is none.
QString stemOf(QStringView folder, QStringView name) {
    if (folder == u"ini") {
        return name.startsWith(u"kirabilog", Qt::CaseInsensitive) ? u"kirabilog"_s : QString();
    }
    if (folder == u"0000") {
        if (name.startsWith(u"total", Qt::CaseInsensitive)) {
            return u"total"_s;
        }
        return name.size() >= 4 && isDigits(name.first(4)) ? name.first(4).toString() : QString();
    }
    if (name.size() < 2 || !isDigits(name.first(2))) {
        return {};
    }
    const int month = name.first(2).toInt();
    return month >= 1 && month <= 12 ? name.first(2).toString() : QString();
}

}  // namespace

QString originalOf(const QString& below) {
    const QStringList parts = below.split(u'/');
    if (parts.size() != 2) {
        return {};
    }
    const QString& folder = parts[0];
    const QString& name = parts[1];
    if (folder != u"ini"_s && !isYearFolder(folder)) {
        return {};
    }
    const QString extension = folder == u"ini"_s ? u".ini"_s : u".log"_s;
    if (!name.endsWith(extension, Qt::CaseInsensitive)) {
        return {};
    }
    const QStringView stemAndAdded = QStringView(name).chopped(extension.size());
    const QString stem = stemOf(folder, stemAndAdded);
    if (stem.isEmpty() || stemAndAdded.size() <= stem.size()) {
        return {};  // no data file's stem, or the data file itself
    }
    const QChar mark = stemAndAdded[stem.size()];
    if (mark != u' ' && mark != u'-' && mark != u'.' && mark != u'(') {
        return {};
    }
    return folder + u'/' + stem + extension;
}

bool isMonthFile(const QString& original) {
    const QString folder = original.section(u'/', 0, 0);
    return folder != u"0000"_s && isYearFolder(folder);
}

QStringList findCopies(const DataPaths& paths) {
    QStringList copies;
    const QDir data(paths.dataFolder());
    for (const QString& folder : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder != u"ini"_s && !isYearFolder(folder)) {
            continue;
        }
        const QDir inside(data.filePath(folder));
        for (const QString& name : inside.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            const QString below = folder + u'/' + name;
            if (!originalOf(below).isEmpty()) {
                copies.append(below);
            }
        }
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

QList<PrizeEntry> notHeldIn(const QList<PrizeEntry>& held, const QList<PrizeEntry>& copy) {
    std::map<PrizeEntry, int> unmatched;
    for (const PrizeEntry& record : held) {
        ++unmatched[record];
    }
    QList<PrizeEntry> missing;
    for (const PrizeEntry& record : copy) {
        const auto found = unmatched.find(record);
        if (found != unmatched.end() && found->second > 0) {
            --found->second;
        } else {
            missing.append(record);
        }
    }
    return missing;
}

QStringList listing(const QStringList& copies) {
    constexpr int Shown = 10;
    QStringList lines = copies.mid(0, Shown);
    if (copies.size() > Shown) {
        lines.append(u"ほか %1 件"_s.arg(copies.size() - Shown));
    }
    return lines;
}

QString setAsideFolder(const DataPaths& paths, const QDateTime& now) {
    return paths.conflictsFolder() + u'/' + now.toString(u"yyyyMMdd-HHmmss"_s);
}

bool setAside(const DataPaths& paths, const QString& below, const QString& folder,
              QString* reason) {
    const QString from = paths.dataFolder() + u'/' + below;
    const QString to = folder + u'/' + below;
    const QString toFolder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(toFolder)) {
        *reason = u"フォルダ「%1」を作成できません。"_s.arg(QDir::toNativeSeparators(toFolder));
        return false;
    }
    QFile file(from);
    // A rename replaces no file that is there already.
    if (!file.rename(to)) {
        *reason = file.errorString();
        return false;
    }
    diskfile::syncFolder(toFolder);
    diskfile::syncFolder(QFileInfo(from).absolutePath());
    return true;
}

}  // namespace conflicts
