#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <span>

// The file cipher. Byte 1 of a file stays in the clear; every later byte is
// XORed with a pad made of a per-block key byte and a position pattern. The key
// bytes come from a generator seeded by byte 1 alone, so the transform needs no
// key and is its own inverse. The generator and its constants below must never
// change: every stored file depends on them.
namespace mdlBinaryCipher {

inline constexpr qsizetype BlockSize = 1024;

// Transforms the bytes in place with one block key byte: byte j becomes
// ((j * j + j) mod 256) XOR byte XOR key.
void CipherBlock(std::span<char> block, quint8 keyByte);

// Enciphers or deciphers a whole file image in memory.
void CipherBuffer(QByteArray& bytes);

// True when path names an existing file (hidden files included).
bool FileExists(const QString& path);

enum class CipherFileResult {
    Written,        // an empty source writes nothing and creates no destination
    SourceMissing,  // nothing happened; the caller tells the user
    Failed,         // the source or destination could not be read or written
};

// Writes the transformed copy of source to destination.
CipherFileResult CipherFile(const QString& source, const QString& destination);

// What the user is told of a source that is not there: this title, and the
// path in the platform's form as the text.
inline constexpr QStringView MissingSourceTitle = u"ファイルが在りません";
QString missingSourceText(const QString& source);

// The deterministic generator behind the block key bytes: a 32-bit linear
// congruential generator whose top 24 bits give a draw in [0, 1).
class KeyGenerator {
  public:
    // Puts the generator into its fixed start state (argument is negative).
    void reset(qint32 argument);
    void seed(quint16 value);
    double draw();
    quint8 nextKeyByte();

  private:
    quint32 state_ = 0;
};

// Resets and seeds a generator for a file whose first byte is firstByte.
KeyGenerator generatorFor(char firstByte);

}  // namespace mdlBinaryCipher
