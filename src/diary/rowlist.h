#pragma once

#include <QStringList>

#include "diary/rowchanges.h"

namespace diary {

// Rows of text, as the summary files hold them; the lists show them.
class RowList : public RowChanges {
    Q_OBJECT

  public:
    using RowChanges::RowChanges;

    const QList<QStringList>& rows() const { return rows_; }
    int count() const { return int(rows_.size()); }
    // A missing cell reads as "".
    QString text(int row, int column) const { return rows_[row].value(column); }

    void assign(QList<QStringList> rows) {
        Q_EMIT aboutToReset();
        rows_ = std::move(rows);
        Q_EMIT reset();
    }
    void clear() { assign({}); }

  private:
    QList<QStringList> rows_;
};

}  // namespace diary
