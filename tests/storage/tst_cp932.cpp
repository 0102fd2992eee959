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
        // Each control byte is the control of its own value, as on Windows.
        QTest::newRow("controls 1A 1C 7F") << u"\u001A\u001C\u007F"_s << QByteArray("\x1a\x1c\x7f");
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

    // A character that a converter would write as another one's code is
    // refused: it would read back as that other character.
    void oneWayFallbackIsRefused() {
        const cp932::Encoded encoded = cp932::encode(u"№\uF86F"_s);
        QVERIFY(!encoded.ok());
        QVERIFY2(encoded.error.contains(u"(U+F86F)"_s), qPrintable(encoded.error));
        QVERIFY2(!encoded.error.contains(u"(U+2116)"_s), qPrintable(encoded.error));
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

    // Bytes code page 932 does not assign survive a load and a save: a lone
    // byte, an unassigned double-byte code, a lead byte before a quote and at
    // the very end.
    void unassignedBytesSurviveTheRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const auto raw = [](char32_t code) { return QString::fromUcs4(&code, 1); };
        QTest::newRow("unassigned code 85 40") << QByteArray(
                                                      "A\x85\x40"
                                                      "B")
                                               << u"A"_s + raw(0x108540) + u"B"_s;
        QTest::newRow("single bytes 80 a0 fd ff")
            << QByteArray("\x80\xa0\xfd\xff")
            << raw(0xF0080) + raw(0xF00A0) + raw(0xF00FD) + raw(0xF00FF);
        QTest::newRow("lead byte before a quote")
            << QByteArray("\"\x81\"") << u"\""_s + raw(0xF0081) + u"\""_s;
        QTest::newRow("lead byte at the end")
            << QByteArray("\x82\xa0\x82") << u"あ"_s + raw(0xF0082);
        QTest::newRow("lead byte before an invalid trail")
            << QByteArray("\x81\xff\x82\xa0") << raw(0xF0081) + raw(0xF00FF) + u"あ"_s;
    }
    void unassignedBytesSurviveTheRoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp932::decode(bytes), text);
        const cp932::Encoded encoded = cp932::encode(cp932::decode(bytes));
        QVERIFY2(encoded.ok(), qPrintable(encoded.error));
        QCOMPARE(encoded.bytes, bytes);
    }

    // Every byte and every double-byte code: decoding and encoding again
    // gives the same text, and the same bytes but for the codes that code
    // page 932 holds twice (the vendor extensions given again elsewhere).
    void everyCodeRoundTrips() {
        int changedBytes = 0;
        const auto check = [&](const QByteArray& bytes) {
            const QString text = cp932::decode(bytes);
            const cp932::Encoded encoded = cp932::encode(text);
            QVERIFY2(encoded.ok(), bytes.toHex().constData());
            QCOMPARE(cp932::decode(encoded.bytes), text);
            changedBytes += encoded.bytes != bytes;
        };
        for (int b = 0; b < 256; ++b) {
            check(QByteArray(1, char(b)));
            for (int t = 0; t < 256; ++t) {
                const char pair[2] = {char(b), char(t)};
                check(QByteArray(pair, 2));
            }
        }
        // Only duplicate codes may come back as other bytes; there are a few
        // hundred of them, never thousands.
        QVERIFY2(changedBytes < 1000, qPrintable(QString::number(changedBytes)));
    }

    // A lone surrogate is no character: the text is refused, the surrogate
    // is never dropped on the way, nor is its neighbour named with it.
    void loneSurrogatesAreRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        const char32_t keptByte = 0xF0041;
        const QString kept = QString::fromUcs4(&keptByte, 1);
        const QChar high(0xD800);
        const QChar low(0xDC00);
        QTest::newRow("high at the end") << u"a"_s + high << u"(U+D800)"_s;
        QTest::newRow("high before a kept byte") << u"a"_s + high + kept << u"(U+D800)"_s;
        QTest::newRow("low after a kept byte") << kept + low << u"(U+DC00)"_s;
        QTest::newRow("high before a letter") << high + u"a"_s << u"(U+D800)"_s;
    }
    void loneSurrogatesAreRefused() {
        QFETCH(QString, text);
        QFETCH(QString, named);
        const cp932::Encoded encoded = cp932::encode(text);
        QVERIFY(!encoded.ok());
        QVERIFY2(encoded.error.contains(named), qPrintable(encoded.error));
        QVERIFY2(!encoded.error.contains(u"a」"_s), qPrintable(encoded.error));
    }

    // Characters of planes 15 and 16 that stand for no byte are refused as
    // any other character outside the code page.
    void otherPrivateUseCharactersAreRefused() {
        const char32_t code = 0x100041;  // 00 41: no lead byte
        const cp932::Encoded encoded = cp932::encode(QString::fromUcs4(&code, 1));
        QVERIFY(!encoded.ok());
        QVERIFY2(encoded.error.contains(u"(U+100041)"_s), qPrintable(encoded.error));
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
