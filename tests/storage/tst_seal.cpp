// Sealed files: round trips, the byte layout read and written with
// libsodium's own calls, fresh randomness, and refusal of every altered,
// moved, foreign or malformed input.
#include <QRandomGenerator>
#include <QTest>

#include "sodiumbyhand.h"
#include "storage/seal.h"

using namespace Qt::StringLiterals;

namespace {

const QString Password = u"きらび帳 pass"_s;

QByteArray keyBytes(const seal::DataKey& key) {
    return QByteArray(reinterpret_cast<const char*>(key.bytes()), 32);
}

QByteArray encrypt(const QByteArray& plain, const QByteArray& additional, const QByteArray& nonce,
                   const QByteArray& key) {
    QByteArray sealed(plain.size() + 16, '\0');
    crypto_aead_xchacha20poly1305_ietf_encrypt(reinterpret_cast<unsigned char*>(sealed.data()),
                                               nullptr, raw(plain), plain.size(), raw(additional),
                                               additional.size(), nullptr, raw(nonce), raw(key));
    return sealed;
}

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, '\0');
    randombytes_buf(bytes.data(), size_t(size));
    return bytes;
}

// An optional's bytes, or a text no test's plain bytes are.
QByteArray orRefused(const std::optional<QByteArray>& bytes) {
    return bytes.value_or(QByteArray("(refused)"));
}

QByteArray flipped(QByteArray bytes, qsizetype index) {
    bytes[index] = char(bytes[index] ^ 0x01);
    return bytes;
}

}  // namespace

class TestSeal : public QObject {
    Q_OBJECT

