#include "storage/monthfile.h"

#include <QDir>
#include <array>
#include <cstring>

#include "storage/cp932.h"
#include "storage/diskfile.h"
#include "storage/linereader.h"

using namespace Qt::StringLiterals;

namespace monthfile {

namespace {

// The text as the file can hold it: a double quote inside a field would end
// the field early, and a line end would end the record, so each becomes a
// space, as all free text entry does.
bool needsStoredForm(const QString& field) {
    return std::any_of(field.cbegin(), field.cend(),
                       [](QChar c) { return c == u'"' || c == u'\r' || c == u'\n'; });
}

QString storedForm(QString field) {
    for (QChar& c : field) {
        if (c == u'"' || c == u'\r' || c == u'\n') {
            c = u' ';
        }
    }
    return field;
}

// Copies a field in quotes to out and returns the position after it.
QChar* putQuoted(QChar* out, const QString& field) {
    *out++ = u'"';
    const QString safe = needsStoredForm(field) ? storedForm(field) : field;
    out = std::copy(safe.cbegin(), safe.cend(), out);
    *out++ = u'"';
    return out;
}

QChar* putLineEnd(QChar* out) {
    *out++ = u'\r';
    *out++ = u'\n';
    return out;
}

}  // namespace

QString format(const QList<PrizeEntry>& records, const QString& password) {
    const QString passwordField = PasswordPrefix.toString() + password;
    qsizetype size = password.isEmpty() ? 0 : passwordField.size() + 4;
    for (const PrizeEntry& record : records) {
        for (const QString& field : record) {
            size += field.size() + 3;  // two quotes and a comma, or CR after the last
        }
        size += 1;  // LF
    }
    QString out(size, Qt::Uninitialized);
    QChar* p = out.data();
    if (!password.isEmpty()) {
        p = putLineEnd(putQuoted(p, passwordField));
    }
    for (const PrizeEntry& record : records) {
        for (int i = 0; i < PrizeEntryFieldCount; ++i) {
            if (i > 0) {
                *p++ = u',';
            }
            p = putQuoted(p, record[i]);
        }
        p = putLineEnd(p);
    }
    Q_ASSERT(p == out.data() + out.size());
    return out;
}

Content scan(QStringView text, const std::function<bool(const FieldViews& record)>& visit) {
    Content content;
    FieldViews fields;
    LineReader lines(text);
    QStringView line;
    bool first = true;
    while (lines.next(&line)) {
        if (isBlankLine(line)) {
            continue;
        }
        if (first) {
            first = false;
            if (readQuotedFields(line, 1, fields.data()) && fields[0].startsWith(PasswordPrefix)) {
                content.hasPasswordLine = true;
                content.password = fields[0].sliced(PasswordPrefix.size()).toString();
                continue;
            }
        }
        if (readQuotedFields(line, PrizeEntryFieldCount, fields.data())) {
            if (!visit(fields)) {
                break;
            }
        } else {
            content.damagedLines.append(lines.number());
        }
    }
    return content;
}

namespace {

bool readQuotedByteFields(QByteArrayView line, int count, QByteArrayView* fields) {
    qsizetype pos = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (pos >= line.size() || line[pos] != ',') {
                return false;
            }
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '"') {
            return false;
        }
        const void* close = std::memchr(line.data() + pos + 1, '"', size_t(line.size() - pos - 1));
        if (close == nullptr) {
            return false;
        }
        const qsizetype end = static_cast<const char*>(close) - line.data();
        fields[i] = line.sliced(pos + 1, end - pos - 1);
        pos = end + 1;
    }
    return pos == line.size();
}

}  // namespace

QString RecentTexts::take(QStringView field) {
    if (field.isEmpty()) {
        return {};
    }
    for (const QString& known : recent_) {
        if (known.size() == field.size() && known == field) {
            return known;
        }
    }
    QString value = field.toString();
    recent_[next_] = value;
    next_ = (next_ + 1) % recent_.size();
    return value;
}

namespace {

// Goes through plain bytes line by line, as LineReader goes through text.
class ByteLineReader {
  public:
    explicit ByteLineReader(QByteArrayView plain) : plain_(plain) {}

    // The next line without its line end; false when the bytes are used up.
    bool next(QByteArrayView* line) {
        if (pos_ >= plain_.size()) {
            return false;
        }
        const char* data = plain_.data();
        const void* lf = std::memchr(data + pos_, '\n', size_t(plain_.size() - pos_));
        qsizetype end = lf ? static_cast<const char*>(lf) - data : plain_.size();
        if (const void* cr = std::memchr(data + pos_, '\r', size_t(end - pos_))) {
            end = static_cast<const char*>(cr) - data;
        }
        *line = plain_.sliced(pos_, end - pos_);
        ++number_;
        pos_ = end;
        if (pos_ < plain_.size()) {
            pos_ +=
                data[pos_] == '\r' && pos_ + 1 < plain_.size() && data[pos_ + 1] == '\n' ? 2 : 1;
        }
        return true;
    }
    int number() const { return number_; }
    // Where the line after the last one read begins.
    qsizetype position() const { return pos_; }

