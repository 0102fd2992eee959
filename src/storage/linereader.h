#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Goes through a text line by line. CR LF, a lone CR and a lone LF each end a
// line; a record of a data file is exactly one line.
class LineReader {
  public:
    explicit LineReader(QStringView text) : text_(text) {}

    // The next line without its line end; false when the text is used up.
    bool next(QStringView* line);
    // The number, from 1, of the line last read.
    int number() const { return number_; }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
    int number_ = 0;
};

// True for a line of nothing but spaces: it holds no record and no damage.
bool isBlankLine(QStringView line);

// Reads a line of exactly `count` fields in double quotes, separated by
// commas, into fields; false when the line is anything else.
bool readQuotedFields(QStringView line, int count, QStringView* fields);

// Line numbers as a message names them: "3、5、9", the first ten, then "…".
QString lineNumbers(const QList<int>& lines);
