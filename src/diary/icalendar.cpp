#include "diary/icalendar.h"

#include <QCryptographicHash>
#include <QDate>

#include "diary/deadlines.h"

using namespace Qt::StringLiterals;

namespace icalendar {

namespace {

constexpr qsizetype MaxOctets = 75;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

QString dateValue(QDate date) {
    return date.toString(u"yyyyMMdd"_s);
}

}  // namespace

QString escapeText(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u';' || c == u',') {
            escaped += u'\\';
            escaped += c;
        } else if (c == u'\r') {
            escaped += u"\\n"_s;
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;  // CR LF of a comment is one line end
            }
        } else if (c == u'\n') {
            escaped += u"\\n"_s;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QByteArray foldLine(const QByteArray& line) {
    QByteArray folded;
    qsizetype at = 0;
    qsizetype room = MaxOctets;
    while (line.size() - at > room) {
        qsizetype cut = at + room;
        while (cut > at && isContinuationByte(line[cut])) {
            --cut;  // back to the first byte of the character
        }
        folded += line.mid(at, cut - at);
        folded += "\r\n ";
        at = cut;
        room = MaxOctets - 1;  // the leading space counts
    }
    folded += line.mid(at);
    folded += "\r\n";
    return folded;
}

QString uid(const PrizeEntry& record, bool filedByDeadline) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& field : {record[FilingDate], record[ID], record[Site], record[Present],
                                 record[deadlines::deadlineField(filedByDeadline)]}) {
        hash.addData(field.toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));  // keeps "ab"+"c" apart from "a"+"bc"
    }
    return QString::fromLatin1(hash.result().toHex().left(32)) + u"@kirabilog"_s;
}

QByteArray calendar(const QList<PrizeEntry>& records, bool filedByDeadline,
                    const QDateTime& stamp) {
    QByteArray out;
    const auto add = [&out](const QString& line) { out += foldLine(line.toUtf8()); };
    add(u"BEGIN:VCALENDAR"_s);
    add(u"VERSION:2.0"_s);
    add(u"PRODID:-//kirabilog//kirabilog 1.0//JA"_s);
    add(u"CALSCALE:GREGORIAN"_s);
    const QString dtstamp = stamp.toUTC().toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
    for (const PrizeEntry& record : records) {
        const QDate deadline =
            QDate::fromString(record[deadlines::deadlineField(filedByDeadline)], u"yyyy/MM/dd"_s);
        if (!deadline.isValid()) {
            continue;
        }
        const QString summary = escapeText(u"締切：%1（%2）"_s.arg(record[Present], record[Site]));
        add(u"BEGIN:VEVENT"_s);
        add(u"UID:"_s + uid(record, filedByDeadline));
        add(u"DTSTAMP:"_s + dtstamp);
        add(u"DTSTART;VALUE=DATE:"_s + dateValue(deadline));
        add(u"DTEND;VALUE=DATE:"_s + dateValue(deadline.addDays(1)));
        add(u"SUMMARY:"_s + summary);
        if (!record[URL].trimmed().isEmpty()) {
            add(u"URL:"_s + record[URL].trimmed());
        }
        add(u"DESCRIPTION:"_s +
            escapeText(u"応募方法：%1\n応募形式：%2"_s.arg(record[OboWay], record[OboKeishiki])));
        add(u"BEGIN:VALARM"_s);
        add(u"ACTION:DISPLAY"_s);
        add(u"DESCRIPTION:"_s + summary);
        add(u"TRIGGER:-P1D"_s);
        add(u"END:VALARM"_s);
        add(u"END:VEVENT"_s);
    }
    add(u"END:VCALENDAR"_s);
    return out;
}

}  // namespace icalendar
