#include "storage/summaryfile.h"

#include <cmath>

#include "storage/cp932.h"
#include "storage/fieldreader.h"

using namespace Qt::StringLiterals;

namespace summaryfile {

namespace {

Row zeroRow(int month) {
    Row row(YearColumns, u"0"_s);
    row[Key] = QString::number(month);
    row[WinRate] = u"0.00"_s;
    return row;
}

ReadResult readRows(const QString& path, int columns) {
    ReadResult result;
    const diskfile::ReadResult file = diskfile::readEnciphered(path);
    if (file.status == diskfile::ReadResult::Status::Missing) {
        return result;
    }
    if (file.status == diskfile::ReadResult::Status::Failed) {
        result.status = ReadResult::Status::Failed;
        result.error = file.error;
        return result;
    }
    result.status = ReadResult::Status::Read;
    const QString text = cp932::decode(file.plain);
    FieldReader reader(text);
    while (!reader.atEndOfRecords()) {
        Row row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i) {
            row.append(reader.readField());
        }
        result.rows.append(row);
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
    ReadResult result = readRows(path, YearColumns);
    if (result.status != ReadResult::Status::Read) {
        result.rows = zeroYear();
        return result;
    }
    // The position of a row is its month, whatever the file holds.
    result.rows.resize(std::min<qsizetype>(result.rows.size(), 12));
    for (int month = int(result.rows.size()) + 1; month <= 12; ++month) {
        result.rows.append(zeroRow(month));
    }
    return result;
}

ReadResult readTotal(const QString& path) {
    return readRows(path, TotalColumns);
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
