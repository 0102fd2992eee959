#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A list of the main window written as CSV, as an HTML table, or as printed
// lines. Plain functions over the rows as the lists hold them.
namespace exporting {

enum class ListKind { Records, Year, Total, Analysis };

// The statistics figures as the main window shows them.
struct Figures {
    QString wins, entries, rate, money, expenses, balance;
};

struct Table {
    ListKind kind = ListKind::Records;
    bool filedByDeadline = false;
    // Records: the 17 columns; year rows: 10; total rows: 11; analysis rows: 8.
    QList<QStringList> rows;
    std::optional<Figures> figures;  // appended when the setting asks for them
};

// A name ending in ".csv" (lower case) is CSV; any other is HTML.
bool isCsvPath(const QString& path);

// The file's text, lines ended by CR LF.
QString csv(const Table& table);
// An HTML table, no document around it; values are escaped.
QString html(const Table& table);
// The printed lines: the heading, one line per row, the figures.
QStringList printLines(const Table& table);

}  // namespace exporting
