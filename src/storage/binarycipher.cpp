#include "storage/binarycipher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>

namespace mdlBinaryCipher {

namespace {

// Fixed forever: changing any of these makes every stored file unreadable.
constexpr qint32 ResetArgument = -5;
constexpr quint16 SeedMultiplier = 7;
constexpr quint32 LcgMultiplier = 1103515245u;
constexpr quint32 LcgIncrement = 12345u;

// (j * j + j) mod 256 repeats every 256 positions, so one table serves any j.
constexpr std::array<quint8, 256> positionPad = [] {
    std::array<quint8, 256> pad{};
    for (quint32 j = 0; j < 256; ++j) {
        pad[j] = static_cast<quint8>((j * j + j) % 256);
    }
    return pad;
}();

constexpr quint64 repeatByte(quint8 b) {
    return quint64{b} * 0x0101010101010101ull;
}

}  // namespace

void KeyGenerator::reset(qint32 argument) {
    state_ = static_cast<quint32>(argument) * 2654435761u;
}

void KeyGenerator::seed(quint16 value) {
    state_ ^= (quint32{value} << 16) | value;
    state_ = state_ * LcgMultiplier + LcgIncrement;
}

double KeyGenerator::draw() {
    state_ = state_ * LcgMultiplier + LcgIncrement;
    return static_cast<double>(state_ >> 8) / 16777216.0;
}

quint8 KeyGenerator::nextKeyByte() {
    return static_cast<quint8>(static_cast<int>(draw() * 256) & 0xFF);
}

KeyGenerator generatorFor(char firstByte) {
    KeyGenerator generator;
    generator.reset(ResetArgument);
    generator.seed(static_cast<quint16>(static_cast<quint8>(firstByte) * SeedMultiplier));
    return generator;
}

void CipherBlock(std::span<char> block, quint8 keyByte) {
    char* data = block.data();
    const size_t size = block.size();
    const quint64 key8 = repeatByte(keyByte);
    size_t j = 0;
    // Eight bytes at a time while the position pattern lines up with the table.
    for (; j + 8 <= size; j += 8) {
        quint64 word;
        quint64 pad;
        std::memcpy(&word, data + j, 8);
        std::memcpy(&pad, positionPad.data() + (j & 255), 8);
        word ^= pad ^ key8;
        std::memcpy(data + j, &word, 8);
    }
    for (; j < size; ++j) {
        data[j] = static_cast<char>(static_cast<quint8>(data[j]) ^ positionPad[j & 255] ^ keyByte);
    }
}

void CipherBuffer(QByteArray& bytes) {
    if (bytes.size() < 2) {
        return;
    }
    KeyGenerator generator = generatorFor(bytes.at(0));
    char* data = bytes.data();  // detaches once, before the loop
    for (qsizetype offset = 1; offset < bytes.size(); offset += BlockSize) {
        const qsizetype length = std::min(BlockSize, bytes.size() - offset);
        CipherBlock(std::span<char>(data + offset, static_cast<size_t>(length)),
                    generator.nextKeyByte());
    }
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString missingSourceText(const QString& source) {
    return QDir::toNativeSeparators(source);
}

CipherFileResult CipherFile(const QString& source, const QString& destination) {
    if (!FileExists(source)) {
        return CipherFileResult::SourceMissing;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return CipherFileResult::Failed;
    }
    const qint64 length = in.size();
    if (length == 0) {
        return CipherFileResult::Written;
    }
    if (FileExists(destination)) {
        // A read-only destination is overwritten all the same.
        QFile::setPermissions(destination, QFile::permissions(destination) | QFile::ReadOwner |
                                               QFile::WriteOwner | QFile::ReadUser |
                                               QFile::WriteUser);
    }
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return CipherFileResult::Failed;
    }
    char first = 0;
    if (!in.getChar(&first) || !out.putChar(first)) {
        return CipherFileResult::Failed;
    }
    KeyGenerator generator = generatorFor(first);
    std::array<char, BlockSize> buffer;
    for (qint64 remaining = length - 1; remaining > 0;) {
        const qint64 count = std::min<qint64>(BlockSize, remaining);
        if (in.read(buffer.data(), count) != count) {
            return CipherFileResult::Failed;
        }
        CipherBlock(std::span<char>(buffer.data(), static_cast<size_t>(count)),
                    generator.nextKeyByte());
        if (out.write(buffer.data(), count) != count) {
            return CipherFileResult::Failed;
        }
        remaining -= count;
    }
    return out.flush() ? CipherFileResult::Written : CipherFileResult::Failed;
}

}  // namespace mdlBinaryCipher
