#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/prompter.h"

// An acceptance scenario as read from a .scn file: one step per line, checked
// for syntax before anything runs.
namespace scenario {

enum class StepKind {
    Today,
    Write,
    Clipboard,
    Start,
    Restart,
    Message,
    File,
    Folder,
    Printer,
    ShellResult,
    Click,
    Check,
    Type,
    Paste,
    Key,
    Choose,
    Date,
    Tab,
    Select,
    DoubleClick,
    Header,
    Close,
    Resize,
    Shot,
    Expect,
};

// What an expect step looks at.
enum class Property {
    Text,
    Enabled,
    Visible,
    Checked,
    Date,
    Value,
    Tab,
    Rows,
    Row,
    Cell,
    Header,
    Width,
    Box,
    Series,  // a chart's bar set or line, by name
    Window,
    Ended,
    Shell,
    FileExists,
    Plain,      // enciphered file, compared deciphered
    PlainText,  // file stored as it is
    Utf8Text,   // file stored as it is, in UTF-8
    Sealed,     // sealed data file, opened with the key a password unlocks
    Bytes,      // a file's bytes, as they are or deciphered
};

// One number of a box check: N within a couple of pixels, at least N, at
// most N, or anything.
struct Bound {
    enum class Kind { About, AtLeast, AtMost, Any };
    Kind kind = Kind::Any;
    int value = 0;

    // How far a control may sit from N: rounding of the dpi and of the
    // styles' frames.
    static constexpr int Slack = 2;

    bool admits(int found) const;
    QString text() const;  // as a scenario writes it
};

// "window.object", or "window" alone for the window itself.
struct Target {
    QString window;
    QString object;
    QString display() const { return object.isEmpty() ? window : window + u'.' + object; }
};

struct Step {
    int line = 0;
    QString source;  // the step's line as written
    StepKind kind = StepKind::Start;
    Property property = Property::Text;
    Target target;
    QString text;         // the text, path, title, tab key or shot name of the step
    QString message;      // a message step's text
    bool cancel = false;  // file, folder and printer answers
    bool flag = false;    // on, yes, exists, open, right button, enciphered
    bool bytes = false;   // write: the heredoc is hexadecimal bytes
    QList<int> numbers;   // rows, columns, values and sizes, as written (from 1)
    QList<Bound> bounds;  // a box: x, y, width, height
    QDate date;
    QStringList cells;  // a row's cells
    QStringList lines;  // a heredoc's lines
    platform::MessageAnswer answer = platform::MessageAnswer::Ok;
    Qt::Key key = Qt::Key_unknown;
    QString keyText;
    std::optional<QColor> color;
    std::optional<bool> bold;

    // Steps that act on the program: the answers queued before them must be
    // used by them.
    bool isAction() const;
};

// The bytes of hexadecimal lines ("82 a0 0d0a"): spaces are ignored and the
// lines are joined without any line end. Nothing when a line holds anything
// else or an odd number of digits.
std::optional<QByteArray> hexBytes(const QStringList& lines);

struct SyntaxError {
    int line = 0;
    QString message;
};

struct Scenario {
    QList<Step> steps;
    QList<SyntaxError> errors;
};

Scenario parse(const QString& text);

// The contents of a double-quoted string (without the quotes): \n is CR LF,
// \r a lone CR, \" a quote, \\ a backslash and \| a bar. Returns nothing and
// sets error for any other escape.
std::optional<QString> decodeString(QStringView raw, QString* error);

// A row's cells from the raw contents of its string: a bare | separates
// cells, \| is a bar inside a cell.
std::optional<QStringList> splitCells(QStringView raw, QString* error);

// The inverse of decodeString, for messages that show what was found.
QString quoted(const QString& text);
// A row's cells as a row step writes them.
QString quotedRow(const QStringList& cells);

// What a failing step expected and what it found instead.
struct Mismatch {
    QString expected;
    QString found;
    QStringList context;
};

// A line of an expected file: {…} matches any run of characters.
bool lineMatches(const QString& pattern, const QString& line);

// Compares the text of a file with the expected lines, each ended by CR LF.
std::optional<Mismatch> compareLines(const QString& text, const QStringList& expected);

}  // namespace scenario
