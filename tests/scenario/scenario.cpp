#include "scenario.h"

#include <QRegularExpression>
#include <limits>

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

struct Token {
    QString text;  // decoded
    QString raw;   // a quoted token's contents before decoding
    bool quoted = false;
};

struct Tokens {
    QList<Token> tokens;
    QString heredocMarker;  // empty: no heredoc
};

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
            result.tokens.append(token);
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
        if (word.startsWith(u"<<"_s)) {
            static const QRegularExpression marker(u"^<<([A-Za-z0-9_]+)$"_s);
            const QRegularExpressionMatch match = marker.match(word);
            if (!match.hasMatch()) {
                *error = u"a heredoc marker is << followed by a word, as in <<END"_s;
                return std::nullopt;
            }
            result.heredocMarker = match.captured(1);
            continue;
        }
        result.tokens.append({word, QString(), false});
    }
}

// Reads the arguments of one step, token by token. Each method reports what
// is wrong in error and returns false.
class Reader {
  public:
    explicit Reader(const QList<Token>& tokens) : tokens_(tokens) {}

    QString error;

    bool atEnd() const { return at_ >= tokens_.size(); }
    const Token* peek() const { return atEnd() ? nullptr : &tokens_[at_]; }

    bool end() {
        if (!atEnd()) {
            error = u"unexpected "_s + describe(tokens_[at_]);
            return false;
        }
        return true;
    }

    bool any(QString* out, const QString& what) {
        if (atEnd()) {
            error = what + u" is missing"_s;
            return false;
        }
        *out = tokens_[at_++].text;
        return true;
    }

    bool word(QString* out, const QString& what) {
        if (!atEnd() && tokens_[at_].quoted) {
            error = what + u" expected, found "_s + describe(tokens_[at_]);
            return false;
        }
        return any(out, what);
    }

    bool string(QString* out, const QString& what, QString* raw = nullptr) {
        if (!atEnd() && !tokens_[at_].quoted) {
            error = what + u" must be a string in double quotes, found "_s + tokens_[at_].text;
            return false;
        }
        if (raw != nullptr && !atEnd()) {
            *raw = tokens_[at_].raw;
        }
        return any(out, what);
    }

