// The arguments of an expect step, read by the name of what it looks at.
#include <algorithm>
#include <limits>

#include "parser.h"

using namespace Qt::StringLiterals;

namespace scenario::parsing {

namespace {

struct CheckSyntax {
    QStringView name;
    Property property;
    bool (*read)(Reader& in, Step& step);
};

template <std::size_t N>
const CheckSyntax* syntaxNamed(const CheckSyntax (&table)[N], const QString& name) {
    const auto* found = std::find_if(std::begin(table), std::end(table),
                                     [&](const CheckSyntax& entry) { return entry.name == name; });
    return found == std::end(table) ? nullptr : found;
}

bool readNothing(Reader&, Step&) {
    return true;
}

bool readPath(Reader& in, Step& step) {
    return in.any(&step.text, u"a path"_s);
}

bool readBytesForm(Reader& in, Step& step) {
    QString form;
    if (!in.any(&step.text, u"a path"_s) || !in.oneOf(&form, {u"plain"_s, u"enciphered"_s})) {
        return false;
    }
    step.flag = form == u"enciphered"_s;
    return true;
}

// expect sealed PATH "PASSWORD": the password goes into message.
bool readSealed(Reader& in, Step& step) {
    return in.any(&step.text, u"a path"_s) && in.string(&step.message, u"the password"_s);
}

bool readWindowState(Reader& in, Step& step) {
    QString state;
    if (!in.target(&step.target, true) || !in.oneOf(&state, {u"open"_s, u"closed"_s})) {
        return false;
    }
    step.flag = state == u"open"_s;
    return true;
}

bool readShellTarget(Reader& in, Step& step) {
    return in.string(&step.text, u"the target"_s);
}

bool readFileState(Reader& in, Step& step) {
    QString state;
    if (!in.any(&step.text, u"a path"_s) || !in.oneOf(&state, {u"exists"_s, u"missing"_s})) {
        return false;
    }
    step.flag = state == u"exists"_s;
    return true;
}

// Checks of the program as a whole, named by the word after expect.
constexpr CheckSyntax ProgramChecks[] = {
    {u"ended", Property::Ended, &readNothing},     {u"window", Property::Window, &readWindowState},
    {u"shell", Property::Shell, &readShellTarget}, {u"file", Property::FileExists, &readFileState},
    {u"plain", Property::Plain, &readPath},        {u"text", Property::PlainText, &readPath},
    {u"bytes", Property::Bytes, &readBytesForm},   {u"utf8", Property::Utf8Text, &readPath},
    {u"sealed", Property::Sealed, &readSealed},
};

bool readText(Reader& in, Step& step) {
    return in.string(&step.text, u"the text"_s);
}

bool readFlag(Reader& in, Step& step) {
    return in.yesNo(&step.flag);
}

bool readDate(Reader& in, Step& step) {
    return in.date(&step.date);
}

bool readNumber(Reader& in, Step& step, const QString& what, int minimum) {
    int number = 0;
    if (!in.number(&number, what, minimum)) {
        return false;
    }
    step.numbers.append(number);
    return true;
}

bool readValue(Reader& in, Step& step) {
    return readNumber(in, step, u"a value"_s, std::numeric_limits<int>::min());
}

bool readTabKey(Reader& in, Step& step) {
    return in.any(&step.text, u"a tab key"_s);
}

bool readRowCount(Reader& in, Step& step) {
    return readNumber(in, step, u"a number of rows"_s, 0);
}

bool readRow(Reader& in, Step& step) {
    QString raw;
    if (!readNumber(in, step, u"a row number"_s, 1) ||
        !in.string(&step.text, u"the row's cells"_s, &raw)) {
        return false;
    }
    const std::optional<QStringList> cells = splitCells(raw, &in.error);
    if (!cells) {
        return false;
    }
    step.cells = *cells;
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

// What a cell check looks at besides the text: color r,g,b, and bold or plain.
bool readCellMarks(Reader& in, Step& step) {
    while (!in.atEnd()) {
        QString mark;
        if (!in.oneOf(&mark, {u"color"_s, u"bold"_s, u"plain"_s})) {
            return false;
        }
        if (mark != u"color"_s) {
            if (step.bold) {
                in.error = u"bold or plain is given twice"_s;
                return false;
            }
            step.bold = mark == u"bold"_s;
        } else if (step.color) {
            in.error = u"color is given twice"_s;
            return false;
        } else if (!readColor(in, step)) {
            return false;
        }
    }
    return true;
}

bool readCell(Reader& in, Step& step) {
    return readNumber(in, step, u"a row number"_s, 1) &&
           readNumber(in, step, u"a column number"_s, 1) &&
           in.string(&step.text, u"the cell's text"_s) && readCellMarks(in, step);
}

bool readHeaderText(Reader& in, Step& step) {
    return readNumber(in, step, u"a column number"_s, 1) &&
           in.string(&step.text, u"the header text"_s);
}

bool readWidth(Reader& in, Step& step) {
    return readNumber(in, step, u"a column number"_s, 1) &&
           readNumber(in, step, u"a width in twips"_s, 0);
}

bool readBox(Reader& in, Step& step) {
    for (const QString& what : {u"x"_s, u"y"_s, u"a width"_s, u"a height"_s}) {
        Bound bound;
        if (!in.bound(&bound, what)) {
            return false;
        }
        step.bounds.append(bound);
    }
    return true;
}

// series "NAME" "V1|V2|…": the name in text, the values as written in message.
bool readSeries(Reader& in, Step& step) {
    return in.string(&step.text, u"the series name"_s) && in.string(&step.message, u"the values"_s);
}

// Checks of one control, named by the word after its window.object.
constexpr CheckSyntax ControlChecks[] = {
    {u"text", Property::Text, &readText},
    {u"enabled", Property::Enabled, &readFlag},
    {u"visible", Property::Visible, &readFlag},
    {u"checked", Property::Checked, &readFlag},
    {u"date", Property::Date, &readDate},
    {u"value", Property::Value, &readValue},
    {u"tab", Property::Tab, &readTabKey},
    {u"rows", Property::Rows, &readRowCount},
    {u"row", Property::Row, &readRow},
    {u"cell", Property::Cell, &readCell},
    {u"header", Property::Header, &readHeaderText},
    {u"width", Property::Width, &readWidth},
    {u"box", Property::Box, &readBox},
    {u"series", Property::Series, &readSeries},
};

}  // namespace

bool readExpect(Reader& in, Step& step) {
    const Token* first = in.peek();
    if (first == nullptr) {
        in.error = u"what to expect is missing"_s;
        return false;
    }
    QString what = first->quoted ? QString() : first->text;
    const CheckSyntax* syntax = syntaxNamed(ProgramChecks, what);
    if (syntax != nullptr) {
        in.word(&what, {});
    } else {
        if (!in.target(&step.target) || !in.word(&what, u"what to expect"_s)) {
            return false;
        }
        syntax = syntaxNamed(ControlChecks, what);
        if (syntax == nullptr) {
            in.error = u"unknown check "_s + what;
            return false;
        }
    }
    step.property = syntax->property;
    return syntax->read(in, step);
}

}  // namespace scenario::parsing
