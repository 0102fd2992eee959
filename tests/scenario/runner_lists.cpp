// The checks of expect steps on a list: its rows, cells, headers and widths.
#include <QAbstractItemView>

#include "findings.h"
#include "runner.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

// One pixel at 96 dpi: a column is a whole number of pixels wide.
constexpr int WidthToleranceTwips = 15;

// Why a check that wants row and column (from 1; 0 for any) cannot look yet.
std::optional<Mismatch> outside(QAbstractItemView* view, const QString& wanted, int row,
                                int column) {
    const int rows = view->model()->rowCount();
    const int columns = view->model()->columnCount();
    if (row > rows) {
        return Mismatch{wanted, u"the list has %1 rows"_s.arg(rows), listContext(view)};
    }
    if (column > columns) {
        return Mismatch{wanted, u"the list has %1 columns"_s.arg(columns), listContext(view)};
    }
    return std::nullopt;
}

}  // namespace

Runner::Outcome Runner::expectInList(const Step& step, QAbstractItemView* view) {
    using Handler = Outcome (Runner::*)(const Step&, QAbstractItemView*);
    static constexpr struct {
        Property property;
        Handler handler;
    } handlers[] = {
        {Property::Rows, &Runner::expectRows},   {Property::Row, &Runner::expectRow},
        {Property::Cell, &Runner::expectCell},   {Property::Header, &Runner::expectHeader},
        {Property::Width, &Runner::expectWidth},
    };
    for (const auto& entry : handlers) {
        if (entry.property == step.property) {
            return (this->*entry.handler)(step, view);
        }
    }
    return failed({u"a check"_s, u"a check the runner cannot make"_s, {}});
}

Runner::Outcome Runner::expectRows(const Step& step, QAbstractItemView* view) {
    const int rows = view->model()->rowCount();
    if (rows == step.numbers.first()) {
        return passed();
    }
    return retry(
        {u"%1 rows"_s.arg(step.numbers.first()), u"%1 rows"_s.arg(rows), listContext(view)});
}

Runner::Outcome Runner::expectRow(const Step& step, QAbstractItemView* view) {
    QStringList wanted;
    for (const QString& cell : step.cells) {
        wanted.append(expand(cell));
    }
    const int row = step.numbers.first();
    if (const std::optional<Mismatch> missing = outside(view, quotedRow(wanted), row, 0)) {
        return retry(*missing);
    }
    const QStringList cells = rowCells(view, row - 1);
    if (cells == wanted) {
        return passed();
    }
    Failure failure{quotedRow(wanted), quotedRow(cells), listContext(view)};
    if (cells.size() != wanted.size()) {
        failure.found += u" (%1 cells, not %2)"_s.arg(cells.size()).arg(wanted.size());
    }
    return retry(failure);
}

Runner::Outcome Runner::expectCell(const Step& step, QAbstractItemView* view) {
    const int row = step.numbers[0];
    const int column = step.numbers[1];
    const QString text = expand(step.text);
    QString wanted = quoted(text);
    if (step.color) {
        wanted += u" color "_s + colorText(*step.color);
    }
    if (step.bold) {
        wanted += yesNo(*step.bold, u" bold"_s, u" plain"_s);
    }
    if (const std::optional<Mismatch> missing = outside(view, wanted, row, column)) {
        return retry(*missing);
    }
    const QModelIndex index = view->model()->index(row - 1, column - 1);
    const QString cellText = index.data(Qt::DisplayRole).toString();
    const QColor color = cellColor(view, row - 1, column - 1);
    const bool bold = cellBold(view, row - 1, column - 1);
    QString found = quoted(cellText);
    bool same = cellText == text;
    if (step.color) {
        found += u" color "_s + colorText(color);
        same = same && color.rgb() == step.color->rgb();
    }
    if (step.bold) {
        found += yesNo(bold, u" bold"_s, u" plain"_s);
        same = same && bold == *step.bold;
    }
    if (same) {
        return passed();
    }
    return retry({wanted, found, listContext(view)});
}

Runner::Outcome Runner::expectHeader(const Step& step, QAbstractItemView* view) {
    const int column = step.numbers.first();
    const QString wanted = expand(step.text);
    if (const std::optional<Mismatch> missing = outside(view, quoted(wanted), 0, column)) {
        return retry(*missing);
    }
    const QString header = headerText(view, column - 1);
    if (header == wanted) {
        return passed();
    }
    return retry({quoted(wanted), quoted(header), listContext(view)});
}

Runner::Outcome Runner::expectWidth(const Step& step, QAbstractItemView* view) {
    const int column = step.numbers[0];
    const int wanted = step.numbers[1];
    if (const std::optional<Mismatch> missing =
            outside(view, u"%1 twips"_s.arg(wanted), 0, column)) {
        return retry(*missing);
    }
    const std::optional<int> width = columnWidthTwips(view, column - 1);
    if (!width) {
        return failed(wrongKind(view, u"a list with columns"_s));
    }
    if (std::abs(*width - wanted) <= WidthToleranceTwips) {
        return passed();
    }
    QStringList widths;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        widths.append(QString::number(columnWidthTwips(view, c).value_or(0)));
    }
    return retry({u"%1 twips"_s.arg(wanted),
                  u"%1 twips"_s.arg(*width),
                  {u"column widths: "_s + widths.join(u", "_s)}});
}

}  // namespace scenario
