#pragma once

// What the desk's tests share: a fresh program folder with a desk that has
// read nothing, and what the desk stored, read back from the files.
#include <QMap>
#include <memory>

#include "diary/desk.h"
#include "storage/monthfile.h"
#include "storage/settingsfile.h"
#include "storage/summaryfile.h"
#include "testsupport.h"

namespace desktest {

using namespace Qt::StringLiterals;
using summaryfile::Row;

inline QMap<QString, QByteArray> snapshot(const DataPaths& paths) {
    return dataSnapshot(paths);
}

inline QList<PrizeEntry> stored(const DataPaths& paths, const QString& yearMonth) {
    return monthfile::read(paths.monthFile(yearMonth.left(4), yearMonth.mid(5, 2)), QString())
        .records;
}

inline QStringList idsOf(const QList<PrizeEntry>& records) {
    QStringList ids;
    for (const PrizeEntry& record : records) {
        ids.append(record[ID]);
    }
    return ids;
}

inline QList<Row> yearRows(const DataPaths& paths, const QString& year) {
    return summaryfile::readYear(paths.yearFile(year)).rows;
}

inline QString setting(const DataPaths& paths, const QString& key) {
    return settingsfile::ReadSettingValue(u"Setting", key, paths.settingsFile());
}

inline PrizeEntry withDates(PrizeEntry record, const QString& filing, const QString& other) {
    record[FilingDate] = filing;
    record[OtherDate] = other;
    return record;
}

inline const auto noProgress = [](int, int) {};

// Each case makes a fresh folder and desk in init() and drops them in
// cleanup().
class DeskTest : public QObject {
  protected:
    void makeDesk() {
        folder_ = std::make_unique<TestFolder>();
        paths_ = folder_->paths();
        desk_ = std::make_unique<diary::Desk>(paths_);
    }
    void dropDesk() {
        desk_.reset();
        folder_.reset();
    }
    // The month of the date shown and read, as the navigation does it.
    bool show(QDate date) {
        desk_->setShownDate(date);
        return desk_->loadMonth().done;
    }
    // The settings read (a first start writes them) and a month shown.
    bool start(QDate date = QDate(2010, 1, 15)) { return desk_->loadSettings().done && show(date); }
    bool add(const PrizeEntry& record) { return desk_->addRecord(record).done; }

    std::unique_ptr<TestFolder> folder_;
    std::unique_ptr<diary::Desk> desk_;
    DataPaths paths_{QString()};
};

}  // namespace desktest
