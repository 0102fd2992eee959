#include "widgets/marks.h"

#include "diary/recordlist.h"
#include "diary/rowlist.h"
#include "diary/statistics.h"
#include "storage/currency.h"
#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;

namespace marks {

namespace {

CellMark recordCell(const PrizeEntry& record, int column, const QString& markDate) {
    CellMark mark;
    mark.bold = column == Present;
    if (column >= PicturePath) {
        return mark;  // the picture column keeps the list's colour
    }
    const statistics::RowMark row = statistics::markOf(record, markDate);
    switch (row.prizeClass) {
        case statistics::PrizeClass::Small:
            mark.color = SmallWinColor;
            break;
        case statistics::PrizeClass::Middle:
            mark.color = MiddleWinColor;
            break;
        case statistics::PrizeClass::Big:
            mark.color = BigWinColor;
            break;
        case statistics::PrizeClass::None:
            if (row.winDay) {
                mark.color = WinDayColor;
            }
            break;
    }
    return mark;
}

CellMark summaryCell(const diary::RowList& rows, int row, int column) {
    using namespace summaryfile;
    const QString text = rows.text(row, column);
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    const auto marked = [](bool on, const QColor& color = QColor()) {
        return on ? CellMark{color, true} : CellMark{};
    };
    switch (column) {
        case SmallWins:
            return marked(isPositiveText(text), SmallWinColor);
        case MiddleWins:
            return marked(isPositiveText(text), MiddleWinColor);
        case BigWins:
            return marked(isPositiveText(text), BigWinColor);
        case WinCount:
        case EntryCount:
            return marked(isPositiveText(text));
        case WinRate:
            return marked(text.compare(u"0.00"_s) > 0);
        case WinMoney:
            return marked(isPositiveText(text), blue);
        case Expenses:
            return marked(isPositiveText(text), red);
        case Balance: {
            const Currency balance = Currency::parse(text).value_or(Currency());
            return marked(!balance.isZero(), balance < Currency() ? red : blue);
        }
        case TargetLeft:
            return marked(text != u"0"_s);
        default:
            return {};
    }
}

}  // namespace

RowSource recordRows(const diary::RecordList& records, const QString* markDate) {
    return {&records, [&records] { return records.count(); },
            [&records](int row, int column) { return records.at(row)[column]; },
            [&records, markDate](int row, int column) {
                return recordCell(records.at(row), column, *markDate);
            }};
}

RowSource summaryRows(const diary::RowList& rows) {
    return {&rows, [&rows] { return rows.count(); },
            [&rows](int row, int column) { return rows.text(row, column); },
            [&rows](int row, int column) { return summaryCell(rows, row, column); }};
}

RowSource plainRows(const diary::RowList& rows) {
    return {&rows,
            [&rows] { return rows.count(); },
            [&rows](int row, int column) { return rows.text(row, column); },
            {}};
}

}  // namespace marks
