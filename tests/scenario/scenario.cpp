#include "scenario.h"

#include <cctype>
#include <cstdlib>

#include "parser.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

QStringList splitLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return lines;
}

bool takesHeredoc(const Step& step) {
    return step.kind == StepKind::Write || step.kind == StepKind::Clipboard ||
           (step.kind == StepKind::Expect &&
            (step.property == Property::Plain || step.property == Property::PlainText ||
             step.property == Property::Utf8Text || step.property == Property::Sealed ||
             step.property == Property::Bytes));
}

// Fills step from the tokens of its line; false with error set when they do
// not make a step, or when the step and its heredoc do not go together.
bool readLine(const QList<parsing::Token>& tokens, bool heredoc, Step& step, QString* error) {
    if (tokens.isEmpty() || tokens.first().quoted) {
        *error = u"a step starts with its name"_s;
        return false;
    }
    parsing::Reader in(tokens);
    QString name;
    in.word(&name, {});
    if (!parsing::readStep(name, in, step) || !in.end()) {
        *error = in.error;
        return false;
    }
    if (takesHeredoc(step) != heredoc) {
        *error = heredoc ? name + u" takes no heredoc"_s : name + u" needs a heredoc <<END"_s;
        return false;
    }
    return true;
}

}  // namespace

bool Step::isAction() const {
    switch (kind) {
        case StepKind::Start:
        case StepKind::Restart:
        case StepKind::Click:
        case StepKind::Check:
        case StepKind::Type:
        case StepKind::Paste:
        case StepKind::Key:
        case StepKind::Choose:
        case StepKind::Date:
        case StepKind::Tab:
        case StepKind::Select:
        case StepKind::DoubleClick:
        case StepKind::Header:
        case StepKind::Close:
        case StepKind::Resize:
            return true;
        default:
            return false;
    }
}

bool Bound::admits(int found) const {
    switch (kind) {
        case Kind::About:
            return std::abs(found - value) <= Slack;
        case Kind::AtLeast:
            return found >= value;
        case Kind::AtMost:
            return found <= value;
        case Kind::Any:
            break;
    }
    return true;
}

QString Bound::text() const {
    switch (kind) {
        case Kind::About:
            return QString::number(value);
        case Kind::AtLeast:
            return u">="_s + QString::number(value);
        case Kind::AtMost:
            return u"<="_s + QString::number(value);
        case Kind::Any:
            break;
    }
    return u"*"_s;
}

std::optional<QString> decodeString(QStringView raw, QString* error) {
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'\\') {
            text.append(raw[i]);
            continue;
        }
        if (++i == raw.size()) {
            *error = u"a string may not end with a lone backslash"_s;
            return std::nullopt;
        }
        switch (raw[i].unicode()) {
            case u'n':
                text.append(u"\r\n"_s);
                break;
            case u'r':
                text.append(u'\r');
                break;
            case u'"':
            case u'\\':
            case u'|':
                text.append(raw[i]);
                break;
            default:
                *error = u"unknown escape \\"_s + raw[i] +
                         u" (use \\n, \\r, \\\", \\\\ or \\| in strings)"_s;
                return std::nullopt;
        }
    }
    return text;
}

std::optional<QStringList> splitCells(QStringView raw, QString* error) {
    QStringList cells;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= raw.size(); ++i) {
        if (i < raw.size() && raw[i] == u'\\') {
            ++i;  // an escaped character never separates cells
            continue;
        }
        if (i == raw.size() || raw[i] == u'|') {
            const std::optional<QString> cell = decodeString(raw.sliced(start, i - start), error);
            if (!cell) {
                return std::nullopt;
            }
            cells.append(*cell);
            start = i + 1;
        }
    }
    return cells;
}

QString quoted(const QString& text) {
    QString out = u"\""_s;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += u"\\n"_s;
            ++i;
        } else if (c == u'\r') {
            out += u"\\r"_s;
        } else if (c == u'\n') {
            out += u"<LF>"_s;  // the format has no escape for a lone LF
        } else if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out + u'"';
}

QString quotedRow(const QStringList& cells) {
    QStringList parts;
    for (const QString& cell : cells) {
        parts.append(quoted(cell).mid(1).chopped(1).replace(u"|"_s, u"\\|"_s));
    }
    return u'"' + parts.join(u'|') + u'"';
}

namespace {

#ifdef Q_OS_WIN
constexpr QStringView ThisSystem = u"@windows";
#else
constexpr QStringView ThisSystem = u"@linux";
#endif

// A step written for one system only begins with "@windows" or "@linux":
// where the program shows what the system says or names its own files. The
// prefix is taken off the tokens; false when the step is for another system.
bool forThisSystem(parsing::Tokens& tokens, QString* error) {
    if (tokens.tokens.isEmpty() || tokens.tokens.first().quoted ||
        !tokens.tokens.first().text.startsWith(u'@')) {
        return true;
    }
    const QString system = tokens.tokens.takeFirst().text;
    if (system != u"@windows"_s && system != u"@linux"_s) {
        *error = u"unknown system "_s + system + u" (@windows or @linux)"_s;
    }
    return system == ThisSystem;
}

}  // namespace

Scenario parse(const QString& text) {
    Scenario result;
    const QStringList lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
            continue;
        }
        QString error;
        std::optional<parsing::Tokens> tokens = parsing::tokenize(lines[i], &error);
        if (!tokens) {
            result.errors.append({lineNumber, error});
            continue;
        }
        Step step;
        step.line = lineNumber;
        step.source = trimmed;
        const bool heredoc = !tokens->heredocMarker.isEmpty();
        if (heredoc) {
            const qsizetype end = lines.indexOf(tokens->heredocMarker, i + 1);
            if (end < 0) {
                result.errors.append(
                    {lineNumber, u"no line "_s + tokens->heredocMarker + u" ends the heredoc"_s});
                break;
            }
            step.lines = lines.mid(i + 1, end - i - 1);
            i = end;
        }
        const bool here = forThisSystem(*tokens, &error);
        if (error.isEmpty() && readLine(tokens->tokens, heredoc, step, &error)) {
            if (here) {
                result.steps.append(step);
            }
        } else {
            result.errors.append({lineNumber, error});
        }
    }
    return result;
}

std::optional<QByteArray> hexBytes(const QStringList& lines) {
    QByteArray digits;
    for (const QString& line : lines) {
        for (QChar c : line) {
            if (c == u' ') {
                continue;
            }
            if (c.unicode() > 127 || !std::isxdigit(c.toLatin1())) {
                return std::nullopt;
            }
            digits += c.toLatin1();
        }
    }
    if (digits.size() % 2 != 0) {
        return std::nullopt;
    }
    return QByteArray::fromHex(digits);
}

}  // namespace scenario
