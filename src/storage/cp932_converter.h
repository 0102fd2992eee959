#pragma once

#include <QByteArray>
#include <QStringView>
#include <array>
#include <vector>

// What cp932.cpp needs of the system's code page 932 converter: ICU through Qt
// (cp932_icu.cpp) or Windows' own (cp932_win.cpp).
namespace cp932::converter {

// No character of code page 932 is U+FFFF.
constexpr char16_t Unassigned = 0xFFFF;

constexpr bool isLead(uchar b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool isTrail(uchar b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

struct Tables {
    // What each byte on its own decodes to; Unassigned for the lead bytes.
    std::array<char16_t, 256> single{};
    // What each double-byte code decodes to, at lead * 256 + trail.
    std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, Unassigned);
};

// Asks the converter what it makes of every code; slow, done once.
Tables readTables();

// Appends the bytes of text. Fails when any character, a lone surrogate among
// them, has no code of its own: no substitute, no best fit. The bytes
// appended are then of no use.
bool encode(QStringView text, QByteArray& bytes);

}  // namespace cp932::converter
