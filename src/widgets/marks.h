#pragma once

#include <QColor>
#include <QString>

#include "widgets/listmodel.h"

namespace diary {
class RecordList;
class RowList;
}  // namespace diary

// The colours of wins and the marks they give the cells of the lists.
namespace marks {

inline const QColor SmallWinColor(168, 0, 0);
inline const QColor MiddleWinColor(0, 168, 0);
inline const QColor BigWinColor(0, 0, 168);
inline const QColor WinDayColor(191, 159, 63);

// A list of records, month or search results: a win of a prize class in its
// colour, else a record won on markDate in the win-date colour; the prize in
// bold. markDate is read whenever a cell is painted.
RowSource recordRows(const diary::RecordList& records, const QString* markDate);

// Rows of the year or total list: positive figures in bold, the prize
// classes, money won and expenses in their colours, balances blue or red.
RowSource summaryRows(const diary::RowList& rows);

// Rows without marks.
RowSource plainRows(const diary::RowList& rows);

}  // namespace marks
