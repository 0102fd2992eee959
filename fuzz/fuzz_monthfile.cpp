// The month reader on any bytes, plain and through the enciphered file:
// whatever loads saves again, and what is saved reads back equal; a new
// password line keeps everything else.
#include <QFile>

#include "fuzzsupport.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // The plain parse: the records read format and encode again, and the
    // text they make parses to the same records and password, undamaged.
    const monthfile::Content content = monthfile::parse(cp932::decode(bytes));
    const QString password = content.hasPasswordLine ? content.password : QString();
    const cp932::Encoded encoded = cp932::encode(monthfile::format(content.records, password));
    fuzzing::require(encoded.ok(), "what loads encodes again");
    const monthfile::Content again = monthfile::parse(cp932::decode(encoded.bytes));
    fuzzing::require(again.records == content.records, "records read back equal");
    fuzzing::require(again.damagedLines.isEmpty(), "what is written is no damage");
    fuzzing::require(again.password == password, "the password line reads back");

    // The reader over the bytes, as the search uses it, finds the same
    // records, password and damage as the reader over the text.
    QList<PrizeEntry> byBytes;
    const monthfile::Content bytesContent =
        monthfile::scanBytes(bytes, [&](const monthfile::ByteFields& fields) {
            PrizeEntry& record = byBytes.emplace_back();
            for (int i = 0; i < PrizeEntryFieldCount; ++i) {
                record[i] = cp932::decode(fields[i]);
            }
            return true;
        });
    fuzzing::require(byBytes == content.records, "bytes and text give the same records");
    fuzzing::require(bytesContent.damagedLines == content.damagedLines, "and the same damage");
    fuzzing::require(bytesContent.hasPasswordLine == content.hasPasswordLine &&
                         bytesContent.password == content.password,
                     "and the same password line");

    // A new password line changes nothing else: the same records and as
    // many damaged lines, and the file opens with the new password.
    const monthfile::Content rekeyed =
        monthfile::parse(cp932::decode(monthfile::withPasswordLine(bytes, QStringLiteral("pw"))));
    fuzzing::require(rekeyed.records == content.records, "re-keying keeps the records");
    fuzzing::require(rekeyed.damagedLines.size() == content.damagedLines.size(),
                     "and the damaged lines");
    fuzzing::require(monthfile::passwordFits(rekeyed, QStringLiteral("pw")),
                     "and the file opens with its new password");

    // The enciphered path: the file as the program reads and writes it.
    const QString path = fuzzing::paths().monthFile(QStringLiteral("2010"), QStringLiteral("01"));
    fuzzing::writeEnciphered(path, bytes);
    const monthfile::ReadResult read = monthfile::read(path, password);
    fuzzing::require(read.status != monthfile::ReadResult::Status::Failed, "the file reads");
    if (read.status == monthfile::ReadResult::Status::Loaded ||
        read.status == monthfile::ReadResult::Status::Damaged) {
        fuzzing::require(monthfile::write(path, read.records, password).ok(), "what loads saves");
        const monthfile::ReadResult back = monthfile::read(path, password);
        fuzzing::require(back.records == read.records, "saved records read back equal");
        fuzzing::require(
            back.status != monthfile::ReadResult::Status::Damaged || read.records.isEmpty(),
            "a saved month is no damage");
    }
    QFile::remove(path);
    return 0;
}
