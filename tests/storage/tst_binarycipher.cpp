#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include "platform/datafileerror.h"
#include "scriptedprompter.h"
#include "storage/binarycipher.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using mdlBinaryCipher::CipherBuffer;
using mdlBinaryCipher::CipherFile;
using mdlBinaryCipher::CipherFileResult;

class TestBinaryCipher : public QObject {
    Q_OBJECT

  private:
    QByteArray cipherThroughFile(const QByteArray& plain) {
        const QString source = folder_->file(u"source"_s);
        const QString destination = folder_->file(u"destination"_s);
        QFile::remove(destination);
        writeBytes(source, plain);
        CipherFile(source, destination);
        return readBytes(destination);
    }

    std::unique_ptr<TestFolder> folder_;
    platform::ScriptedPrompter prompter_;

  private Q_SLOTS:
    void init() {
        folder_ = std::make_unique<TestFolder>();
        prompter_.clear();
    }
    void cleanup() { QVERIFY(prompter_.faults().isEmpty()); }

    // Old files must stay readable forever: these bytes were written by the
    // released cipher and may never change.
    void goldenFile() {
        const QByteArray plain = readBytes(QStringLiteral(KIRABILOG_TEST_DATA "/cipher/plain.txt"));
        const QByteArray enciphered =
            readBytes(QStringLiteral(KIRABILOG_TEST_DATA "/cipher/enciphered.bin"));
        QVERIFY(plain.size() > 1 + mdlBinaryCipher::BlockSize);
        QCOMPARE(enciphered.size(), plain.size());

        QCOMPARE(cipherThroughFile(plain), enciphered);
        QCOMPARE(cipherThroughFile(enciphered), plain);
        QByteArray buffer = plain;
        CipherBuffer(buffer);
        QCOMPARE(buffer, enciphered);
    }

    void goldenKeyBytes() {
        // A month file starts with a double quote: its first block key bytes.
        mdlBinaryCipher::KeyGenerator generator = mdlBinaryCipher::generatorFor('"');
        QList<int> keys;
        for (int i = 0; i < 8; ++i) {
            keys.append(generator.nextKeyByte());
        }
        QCOMPARE(keys, (QList<int>{45, 107, 44, 153, 58, 109, 1, 80}));
    }

    void generatorDrawsAreInUnitInterval() {
        for (int first = 0; first < 256; ++first) {
            mdlBinaryCipher::KeyGenerator generator = mdlBinaryCipher::generatorFor(char(first));
            for (int i = 0; i < 64; ++i) {
                const double r = generator.draw();
                QVERIFY(r >= 0.0 && r < 1.0);
            }
        }
    }

    void oneByteFileIsCopiedUnchanged() { QCOMPARE(cipherThroughFile("x"), QByteArray("x")); }

    void twoByteFileUsesFirstKeyByte() {
        const QByteArray out = cipherThroughFile("AB");
        const quint8 key = mdlBinaryCipher::generatorFor('A').nextKeyByte();
        QCOMPARE(out.at(0), 'A');
        QCOMPARE(quint8(out.at(1)), quint8('B' ^ 0 ^ key));
    }

