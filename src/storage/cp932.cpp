#include "storage/cp932.h"

#include <QStringList>
#include <algorithm>
#include <optional>

#include "storage/cp932_converter.h"

using namespace Qt::StringLiterals;

namespace cp932 {

namespace {

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

using converter::isLead;
using converter::isTrail;
using converter::Unassigned;

// What code page 932 makes of every single byte and every double-byte code,
// read once from the converter itself.
const converter::Tables& tables() {
    static const converter::Tables instance = converter::readTables();
    return instance;
}

// Decoding by the tables: what the converter makes of every code, with the
// bytes it does not assign kept as private-use characters. Text grows by a
// unit only for a lone byte kept that way.
void decodeByTables(QByteArrayView bytes, QString& text) {
    const converter::Tables& t = tables();
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

// The code point of one character; a lone surrogate stands for itself.
char32_t codeOf(const QString& character) {
    return character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                 : character[0].unicode();
}

// A character that the converter writes as the code of another character
// (ICU's one-way fallbacks) would come back as that one: it is not held.
bool encodesFaithfully(const QString& character) {
    QByteArray bytes;
    if (!converter::encode(character, bytes)) {
        return false;
    }
    QString back;
    decodeByTables(bytes, back);
    return back == character;
}

// Lists each character that code page 932 cannot hold once, in order of
// first appearance.
QStringList unencodableCharacters(const QString& text) {
    QStringList found;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        i += character.size();
        if (rawBytes(codeOf(character))) {
            continue;
        }
        if (!encodesFaithfully(character) && !found.contains(character)) {
            found.append(character);
        }
    }
    return found;
}

// Encodes text that holds private-use characters of decode(): runs of other
// text go through the converter, those characters become their bytes.
bool encodeKeepingRawBytes(const QString& text, QByteArray& bytes) {
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
        if (!converter::encode(QStringView(text).sliced(runStart, i - runStart), bytes)) {
            return false;
        }
        bytes += *raw;
        i += 2;
        runStart = i;
    }
    return converter::encode(QStringView(text).sliced(runStart), bytes);
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
    QByteArray bytes;
    if (mayHoldRawBytes(mapped) ? encodeKeepingRawBytes(mapped, bytes)
                                : converter::encode(mapped, bytes)) {
        // What is stored must read back as the text that was given.
        QString back;
        decodeByTables(bytes, back);
        if (back == mapped) {
            return {std::move(bytes), {}};
        }
    }
    QStringList shown;
    for (const QString& character : unencodableCharacters(mapped)) {
        shown.append(u"「"_s + character + u"」(U+"_s +
                     QString::number(codeOf(character), 16).toUpper().rightJustified(4, u'0') +
                     u")"_s);
    }
    return {{},
            u"次の文字はShift-JISで保存できないため、保存を中止しました。\r\n"_s +
                shown.join(u' ') + u"\r\n別の文字に置き換えてから、もう一度保存してください。"_s};
}

}  // namespace cp932
