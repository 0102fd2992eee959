#include "mainwindow/listmodel.h"

#include <QFont>
#include <algorithm>
#include <optional>

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= columns_.size()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return text(index.row(), index.column());
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
    rows_.clear();
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

void ListModel::clearRows() {
    if (rows_.isEmpty()) {
        return;
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ListModel::appendRow(const QStringList& cells) {
    const int at = int(rows_.size());
    beginInsertRows({}, at, at);
    rows_.append({cells, {}, 0});
    endInsertRows();
}

void ListModel::appendRows(QList<QStringList> rows) {
    if (rows.isEmpty()) {
        return;
    }
    const int at = int(rows_.size());
    beginInsertRows({}, at, at + int(rows.size()) - 1);
    rows_.reserve(rows_.size() + rows.size());
    for (QStringList& cells : rows) {
        rows_.append({std::move(cells), {}, 0});
    }
    endInsertRows();
}

void ListModel::removeRowAt(int row) {
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

QString ListModel::text(int row, int column) const {
    return rows_[row].cells.value(column);
}

void ListModel::setText(int row, int column, const QString& text) {
    QStringList& cells = rows_[row].cells;
    while (cells.size() <= column) {
        cells.append(QString());
    }
    cells[column] = text;
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
}

void ListModel::setTextColor(const QColor& color) {
    textColor_ = color;
    if (!rows_.isEmpty()) {
        marksChanged(0, int(rows_.size()) - 1);
    }
}

QColor ListModel::cellColor(int row, int column) const {
    const QList<QRgb>& colors = rows_[row].colors;
    if (column < colors.size() && colors[column] != NoColor) {
        return QColor::fromRgb(colors[column]);
    }
    return textColor_;
}

void ListModel::setCellColor(int row, int column, const QColor& color) {
    QList<QRgb>& colors = rows_[row].colors;
    if (colors.size() <= column) {
        if (!color.isValid()) {
            return;
        }
        colors.resize(std::max<qsizetype>(column + 1, columns_.size()), NoColor);
    }
    colors[column] = color.isValid() ? (color.rgb() | 0xFF000000u) : NoColor;
}

void ListModel::setRowColor(int row, const QColor& color, int firstColumn, int lastColumn) {
    QList<QRgb>& colors = rows_[row].colors;
    const QRgb value = color.isValid() ? (color.rgb() | 0xFF000000u) : NoColor;
    if (colors.size() <= lastColumn) {
        if (value == NoColor &&
            std::all_of(colors.cbegin(), colors.cend(), [](QRgb c) { return c == NoColor; })) {
            return;
        }
        colors.resize(std::max<qsizetype>(lastColumn + 1, columns_.size()), NoColor);
    }
    std::fill(colors.begin() + firstColumn, colors.begin() + lastColumn + 1, value);
}

bool ListModel::cellBold(int row, int column) const {
    return column < 64 && (rows_[row].boldMask >> column & 1u) != 0;
}

void ListModel::setCellBold(int row, int column, bool bold) {
    if (column >= 64) {
        return;
    }
    const quint64 bit = quint64{1} << column;
    rows_[row].boldMask = bold ? rows_[row].boldMask | bit : rows_[row].boldMask & ~bit;
}

void ListModel::marksChanged(int firstRow, int lastRow) {
    if (firstRow > lastRow || columns_.isEmpty()) {
        return;
    }
    Q_EMIT dataChanged(index(firstRow, 0), index(lastRow, int(columns_.size()) - 1),
                       {Qt::ForegroundRole, Qt::FontRole});
}

void ListModel::sortRowsBy(int column, Qt::SortOrder order, const Comparison& compare) {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> positions(rows_.size());
    for (int i = 0; i < positions.size(); ++i) {
        positions[i] = i;
    }
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const int c = compare(text(a, column), text(b, column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QList<Row> sorted;
    sorted.reserve(rows_.size());
    QList<int> newPosition(rows_.size());
    for (int i = 0; i < positions.size(); ++i) {
        sorted.append(std::move(rows_[positions[i]]));
        newPosition[positions[i]] = i;
    }
    rows_ = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        after.append(index(newPosition[old.row()], old.column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

namespace {

std::optional<qint32> wholeNumber(const QString& text) {
    bool ok = false;
    const qint32 value = text.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

}  // namespace

int ListModel::compareText(const QString& a, const QString& b) {
    return a.compare(b);
}

int ListModel::compareWholeNumbersFirst(const QString& a, const QString& b) {
    const std::optional<qint32> x = wholeNumber(a);
    const std::optional<qint32> y = wholeNumber(b);
    if (x && y) {
        return *x < *y ? -1 : (*x > *y ? 1 : 0);
    }
    if (x || y) {
        return x ? -1 : 1;
    }
    return a.compare(b);
}

void ListModel::plainWholeNumbers(int column) {
    for (int row = 0; row < rowCount(); ++row) {
        if (const std::optional<qint32> value = wholeNumber(text(row, column))) {
            const QString plain = QString::number(*value);
            if (plain != text(row, column)) {
                setText(row, column, plain);
            }
        }
    }
}
