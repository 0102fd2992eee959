#pragma once

#include <QByteArray>
#include <QString>
#include <span>

namespace platform {
class Prompter;
}

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

// Writes the transformed copy of source to destination. A missing source is
// reported through the prompter (title "ファイルが在りません", text = the path)
// and nothing else happens; an empty source creates no destination. Returns
// false when the source or destination could not be read or written.
bool CipherFile(const QString& source, const QString& destination, platform::Prompter& prompter);

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
