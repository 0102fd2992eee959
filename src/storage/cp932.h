#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Text of every data file is code page 932 (Shift-JIS as Windows writes it).
namespace cp932 {

// Decodes code page 932 bytes; decoding never fails. Bytes that code page 932
// does not assign are kept as private-use characters — a lone byte b as
// U+F0000 + b, an unassigned double-byte code (lead, trail) as U+100000 +
// lead * 256 + trail — which encode() writes back as the same bytes, so that
// any file that loads can be saved unchanged.
QString decode(QByteArrayView bytes);
// The same into a string whose room is used again, for readers that decode
// many small texts.
void decodeInto(QByteArrayView bytes, QString& text);

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

// Encodes text after mapping the look-alikes; the private-use characters of
// decode() become their bytes again. Any other character outside code page 932
// makes the whole encoding fail: stored text is never mangled.
Encoded encode(const QString& text);

}  // namespace cp932
