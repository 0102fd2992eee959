#include "diary/mailimport.h"

#include <QDate>
#include <optional>

#include "diary/links.h"
#include "diary/records.h"
#include "storage/linereader.h"

using namespace Qt::StringLiterals;

namespace mailimport {

namespace {

constexpr qsizetype MaxLineBytes = 608;

QString trimmedSpaces(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.sliced(begin, end - begin).toString();
}

QString withoutTrailingSpaces(const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ') {
        --end;
    }
    return line.left(end);
}

// The text between two markers of a joined block; nothing when the first
// is missing, and the rest of the text when the second is.
std::optional<QString> between(const QString& block, const QString& from, const QString& to) {
    const qsizetype start = block.indexOf(from);
    if (start < 0) {
        return std::nullopt;
    }
    const qsizetype begin = start + from.size();
    const qsizetype end = to.isEmpty() ? -1 : block.indexOf(to, begin);
    return trimmedSpaces(QStringView(block).sliced(begin, (end < 0 ? block.size() : end) - begin));
}

// A deadline in "yyyy/MM/dd", or in another form that reads as a date.
std::optional<QString> deadlineDate(const QString& text) {
    for (const QString& form : {u"yyyy/MM/dd"_s, u"yyyy/M/d"_s, u"yyyy-M-d"_s, u"yyyy.M.d"_s}) {
        const QDate date = QDate::fromString(text, form);
        if (date.isValid()) {
            return date.toString(u"yyyy/MM/dd"_s);
        }
    }
    return std::nullopt;
}

class Reader {
  public:
    explicit Reader(const QString& text) {
        LineReader reader(text);
        QStringView line;
        while (reader.next(&line)) {
            lines_.append(lineLimit(line.toString()));
        }
    }

    int size() const { return int(lines_.size()); }
    const QString& line(int i) const { return lines_[i]; }

    // The first line after `from` that the test accepts; -1 when the text
    // ends first.
    template <typename Test>
    int nextLine(int from, Test test) const {
        for (int i = from + 1; i < size(); ++i) {
            if (test(lines_[i])) {
                return i;
            }
        }
        return -1;
    }

    QString joined(int from, int to) const {
        QString block;
        for (int i = from; i < to; ++i) {
            block += withoutTrailingSpaces(lines_[i]);
        }
        return block;
    }

  private:
    QStringList lines_;
};

PrizeEntry emptyRecord() {
    PrizeEntry record;
    record[Kekka] = u"不明"_s;
    record[HappyMoney] = u"0"_s;
    record[HappyDay] = u"----/--/--"_s;
    record[Cycle] = u"不定期"_s;
    return record;
}

void putClassification(PrizeEntry& record, QString block) {
    block = block.mid(1);  // the "［"
    if (block.endsWith(u"］"_s)) {
        block.chop(1);
    }
    static const QStringList cycles = {u"不定期"_s, u"毎月"_s, u"毎週"_s, u"毎日"_s};
    const QStringList parts = block.split(u"│"_s);
    record[Genre] = parts.value(0);
    record[OboKeishiki] = parts.value(1);
    record[SenkoWay] = parts.value(2);
    if (parts.size() > 3) {
        if (cycles.contains(parts[3])) {
            record[Cycle] = parts[3];
            record[OboWay] = parts.value(4);
        } else {
            record[OboWay] = parts[3];
        }
    }
}

}  // namespace

QString lineLimit(const QString& line) {
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        const bool single = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
        const bool pair = line[i].isHighSurrogate() && i + 1 < line.size();
        const qsizetype size = single ? 1 : 2;
        if (bytes + size > MaxLineBytes) {
            return line.left(i);
        }
        bytes += size;
        i += pair ? 1 : 0;
    }
    return line;
}

Parsed parse(const QString& text, const QString& startDate, bool filedByDeadline) {
    Parsed parsed;
    const Reader r(text);
    const auto startsWith = [](const QString& marker) {
        return [marker](const QString& line) { return line.startsWith(marker); };
    };
    int at = 0;
    while (at < r.size()) {
        if (!r.line(at).contains(u"ID:"_s)) {
            ++at;
            continue;
        }
        // ID and prize, up to the URL or the number of winners.
        const int idEnd = r.nextLine(at, [](const QString& line) {
            return line.startsWith(u"URL "_s) ||
                   (!line.contains(u"URL "_s) && line.startsWith(u"当選数:"_s));
        });
        if (idEnd < 0) {
            break;
        }
        const QString idBlock = r.joined(at, idEnd);
        int numberStart = idEnd;
        QString url;
        if (r.line(idEnd).startsWith(u"URL "_s)) {
            numberStart = r.nextLine(idEnd, startsWith(u"当選数:"_s));
            if (numberStart < 0) {
                break;
            }
            url = *between(r.joined(idEnd, numberStart), u"URL "_s, QString());
            if (url.startsWith(u"http://https://"_s)) {
                url = url.mid(7);
            }
        }
        const int siteStart = r.nextLine(numberStart, startsWith(u"サイト名:"_s));
        const int introStart = siteStart < 0 ? -1 : r.nextLine(siteStart, startsWith(u"紹介文:"_s));
        const int classStart = introStart < 0 ? -1 : r.nextLine(introStart, startsWith(u"［"_s));
        const int classEnd = classStart < 0 ? -1
                             : r.line(classStart).contains(u"］"_s)
                                 ? classStart
                                 : r.nextLine(classStart, [](const QString& line) {
                                       return line.contains(u"］"_s);
                                   });
        if (classEnd < 0) {
            break;  // cut off by the end of the text
        }
        const QString numberBlock = r.joined(numberStart, siteStart);
        const std::optional<QString> present = between(idBlock, u"賞品:"_s, u"<http://"_s);
        const std::optional<QString> deadlineText = between(numberBlock, u"締切:"_s, QString());
        const std::optional<QString> deadline =
            deadlineText ? deadlineDate(*deadlineText) : std::nullopt;
        const QString id = between(idBlock, u"ID:"_s, u"賞品:"_s).value_or(QString());
        if (!present || !deadline) {
            // Without its prize the ID runs on: the user is shown its first word.
            parsed.unreadableIds.append(present ? id : id.section(u' ', 0, 0));
            at = classEnd + 1;
            continue;
        }
        PrizeEntry record = emptyRecord();
        record[ID] = id;
        record[Present] = records::ReplaceQuotes(*present);
        record[URL] =
            url.isEmpty() && !r.line(idEnd).startsWith(u"URL "_s) ? KirabiSearchLinkBase + id : url;
        record[Number] = between(numberBlock, u"当選数:"_s, u"締切:"_s).value_or(QString());
        record[FilingDate] = filedByDeadline ? *deadline : startDate;
        record[OtherDate] = filedByDeadline ? startDate : *deadline;
        record[Site] = records::ReplaceQuotes(
            between(r.joined(siteStart, introStart), u"サイト名:"_s, QString())
                .value_or(QString()));
        putClassification(record, r.joined(classStart, classEnd + 1));
        parsed.records.append(record);
        at = classEnd + 1;
    }
    return parsed;
}

}  // namespace mailimport
