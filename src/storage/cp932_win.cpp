#include <windows.h>

#include <algorithm>
#include <iterator>

#include "storage/cp932_converter.h"

namespace cp932::converter {

namespace {

constexpr UINT CodePage = 932;

// Windows gives the single bytes that code page 932 leaves out characters of
// its own, 80 as U+0080 and A0, FD-FF as U+F8F0-U+F8F3 (Wine reads only 80
// so, but writes all five). Here they stay bytes and those characters are
// refused, as with ICU, so that a file reads the same on every system.
constexpr char16_t placeholders[] = {u'\u0080', u'\uF8F0', u'\uF8F1', u'\uF8F2', u'\uF8F3'};

bool isPlaceholder(QChar c) {
    return std::find(std::begin(placeholders), std::end(placeholders), c.unicode()) !=
           std::end(placeholders);
}

// MB_ERR_INVALID_CHARS: a code the code page leaves out is an error, not the
// code page's default character (U+30FB).
char16_t decodeCode(const char* bytes, int size) {
    wchar_t text[2];
    const int length = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes, size, text, 2);
    return length == 1 ? char16_t(text[0]) : Unassigned;
}

// At most two bytes a unit, and within the int the converter counts in.
constexpr qsizetype ChunkUnits = 1 << 20;

bool encodeChunk(QStringView text, QByteArray& bytes) {
    const qsizetype at = bytes.size();
    bytes.resize(at + 2 * text.size());
    // WC_NO_BEST_FIT_CHARS: a character without a code of its own takes the
    // default character and is reported, instead of becoming a look-alike
    // ('e' for 'é').
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(
        CodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.utf16()),
        int(text.size()), bytes.data() + at, int(2 * text.size()), nullptr, &usedDefault);
    bytes.resize(at + std::max(length, 0));
    return length > 0 && !usedDefault;
}

}  // namespace

Tables readTables() {
    Tables tables;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const char16_t c = isLead(uchar(b)) ? Unassigned : decodeCode(&byte, 1);
        tables.single[b] = isPlaceholder(c) ? Unassigned : c;
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (isLead(uchar(lead)) && isTrail(uchar(trail))) {
                const char code[2] = {char(lead), char(trail)};
                tables.pairs[lead << 8 | trail] = decodeCode(code, 2);
            }
        }
    }
    return tables;
}

bool encode(QStringView text, QByteArray& bytes) {
    // Code page 932 holds nothing outside the basic plane; the converter
    // would take a surrogate, paired or lone, for the default character.
    if (std::any_of(text.begin(), text.end(),
                    [](QChar c) { return c.isSurrogate() || isPlaceholder(c); })) {
        return false;
    }
    for (qsizetype at = 0; at < text.size(); at += ChunkUnits) {
        if (!encodeChunk(text.sliced(at, std::min(ChunkUnits, text.size() - at)), bytes)) {
            return false;
        }
    }
    return true;
}

}  // namespace cp932::converter
