#pragma once

#include <QString>
#include <QStringView>

// Reads comma-separated fields one at a time, across line ends, the way the
// data files have always been read: leading spaces are skipped; a quoted field
// runs to the next double quote (which may lie on a later line) and the reader
// then skips past the next comma or line end; an unquoted field runs to the
// next comma or line end. CR LF, a lone CR and a lone LF each end a line.
class FieldReader {
  public:
    explicit FieldReader(QStringView text) : text_(text) {}

    // Skips blank lines and spaces; true when nothing but those is left, so no
    // further record starts.
    bool atEndOfRecords();

    // The next field; past the end every field is empty.
    QString readField() { return readFieldView().toString(); }
    // The same, as a view into the text.
    QStringView readFieldView();

  private:
    // Moves past the next comma or line end at or after pos_.
    void skipSeparator();

    QStringView text_;
    qsizetype pos_ = 0;
};
