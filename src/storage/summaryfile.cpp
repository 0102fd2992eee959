#include "storage/summaryfile.h"

#include <QDir>
#include <cmath>
#include <optional>

#include "storage/cp932.h"
#include "storage/currency.h"
#include "storage/linereader.h"

using namespace Qt::StringLiterals;

namespace summaryfile {

namespace {

Row zeroRow(int month) {
    Row row(YearColumns, u"0"_s);
    row[Key] = QString::number(month);
    row[WinRate] = u"0.00"_s;
    return row;
}

// A row of `columns` numbers, or nothing.
std::optional<Row> readRow(QStringView line, int columns) {
    const QList<QStringView> fields = line.split(u',');
    if (fields.size() != columns) {
        return std::nullopt;
    }
    Row row;
    row.reserve(columns);
    for (QStringView field : fields) {
        if (!Currency::parse(field)) {
            return std::nullopt;
        }
        row.append(field.toString());
    }
    return row;
}

// Reads the rows; a damaged line gives the row `damaged` when one is given
// (the year file keeps its months in place) and is left out otherwise.
ReadResult readRows(const QString& path, int columns, const std::optional<Row>& damaged) {
    ReadResult result;
    const diskfile::ReadResult file = diskfile::readEnciphered(path);
    if (file.status == diskfile::ReadResult::Status::Missing) {
        return result;
    }
    if (file.status != diskfile::ReadResult::Status::Read) {
        result.status = ReadResult::Status::Failed;
        result.error = file.error;
        return result;
    }
    const QString text = cp932::decode(file.plain);
    LineReader lines(text);
    QStringView line;
    while (lines.next(&line)) {
        if (isBlankLine(line)) {
            continue;
        }
        if (std::optional<Row> row = readRow(line, columns)) {
            result.rows.append(std::move(*row));
            continue;
        }
        result.damagedLines.append(lines.number());
        if (damaged) {
            result.rows.append(*damaged);
        }
    }
    result.status =
        result.damagedLines.isEmpty() ? ReadResult::Status::Read : ReadResult::Status::Damaged;
    if (!result.damagedLines.isEmpty()) {
        result.error =
            u"データファイル「"_s + QDir::toNativeSeparators(path) + u"」の"_s +
            lineNumbers(result.damagedLines) +
            u"行目を読み取れません。\r\nこのファイルは読み取れた行だけを表示し、保存しません。"_s;
    }
    return result;
}

}  // namespace

QList<Row> zeroYear() {
    QList<Row> rows;
    for (int month = 1; month <= 12; ++month) {
        rows.append(zeroRow(month));
    }
    return rows;
}

ReadResult readYear(const QString& path) {
    ReadResult result = readRows(path, YearColumns, Row());
    if (result.status != ReadResult::Status::Read && result.status != ReadResult::Status::Damaged) {
        result.rows = zeroYear();
        return result;
    }
    // The position of a row is its month, whatever the file holds.
    result.rows.resize(std::min<qsizetype>(result.rows.size(), 12));
    for (int month = 1; month <= 12; ++month) {
        if (month > result.rows.size()) {
            result.rows.append(zeroRow(month));
        } else if (result.rows[month - 1].isEmpty()) {
            result.rows[month - 1] = zeroRow(month);
        }
    }
    return result;
}

ReadResult readTotal(const QString& path) {
    return readRows(path, TotalColumns, std::nullopt);
}

diskfile::WriteResult write(const QString& path, const QList<Row>& rows) {
    if (rows.isEmpty()) {
        return diskfile::removeFile(path);  // no rows, no file, as for a month
    }
    QString text;
    for (const Row& row : rows) {
        text += row.join(u',') + u"\r\n"_s;
    }
    cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok()) {
        return {encoded.error};
    }
    return diskfile::replaceEnciphered(path, std::move(encoded.bytes));
}

qint64 countOf(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 9.0e15) {
        return 0;
    }
    return std::llround(value);
}

bool isPositiveText(const QString& text) {
    return text.compare(u"0"_s) > 0;
}

}  // namespace summaryfile
