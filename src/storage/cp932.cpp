#include "storage/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

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

// Lists each character that code page 932 cannot hold once, in order of
// first appearance.
QStringList unencodableCharacters(const QString& text) {
    QStringList found;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        QStringEncoder encoder(CodecName);
        const QByteArray bytes = encoder.encode(character);
        if (encoder.hasError() && !found.contains(character)) {
            found.append(character);
        }
    }
    return found;
}

}  // namespace

QString decode(QByteArrayView bytes) {
    QStringDecoder decoder(CodecName);
    QString text = decoder.decode(bytes);
    // The decoder keeps a lead byte cut off at the end back, waiting for its
    // trail byte. A line feed, which is never a trail byte, turns it into a
    // substitute; the line feed itself is dropped again.
    text += decoder.decode(QByteArrayView("\n", 1));
    text.chop(1);
    return text;
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
    QByteArray bytes = encoder.encode(mapped);
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
