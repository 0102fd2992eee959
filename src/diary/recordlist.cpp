#include "diary/recordlist.h"

#include <algorithm>

#include "diary/records.h"

namespace diary {

int RecordList::find(const PrizeEntry& record) const {
    const auto found = std::find(records_.cbegin(), records_.cend(), record);
    return found == records_.cend() ? -1 : int(found - records_.cbegin());
}

void RecordList::assign(QList<PrizeEntry> records) {
    Q_EMIT aboutToReset();
    records_ = std::move(records);
    Q_EMIT reset();
}

void RecordList::append(const PrizeEntry& record) {
    const int at = count();
    Q_EMIT aboutToInsert(at, at);
    records_.append(record);
    Q_EMIT inserted();
}

void RecordList::replace(int row, const PrizeEntry& record) {
    records_[row] = record;
    Q_EMIT changed(row, row);
}

void RecordList::removeAt(int row) {
    Q_EMIT aboutToRemove(row, row);
    records_.removeAt(row);
    Q_EMIT removed();
}

void RecordList::removeRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        if (*it >= 0 && *it < count()) {
            removeAt(*it);
        }
    }
}

void RecordList::sortBy(int column, Qt::SortOrder order, Comparison compare) {
    QList<int> positions(records_.size());
    for (int i = 0; i < positions.size(); ++i) {
        positions[i] = i;
    }
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const int c = compare(records_[a][column], records_[b][column]);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    Q_EMIT aboutToReorder();
    QList<PrizeEntry> sorted;
    sorted.reserve(records_.size());
    QList<int> newRows(records_.size());
    for (int i = 0; i < positions.size(); ++i) {
        sorted.append(std::move(records_[positions[i]]));
        newRows[positions[i]] = i;
    }
    records_ = std::move(sorted);
    Q_EMIT reordered(newRows);
}

void RecordList::plainWholeNumbers(int column) {
    int first = -1;
    int last = -1;
    for (int row = 0; row < count(); ++row) {
        QString& text = records_[row][column];
        if (const std::optional<qint32> value = records::wholeNumber(text)) {
            QString plain = QString::number(*value);
            if (plain != text) {
                text = std::move(plain);
                first = first < 0 ? row : first;
                last = row;
            }
        }
    }
    if (first >= 0) {
        Q_EMIT changed(first, last);
    }
}

void RecordList::sortByFilingKey() {
    sortBy(ID, Qt::AscendingOrder, records::compareWholeNumbersFirst);
    // Stable: within a date the ID order stays.
    sortBy(FilingDate, Qt::AscendingOrder, records::compareText);
    plainWholeNumbers(ID);
}

}  // namespace diary
