#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <utility>

#include "storage/cp932_converter.h"

namespace cp932::converter {

namespace {

constexpr const char* CodecName = "windows-31j";

// ICU reads the control bytes 1A, 1C and 7F as IBM's code page 943 does, as
// U+001C, U+007F and U+001A; Windows, whose files these are, keeps each as
// the control of its own value. Each pair is the byte and what ICU has for it.
constexpr std::pair<char16_t, char16_t> ibmControls[] = {{0x1A, 0x1C}, {0x1C, 0x7F}, {0x7F, 0x1A}};

bool isIbmControl(QChar c) {
    return c.unicode() == 0x1A || c.unicode() == 0x1C || c.unicode() == 0x7F;
}

// The text with each of those controls as the character ICU writes as its byte.
QString asIcuControls(QStringView text) {
    QString swapped = text.toString();
    for (QChar& c : swapped) {
        for (const auto& [byte, icu] : ibmControls) {
            if (c.unicode() == byte) {
                c = QChar(icu);
                break;
            }
        }
    }
    return swapped;
}

}  // namespace

Tables readTables() {
    Tables tables;
    tables.single.fill(Unassigned);
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(QByteArrayView(&byte, 1));
        if (!isLead(uchar(b)) && !decoder.hasError() && text.size() == 1) {
            tables.single[b] = text.at(0).unicode();
        }
    }
    for (const auto& [byte, icu] : ibmControls) {
        tables.single[byte] = byte;
    }
    // Every double-byte code in one pass, each followed by a line feed, which
    // is never a trail byte: a code that decodes to one character that is not
    // a substitute is assigned.
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
                tables.pairs[lead << 8 | trail] = unit[0].unicode();
            }
        }
    }
    return tables;
}

bool encode(QStringView text, QByteArray& bytes) {
    // Stateless: a high surrogate at the end is an error, not kept for a
    // next call that never comes.
    QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
    if (std::any_of(text.begin(), text.end(), isIbmControl)) {
        bytes += encoder.encode(asIcuControls(text));
    } else {
        bytes += encoder.encode(text);
    }
    return !encoder.hasError();
}

}  // namespace cp932::converter
