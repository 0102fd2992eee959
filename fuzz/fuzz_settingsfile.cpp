// The settings reader on any bytes, plain and through the enciphered file:
// the settings read save again and read back the same.
#include <QFile>

#include "fuzzsupport.h"
#include "storage/cp932.h"
#include "storage/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const settingsfile::Settings settings =
        settingsfile::fromProfile(settingsfile::ProfileText(cp932::decode(bytes)));
    QString error;
    const QString text = settingsfile::format(settings, &error);
    fuzzing::require(error.isEmpty(), "what loads formats");
    fuzzing::require(cp932::encode(text).ok(), "what loads encodes again");
    const QString again =
        settingsfile::format(settingsfile::fromProfile(settingsfile::ProfileText(text)), &error);
    fuzzing::require(again == text, "settings read back the same");

    const QString path = fuzzing::paths().settingsFile();
    fuzzing::writeEnciphered(path, bytes);
    const settingsfile::ReadResult read = settingsfile::read(path);
    fuzzing::require(read.exists && read.error.isEmpty(), "the file reads");
    fuzzing::require(settingsfile::write(path, read.settings).ok(), "what loads saves");
    fuzzing::require(settingsfile::format(settingsfile::read(path).settings, &error) ==
                         settingsfile::format(read.settings, &error),
                     "saved settings read back the same");
    QFile::remove(path);
    return 0;
}
