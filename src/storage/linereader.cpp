#include "storage/linereader.h"

#include <QStringList>

using namespace Qt::StringLiterals;

bool LineReader::next(QStringView* line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    // Both searches run over many characters at a time.
    qsizetype end = text_.indexOf(u'\n', pos_);
    if (end < 0) {
        end = text_.size();
    }
    const qsizetype cr = text_.sliced(pos_, end - pos_).indexOf(u'\r');
    if (cr >= 0) {
        end = pos_ + cr;
    }
    *line = text_.sliced(pos_, end - pos_);
    ++number_;
    pos_ = end;
    if (pos_ < text_.size()) {
        const bool crlf =
            text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n';
        pos_ += crlf ? 2 : 1;
    }
    return true;
}

bool isBlankLine(QStringView line) {
    return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c == u' '; });
}

bool readQuotedFields(QStringView line, int count, QStringView* fields) {
    qsizetype pos = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (pos >= line.size() || line[pos] != u',') {
                return false;
            }
            ++pos;
        }
        if (pos >= line.size() || line[pos] != u'"') {
            return false;
        }
        const qsizetype close = line.indexOf(u'"', pos + 1);
        if (close < 0) {
            return false;
        }
        fields[i] = line.sliced(pos + 1, close - pos - 1);
        pos = close + 1;
    }
    return pos == line.size();
}

QString lineNumbers(const QList<int>& lines) {
    QStringList shown;
    for (qsizetype i = 0; i < lines.size() && i < 10; ++i) {
        shown.append(QString::number(lines[i]));
    }
    return shown.join(u"、"_s) + (lines.size() > 10 ? u"…"_s : QString());
}
