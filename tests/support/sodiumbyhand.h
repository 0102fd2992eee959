#pragma once

// The sealed layout opened with libsodium's own calls, written here by hand
// so that a test proves the layout rather than the library's reading of it.
#include <sodium.h>

#include <QByteArray>
#include <QString>
#include <optional>

inline const unsigned char* raw(const QByteArray& bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

// The password's key as the layout prescribes: Argon2id, 3 passes, 64 MiB.
inline QByteArray passwordKey(const QString& password, const QByteArray& salt) {
    const QByteArray utf8 = password.toUtf8();
    QByteArray out(32, '\0');
    if (crypto_pwhash(reinterpret_cast<unsigned char*>(out.data()), 32, utf8.constData(),
                      utf8.size(), raw(salt), 3, 67108864, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return {};
    }
    return out;
}

inline std::optional<QByteArray> decrypt(const QByteArray& sealed, const QByteArray& additional,
                                         const QByteArray& nonce, const QByteArray& key) {
    QByteArray plain(sealed.size() - 16, '\0');
    unsigned long long length = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            reinterpret_cast<unsigned char*>(plain.data()), &length, nullptr, raw(sealed),
            sealed.size(), raw(additional), additional.size(), raw(nonce), raw(key)) != 0) {
        return std::nullopt;
    }
    return plain;
}
