#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QRgb>
#include <QStringList>
#include <functional>

// The rows of one list view: text cells with an optional colour and bold face
// each, column headers with widths in twips and alignments, and a stable sort
// by the text of one column. Every list of the main window uses it.
class ListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    struct Column {
        QString header;
        int widthTwips = 1000;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Columns
    void clearColumns();  // also removes the rows
    void addColumn(const Column& column);
    const QList<Column>& columns() const { return columns_; }
    void setColumnWidthTwips(int column, int twips);

    // Rows; row and column numbers start at 0. A row may hold fewer cells
    // than there are columns: the missing ones read as "".
    void clearRows();
    void appendRow(const QStringList& cells);
    void appendRows(QList<QStringList> rows);
    void removeRowAt(int row);
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    const QStringList& rowCells(int row) const { return rows_[row].cells; }

    // Marks. An invalid colour means the list's own text colour.
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color);
    QColor cellColor(int row, int column) const;
    void setCellColor(int row, int column, const QColor& color);
    // Colours the cells of one row from firstColumn to lastColumn.
    void setRowColor(int row, const QColor& color, int firstColumn, int lastColumn);
    bool cellBold(int row, int column) const;
    void setCellBold(int row, int column, bool bold);
    // Repaints a range of rows after marks changed.
    void marksChanged(int firstRow, int lastRow);

    // Orders the rows by one column, keeping the order of rows that compare
    // equal. compare returns <0, 0 or >0 as strcmp does.
    using Comparison = std::function<int(const QString&, const QString&)>;
    void sortRowsBy(int column, Qt::SortOrder order, const Comparison& compare);

    // Text order by character code.
    static int compareText(const QString& a, const QString& b);
    // Whole numbers of the 32-bit range by value; any other text after them,
    // in text order. Numbered IDs and prize values sort this way.
    static int compareWholeNumbersFirst(const QString& a, const QString& b);
    // Rewrites the whole numbers of a column without leading zeros; other
    // texts stay as they are.
    void plainWholeNumbers(int column);

  Q_SIGNALS:
    void columnsReset();
    void columnWidthChanged(int column);

  private:
    struct Row {
        QStringList cells;
        QList<QRgb> colors;  // empty, or one per cell; NoColor for the default
        quint64 boldMask = 0;
    };
    static constexpr QRgb NoColor = 0;  // every real colour is opaque

    QList<Column> columns_;
    QList<Row> rows_;
    QColor textColor_ = Qt::black;
};
