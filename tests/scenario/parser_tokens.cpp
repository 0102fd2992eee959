// A step's line cut into words and strings, and the reader of its arguments.
#include <QRegularExpression>

#include "parser.h"

using namespace Qt::StringLiterals;

namespace scenario::parsing {

namespace {

// The string whose opening quote is at at; at moves past the closing quote.
std::optional<Token> readString(QStringView line, qsizetype& at, QString* error) {
    const qsizetype size = line.size();
    const qsizetype start = ++at;
    while (at < size && line[at] != u'"') {
        at += line[at] == u'\\' ? 2 : 1;
    }
    if (at >= size) {
        *error = u"the string is not closed"_s;
        return std::nullopt;
    }
    Token token;
    token.quoted = true;
    token.raw = line.sliced(start, at - start).toString();
    const std::optional<QString> text = decodeString(token.raw, error);
    if (!text) {
        return std::nullopt;
    }
    token.text = *text;
    ++at;
    if (at < size && !line[at].isSpace()) {
        *error = u"a string must be followed by a space"_s;
        return std::nullopt;
    }
    return token;
}

// The name of the line that ends a heredoc, from a word that starts with <<.
std::optional<QString> heredocMarker(const QString& word, QString* error) {
    static const QRegularExpression marker(u"^<<([A-Za-z0-9_]+)$"_s);
    const QRegularExpressionMatch match = marker.match(word);
    if (!match.hasMatch()) {
        *error = u"a heredoc marker is << followed by a word, as in <<END"_s;
        return std::nullopt;
    }
    return match.captured(1);
}

}  // namespace

QString describe(const Token& token) {
    return token.quoted ? u"\""_s + token.raw + u"\""_s : token.text;
}

std::optional<Tokens> tokenize(QStringView line, QString* error) {
    Tokens result;
    qsizetype at = 0;
    const qsizetype size = line.size();
    while (true) {
        while (at < size && line[at].isSpace()) {
            ++at;
        }
        if (at == size) {
            return result;
        }
        if (!result.heredocMarker.isEmpty()) {
            *error = u"nothing may follow the heredoc marker <<"_s + result.heredocMarker;
            return std::nullopt;
        }
        if (line[at] == u'"') {
            const std::optional<Token> token = readString(line, at, error);
            if (!token) {
                return std::nullopt;
            }
            result.tokens.append(*token);
            continue;
        }
        const qsizetype start = at;
        while (at < size && !line[at].isSpace()) {
            ++at;
        }
        const QString word = line.sliced(start, at - start).toString();
        if (word.contains(u'"')) {
            *error = u"a quote inside the word "_s + word;
            return std::nullopt;
        }
        if (!word.startsWith(u"<<"_s)) {
            result.tokens.append({word, QString(), false});
            continue;
        }
        const std::optional<QString> marker = heredocMarker(word, error);
        if (!marker) {
            return std::nullopt;
        }
        result.heredocMarker = *marker;
    }
}

bool Reader::end() {
    if (!atEnd()) {
        error = u"unexpected "_s + describe(tokens_[at_]);
        return false;
    }
    return true;
}

bool Reader::any(QString* out, const QString& what) {
    if (atEnd()) {
        error = what + u" is missing"_s;
        return false;
    }
    *out = tokens_[at_++].text;
    return true;
}

bool Reader::word(QString* out, const QString& what) {
    if (!atEnd() && tokens_[at_].quoted) {
        error = what + u" expected, found "_s + describe(tokens_[at_]);
        return false;
    }
    return any(out, what);
}

bool Reader::string(QString* out, const QString& what, QString* raw) {
    if (!atEnd() && !tokens_[at_].quoted) {
        error = what + u" must be a string in double quotes, found "_s + tokens_[at_].text;
        return false;
    }
    if (raw != nullptr && !atEnd()) {
        *raw = tokens_[at_].raw;
    }
    return any(out, what);
}

bool Reader::oneOf(QString* out, const QStringList& choices) {
    const QString what = choices.join(u" or "_s);
    if (!word(out, what)) {
        return false;
    }
    if (!choices.contains(*out)) {
        error = what + u" expected, found "_s + *out;
        return false;
    }
    return true;
}

bool Reader::target(Target* out, bool windowOnly) {
    QString text;
    if (!word(&text, windowOnly ? u"a window"_s : u"a window.object"_s)) {
        return false;
    }
    static const QRegularExpression name(
        u"^([A-Za-z_][A-Za-z0-9_]*)(?:\\.([A-Za-z_][A-Za-z0-9_]*))?$"_s);
    const QRegularExpressionMatch match = name.match(text);
    if (!match.hasMatch() || (windowOnly && match.hasCaptured(2))) {
        error = (windowOnly ? u"a window name expected, found "_s
                            : u"window.object expected, found "_s) +
                text;
        return false;
    }
    out->window = match.captured(1);
    out->object = match.captured(2);
    return true;
}

bool Reader::number(int* out, const QString& what, int minimum) {
    QString text;
    if (!word(&text, what)) {
        return false;
    }
    bool ok = false;
    *out = text.toInt(&ok);
    if (!ok || *out < minimum) {
        error = what + u" expected, found "_s + text;
        return false;
    }
    return true;
}

bool Reader::bound(Bound* out, const QString& what) {
    QString text;
    if (!word(&text, what)) {
        return false;
    }
    if (text == u"*"_s) {
        *out = {Bound::Kind::Any, 0};
        return true;
    }
    Bound::Kind kind = Bound::Kind::About;
    QStringView number = text;
    if (text.startsWith(u">="_s)) {
        kind = Bound::Kind::AtLeast;
        number = number.sliced(2);
    } else if (text.startsWith(u"<="_s)) {
        kind = Bound::Kind::AtMost;
        number = number.sliced(2);
    }
    bool ok = false;
    const int value = number.toInt(&ok);
    if (!ok) {
        error = what + u" (N, >=N, <=N or *) expected, found "_s + text;
        return false;
    }
    *out = {kind, value};
    return true;
}

bool Reader::date(QDate* out) {
    QString text;
    if (!word(&text, u"a date yyyy/mm/dd"_s)) {
        return false;
    }
    static const QRegularExpression shape(u"^\\d{4}/\\d{2}/\\d{2}$"_s);
    *out = QDate::fromString(text, u"yyyy/MM/dd"_s);
    if (!shape.match(text).hasMatch() || !out->isValid()) {
        error = u"a date yyyy/mm/dd expected, found "_s + text;
        return false;
    }
    return true;
}

bool Reader::yesNo(bool* out) {
    QString text;
    if (!oneOf(&text, {u"yes"_s, u"no"_s})) {
        return false;
    }
    *out = text == u"yes"_s;
    return true;
}

}  // namespace scenario::parsing
