#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "storage/datafolder.h"
#include "storage/monthfile.h"

namespace diary {

// One stored month that a walk met, read into memory.
struct StoredMonth {
    QString folder;  // the folder of the month file
    QString year;    // the last four characters of the folder's name
    QString month;   // "01" to "12"
    QString path;
    monthfile::Content content;  // what the file holds, password line included
    QString error;               // why the file could not be read; content is then empty
};

// Which months a walk visits: every month of every folder below the data
// folder, or a run of consecutive months.
struct WalkRange {
    static WalkRange everyMonth() { return {}; }
    static WalkRange months(int fromYear, int fromMonth, int count) {
        return {true, fromYear, fromMonth, count};
    }

    bool isRun = false;
    int fromYear = 0;
    int fromMonth = 0;
    int count = 0;
};

// Walks over the stored months in order, reading each month file that exists.
// How reading one month file as bytes went.
enum class MonthScan { Read, Unreadable, Refused };

// Reads a month file and hands every record, as bytes, to visit until it
// returns false. A file of another password, or a seal that does not open,
// is Refused: what visit saw of it must then be forgotten. A file that
// cannot be read is Unreadable and has nothing to show.
MonthScan scanMonthFile(const QString& path, const QString& password,
                        const std::function<bool(const monthfile::ByteFields& record)>& visit);

class MonthWalker {
  public:
    explicit MonthWalker(DataPaths paths) : paths_(std::move(paths)) {}

    // The folders that a walk over every month visits: every folder below the
    // data folder at every depth, each before its own subfolders and in name
    // order, except the summary folder, the settings folder and the folder
    // of the conflict copies set aside.
    QStringList yearFolders() const;
    // The walk's steps: folders, or months of a run.
    int steps(const WalkRange& range) const;

    // Calls visit for every month file of the range that exists, in order,
    // until visit returns false. Returns false when it was stopped.
    bool walk(const WalkRange& range, const std::function<bool(const StoredMonth&)>& visit) const;

    // Calls visit with the path of every month file of the range that
    // exists, in order; nothing is read.
    void walkFiles(const WalkRange& range,
                   const std::function<void(const QString& path)>& visit) const;

    // Reads one month file; nothing is shown to the user.
    static StoredMonth read(const QString& folder, const QString& year, const QString& month,
                            const QString& path);

  private:
    using PathVisit = std::function<bool(const QString& folder, const QString& year,
                                         const QString& month, const QString& path)>;
    bool walk(const WalkRange& range, const PathVisit& visitPath) const;

    DataPaths paths_;
};

}  // namespace diary
