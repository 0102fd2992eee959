#include <QFile>
#include <QList>
#include <QMap>
#include <QTest>

#include "storage/cp932.h"

using namespace Qt::StringLiterals;

// The whole mapping of code page 932 as this build converts it, against the
// one the Linux build (ICU) gives, kept in tests/data/cp932/tables.txt. To
// write that file again, run in the source folder, from a Linux build:
//   KIRABILOG_CP932_TABLES_OUT=tests/data/cp932/tables.txt build/debug/tests/tst_cp932tables
namespace {

bool isLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrail(int b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// A code is a single byte b, or a double-byte code as lead * 256 + trail.
QByteArray bytesOf(int code) {
    QByteArray bytes;
    if (code > 0xFF) {
        bytes += char(code >> 8);
    }
    bytes += char(code);
    return bytes;
}

QList<int> allCodes() {
    QList<int> codes;
    for (int b = 0; b < 0x100; ++b) {
        codes.append(b);
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && isLead(lead); ++trail) {
            if (isTrail(trail)) {
                codes.append(lead << 8 | trail);
            }
        }
    }
    return codes;
}

struct Mapping {
    QMap<int, QString> decoded;
    // Every character of the basic plane but the surrogates that encodes;
    // a refused one is absent.
    QMap<char16_t, QByteArray> encoded;
};

Mapping running() {
    Mapping mapping;
    for (const int code : allCodes()) {
        mapping.decoded.insert(code, cp932::decode(bytesOf(code)));
    }
    for (int c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(char32_t(c))) {
            continue;
        }
        const cp932::Encoded encoded = cp932::encode(QString(QChar(char16_t(c))));
        if (encoded.ok()) {
            mapping.encoded.insert(char16_t(c), encoded.bytes);
        }
    }
    return mapping;
}

// The bytes a character encodes to when nothing else is said of it: those of
// the one code that decodes to it. No such code, or more than one: refused.
QMap<char16_t, QByteArray> inverse(const QMap<int, QString>& decoded) {
    QMap<char16_t, QList<int>> codes;
    for (auto it = decoded.cbegin(); it != decoded.cend(); ++it) {
        if (it->size() == 1 && !it->at(0).isSurrogate()) {
            codes[it->at(0).unicode()].append(it.key());
        }
    }
    QMap<char16_t, QByteArray> encoded;
    for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
        if (it->size() == 1) {
            encoded.insert(it.key(), bytesOf(it->first()));
        }
    }
    return encoded;
}

// The file: hexadecimal code points, "a+n" for the n + 1 values from a on,
// "a.b" for a code that decodes to two characters.
QString hex(uint value) {
    return QString::number(value, 16).toUpper();
}

QString textToken(const QString& text) {
    QStringList points;
    for (const char32_t c : text.toUcs4()) {
        points.append(hex(c));
    }
    return points.join(u'.');
}

QString valuesLine(const QString& head, const QStringList& texts) {
    QString line = head;
    for (qsizetype i = 0; i < texts.size();) {
        const QList<uint> first = texts[i].toUcs4();
        qsizetype n = 1;
        while (first.size() == 1 && i + n < texts.size() &&
               texts[i + n].toUcs4() == QList<uint>{first[0] + uint(n)}) {
            ++n;
        }
        line += u' ' + textToken(texts[i]) + (n > 1 ? u'+' + QString::number(n - 1) : QString());
        i += n;
    }
    return line + u'\n';
}

QStringList valueTexts(const QString& tokens) {
    QStringList texts;
    for (const QString& token : tokens.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = token.split(u'+');
        QList<char32_t> points;
        for (const QString& point : parts[0].split(u'.')) {
            points.append(char32_t(point.toUInt(nullptr, 16)));
        }
        for (int k = 0; k <= parts.value(1).toInt(); ++k) {
            const char32_t c = points[0] + char32_t(k);
            texts.append(k == 0 ? QString::fromUcs4(points.constData(), points.size())
                                : QString::fromUcs4(&c, 1));
        }
    }
    return texts;
}

QByteArray tablesFile(const Mapping& mapping) {
    QString file =
        u"# What cp932::decode gives for each code and cp932::encode for each character of the\n"
        "# basic plane on Linux (ICU); written by tests/storage/tst_cp932tables.cpp.\n"
        "# \"single\": the bytes 00-FF; \"lead XX\": the trails 40-7E and 80-FC after lead XX.\n"
        "# A character encodes as the one code that decodes to it, refused where there is none\n"
        "# or more than one, unless an \"encode\" line gives its bytes (- for refused).\n"_s;
    const QList<int> codes = allCodes();
    QStringList texts;
    for (const int code : codes) {
        texts.append(mapping.decoded.value(code));
    }
    file += valuesLine(u"single"_s, texts.mid(0, 0x100));
    for (qsizetype at = 0x100; at < codes.size(); at += 188) {
        file += valuesLine(u"lead "_s + hex(uint(codes[at] >> 8)), texts.mid(at, 188));
    }
    const QMap<char16_t, QByteArray> plain = inverse(mapping.decoded);
    for (int c = 0; c <= 0xFFFF; ++c) {
        const auto it = mapping.encoded.constFind(char16_t(c));
        const QByteArray bytes = it == mapping.encoded.cend() ? "-" : it->toHex().toUpper();
        const auto expected = plain.constFind(char16_t(c));
        if (bytes != (expected == plain.cend() ? "-" : expected->toHex().toUpper())) {
            file += u"encode "_s + hex(uint(c)) + u' ' + QString::fromLatin1(bytes) + u'\n';
        }
    }
    return file.toUtf8();
}

