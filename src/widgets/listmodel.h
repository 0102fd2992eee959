#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <functional>

namespace diary {
class RowChanges;
}

// What a cell shows beside its text.
struct CellMark {
    QColor color;  // invalid: the list's own text colour
    bool bold = false;
};

// The rows a list shows, read from where they are kept: a list holds no copy
// of its own. changes tells of every change of the rows.
struct RowSource {
    const diary::RowChanges* changes = nullptr;
    std::function<int()> rowCount;
    std::function<QString(int row, int column)> text;
    std::function<CellMark(int row, int column)> mark;  // empty: no marks
};

// The model of one list view: column headers with widths in twips and
// alignments over the rows of a RowSource, with their colours and bold
// faces. Every list of the program uses it.
class ListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    struct Column {
        QString header;
        int widthTwips = 1000;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    // A cell shows at most this many characters of its text.
    static constexpr int MaxShownCharacters = 1000;

    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Columns
    void clearColumns();
    void addColumn(const Column& column);
    const QList<Column>& columns() const { return columns_; }
    void setColumnWidthTwips(int column, int twips);

    // Rows; row and column numbers start at 0. No source: no rows.
    void setSource(RowSource source);
    QString text(int row, int column) const;
    QColor cellColor(int row, int column) const;
    bool cellBold(int row, int column) const;
    // Repaints every row after what their marks follow changed.
    void marksChanged();

  Q_SIGNALS:
    void columnsReset();
    void columnWidthChanged(int column);

  private:
    void connectSource();
    void reorder(const QList<int>& newRows);

    QList<Column> columns_;
    RowSource source_;
    QList<QMetaObject::Connection> connections_;
    QModelIndexList beforeReorder_;
};
