#include "widgets/listmodel.h"

#include <QFont>

#include "diary/rowchanges.h"

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !source_.rowCount ? 0 : source_.rowCount();
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columns_.size()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole: {
            // A cell shows the start of a long text; laying out megabytes
            // would stall the list. The text itself stays as it is.
            QString shown = text(index.row(), index.column());
            if (shown.size() > MaxShownCharacters) {
                shown.truncate(MaxShownCharacters);
            }
            return shown;
        }
        case Qt::ForegroundRole:
            return cellColor(index.row(), index.column());
        case Qt::FontRole:
            if (cellBold(index.row(), index.column())) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(columns_[index.column()].alignment | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columns_[section].header;
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(columns_[section].alignment | Qt::AlignVCenter);
    }
    return {};
}

void ListModel::clearColumns() {
    beginResetModel();
    columns_.clear();
    endResetModel();
    Q_EMIT columnsReset();
}

void ListModel::addColumn(const Column& column) {
    const int at = int(columns_.size());
    beginInsertColumns({}, at, at);
    columns_.append(column);
    endInsertColumns();
    Q_EMIT columnWidthChanged(at);
}

void ListModel::setColumnWidthTwips(int column, int twips) {
    columns_[column].widthTwips = twips;
    Q_EMIT columnWidthChanged(column);
}

void ListModel::setSource(RowSource source) {
    beginResetModel();
    for (const QMetaObject::Connection& connection : connections_) {
        disconnect(connection);
    }
    connections_.clear();
    source_ = std::move(source);
    connectSource();
    endResetModel();
}

void ListModel::connectSource() {
    const diary::RowChanges* changes = source_.changes;
    if (changes == nullptr) {
        return;
    }
    using diary::RowChanges;
    connections_ = {
        connect(changes, &RowChanges::aboutToReset, this, [this] { beginResetModel(); }),
        connect(changes, &RowChanges::reset, this, [this] { endResetModel(); }),
        connect(changes, &RowChanges::aboutToInsert, this,
                [this](int first, int last) { beginInsertRows({}, first, last); }),
        connect(changes, &RowChanges::inserted, this, [this] { endInsertRows(); }),
        connect(changes, &RowChanges::aboutToRemove, this,
                [this](int first, int last) { beginRemoveRows({}, first, last); }),
        connect(changes, &RowChanges::removed, this, [this] { endRemoveRows(); }),
        connect(changes, &RowChanges::changed, this,
                [this](int first, int last) {
                    if (!columns_.isEmpty()) {
                        Q_EMIT dataChanged(index(first, 0), index(last, int(columns_.size()) - 1));
                    }
                }),
        connect(changes, &RowChanges::aboutToReorder, this,
                [this] {
                    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
                    beforeReorder_ = persistentIndexList();
                }),
        connect(changes, &RowChanges::reordered, this, &ListModel::reorder),
        connect(changes, &QObject::destroyed, this, [this] { setSource({}); }),
    };
}

void ListModel::reorder(const QList<int>& newRows) {
    // The selection and the current row follow their rows to the new places.
    QModelIndexList after;
    after.reserve(beforeReorder_.size());
    for (const QModelIndex& old : beforeReorder_) {
        after.append(old.row() < newRows.size() ? index(newRows[old.row()], old.column())
                                                : QModelIndex());
    }
    changePersistentIndexList(beforeReorder_, after);
    beforeReorder_.clear();
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString ListModel::text(int row, int column) const {
    return source_.text ? source_.text(row, column) : QString();
}

QColor ListModel::cellColor(int row, int column) const {
    const QColor color = source_.mark ? source_.mark(row, column).color : QColor();
    return color.isValid() ? color : QColor(Qt::black);
}

bool ListModel::cellBold(int row, int column) const {
    return source_.mark && source_.mark(row, column).bold;
}

void ListModel::marksChanged() {
    const int rows = rowCount();
    if (rows == 0 || columns_.isEmpty()) {
        return;
    }
    Q_EMIT dataChanged(index(0, 0), index(rows - 1, int(columns_.size()) - 1),
                       {Qt::ForegroundRole, Qt::FontRole});
}