Mapping readTablesFile(const QByteArray& file) {
    Mapping mapping;
    const QList<int> codes = allCodes();
    qsizetype next = 0;
    QList<std::pair<char16_t, QByteArray>> listed;
    for (const QString& line : QString::fromUtf8(file).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList words = line.split(u' ');
        if (words[0] == u"encode"_s && words.size() == 3) {
            listed.append(
                {char16_t(words[1].toUInt(nullptr, 16)),
                 words[2] == u"-"_s ? QByteArray() : QByteArray::fromHex(words[2].toLatin1())});
        } else if (words[0] == u"single"_s || words[0] == u"lead"_s) {
            const qsizetype skip = words[0] == u"lead"_s ? 2 : 1;
            for (const QString& text : valueTexts(words.mid(skip).join(u' '))) {
                mapping.decoded.insert(codes.value(next++, -1), text);
            }
        }
    }
    mapping.encoded = inverse(mapping.decoded);
    for (const auto& [c, bytes] : listed) {
        if (bytes.isEmpty()) {
            mapping.encoded.remove(c);
        } else {
            mapping.encoded.insert(c, bytes);
        }
    }
    return mapping;
}

QString encodedToken(const QMap<char16_t, QByteArray>& encoded, char16_t c) {
    const auto it = encoded.constFind(c);
    return it == encoded.cend() ? u"-"_s : QString::fromLatin1(it->toHex().toUpper());
}

// Each place where this build parts from the file, as "decode 1A: Linux 1C,
// here 1A" or "encode U+001A: Linux 7F, here 1A" ("-": refused).
QStringList differences(const Mapping& linux, const Mapping& here) {
    QStringList found;
    const auto compare = [&](const QString& where, const QString& expected, const QString& actual) {
        if (expected != actual) {
            found.append(where + u": Linux "_s + expected + u", here "_s + actual);
        }
    };
    for (const int code : allCodes()) {
        compare(u"decode "_s + hex(uint(code)), textToken(linux.decoded.value(code)),
                textToken(here.decoded.value(code)));
    }
    for (int c = 0; c <= 0xFFFF; ++c) {
        if (!QChar::isSurrogate(char32_t(c))) {
            compare(u"encode U+"_s + hex(uint(c)).rightJustified(4, u'0'),
                    encodedToken(linux.encoded, char16_t(c)),
                    encodedToken(here.encoded, char16_t(c)));
        }
    }
    return found;
}

// The codes that code page 932 holds twice: each comes back as the code the
// converter writes for its character.
struct Twice {
    int first;
    int last;
    const char* what;
};
constexpr Twice heldTwice[] = {
    {0x8790, 0x8792, "NEC row 13 math signs, written as in JIS row 2"},
    {0x8795, 0x8797, "NEC row 13 math signs, written as in JIS row 2"},
    {0x879A, 0x879C, "NEC row 13 math signs, written as in JIS row 2"},
    {0xED40, 0xEEEC, "NEC-selected IBM kanji, written as the IBM codes FA5C-FC4B"},
    {0xEEEF, 0xEEFC, "NEC-selected small numerals and signs, written as IBM FA40-FA57 or 81CA"},
    {0xFA4A, 0xFA54, "IBM roman numerals and not sign, written as NEC 8754-875D and 81CA"},
    {0xFA58, 0xFA5B, "IBM signs, written as NEC 878A, 8782, 8784 and JIS 81E6"},
};

QStringList ranges(const QList<int>& codes) {
    const QList<int> all = allCodes();
    QStringList found;
    for (qsizetype i = 0; i < codes.size();) {
        qsizetype n = 1;
        const qsizetype at = all.indexOf(codes[i]);
        while (i + n < codes.size() && all.value(at + n) == codes[i + n]) {
            ++n;
        }
        found.append(hex(uint(codes[i])) + u'-' + hex(uint(codes[i + n - 1])));
        i += n;
    }
    return found;
}

}  // namespace

class TestCp932Tables : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void compareWithTheLinuxTables() {
        const Mapping mapping = running();
        const QByteArray out = qgetenv("KIRABILOG_CP932_TABLES_OUT");
        if (!out.isEmpty()) {
            QFile file(QString::fromLocal8Bit(out));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(tablesFile(mapping));
            QSKIP("tables written");
        }
        QFile file(QStringLiteral(KIRABILOG_TEST_DATA "/cp932/tables.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        // Windows' converter and ICU, each with the program's corrections,
        // must agree on every code: a file reads and writes the same on both.
        const QStringList found = differences(readTablesFile(file.readAll()), mapping);
        QVERIFY2(found.isEmpty(), qPrintable(found.mid(0, 40).join(u"\n"_s)));
    }

    // Decoding and encoding again gives every code back but those held twice,
    // which come back as another code of the same character.
    void everyCodeComesBack() {
        QList<int> changed;
        for (const int code : allCodes()) {
            const QString text = cp932::decode(bytesOf(code));
            const cp932::Encoded encoded = cp932::encode(text);
            QVERIFY2(encoded.ok(), qPrintable(hex(uint(code))));
            if (encoded.bytes != bytesOf(code)) {
                QCOMPARE(cp932::decode(encoded.bytes), text);
                changed.append(code);
            }
        }
        QStringList expected;
        for (const Twice& twice : heldTwice) {
            expected.append(hex(uint(twice.first)) + u'-' + hex(uint(twice.last)));
        }
        QCOMPARE(ranges(changed), expected);
    }
};

QTEST_GUILESS_MAIN(TestCp932Tables)
#include "tst_cp932tables.moc"
