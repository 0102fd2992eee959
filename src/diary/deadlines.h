#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

#include "storage/datafolder.h"
#include "storage/prizeentry.h"

// The records whose deadline comes within a number of days, for the
// deadlines tab and the reminder at start-up.
namespace deadlines {

// Which deadlines are wanted: those from today to today + days, both
// included (fewer than 0 days count as 0); with allResults whatever the
// result, else only "未応募".
struct Window {
    QDate today;
    int days = 0;
    bool allResults = false;
    bool filedByDeadline = false;
};

// The result of a record not yet sent.
inline constexpr QStringView NotApplied = u"未応募";

// The field that holds a record's deadline under the filing key.
inline PrizeField deadlineField(bool filedByDeadline) {
    return filedByDeadline ? FilingDate : OtherDate;
}

// The months, as ("yyyy", "MM"), whose files can hold a record of the window.
// Filed by application date, a record is filed up to a year before its
// deadline.
QList<std::pair<QString, QString>> monthsToRead(const Window& window);

bool selected(const PrizeEntry& record, const Window& window);

// By deadline, then filing date, then ID as the month list sorts IDs (whole
// numbers by value, any other text after them); records equal in all three
// keep their order.
void sortRecords(QList<PrizeEntry>& records, bool filedByDeadline);

struct Found {
    QList<PrizeEntry> records;
    // Month files of another password or a seal that does not open.
    QStringList refusedFiles;
    // The month file ("yyyy/MM") each record lives in, parallel to records,
    // so that the window can open the record in its own month.
    QList<QString> monthOf;
};

// Reads the months of the window and returns its records in order. Missing
// months are passed over, damaged lines left out.
Found find(const DataPaths& paths, const Window& window, const QString& password);

// How many records not yet sent have their deadline within the week from
// today (today and the six days after).
int reminderCount(const DataPaths& paths, QDate today, bool filedByDeadline,
                  const QString& password);

}  // namespace deadlines
