#include "storage/fieldreader.h"

namespace {

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

}  // namespace

bool FieldReader::atEndOfRecords() {
    while (pos_ < text_.size() && (text_[pos_] == u' ' || isLineEnd(text_[pos_]))) {
        ++pos_;
    }
    return pos_ >= text_.size();
}

QStringView FieldReader::readFieldView() {
    while (pos_ < text_.size() && text_[pos_] == u' ') {
        ++pos_;
    }
    if (pos_ >= text_.size()) {
        return {};
    }
    if (text_[pos_] == u'"') {
        const qsizetype start = pos_ + 1;
        qsizetype close = text_.indexOf(u'"', start);
        if (close < 0) {
            // No closing quote: the field takes the rest of the text.
            pos_ = text_.size();
            return text_.sliced(start);
        }
        pos_ = close + 1;
        skipSeparator();
        return text_.sliced(start, close - start);
    }
    const qsizetype start = pos_;
    while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) {
        ++pos_;
    }
    const qsizetype end = pos_;
    skipSeparator();
    return text_.sliced(start, end - start);
}

void FieldReader::skipSeparator() {
    while (pos_ < text_.size()) {
        const QChar c = text_[pos_++];
        if (c == u',' || c == u'\n') {
            return;
        }
        if (c == u'\r') {
            if (pos_ < text_.size() && text_[pos_] == u'\n') {
                ++pos_;
            }
            return;
        }
    }
}