    bool oneOf(QString* out, const QStringList& choices) {
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

    bool target(Target* out, bool windowOnly = false) {
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

    bool number(int* out, const QString& what, int minimum) {
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

    bool date(QDate* out) {
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

    bool yesNo(bool* out) {
        QString text;
        if (!oneOf(&text, {u"yes"_s, u"no"_s})) {
            return false;
        }
        *out = text == u"yes"_s;
        return true;
    }

  private:
    const QList<Token>& tokens_;
    qsizetype at_ = 0;
};

std::optional<platform::MessageAnswer> answerNamed(const QString& name) {
    if (name == u"OK"_s) {
        return platform::MessageAnswer::Ok;
    }
    if (name == u"Yes"_s) {
        return platform::MessageAnswer::Yes;
    }
    if (name == u"No"_s) {
        return platform::MessageAnswer::No;
    }
    if (name == u"Cancel"_s) {
        return platform::MessageAnswer::Cancel;
    }
    return std::nullopt;
}

bool readKey(Reader& in, Step& step) {
    static const struct {
        const char16_t* name;
        Qt::Key key;
    } named[] = {
        {u"Enter", Qt::Key_Return},  {u"Delete", Qt::Key_Delete}, {u"Backspace", Qt::Key_Backspace},
        {u"Escape", Qt::Key_Escape}, {u"Up", Qt::Key_Up},         {u"Down", Qt::Key_Down},
        {u"Tab", Qt::Key_Tab},
    };
    const Token* token = in.peek();
    QString text;
    if (!in.any(&text, u"a key"_s)) {
        return false;
    }
    if (!token->quoted) {
        for (const auto& entry : named) {
            if (text == QStringView(entry.name)) {
                step.key = entry.key;
                return true;
            }
        }
    }
    if (text.toUcs4().size() != 1) {
        in.error =
            u"a key is Enter, Delete, Backspace, Escape, Up, Down, Tab or one character, "
            u"found "_s +
            describe(*token);
        return false;
    }
    step.keyText = text;
    return true;
}

bool readSelection(Reader& in, Step& step) {
    QString rows;
    if (!in.word(&rows, u"rows such as 1,3"_s)) {
        return false;
    }
    for (const QString& part : rows.split(u',')) {
        bool ok = false;
        const int row = part.toInt(&ok);
        if (!ok || row < 1) {
            in.error = u"rows such as 1,3 expected, found "_s + rows;
            return false;
        }
        step.numbers.append(row);
    }
    return true;
}

bool readColor(Reader& in, Step& step) {
    QString text;
    if (!in.word(&text, u"a colour r,g,b"_s)) {
        return false;
    }
    const QStringList parts = text.split(u',');
    QList<int> values;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || value < 0 || value > 255) {
            break;
        }
        values.append(value);
    }
    if (parts.size() != 3 || values.size() != 3) {
        in.error = u"a colour r,g,b (each 0 to 255) expected, found "_s + text;
        return false;
    }
    step.color = QColor(values[0], values[1], values[2]);
    return true;
}

bool readCellMarks(Reader& in, Step& step) {
    while (!in.atEnd()) {
        QString mark;
        if (!in.oneOf(&mark, {u"color"_s, u"bold"_s, u"plain"_s})) {
            return false;
        }
        if (mark == u"color"_s) {
            if (step.color) {
                in.error = u"color is given twice"_s;
                return false;
            }
            if (!readColor(in, step)) {
                return false;
            }
        } else {
            if (step.bold) {
                in.error = u"bold or plain is given twice"_s;
                return false;
            }
            step.bold = mark == u"bold"_s;
        }
    }
    return true;
}

bool readExpect(Reader& in, Step& step) {
    const Token* first = in.peek();
    if (first == nullptr) {
        in.error = u"what to expect is missing"_s;
        return false;
    }
    QString word = first->quoted ? QString() : first->text;
    if (word == u"ended"_s) {
        in.word(&word, {});
        step.property = Property::Ended;
        return true;
    }
    if (word == u"window"_s) {
        in.word(&word, {});
        step.property = Property::Window;
        QString state;
        if (!in.target(&step.target, true) || !in.oneOf(&state, {u"open"_s, u"closed"_s})) {
            return false;
        }
        step.flag = state == u"open"_s;
        return true;
    }
    if (word == u"shell"_s) {
        in.word(&word, {});
        step.property = Property::Shell;
        return in.string(&step.text, u"the target"_s);
    }
    if (word == u"file"_s) {
        in.word(&word, {});
        step.property = Property::FileExists;
        QString state;
        if (!in.any(&step.text, u"a path"_s) || !in.oneOf(&state, {u"exists"_s, u"missing"_s})) {
            return false;
        }
        step.flag = state == u"exists"_s;
        return true;
    }
    if (word == u"plain"_s || word == u"text"_s) {
        in.word(&word, {});
        step.property = word == u"plain"_s ? Property::Plain : Property::PlainText;
        return in.any(&step.text, u"a path"_s);
    }

    if (!in.target(&step.target)) {
        return false;
    }
    QString what;
    if (!in.word(&what, u"what to expect"_s)) {
        return false;
    }
    int number = 0;
    if (what == u"text"_s) {
        step.property = Property::Text;
        return in.string(&step.text, u"the text"_s);
    }
    if (what == u"enabled"_s || what == u"visible"_s || what == u"checked"_s) {
        step.property = what == u"enabled"_s   ? Property::Enabled
                        : what == u"visible"_s ? Property::Visible
                                               : Property::Checked;
        return in.yesNo(&step.flag);
    }
    if (what == u"date"_s) {
        step.property = Property::Date;
        return in.date(&step.date);
    }
    if (what == u"value"_s) {
        step.property = Property::Value;
        if (!in.number(&number, u"a value"_s, std::numeric_limits<int>::min())) {
            return false;
        }
        step.numbers = {number};
        return true;
    }
    if (what == u"tab"_s) {
        step.property = Property::Tab;
        return in.any(&step.text, u"a tab key"_s);
    }
    if (what == u"rows"_s) {
        step.property = Property::Rows;
        if (!in.number(&number, u"a number of rows"_s, 0)) {
            return false;
        }
        step.numbers = {number};
        return true;
    }
    if (what == u"row"_s) {
        step.property = Property::Row;
        QString raw;
        if (!in.number(&number, u"a row number"_s, 1) ||
            !in.string(&step.text, u"the row's cells"_s, &raw)) {
            return false;
        }
        step.numbers = {number};
        const std::optional<QStringList> cells = splitCells(raw, &in.error);
        if (!cells) {
            return false;
        }
        step.cells = *cells;
        return true;
    }
    if (what == u"cell"_s) {
        step.property = Property::Cell;
        int column = 0;
        if (!in.number(&number, u"a row number"_s, 1) ||
            !in.number(&column, u"a column number"_s, 1) ||
            !in.string(&step.text, u"the cell's text"_s)) {
            return false;
        }
        step.numbers = {number, column};
        return readCellMarks(in, step);
    }
    if (what == u"header"_s || what == u"width"_s) {
        step.property = what == u"header"_s ? Property::Header : Property::Width;
        if (!in.number(&number, u"a column number"_s, 1)) {
            return false;
        }
        step.numbers = {number};
        if (step.property == Property::Header) {
            return in.string(&step.text, u"the header text"_s);
        }
        if (!in.number(&number, u"a width in twips"_s, 0)) {
            return false;
        }
        step.numbers.append(number);
        return true;
    }
    in.error = u"unknown check "_s + what;
    return false;
}

// Fills step from the tokens after the step's name; false with in.error set
// when they do not fit.
bool readStep(const QString& name, Reader& in, Step& step) {
    QString word;
    const auto answerTo = [&](StepKind kind) {
        step.kind = kind;
        const Token* token = in.peek();
        if (token != nullptr && !token->quoted && token->text == u"cancel"_s) {
            step.cancel = true;
            return in.word(&word, {});
        }
        return in.string(&step.text, u"a path or cancel"_s);
    };
    const auto targetAnd = [&](StepKind kind) {
        step.kind = kind;
        return in.target(&step.target);
    };

    if (name == u"today"_s) {
        step.kind = StepKind::Today;
        return in.date(&step.date);
    }
    if (name == u"write"_s) {
        step.kind = StepKind::Write;
        if (!in.any(&step.text, u"a path"_s) || !in.oneOf(&word, {u"plain"_s, u"enciphered"_s})) {
            return false;
        }
        step.flag = word == u"enciphered"_s;
        return true;
    }
    if (name == u"clipboard"_s) {
        step.kind = StepKind::Clipboard;
        return true;
    }
    if (name == u"start"_s || name == u"restart"_s) {
        step.kind = name == u"start"_s ? StepKind::Start : StepKind::Restart;
        return true;
    }
    if (name == u"message"_s) {
        step.kind = StepKind::Message;
        if (!in.word(&word, u"an answer"_s)) {
            return false;
        }
        const std::optional<platform::MessageAnswer> answer = answerNamed(word);
        if (!answer) {
            in.error = u"the answer is OK, Yes, No or Cancel, found "_s + word;
            return false;
        }
        step.answer = *answer;
        return in.string(&step.text, u"the title"_s) && in.string(&step.message, u"the text"_s);
    }
    if (name == u"file"_s) {
        return answerTo(StepKind::File);
    }
    if (name == u"folder"_s) {
        return answerTo(StepKind::Folder);
    }
    if (name == u"printer"_s) {
        return answerTo(StepKind::Printer);
    }
    if (name == u"shell-result"_s) {
        step.kind = StepKind::ShellResult;
        int result = 0;
        if (!in.number(&result, u"a result code"_s, std::numeric_limits<int>::min())) {
            return false;
        }
        step.numbers = {result};
        return true;
    }
    if (name == u"click"_s) {
        return targetAnd(StepKind::Click);
    }
    if (name == u"check"_s) {
        if (!targetAnd(StepKind::Check) || !in.oneOf(&word, {u"on"_s, u"off"_s})) {
            return false;
        }
        step.flag = word == u"on"_s;
        return true;
    }
    if (name == u"type"_s || name == u"paste"_s) {
        return targetAnd(name == u"type"_s ? StepKind::Type : StepKind::Paste) &&
               in.string(&step.text, u"the text"_s);
    }
    if (name == u"key"_s) {
        return targetAnd(StepKind::Key) && readKey(in, step);
    }
    if (name == u"choose"_s) {
        return targetAnd(StepKind::Choose) && in.string(&step.text, u"the item's text"_s);
    }
    if (name == u"date"_s) {
        return targetAnd(StepKind::Date) && in.date(&step.date);
    }
    if (name == u"tab"_s) {
        return targetAnd(StepKind::Tab) && in.any(&step.text, u"a tab key"_s);
    }
    if (name == u"select"_s) {
        return targetAnd(StepKind::Select) && readSelection(in, step);
    }
    if (name == u"dblclick"_s) {
        int row = 0;
        if (!targetAnd(StepKind::DoubleClick) || !in.number(&row, u"a row number"_s, 1)) {
            return false;
        }
        step.numbers = {row};
        if (!in.atEnd()) {
            if (!in.oneOf(&word, {u"left"_s, u"right"_s})) {
                return false;
            }
            step.flag = word == u"right"_s;
        }
        return true;
    }
    if (name == u"header"_s) {
        int column = 0;
        if (!targetAnd(StepKind::Header) || !in.number(&column, u"a column number"_s, 1)) {
            return false;
        }
        step.numbers = {column};
        return true;
    }
    if (name == u"close"_s) {
        step.kind = StepKind::Close;
        return in.target(&step.target, true);
    }
    if (name == u"shot"_s) {
        step.kind = StepKind::Shot;
        if (!in.any(&step.text, u"a name"_s)) {
            return false;
        }
        static const QRegularExpression fileName(u"^[A-Za-z0-9_.-]+$"_s);
        if (!fileName.match(step.text).hasMatch()) {
            in.error = u"a shot's name may hold letters, digits, _ . and - only"_s;
            return false;
        }
        return true;
    }
    if (name == u"expect"_s) {
        step.kind = StepKind::Expect;
        return readExpect(in, step);
    }
    in.error = u"unknown step "_s + name;
    return false;
}

bool takesHeredoc(const Step& step) {
    return step.kind == StepKind::Write || step.kind == StepKind::Clipboard ||
           (step.kind == StepKind::Expect &&
            (step.property == Property::Plain || step.property == Property::PlainText));
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
            return true;
        default:
            return false;
    }
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

bool lineMatches(const QString& pattern, const QString& line) {
    static const QString wildcard = u"{\u2026}"_s;
    if (!pattern.contains(wildcard)) {
        return pattern == line;
    }
    QStringList parts = pattern.split(wildcard);
    for (QString& part : parts) {
        part = QRegularExpression::escape(part);
    }
    const QRegularExpression expression(QRegularExpression::anchoredPattern(parts.join(u".*"_s)),
                                        QRegularExpression::DotMatchesEverythingOption);
    return expression.match(line).hasMatch();
}

std::optional<Mismatch> compareLines(const QString& text, const QStringList& expected) {
    constexpr qsizetype ContextLines = 30;
    if (text.isEmpty() && expected.isEmpty()) {
        return std::nullopt;
    }
    QStringList found;
    if (!text.isEmpty()) {
        found = text.split(u"\r\n"_s);
        if (text.endsWith(u"\r\n"_s)) {
            found.removeLast();
        }
    }
    Mismatch mismatch;
    // The lines around the first difference.
    const auto addContext = [&](qsizetype difference) {
        mismatch.context.append(u"the file has %1 lines:"_s.arg(found.size()));
        const qsizetype first = std::max<qsizetype>(0, difference - ContextLines / 3);
        const qsizetype end = std::min(found.size(), first + ContextLines);
        if (first > 0) {
            mismatch.context.append(u"  ... %1 lines before"_s.arg(first));
        }
        for (qsizetype i = first; i < end; ++i) {
            mismatch.context.append(u"  %1: %2"_s.arg(i + 1).arg(quoted(found[i])));
        }
        if (end < found.size()) {
            mismatch.context.append(u"  ... and %1 more"_s.arg(found.size() - end));
        }
    };
    if (!text.isEmpty() && !text.endsWith(u"\r\n"_s)) {
        mismatch.expected = u"every line ended by CR LF"_s;
        mismatch.found = u"the last line is not: "_s + quoted(found.last());
        addContext(found.size() - 1);
        return mismatch;
    }
    for (qsizetype i = 0; i < std::max(found.size(), expected.size()); ++i) {
        if (i >= found.size() || i >= expected.size() || !lineMatches(expected[i], found[i])) {
            mismatch.expected = u"line %1: "_s.arg(i + 1) +
                                (i < expected.size() ? quoted(expected[i]) : u"no more lines"_s);
            mismatch.found = u"line %1: "_s.arg(i + 1) +
                             (i < found.size() ? quoted(found[i]) : u"the file ends"_s);
            addContext(i);
            return mismatch;
        }
    }
    return std::nullopt;
}

Scenario parse(const QString& text) {
    Scenario result;
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i + 1);
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
            continue;
        }
        QString error;
        const std::optional<Tokens> tokens = tokenize(lines[i], &error);
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

        if (tokens->tokens.isEmpty() || tokens->tokens.first().quoted) {
            result.errors.append({lineNumber, u"a step starts with its name"_s});
            continue;
        }
        Reader in(tokens->tokens);
        QString name;
        in.word(&name, {});
        if (!readStep(name, in, step) || !in.end()) {
            result.errors.append({lineNumber, in.error});
            continue;
        }
        if (takesHeredoc(step) != heredoc) {
            result.errors.append({lineNumber, heredoc ? name + u" takes no heredoc"_s
                                                      : name + u" needs a heredoc <<END"_s});
            continue;
        }
        result.steps.append(step);
    }
    return result;
}

}  // namespace scenario
