// The arguments of every step but expect, read by the step's name.
#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "parser.h"

using namespace Qt::StringLiterals;

namespace scenario::parsing {

namespace {

bool readNothing(Reader&, Step&) {
    return true;
}

bool readToday(Reader& in, Step& step) {
    return in.date(&step.date);
}

bool readWrite(Reader& in, Step& step) {
    QString form;
    if (!in.any(&step.text, u"a path"_s) ||
        !in.oneOf(&form, {u"plain"_s, u"enciphered"_s, u"bytes"_s})) {
        return false;
    }
    if (form == u"bytes"_s) {
        step.bytes = true;
        if (!in.oneOf(&form, {u"plain"_s, u"enciphered"_s})) {
            return false;
        }
    }
    step.flag = form == u"enciphered"_s;
    return true;
}

bool readMessage(Reader& in, Step& step) {
    static constexpr struct {
        QStringView name;
        platform::MessageAnswer answer;
    } answers[] = {
        {u"OK", platform::MessageAnswer::Ok},
        {u"Yes", platform::MessageAnswer::Yes},
        {u"No", platform::MessageAnswer::No},
        {u"Cancel", platform::MessageAnswer::Cancel},
    };
    QString name;
    if (!in.word(&name, u"an answer"_s)) {
        return false;
    }
    const auto* found = std::find_if(std::begin(answers), std::end(answers),
                                     [&](const auto& entry) { return entry.name == name; });
    if (found == std::end(answers)) {
        in.error = u"the answer is OK, Yes, No or Cancel, found "_s + name;
        return false;
    }
    step.answer = found->answer;
    return in.string(&step.text, u"the title"_s) && in.string(&step.message, u"the text"_s);
}

// A file, folder or printer dialog's answer: a path, or cancel.
bool readAnswer(Reader& in, Step& step) {
    const Token* token = in.peek();
    if (token != nullptr && !token->quoted && token->text == u"cancel"_s) {
        step.cancel = true;
        QString cancel;
        return in.word(&cancel, {});
    }
    return in.string(&step.text, u"a path or cancel"_s);
}

bool readShellResult(Reader& in, Step& step) {
    int result = 0;
    if (!in.number(&result, u"a result code"_s, std::numeric_limits<int>::min())) {
        return false;
    }
    step.numbers = {result};
    return true;
}

bool readShot(Reader& in, Step& step) {
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

bool readTarget(Reader& in, Step& step) {
    return in.target(&step.target);
}

bool readWindow(Reader& in, Step& step) {
    return in.target(&step.target, true);
}

bool readCheck(Reader& in, Step& step) {
    QString state;
    if (!in.target(&step.target) || !in.oneOf(&state, {u"on"_s, u"off"_s})) {
        return false;
    }
    step.flag = state == u"on"_s;
    return true;
}

bool readText(Reader& in, Step& step) {
    return in.target(&step.target) && in.string(&step.text, u"the text"_s);
}

bool readKey(Reader& in, Step& step) {
    static constexpr struct {
        QStringView name;
        Qt::Key key;
    } named[] = {
        {u"Enter", Qt::Key_Return},  {u"Delete", Qt::Key_Delete}, {u"Backspace", Qt::Key_Backspace},
        {u"Escape", Qt::Key_Escape}, {u"Up", Qt::Key_Up},         {u"Down", Qt::Key_Down},
        {u"Tab", Qt::Key_Tab},
    };
    if (!in.target(&step.target)) {
        return false;
    }
    const Token* token = in.peek();
    QString text;
    if (!in.any(&text, u"a key"_s)) {
        return false;
    }
    if (!token->quoted) {
        for (const auto& entry : named) {
            if (text == entry.name) {
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

bool readChoose(Reader& in, Step& step) {
    return in.target(&step.target) && in.string(&step.text, u"the item's text"_s);
}

bool readDate(Reader& in, Step& step) {
    return in.target(&step.target) && in.date(&step.date);
}

bool readTab(Reader& in, Step& step) {
    return in.target(&step.target) && in.any(&step.text, u"a tab key"_s);
}

bool readSelect(Reader& in, Step& step) {
    QString rows;
    if (!in.target(&step.target) || !in.word(&rows, u"rows such as 1,3"_s)) {
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

bool readDoubleClick(Reader& in, Step& step) {
    int row = 0;
    if (!in.target(&step.target) || !in.number(&row, u"a row number"_s, 1)) {
        return false;
    }
    step.numbers = {row};
    if (in.atEnd()) {
        return true;
    }
    QString button;
    if (!in.oneOf(&button, {u"left"_s, u"right"_s})) {
        return false;
    }
    step.flag = button == u"right"_s;
    return true;
}

bool readHeader(Reader& in, Step& step) {
    int column = 0;
    if (!in.target(&step.target) || !in.number(&column, u"a column number"_s, 1)) {
        return false;
    }
    step.numbers = {column};
    return true;
}

// A window's new client area, in pixels at 96 dpi.
bool readResize(Reader& in, Step& step) {
    int width = 0;
    int height = 0;
    if (!in.target(&step.target, true) || !in.number(&width, u"a width in pixels"_s, 1) ||
        !in.number(&height, u"a height in pixels"_s, 1)) {
        return false;
    }
    step.numbers = {width, height};
    return true;
}

struct StepSyntax {
    QStringView name;
    StepKind kind;
    bool (*read)(Reader& in, Step& step);
};

constexpr StepSyntax Steps[] = {
    {u"today", StepKind::Today, &readToday},
    {u"write", StepKind::Write, &readWrite},
    {u"clipboard", StepKind::Clipboard, &readNothing},
    {u"start", StepKind::Start, &readNothing},
    {u"restart", StepKind::Restart, &readNothing},
    {u"message", StepKind::Message, &readMessage},
    {u"file", StepKind::File, &readAnswer},
    {u"folder", StepKind::Folder, &readAnswer},
    {u"printer", StepKind::Printer, &readAnswer},
    {u"shell-result", StepKind::ShellResult, &readShellResult},
    {u"click", StepKind::Click, &readTarget},
    {u"check", StepKind::Check, &readCheck},
    {u"type", StepKind::Type, &readText},
    {u"paste", StepKind::Paste, &readText},
    {u"key", StepKind::Key, &readKey},
    {u"choose", StepKind::Choose, &readChoose},
    {u"date", StepKind::Date, &readDate},
    {u"tab", StepKind::Tab, &readTab},
    {u"select", StepKind::Select, &readSelect},
    {u"dblclick", StepKind::DoubleClick, &readDoubleClick},
    {u"header", StepKind::Header, &readHeader},
    {u"close", StepKind::Close, &readWindow},
    {u"resize", StepKind::Resize, &readResize},
    {u"shot", StepKind::Shot, &readShot},
    {u"expect", StepKind::Expect, &readExpect},
};

}  // namespace

bool readStep(const QString& name, Reader& in, Step& step) {
    const auto* syntax = std::find_if(std::begin(Steps), std::end(Steps),
                                      [&](const StepSyntax& entry) { return entry.name == name; });
    if (syntax == std::end(Steps)) {
        in.error = u"unknown step "_s + name;
        return false;
    }
    step.kind = syntax->kind;
    return syntax->read(in, step);
}

}  // namespace scenario::parsing
