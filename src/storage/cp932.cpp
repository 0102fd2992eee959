#include "storage/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace cp932 {

namespace {

constexpr const char* CodecName = "windows-31j";

// Characters that other systems produce for a code page 932 character; each is
// replaced by the Unicode character that code page 932 really holds.
constexpr std::pair<char16_t, char16_t> lookAlikes[] = {
    {u'\u301C', u'\uFF5E'},  // WAVE DASH -> FULLWIDTH TILDE
    {u'\u2212', u'\uFF0D'},  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {u'\u2016', u'\u2225'},  // DOUBLE VERTICAL LINE -> PARALLEL TO
    {u'\u00A2', u'\uFFE0'},  // CENT SIGN
    {u'\u00A3', u'\uFFE1'},  // POUND SIGN
    {u'\u00AC', u'\uFFE2'},  // NOT SIGN
    {u'\u2014', u'\u2015'},  // EM DASH -> HORIZONTAL BAR
};

constexpr char32_t RawByteBase = 0xF0000;   // U+F0000 + byte
constexpr char32_t RawPairBase = 0x100000;  // U+100000 + lead * 256 + trail
constexpr char16_t Unassigned = 0xFFFF;     // no character of code page 932 is U+FFFF

bool isLead(uchar b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrail(uchar b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// What code page 932 makes of every single byte and every double-byte code,
// read once from the converter itself.
struct Tables {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, Unassigned);

    Tables() {
        single.fill(Unassigned);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
            const QString text = decoder.decode(QByteArrayView(&byte, 1));
            if (!isLead(uchar(b)) && !decoder.hasError() && text.size() == 1) {
                single[b] = text.at(0).unicode();
            }
        }
        // Every double-byte code in one pass, each followed by a line feed,
        // which is never a trail byte: a code that decodes to one character
        // that is not a substitute is assigned.
        QByteArray all;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (isLead(uchar(lead)) && isTrail(uchar(trail))) {
                    all += char(lead);
                    all += char(trail);
                    all += '\n';
                }
            }
        }
        QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
        const QString decoded = decoder.decode(all);
        const QList<QStringView> units = QStringView(decoded).split(u'\n');
        qsizetype next = 0;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isLead(uchar(lead)) || !isTrail(uchar(trail))) {
                    continue;
                }
                const QStringView unit = units.value(next++);
                if (unit.size() == 1 && unit[0] != u'\uFFFD' && unit[0] != u'\u001A') {
                    pairs[lead << 8 | trail] = unit[0].unicode();
                }
            }
        }
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

// Decoding by the tables: what the converter makes of every code, with the
// bytes it does not assign kept as private-use characters. Text grows by a
// unit only for a lone byte kept that way.
void decodeByTables(QByteArrayView bytes, QString& text) {
    const Tables& t = tables();
    text.resize(bytes.size() + 16);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    char16_t* end = out + text.size();
    const auto put = [&](char32_t code) {
        if (end - out < 2) {
            const qsizetype used = out - reinterpret_cast<char16_t*>(text.data());
            text.resize(text.size() * 2);
            out = reinterpret_cast<char16_t*>(text.data()) + used;
            end = reinterpret_cast<char16_t*>(text.data()) + text.size();
        }
        if (code > 0xFFFF) {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        } else {
            *out++ = char16_t(code);
        }
    };
    const uchar* in = reinterpret_cast<const uchar*>(bytes.data());
    const uchar* last = in + bytes.size();
    while (in < last) {
        const uchar b = *in;
        if (isLead(b) && in + 1 < last && isTrail(in[1])) {
            const char16_t c = t.pairs[b << 8 | in[1]];
            put(c != Unassigned ? char32_t(c) : RawPairBase + (char32_t(b) << 8 | in[1]));
            in += 2;
            continue;
        }
        put(t.single[b] != Unassigned ? char32_t(t.single[b]) : RawByteBase + b);
        ++in;
    }
    text.resize(out - reinterpret_cast<char16_t*>(text.data()));
}

// The bytes a private-use character of decode() stands for.
std::optional<QByteArray> rawBytes(char32_t code) {
    if (code >= RawByteBase && code <= RawByteBase + 0xFF) {
        return QByteArray(1, char(code - RawByteBase));
    }
    if (code >= RawPairBase && code <= RawPairBase + 0xFFFF) {
        const uchar lead = uchar((code - RawPairBase) >> 8);
        const uchar trail = uchar(code - RawPairBase);
        if (isLead(lead) && isTrail(trail)) {
            const char pair[2] = {char(lead), char(trail)};
            return QByteArray(pair, 2);
        }
    }
    return std::nullopt;
}

// Whether the text may hold characters of planes 15 and 16, where the
// private-use characters of decode() lie.
bool mayHoldRawBytes(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0xDB80 && c.unicode() <= 0xDBFF; });
}

// Lists each character that code page 932 cannot hold once, in order of
// first appearance.
QStringList unencodableCharacters(const QString& text) {
    QStringList found;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        if (rawBytes(character.toUcs4().value(0))) {
            continue;
        }
        QStringEncoder encoder(CodecName);
        const QByteArray bytes = encoder.encode(character);
        if (encoder.hasError() && !found.contains(character)) {
            found.append(character);
        }
    }
    return found;
}

// Encodes text that holds private-use characters of decode(): runs of other
// text go through the converter, those characters become their bytes.
QByteArray encodeKeepingRawBytes(const QString& text, QStringEncoder& encoder) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const std::optional<QByteArray> raw =
            pair ? rawBytes(QChar::surrogateToUcs4(text.at(i), text.at(i + 1))) : std::nullopt;
        if (!raw) {
            i += pair ? 2 : 1;
            continue;
        }
        bytes += encoder.encode(QStringView(text).sliced(runStart, i - runStart));
        bytes += *raw;
        i += 2;
        runStart = i;
    }
    bytes += encoder.encode(QStringView(text).sliced(runStart));
    return bytes;
}

}  // namespace

QString decode(QByteArrayView bytes) {
    QString text;
    decodeByTables(bytes, text);
    return text;
}

void decodeInto(QByteArrayView bytes, QString& text) {
    decodeByTables(bytes, text);
}

QString mapLookAlikes(QString text) {
    const auto isLookAlike = [](QChar c) {
        for (const auto& [from, to] : lookAlikes) {
            if (c.unicode() == from) {
                return true;
            }
        }
        return false;
    };
    // Most texts hold none: look before detaching the string.
    const auto first = std::find_if(text.cbegin(), text.cend(), isLookAlike);
    if (first == text.cend()) {
        return text;
    }
    for (qsizetype i = first - text.cbegin(); i < text.size(); ++i) {
        for (const auto& [from, to] : lookAlikes) {
            if (text.at(i).unicode() == from) {
                text[i] = QChar(to);
                break;
            }
        }
    }
    return text;
}

Encoded encode(const QString& text) {
    const QString mapped = mapLookAlikes(text);
    QStringEncoder encoder(CodecName);
    QByteArray bytes =
        mayHoldRawBytes(mapped) ? encodeKeepingRawBytes(mapped, encoder) : encoder.encode(mapped);
    if (!encoder.hasError()) {
        return {std::move(bytes), {}};
    }
    QStringList shown;
    for (const QString& character : unencodableCharacters(mapped)) {
        shown.append(
            u"「"_s + character + u"」(U+"_s +
            QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0') +
            u")"_s);
    }
    return {{},
            u"次の文字はShift-JISで保存できないため、保存を中止しました。\r\n"_s +
                shown.join(u' ') + u"\r\n別の文字に置き換えてから、もう一度保存してください。"_s};
}

}  // namespace cp932
