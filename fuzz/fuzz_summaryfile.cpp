// The year and total readers on any bytes: the rows they read save again and
// read back equal.
#include <QFile>

#include "fuzzsupport.h"
#include "storage/summaryfile.h"

namespace {

void roundTrip(const QString& path, const QByteArray& bytes,
               summaryfile::ReadResult (*readRows)(const QString&)) {
    fuzzing::writeEnciphered(path, bytes);
    const summaryfile::ReadResult read = readRows(path);
    fuzzing::require(read.status != summaryfile::ReadResult::Status::Failed, "the file reads");
    fuzzing::require(
        read.status != summaryfile::ReadResult::Status::Damaged || !read.damagedLines.isEmpty(),
        "damage names its lines");
    if (read.rows.isEmpty()) {
        return;
    }
    fuzzing::require(summaryfile::write(path, read.rows).ok(), "what loads saves");
    const summaryfile::ReadResult back = readRows(path);
    fuzzing::require(back.status == summaryfile::ReadResult::Status::Read, "saved rows are whole");
    fuzzing::require(back.rows == read.rows, "rows read back equal");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DataPaths& paths = fuzzing::paths();
    roundTrip(paths.yearFile(QStringLiteral("2010")), bytes, &summaryfile::readYear);
    roundTrip(paths.totalFile(), bytes, &summaryfile::readTotal);
    QFile::remove(paths.yearFile(QStringLiteral("2010")));
    QFile::remove(paths.totalFile());
    return 0;
}
