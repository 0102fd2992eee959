#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Text of every data file is code page 932 (Shift-JIS as Windows writes it).
namespace cp932 {

// Decodes code page 932 bytes. Bytes that are not valid code page 932 become
// the substitute character U+001A; decoding never fails.
QString decode(QByteArrayView bytes);

// Replaces characters that look like a code page 932 character but are not
// the one code page 932 decodes to (WAVE DASH and the like) by that character.
QString mapLookAlikes(QString text);

struct Encoded {
    QByteArray bytes;
    // Empty on success; otherwise a message for the user naming the characters
    // that cannot be stored, and bytes is empty.
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Encodes text after mapping the look-alikes. Any other character outside code
// page 932 makes the whole encoding fail: stored text is never mangled.
Encoded encode(const QString& text);

}  // namespace cp932