  private:
    QByteArrayView plain_;
    qsizetype pos_ = 0;
    int number_ = 0;
};

bool isBlankByteLine(QByteArrayView line) {
    return std::all_of(line.cbegin(), line.cend(), [](char c) { return c == ' '; });
}

bool isPasswordByteLine(QByteArrayView line, QByteArrayView* password) {
    QByteArrayView field;
    if (readQuotedByteFields(line, 1, &field) && field.startsWith("StartPassword=")) {
        *password = field.sliced(PasswordPrefix.size());
        return true;
    }
    return false;
}

}  // namespace

QByteArray withPasswordLine(QByteArrayView plain, const QString& password) {
    QByteArray out;
    if (!password.isEmpty()) {
        const QString line = u'"' + PasswordPrefix.toString() + storedForm(password) + u"\"\r\n"_s;
        out = cp932::encode(line).bytes;
    }
    ByteLineReader lines(plain);
    QByteArrayView line;
    qsizetype start = 0;
    while (lines.next(&line)) {
        if (!isBlankByteLine(line)) {
            QByteArrayView old;
            if (isPasswordByteLine(line, &old)) {
                // The old line goes; the blank lines before it stay.
                out += plain.first(start);
                out += plain.sliced(lines.position());
                return out;
            }
            break;
        }
        start = lines.position();
    }
    out += plain;
    return out;
}

Content scanBytes(QByteArrayView plain,
                  const std::function<bool(const ByteFields& record)>& visit) {
    Content content;
    ByteFields fields;
    ByteLineReader lines(plain);
    QByteArrayView line;
    bool first = true;
    while (lines.next(&line)) {
        const int number = lines.number();
        if (isBlankByteLine(line)) {
            continue;
        }
        if (first) {
            first = false;
            QByteArrayView password;
            if (isPasswordByteLine(line, &password)) {
                content.hasPasswordLine = true;
                content.password = cp932::decode(password);
                continue;
            }
        }
        if (readQuotedByteFields(line, PrizeEntryFieldCount, fields.data())) {
            if (!visit(fields)) {
                break;
            }
        } else {
            content.damagedLines.append(number);
        }
    }
    return content;
}

Content parse(QStringView text) {
    QList<PrizeEntry> records;
    // A month holds at most 32,767 records; a file of nothing but line ends
    // must not reserve for millions.
    records.reserve(std::min<qsizetype>(text.count(u'\n') + 1, 32768));
    std::array<RecentTexts, PrizeEntryFieldCount> recent;
    Content content = scan(text, [&](const FieldViews& fields) {
        PrizeEntry& record = records.emplace_back();
        for (int i = 0; i < PrizeEntryFieldCount; ++i) {
            record[i] = recent[i].take(fields[i]);
        }
        return true;
    });
    content.records = std::move(records);
    return content;
}

bool passwordFits(const Content& content, const QString& currentPassword) {
    if (content.hasPasswordLine) {
        // Compared as stored, so that a password holding a double quote still
        // opens the files written with it.
        return content.password == storedForm(currentPassword);
    }
    return currentPassword.isEmpty();
}

ReadResult read(const QString& path, const QString& currentPassword) {
    return readCopy(path, path, currentPassword);
}

ReadResult readCopy(const QString& path, const QString& original, const QString& currentPassword) {
    ReadResult result;
    diskfile::ReadResult file;
    file.status = diskfile::readEncipheredAs(path, original, file.plain, &file.error);
    switch (file.status) {
        case diskfile::ReadResult::Status::Missing:
            return result;
        case diskfile::ReadResult::Status::Failed:
            result.status = ReadResult::Status::Failed;
            result.error = file.error;
            return result;
        case diskfile::ReadResult::Status::Refused:
            result.status = ReadResult::Status::Refused;
            return result;
        case diskfile::ReadResult::Status::Read:
            break;
    }
    Content content = parse(cp932::decode(file.plain));
    if (!passwordFits(content, currentPassword)) {
        result.status = ReadResult::Status::Refused;
        return result;
    }
    result.status =
        content.damagedLines.isEmpty() ? ReadResult::Status::Loaded : ReadResult::Status::Damaged;
    result.records = std::move(content.records);
    result.damagedLines = std::move(content.damagedLines);
    return result;
}

QString dataFileErrorText(const QString& path) {
    return diskfile::refusedText(path);  // a sealed file that does not open says the same
}

QString damagedMonthText(const QString& path, const QList<int>& lines) {
    return u"データファイル「"_s + QDir::toNativeSeparators(path) + u"」の"_s + lineNumbers(lines) +
           u"行目を読み取れません。\r\nこの月は読み取れた懸賞情報だけを表示し、保存しません。"_s;
}

diskfile::WriteResult write(const QString& path, const QList<PrizeEntry>& records,
                            const QString& password) {
    cp932::Encoded encoded = cp932::encode(format(records, password));
    if (!encoded.ok()) {
        return {encoded.error};
    }
    if (encoded.bytes.isEmpty()) {
        return diskfile::removeFile(path);
    }
    return diskfile::replaceEnciphered(path, std::move(encoded.bytes));
}

}  // namespace monthfile