    seal::Key key_;
    seal::Key otherKey_;
    QString keyText_;

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(seal::initialize());
        key_ = seal::DataKey::generate();
        otherKey_ = seal::DataKey::generate();
        QVERIFY(key_ && otherKey_);
        QVERIFY(keyBytes(*key_) != keyBytes(*otherKey_));
        keyText_ = seal::sealKeyText(Password, *key_);
        QCOMPARE(keyText_.size(), 120);  // base64 of 16 + 24 + 32 + 16 bytes
    }

    void fixedKeys() {
        const QByteArray bytes = randomBytes(32);
        const seal::Key key = seal::DataKey::fromBytes(bytes);
        QVERIFY(key);
        QCOMPARE(keyBytes(*key), bytes);
        QVERIFY(!seal::DataKey::fromBytes(bytes.left(31)));
        QVERIFY(!seal::DataKey::fromBytes(bytes + 'x'));
    }

    void dataRoundTrip_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("empty") << QByteArray() << u"2010/01.log"_s;
        // 2010/01/05,当選 in code page 932, with its line ends.
        QTest::newRow("CR LF CP932")
            << QByteArray("2010/01/05,\x93\x96\x91\x49\r\n\r\n") << u"0000/2010.log"_s;
        QByteArray large(1024 * 1024, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(large.data()), large.size() / 4);
        QTest::newRow("1 MiB") << large << u"0000/total.log"_s;
    }

    void dataRoundTrip() {
        QFETCH(QByteArray, plain);
        QFETCH(QString, relativePath);
        const QByteArray file = seal::sealData(plain, *key_, relativePath);
        QCOMPARE(file.size(), 8 + 24 + plain.size() + 16);
        QVERIFY(seal::isSealed(file));
        QVERIFY(!file.contains(plain) || plain.size() < 8);
        QCOMPARE(orRefused(seal::openData(file, *key_, relativePath)), plain);
    }

    // What the program writes opens with libsodium alone and the layout.
    void writtenLayout() {
        const QByteArray blob =
            QByteArray::fromBase64(keyText_.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        QCOMPARE(blob.size(), 88);
        QCOMPARE(blob.toBase64(), keyText_.toLatin1());  // standard alphabet, padded
        const QByteArray wrapping = passwordKey(Password, blob.left(16));
        QVERIFY(!wrapping.isEmpty());
        const std::optional<QByteArray> dataKey =
            decrypt(blob.mid(40), "kirabilog-seal-key", blob.mid(16, 24), wrapping);
        QVERIFY(dataKey);
        QCOMPARE(*dataKey, keyBytes(*key_));

        const QByteArray plain = "2010/01/05,prize\r\n";
        const QByteArray file = seal::sealData(plain, *key_, u"2010/01.log"_s);
        QCOMPARE(file.size(), 8 + 24 + plain.size() + 16);
        QCOMPARE(file.left(8), QByteArray("KBSEAL01"));
        QCOMPARE(orRefused(decrypt(file.mid(32), "2010/01.log", file.mid(8, 24), *dataKey)), plain);
    }

    // What libsodium writes by the layout opens through the program.
    void handMadeLayout() {
        const QByteArray dataKey = randomBytes(32);
        const QByteArray salt = randomBytes(16);
        const QByteArray keyNonce = randomBytes(24);
        const QByteArray wrapping = passwordKey(Password, salt);
        QVERIFY(!wrapping.isEmpty());
        const QByteArray blob =
            salt + keyNonce + encrypt(dataKey, "kirabilog-seal-key", keyNonce, wrapping);
        const seal::Key opened = seal::openSealKey(Password, QString::fromLatin1(blob.toBase64()));
        QVERIFY(opened);
        QCOMPARE(keyBytes(*opened), dataKey);

        const QByteArray plain = "total\r\n";
        const QByteArray nonce = randomBytes(24);
        const QByteArray file =
            "KBSEAL01" + nonce + encrypt(plain, "0000/total.log", nonce, dataKey);
        QCOMPARE(orRefused(seal::openData(file, *opened, u"0000/total.log"_s)), plain);
    }

    void freshNonceAndSalt() {
        const QByteArray plain = "same bytes";
        const QByteArray first = seal::sealData(plain, *key_, u"2010/01.log"_s);
        const QByteArray second = seal::sealData(plain, *key_, u"2010/01.log"_s);
        QVERIFY(first.mid(8, 24) != second.mid(8, 24));
        QCOMPARE(orRefused(seal::openData(second, *key_, u"2010/01.log"_s)), plain);

        const QString again = seal::sealKeyText(Password, *key_);
        QCOMPARE(again.size(), 120);
        const QByteArray one = QByteArray::fromBase64(keyText_.toLatin1());
        const QByteArray other = QByteArray::fromBase64(again.toLatin1());
        QVERIFY(one.left(16) != other.left(16));
        QVERIFY(one.mid(16, 24) != other.mid(16, 24));
        const seal::Key opened = seal::openSealKey(Password, again);
        QVERIFY(opened);
        QCOMPARE(keyBytes(*opened), keyBytes(*key_));
    }

    void sealKeyRefusals_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("text");
        const QByteArray blob = QByteArray::fromBase64(keyText_.toLatin1());
        const auto encoded = [](const QByteArray& bytes) {
            return QString::fromLatin1(bytes.toBase64());
        };
        QTest::newRow("wrong password") << u"きらび帳 Pass"_s << keyText_;
        QTest::newRow("empty password") << QString() << keyText_;
        QTest::newRow("altered salt") << Password << encoded(flipped(blob, 3));
        QTest::newRow("altered nonce") << Password << encoded(flipped(blob, 16));
        QTest::newRow("altered key") << Password << encoded(flipped(blob, 40));
        QTest::newRow("altered tag") << Password << encoded(flipped(blob, 87));
        QTest::newRow("empty") << Password << QString();
        QTest::newRow("garbage") << Password << u"not a seal key"_s;
        QTest::newRow("truncated") << Password << keyText_.left(116);
        QTest::newRow("short") << Password << encoded(blob.left(87));
        QTest::newRow("long") << Password << encoded(blob + 'x');
        QTest::newRow("no padding") << Password << keyText_.chopped(2);
        QTest::newRow("trailing space") << Password << keyText_ + u' ';
        QTest::newRow("non-Latin-1") << Password << keyText_.left(119) + u'あ';
    }

    void sealKeyRefusals() {
        QFETCH(QString, password);
        QFETCH(QString, text);
        QVERIFY(!seal::openSealKey(password, text));
    }

    void dataRefusals_data() {
        QTest::addColumn<QByteArray>("fileBytes");
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<bool>("otherDiary");
        const QString path = u"2010/01.log"_s;
        const QByteArray file = seal::sealData("2010/01/05,prize\r\n", *key_, path);
        QVERIFY(seal::openData(file, *key_, path));
        QTest::newRow("altered magic") << flipped(file, 0) << path << false;
        QTest::newRow("altered nonce") << flipped(file, 8) << path << false;
        QTest::newRow("altered body") << flipped(file, 33) << path << false;
        QTest::newRow("altered tag") << flipped(file, file.size() - 1) << path << false;
        QTest::newRow("other month") << file << u"2010/02.log"_s << false;
        QTest::newRow("year file") << file << u"0000/2010.log"_s << false;
        QTest::newRow("native separator") << file << u"2010\\01.log"_s << false;
        QTest::newRow("other diary") << file << path << true;
        QTest::newRow("truncated") << file.chopped(1) << path << false;
        QTest::newRow("header only") << file.left(32) << path << false;
        QTest::newRow("appended") << file + '\n' << path << false;
        QTest::newRow("empty") << QByteArray() << path << false;
        QTest::newRow("magic only") << QByteArray("KBSEAL01") << path << false;
        QTest::newRow("plain text") << QByteArray("2010/01/05,prize\r\n") << path << false;
    }

    void dataRefusals() {
        QFETCH(QByteArray, fileBytes);
        QFETCH(QString, relativePath);
        QFETCH(bool, otherDiary);
        QVERIFY(!seal::openData(fileBytes, otherDiary ? *otherKey_ : *key_, relativePath));
    }
};

QTEST_GUILESS_MAIN(TestSeal)
#include "tst_seal.moc"
