#include <QTest>

#include "storage/cp932.h"

using namespace Qt::StringLiterals;

class TestCp932 : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Text a diary holds, with the vendor extensions code page 932 adds to
    // Shift-JIS, survives the round trip byte for byte.
    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("kana and kanji")
            << u"きらび帳"_s << QByteArray("\x82\xab\x82\xe7\x82\xd1\x92\xa0");
        QTest::newRow("half-width kana") << u"ｶﾅ"_s << QByteArray("\xb6\xc5");
        QTest::newRow("NEC circled digit") << u"①"_s << QByteArray("\x87\x40");
        QTest::newRow("IBM roman numeral") << u"ⅰ"_s << QByteArray("\xfa\x40");
        QTest::newRow("fullwidth tilde") << u"～"_s << QByteArray("\x81\x60");
        QTest::newRow("backslash is 0x5C") << u"C:\\pic"_s << QByteArray("C:\\pic");
        QTest::newRow("line end") << u"a\r\nb"_s << QByteArray("a\r\nb");
    }
    void roundTrip() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const cp932::Encoded encoded = cp932::encode(text);
        QVERIFY2(encoded.ok(), qPrintable(encoded.error));
        QCOMPARE(encoded.bytes, bytes);
        QCOMPARE(cp932::decode(bytes), text);
    }

    void lookAlikesAreMapped_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash") << u"\u301C"_s << QByteArray("\x81\x60");
        QTest::newRow("minus sign") << u"\u2212"_s << QByteArray("\x81\x7c");
        QTest::newRow("double vertical line") << u"\u2016"_s << QByteArray("\x81\x61");
        QTest::newRow("cent") << u"\u00A2"_s << QByteArray("\x81\x91");
        QTest::newRow("pound") << u"\u00A3"_s << QByteArray("\x81\x92");
        QTest::newRow("not sign") << u"\u00AC"_s << QByteArray("\x81\xca");
        QTest::newRow("em dash") << u"\u2014"_s << QByteArray("\x81\x5c");
    }
    void lookAlikesAreMapped() {
        QFETCH(QString, from);
        QFETCH(QByteArray, bytes);
        const cp932::Encoded encoded = cp932::encode(u"a"_s + from + u"b"_s);
        QVERIFY2(encoded.ok(), qPrintable(encoded.error));
        QCOMPARE(encoded.bytes, QByteArray("a" + bytes + "b"));
    }

    void unencodableTextFailsAndNamesEachCharacterOnce() {
        const cp932::Encoded encoded = cp932::encode(u"当選é！😀é¥"_s);
        QVERIFY(!encoded.ok());
        QVERIFY(encoded.bytes.isEmpty());
        QVERIFY2(encoded.error.contains(u"「é」(U+00E9)"_s), qPrintable(encoded.error));
        QVERIFY2(encoded.error.contains(u"「😀」(U+1F600)"_s), qPrintable(encoded.error));
        QVERIFY2(encoded.error.contains(u"「¥」(U+00A5)"_s), qPrintable(encoded.error));
        QCOMPARE(encoded.error.count(u"é"_s), 1);
        QVERIFY(!encoded.error.contains(u"当"_s));
    }

    void invalidBytesDecodeToSubstitutes() {
        // 0x81 0xFF is no character; 0xFD is not a lead byte.
        QCOMPARE(cp932::decode(QByteArray("\x82\xa0\x81\xff\xfd"
                                          "A")),
                 u"あ\u001A\u001A\u001AA"_s);
        // A lead byte at the very end.
        QCOMPARE(cp932::decode(QByteArray("A\x82")), u"A\u001A"_s);
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
