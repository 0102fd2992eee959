#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

// Sealed files: authenticated encryption of a diary's data files under a
// random data key, and that key kept in the settings under the password.
//
// Seal key text (settings value SealKey): base64 with padding of
//   salt (16) | nonce (24) | data key encrypted with XChaCha20-Poly1305 (32 + 16)
// under the key Argon2id (3 passes, 64 MiB) derives from the password's UTF-8
// bytes, additional data "kirabilog-seal-key".
//
// Sealed data file: "KBSEAL01" | nonce (24) | encrypted bytes with tag (16),
// additional data the file's path below the data folder ("2010/01.log"), so
// that a file copied to another month does not open there.
namespace seal {

inline constexpr qsizetype KeySize = 32;
inline constexpr qsizetype SaltSize = 16;
inline constexpr qsizetype NonceSize = 24;
inline constexpr qsizetype TagSize = 16;
inline constexpr QByteArrayView Magic = "KBSEAL01";
inline constexpr qsizetype HeaderSize = Magic.size() + NonceSize;
inline constexpr QByteArrayView SealKeyAdditionalData = "kirabilog-seal-key";

// Starts libsodium (thread-safe, idempotent); the calls that make keys start it
// themselves. False when it cannot start: nothing can be sealed or opened then.
bool initialize();

// A data key in memory of its own: locked against swapping where the system
// allows, between inaccessible pages, read-only once filled, and wiped when
// the last owner lets go. Never copied.
class DataKey {
  public:
    // A fresh random key; nullptr when libsodium cannot start or the guarded
    // memory cannot be had.
    static std::shared_ptr<const DataKey> generate();
    // A key with the given 32 bytes, for fixed keys in tests and fuzz targets;
    // nullptr on any other length.
    static std::shared_ptr<const DataKey> fromBytes(QByteArrayView bytes);

    ~DataKey();
    DataKey(const DataKey&) = delete;
    DataKey& operator=(const DataKey&) = delete;

    const unsigned char* bytes() const { return memory_; }

  private:
    friend std::shared_ptr<const DataKey> openSealKey(const QString&, QStringView);
    DataKey();
    // A key whose bytes fill writes; nullptr when fill or the memory fails.
    template <typename Fill>
    static std::shared_ptr<const DataKey> make(Fill&& fill);

    unsigned char* memory_ = nullptr;
};

using Key = std::shared_ptr<const DataKey>;

// The settings value that keeps key under password, with a fresh salt and
// nonce on every call; empty when the key derivation finds no memory.
QString sealKeyText(const QString& password, const DataKey& key);

// The data key that password unlocks from a settings value; nullptr on a
// wrong password, a value that is not a seal key text, or (rarely) when the
// key derivation finds no memory.
Key openSealKey(const QString& password, QStringView sealKeyText);

// True when the bytes start with the sealed file's magic.
bool isSealed(QByteArrayView fileBytes);

// The sealed file for plain at relativePath below the data folder ('/' as
// separator), with a fresh nonce on every call.
QByteArray sealData(QByteArrayView plain, const DataKey& key, QStringView relativePath);

// The plain bytes of a sealed file; nullopt when the bytes are not a sealed
// file of this key at this place (altered, moved, another diary's, cut short).
std::optional<QByteArray> openData(QByteArrayView fileBytes, const DataKey& key,
                                   QStringView relativePath);

}  // namespace seal
