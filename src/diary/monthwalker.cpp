#include "diary/monthwalker.h"

#include <QDir>
#include <QFileInfo>

#include "storage/cp932.h"
#include "storage/diskfile.h"
#include "storage/folders.h"

using namespace Qt::StringLiterals;

namespace diary {

namespace {

QString twoDigits(int n) {
    return u"%1"_s.arg(n, 2, 10, QChar(u'0'));
}

}  // namespace

QStringList MonthWalker::yearFolders() const {
    const QString summary = paths_.summaryFolder();
    const QString conflicts = paths_.conflictsFolder();
    QStringList years;
    // The listing leaves out the settings folder.
    for (const QString& folder : folders::ListSubFolders(paths_.dataFolder(), true, false)) {
        // Folders of the program's own work (a re-filing under way) begin
        // with a dot. The copies set aside hold records that are back in
        // their months already.
        const QString below = folder.mid(paths_.dataFolder().size());
        if (folder == summary || below.contains(u"/."_s) || folder == conflicts ||
            folder.startsWith(conflicts + u'/')) {
            continue;
        }
        years.append(folder);
    }
    return years;
}

int MonthWalker::steps(const WalkRange& range) const {
    return range.isRun ? range.count : int(yearFolders().size());
}

MonthScan scanMonthFile(const QString& path, const QString& password,
                        const std::function<bool(const monthfile::ByteFields& record)>& visit) {
    QByteArray plain;
    QString error;
    switch (diskfile::readEnciphered(path, plain, &error)) {
        case diskfile::ReadResult::Status::Read:
            break;
        case diskfile::ReadResult::Status::Refused:
            return MonthScan::Refused;
        default:
            return MonthScan::Unreadable;
    }
    const monthfile::Content content = monthfile::scanBytes(plain, visit);
    return monthfile::passwordFits(content, password) ? MonthScan::Read : MonthScan::Refused;
}

StoredMonth MonthWalker::read(const QString& folder, const QString& year, const QString& month,
                              const QString& path) {
    StoredMonth stored{folder, year, month, path, {}, {}};
    const diskfile::ReadResult file = diskfile::readEnciphered(path);
    if (file.status == diskfile::ReadResult::Status::Failed ||
        file.status == diskfile::ReadResult::Status::Refused) {
        stored.error = file.error;
    } else {
        stored.content = monthfile::parse(cp932::decode(file.plain));
    }
    return stored;
}

void MonthWalker::walkFiles(const WalkRange& range,
                            const std::function<void(const QString& path)>& visit) const {
    walk(range, [&](const QString&, const QString&, const QString&, const QString& path) {
        visit(path);
        return true;
    });
}

bool MonthWalker::walk(const WalkRange& range,
                       const std::function<bool(const StoredMonth&)>& visit) const {
    return walk(range, [&](const QString& folder, const QString& year, const QString& month,
                           const QString& path) { return visit(read(folder, year, month, path)); });
}

bool MonthWalker::walk(const WalkRange& range, const PathVisit& visitPath) const {
    const auto visitIfStored = [&](const QString& folder, const QString& year,
                                   const QString& month) {
        const QString path = folder + u'/' + month + u".log"_s;
        return !QFileInfo(path).isFile() || visitPath(folder, year, month, path);
    };
    if (range.isRun) {
        int year = range.fromYear;
        int month = range.fromMonth;
        for (int step = 0; step < range.count; ++step) {
            const QString yyyy = u"%1"_s.arg(year, 4, 10, QChar(u'0'));
            if (!visitIfStored(paths_.yearFolder(yyyy), yyyy, twoDigits(month))) {
                return false;
            }
            if (++month >= 13) {
                month = 1;
                ++year;
            }
        }
        return true;
    }
    for (const QString& folder : yearFolders()) {
        const QString year = folder.right(4);
        for (int month = 1; month <= 12; ++month) {
            if (!visitIfStored(folder, year, twoDigits(month))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace diary
