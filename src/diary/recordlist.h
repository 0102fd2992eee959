#pragma once

#include <QList>

#include "diary/rowchanges.h"
#include "storage/prizeentry.h"

namespace diary {

// Records in the order a list shows them: a month's, or the results of a
// search. Rows count from 0.
class RecordList : public RowChanges {
    Q_OBJECT

  public:
    using RowChanges::RowChanges;

    const QList<PrizeEntry>& records() const { return records_; }
    int count() const { return int(records_.size()); }
    const PrizeEntry& at(int row) const { return records_[row]; }
    // The first row that holds exactly this record; -1 when none does.
    int find(const PrizeEntry& record) const;

    void assign(QList<PrizeEntry> records);
    void clear() { assign({}); }
    void append(const PrizeEntry& record);
    void replace(int row, const PrizeEntry& record);
    void removeAt(int row);
    // Removes the given rows; rows outside the list are passed over.
    void removeRows(QList<int> rows);

    // Orders the rows by one column, keeping the order of rows that compare
    // equal. compare returns <0, 0 or >0 as strcmp does.
    using Comparison = int (*)(const QString&, const QString&);
    void sortBy(int column, Qt::SortOrder order, Comparison compare);
    // Rewrites the whole numbers of a column without leading zeros; other
    // texts stay as they are.
    void plainWholeNumbers(int column);
    // By date (column 0) and, within a date, by ID number; IDs lose their
    // leading zeros. An ID that is no whole number in the 32-bit range
    // follows the numbered ones of its date, by its text, and keeps its text.
    void sortByFilingKey();

  private:
    QList<PrizeEntry> records_;
};

}  // namespace diary
