#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "scenario.h"

// The parts of the parser: a line cut into tokens, and the readers that make
// a step of them.
namespace scenario::parsing {

struct Token {
    QString text;  // decoded
    QString raw;   // a quoted token's contents before decoding
    bool quoted = false;
};

struct Tokens {
    QList<Token> tokens;
    QString heredocMarker;  // empty: no heredoc
};

// A token as it was written, for messages.
QString describe(const Token& token);

std::optional<Tokens> tokenize(QStringView line, QString* error);

// Reads the arguments of one step, token by token. Each method reports what
// is wrong in error and returns false.
class Reader {
  public:
    explicit Reader(const QList<Token>& tokens) : tokens_(tokens) {}

    QString error;

    bool atEnd() const { return at_ >= tokens_.size(); }
    const Token* peek() const { return atEnd() ? nullptr : &tokens_[at_]; }

    bool end();
    bool any(QString* out, const QString& what);
    bool word(QString* out, const QString& what);
    bool string(QString* out, const QString& what, QString* raw = nullptr);
    bool oneOf(QString* out, const QStringList& choices);
    bool target(Target* out, bool windowOnly = false);
    bool number(int* out, const QString& what, int minimum);
    // N, >=N, <=N or *.
    bool bound(Bound* out, const QString& what);
    bool date(QDate* out);
    bool yesNo(bool* out);

  private:
    const QList<Token>& tokens_;
    qsizetype at_ = 0;
};

// Fills step from the tokens after the step's name; false with in.error set
// when they do not fit.
bool readStep(const QString& name, Reader& in, Step& step);

// The arguments of an expect step: what it looks at and what it wants.
bool readExpect(Reader& in, Step& step);

}  // namespace scenario::parsing
