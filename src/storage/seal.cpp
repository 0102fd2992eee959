#include "storage/seal.h"

#include <sodium.h>

#include <cstring>

namespace seal {

static_assert(KeySize == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);
static_assert(SaltSize == crypto_pwhash_SALTBYTES);
static_assert(NonceSize == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(TagSize == crypto_aead_xchacha20poly1305_ietf_ABYTES);

namespace {

// Every seal key text ever written was derived with these: never change them.
constexpr unsigned long long PasswordOpsLimit = 3;
constexpr size_t PasswordMemLimit = 64 * 1024 * 1024;
constexpr qsizetype SealKeySize = SaltSize + NonceSize + KeySize + TagSize;
constexpr int Base64Variant = sodium_base64_VARIANT_ORIGINAL;

const unsigned char* unsignedBytes(QByteArrayView bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.data());
}

unsigned char* unsignedBytes(QByteArray& bytes) {
    return reinterpret_cast<unsigned char*>(bytes.data());
}

// A secret that lives only for one call, in guarded memory wiped on release.
class SecretBytes {
  public:
    explicit SecretBytes(size_t size) : memory_(static_cast<unsigned char*>(sodium_malloc(size))) {}
    ~SecretBytes() { sodium_free(memory_); }
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    unsigned char* data() { return memory_; }
    bool valid() const { return memory_ != nullptr; }

  private:
    unsigned char* memory_;
};

// Derives the key that wraps the data key; false when Argon2 finds no memory.
bool derivePasswordKey(const QString& password, const unsigned char* salt, SecretBytes& out) {
    if (!out.valid()) {
        return false;
    }
    QByteArray utf8 = password.toUtf8();
    const int result =
        crypto_pwhash(out.data(), KeySize, utf8.constData(), size_t(utf8.size()), salt,
                      PasswordOpsLimit, PasswordMemLimit, crypto_pwhash_ALG_ARGON2ID13);
    sodium_memzero(utf8.data(), size_t(utf8.size()));
    return result == 0;
}

}  // namespace

bool initialize() {
    // sodium_init is itself thread-safe; the static spares its lock later.
    static const bool started = sodium_init() >= 0;
    return started;
}

DataKey::DataKey() : memory_(static_cast<unsigned char*>(sodium_malloc(KeySize))) {}

// sodium_free wipes the bytes before it gives the pages back.
DataKey::~DataKey() {
    sodium_free(memory_);
}

template <typename Fill>
std::shared_ptr<const DataKey> DataKey::make(Fill&& fill) {
    if (!initialize()) {
        return nullptr;
    }
    std::shared_ptr<DataKey> key(new DataKey());
    if (key->memory_ == nullptr || !fill(key->memory_)) {
        return nullptr;
    }
    // A stray write through a dangling pointer faults instead of changing the key.
    sodium_mprotect_readonly(key->memory_);
    return key;
}

std::shared_ptr<const DataKey> DataKey::generate() {
    return make([](unsigned char* out) {
        crypto_aead_xchacha20poly1305_ietf_keygen(out);
        return true;
    });
}

std::shared_ptr<const DataKey> DataKey::fromBytes(QByteArrayView bytes) {
    if (bytes.size() != KeySize) {
        return nullptr;
    }
    return make([bytes](unsigned char* out) {
        std::memcpy(out, bytes.data(), KeySize);
        return true;
    });
}

QString sealKeyText(const QString& password, const DataKey& key) {
    QByteArray sealed(SealKeySize, Qt::Uninitialized);
    unsigned char* const salt = unsignedBytes(sealed);
    unsigned char* const nonce = salt + SaltSize;
    randombytes_buf(salt, SaltSize);
    randombytes_buf(nonce, NonceSize);
    SecretBytes passwordKey(KeySize);
    if (!derivePasswordKey(password, salt, passwordKey)) {
        return {};
    }
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        nonce + NonceSize, nullptr, key.bytes(), KeySize, unsignedBytes(SealKeyAdditionalData),
        size_t(SealKeyAdditionalData.size()), nullptr, nonce, passwordKey.data());
    char text[sodium_base64_ENCODED_LEN(SealKeySize, Base64Variant)];
    sodium_bin2base64(text, sizeof text, salt, size_t(sealed.size()), Base64Variant);
    return QString::fromLatin1(text);
}

Key openSealKey(const QString& password, QStringView sealKeyText) {
    if (!initialize()) {
        return nullptr;
    }
    // Anything outside Latin-1 becomes '?', which no base64 text holds.
    const QByteArray text = sealKeyText.toLatin1();
    unsigned char sealed[SealKeySize];
    size_t length = 0;
    // Strict: the whole text, canonical padding, nothing ignored.
    if (sodium_base642bin(sealed, sizeof sealed, text.constData(), size_t(text.size()), nullptr,
                          &length, nullptr, Base64Variant) != 0 ||
        length != sizeof sealed) {
        return nullptr;
    }
    const unsigned char* const salt = sealed;
    const unsigned char* const nonce = salt + SaltSize;
    SecretBytes passwordKey(KeySize);
    if (!derivePasswordKey(password, salt, passwordKey)) {
        return nullptr;
    }
    return DataKey::make([&](unsigned char* out) {
        unsigned long long opened = 0;
        return crypto_aead_xchacha20poly1305_ietf_decrypt(
                   out, &opened, nullptr, nonce + NonceSize, KeySize + TagSize,
                   unsignedBytes(SealKeyAdditionalData), size_t(SealKeyAdditionalData.size()),
                   nonce, passwordKey.data()) == 0 &&
               opened == KeySize;
    });
}

bool isSealed(QByteArrayView fileBytes) {
    return fileBytes.startsWith(Magic);
}

QByteArray sealData(QByteArrayView plain, const DataKey& key, QStringView relativePath) {
    const QByteArray place = relativePath.toUtf8();
    QByteArray file(HeaderSize + plain.size() + TagSize, Qt::Uninitialized);
    std::memcpy(file.data(), Magic.data(), size_t(Magic.size()));
    unsigned char* const nonce = unsignedBytes(file) + Magic.size();
    randombytes_buf(nonce, NonceSize);
    crypto_aead_xchacha20poly1305_ietf_encrypt(nonce + NonceSize, nullptr, unsignedBytes(plain),
                                               size_t(plain.size()), unsignedBytes(place),
                                               size_t(place.size()), nullptr, nonce, key.bytes());
    return file;
}

std::optional<QByteArray> openData(QByteArrayView fileBytes, const DataKey& key,
                                   QStringView relativePath) {
    if (!isSealed(fileBytes) || fileBytes.size() < HeaderSize + TagSize) {
        return std::nullopt;
    }
    const QByteArray place = relativePath.toUtf8();
    const unsigned char* const nonce = unsignedBytes(fileBytes) + Magic.size();
    QByteArray plain(fileBytes.size() - HeaderSize - TagSize, Qt::Uninitialized);
    unsigned long long opened = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            unsignedBytes(plain), &opened, nullptr, nonce + NonceSize,
            size_t(fileBytes.size() - HeaderSize), unsignedBytes(place), size_t(place.size()),
            nonce, key.bytes()) != 0) {
        return std::nullopt;
    }
    return plain;
}

}  // namespace seal
