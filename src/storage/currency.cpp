#include "storage/currency.h"

#include <QtNumeric>
#include <limits>

namespace {

// Full-width digits and signs, as a Japanese input method types them, read
// like their ASCII forms.
char16_t narrow(char16_t c) {
    if (c >= u'０' && c <= u'９') {
        return static_cast<char16_t>(u'0' + (c - u'０'));
    }
    switch (c) {
        case u'－':
        case u'\u2212':  // MINUS SIGN
            return u'-';
        case u'＋':
            return u'+';
        case u'，':
            return u',';
        case u'．':
            return u'.';
        case u'　':
            return u' ';
        default:
            return c;
    }
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool fail(Currency::Error* error, Currency::Error kind) {
    if (error != nullptr) {
        *error = kind;
    }
    return false;
}

// Parses into units; false with *error set on failure.
bool parseUnits(QStringView text, qint64* units, Currency::Error* error) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        s.append(QChar(narrow(c.unicode())));
    }
    const QStringView v = QStringView(s).trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'-' || v[i] == u'+')) {
        negative = v[i] == u'-';
        ++i;
    }
    // Integer part: digits, with single commas only between digits.
    quint64 yen = 0;
    qsizetype digits = 0;
    bool overflow = false;
    for (; i < v.size(); ++i) {
        const char16_t c = v[i].unicode();
        if (isDigit(c)) {
            overflow = overflow || qMulOverflow(yen, quint64{10}, &yen) ||
                       qAddOverflow(yen, quint64(c - u'0'), &yen);
            ++digits;
        } else if (c == u',' && digits > 0 && i + 1 < v.size() && isDigit(v[i + 1].unicode())) {
            continue;
        } else {
            break;
        }
    }
    quint64 fraction = 0;  // in units
    qsizetype fractionDigits = 0;
    bool roundUp = false;
    if (i < v.size() && v[i] == u'.') {
        ++i;
        for (; i < v.size() && isDigit(v[i].unicode()); ++i) {
            const unsigned d = static_cast<unsigned>(v[i].unicode() - u'0');
            if (fractionDigits < 4) {
                fraction = fraction * 10 + d;
            } else if (fractionDigits == 4) {
                roundUp = d >= 5;
            }
            ++fractionDigits;
        }
    }
    if (i != v.size() || (digits == 0 && fractionDigits == 0)) {
        return fail(error, Currency::Error::NotANumber);
    }
    for (qsizetype k = fractionDigits; k < 4; ++k) {
        fraction *= 10;
    }
    quint64 total = 0;
    overflow = overflow || qMulOverflow(yen, quint64{Currency::UnitsPerYen}, &total) ||
               qAddOverflow(total, fraction + (roundUp ? 1 : 0), &total);
    // The negative range is one unit longer than the positive one.
    const quint64 limit = quint64{std::numeric_limits<qint64>::max()} + (negative ? 1 : 0);
    if (overflow || total > limit) {
        return fail(error, Currency::Error::Overflow);
    }
    *units = negative ? static_cast<qint64>(quint64{0} - total) : static_cast<qint64>(total);
    if (error != nullptr) {
        *error = Currency::Error::None;
    }
    return true;
}

}  // namespace

std::optional<Currency> Currency::fromYen(qint64 yen) {
    qint64 units = 0;
    if (qMulOverflow(yen, UnitsPerYen, &units)) {
        return std::nullopt;
    }
    return Currency(units);
}

std::optional<Currency> Currency::parse(QStringView text, Error* error) {
    qint64 units = 0;
    if (!parseUnits(text, &units, error)) {
        return std::nullopt;
    }
    return Currency(units);
}

QString Currency::toString() const {
    const bool negative = units_ < 0;
    // Work on the unsigned magnitude so that the most negative value prints too.
    const quint64 magnitude =
        negative ? quint64{0} - static_cast<quint64>(units_) : static_cast<quint64>(units_);
    QString text = QString::number(magnitude / UnitsPerYen);
    quint64 fraction = magnitude % UnitsPerYen;
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, u'0');
        while (decimals.endsWith(u'0')) {
            decimals.chop(1);
        }
        text += u'.' + decimals;
    }
    return negative ? u'-' + text : text;
}

std::optional<Currency> Currency::plus(Currency other) const {
    qint64 result = 0;
    if (qAddOverflow(units_, other.units_, &result)) {
        return std::nullopt;
    }
    return Currency(result);
}

std::optional<Currency> Currency::minus(Currency other) const {
    qint64 result = 0;
    if (qSubOverflow(units_, other.units_, &result)) {
        return std::nullopt;
    }
    return Currency(result);
}