    // Block boundaries: byte 1 in the clear, then blocks of 1,024 bytes, each
    // with its own key byte and the position pattern restarting at 0.
    void blockBoundaries_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("one full block") << 1 + 1024;
        QTest::newRow("full block and one byte") << 1 + 1025;
        QTest::newRow("two full blocks") << 1 + 2048;
        QTest::newRow("ragged") << 1 + 3000;
    }
    void blockBoundaries() {
        QFETCH(int, length);
        const QByteArray plain(length, '\0');  // zeros make the pad visible
        const QByteArray out = cipherThroughFile(plain);
        QCOMPARE(out.size(), length);
        mdlBinaryCipher::KeyGenerator generator = mdlBinaryCipher::generatorFor('\0');
        for (int offset = 1; offset < length; offset += 1024) {
            const quint8 key = generator.nextKeyByte();
            for (int j = 0; j < 1024 && offset + j < length; ++j) {
                const quint8 expected = quint8(((j * j + j) % 256) ^ key);
                if (quint8(out.at(offset + j)) != expected) {
                    QFAIL(qPrintable(
                        u"byte %1 (block offset %2, j %3)"_s.arg(offset + j).arg(offset).arg(j)));
                }
            }
        }
        QByteArray buffer = plain;
        CipherBuffer(buffer);
        QCOMPARE(buffer, out);
    }

    void roundTripOfRandomFiles() {
        QRandomGenerator random(1234);
        for (int length : {0, 1, 2, 3, 1023, 1024, 1025, 1026, 2049, 70000}) {
            QByteArray plain(length, '\0');
            for (char& c : plain) {
                c = char(random.bounded(256));
            }
            QByteArray buffer = plain;
            CipherBuffer(buffer);
            if (length > 64) {
                QVERIFY(buffer != plain);
            }
            CipherBuffer(buffer);
            QCOMPARE(buffer, plain);
            if (length > 0) {
                QCOMPARE(cipherThroughFile(cipherThroughFile(plain)), plain);
            }
        }
    }

    void sameFirstByteSamePad() {
        QByteArray a(2000, 'a');
        QByteArray b(2000, 'b');
        a[0] = b[0] = 'Z';
        QByteArray ca = a;
        QByteArray cb = b;
        CipherBuffer(ca);
        CipherBuffer(cb);
        for (int i = 1; i < a.size(); ++i) {
            QCOMPARE(char(ca[i] ^ a[i]), char(cb[i] ^ b[i]));
        }
    }

    void emptySourceMakesNoDestination() {
        const QString source = folder_->file(u"source"_s);
        const QString destination = folder_->file(u"destination"_s);
        writeBytes(source, QByteArray());
        QCOMPARE(CipherFile(source, destination), CipherFileResult::Written);
        QVERIFY(!QFile::exists(destination));
    }

    void missingSourceIsReportedAndTouchesNothing() {
        const QString source = folder_->file(u"nothing.log"_s);
        const QString destination = folder_->file(u"destination"_s);
        writeBytes(destination, "keep");
        QCOMPARE(CipherFile(source, destination), CipherFileResult::SourceMissing);
        QCOMPARE(readBytes(destination), QByteArray("keep"));
        // The caller tells the user, with the path as the platform writes it.
        prompter_.expect(platform::MessageAnswer::Ok, u"ファイルが在りません"_s,
                         QDir::toNativeSeparators(source));
        platform::ShowMissingSource(prompter_, source);
        QCOMPARE(prompter_.pending(), 0);
        QCOMPARE(prompter_.shown().value(0).icon, platform::MessageIcon::Exclamation);
    }

    void unwritableDestinationFails() {
        const QString source = folder_->file(u"source"_s);
        writeBytes(source, "plain");
        QCOMPARE(CipherFile(source, folder_->file(u"no folder/destination"_s)),
                 CipherFileResult::Failed);
        QCOMPARE(CipherFile(source, folder_->path()), CipherFileResult::Failed);
        QCOMPARE(readBytes(source), QByteArray("plain"));
    }

    void readOnlyDestinationIsOverwritten() {
        const QString destination = folder_->file(u"destination"_s);
        writeBytes(destination, "old contents that are longer");
        QFile::setPermissions(destination, QFile::ReadOwner);
        const QString source = folder_->file(u"source"_s);
        writeBytes(source, "new");
        QCOMPARE(CipherFile(source, destination), CipherFileResult::Written);
        QByteArray expected("new");
        CipherBuffer(expected);
        QCOMPARE(readBytes(destination), expected);
        QVERIFY(QFile::permissions(destination) & QFile::WriteOwner);
    }

    void fileExists() {
        QVERIFY(!mdlBinaryCipher::FileExists(QString()));
        QVERIFY(!mdlBinaryCipher::FileExists(folder_->path()));
        QVERIFY(!mdlBinaryCipher::FileExists(folder_->file(u"none"_s)));
        writeBytes(folder_->file(u".hidden"_s), "x");
        QVERIFY(mdlBinaryCipher::FileExists(folder_->file(u".hidden"_s)));
    }
};

QTEST_GUILESS_MAIN(TestBinaryCipher)
#include "tst_binarycipher.moc"
