// The deadlines as an iCalendar file: the lines of the calendar and its
// events, folding at 75 octets without splitting a character, the escaping
// of text, UIDs that stay the same, and the URL only when there is one.
#include <QStringDecoder>
#include <QTest>
#include <QTimeZone>

#include "diary/icalendar.h"
#include "diarytestdata.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry contest(const QString& id, const QString& deadline) {
    PrizeEntry e = diaryRecord(u"2024/03/01"_s, id, u"未応募"_s);
    e[OtherDate] = deadline;
    e[URL] = u"https://example.jp/c/"_s + id;
    e[OboWay] = u"ネット応募"_s;
    e[OboKeishiki] = u"アンケート"_s;
    return e;
}

const QDateTime Stamp(QDate(2024, 3, 5), QTime(9, 30, 15), QTimeZone(9 * 3600));

// The physical lines of a file, each without its CR LF; fails on a bare LF.
QList<QByteArray> physicalLines(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r')) {
            return {};
        }
        line.chop(1);
    }
    return lines;
}

// The content lines after unfolding, decoded.
QStringList contentLines(const QByteArray& file) {
    QStringList lines;
    for (const QByteArray& line : physicalLines(file)) {
        if (line.startsWith(' ') && !lines.isEmpty()) {
            lines.last() += QString::fromUtf8(line.mid(1));
        } else {
            lines.append(QString::fromUtf8(line));
        }
    }
    return lines;
}

// The content lines of each event.
QList<QStringList> events(const QByteArray& file) {
    QList<QStringList> found;
    bool inside = false;
    for (const QString& line : contentLines(file)) {
        if (line == u"BEGIN:VEVENT"_s) {
            found.append(QStringList());
            inside = true;
        } else if (line == u"END:VEVENT"_s) {
            inside = false;
        } else if (inside) {
            found.last().append(line);
        }
    }
    return found;
}

QStringList withName(const QStringList& lines, const QString& name) {
    QStringList values;
    for (const QString& line : lines) {
        if (line.startsWith(name + u':') || line.startsWith(name + u';')) {
            values.append(line.mid(line.indexOf(u':') + 1));
        }
    }
    return values;
}

}  // namespace

class TestICalendar : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void foldLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<int>>("octets");  // of each physical line, CR LF left out

        const QString x = u"x"_s;
        QTest::newRow("short") << u"VERSION:2.0"_s << QList<int>{11};
        QTest::newRow("exactly 75") << x.repeated(75) << QList<int>{75};
        QTest::newRow("76") << x.repeated(76) << QList<int>{75, 2};
        // A continuation holds the space and 74 octets.
        QTest::newRow("75 + 74") << x.repeated(149) << QList<int>{75, 75};
        QTest::newRow("75 + 74 + 1") << x.repeated(150) << QList<int>{75, 75, 2};
        // Three-octet characters after 8 octets: 25 fill 83, 22 fit in 74.
        QTest::newRow("kana, cut before a character")
            << u"SUMMARY:"_s + u"あ"_s.repeated(25) << QList<int>{74, 10};
        // After 9 octets the 22nd character ends at exactly 75.
        QTest::newRow("kana ending at 75")
            << u"SUMMARY:x"_s + u"あ"_s.repeated(22) << QList<int>{75};
        QTest::newRow("kana one past 75")
            << u"SUMMARY:x"_s + u"あ"_s.repeated(23) << QList<int>{75, 4};
        // Two- and four-octet characters mixed: 122 octets, the 13th é would end at 76.
        QTest::newRow("mixed widths") << u"X:"_s + u"é😀"_s.repeated(20) << QList<int>{74, 1 + 48};
    }
    void foldLine() {
        QFETCH(QString, line);
        QFETCH(QList<int>, octets);
        const QByteArray folded = icalendar::foldLine(line.toUtf8());
        const QList<QByteArray> lines = physicalLines(folded);
        QList<int> sizes;
        QByteArray unfolded;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            sizes.append(int(lines[i].size()));
            QVERIFY(lines[i].size() <= 75);
            QCOMPARE(lines[i].startsWith(' '), i > 0);
            // Every physical line is whole UTF-8 by itself.
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString text = decoder(lines[i]);
            QVERIFY2(!decoder.hasError() && !text.contains(QChar::ReplacementCharacter),
                     lines[i].constData());
            unfolded += i > 0 ? lines[i].mid(1) : lines[i];
        }
        QCOMPARE(sizes, octets);
        QCOMPARE(QString::fromUtf8(unfolded), line);
    }

    void escapeText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << u"図書カード"_s << u"図書カード"_s;
        QTest::newRow("comma") << u"a,b"_s << u"a\\,b"_s;
        QTest::newRow("semicolon") << u"a;b"_s << u"a\\;b"_s;
        QTest::newRow("backslash first") << u"a\\,"_s << u"a\\\\\\,"_s;
        QTest::newRow("newline") << u"a\nb"_s << u"a\\nb"_s;
        QTest::newRow("CR LF is one line end") << u"a\r\nb"_s << u"a\\nb"_s;
        QTest::newRow("lone CR") << u"a\rb"_s << u"a\\nb"_s;
        QTest::newRow("colon and quote stay") << u"a:\"b\""_s << u"a:\"b\""_s;
    }
    void escapeText() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(icalendar::escapeText(text), expected);
    }

    void calendarLines() {
        PrizeEntry e = contest(u"12"_s, u"2024/12/31"_s);
        e[Present] = u"お米10kg, 新潟県産"_s;
        e[Site] = u"スーパー;店頭"_s;
        e[OboWay] = u"はがき"_s;
        e[OboKeishiki] = u"クイズ\\回答"_s;
        const QByteArray file = icalendar::calendar({e}, false, Stamp);
        QVERIFY(!physicalLines(file).isEmpty());  // CR LF everywhere
        const QStringList lines = contentLines(file);
        QCOMPARE(lines.mid(0, 4), (QStringList{u"BEGIN:VCALENDAR"_s, u"VERSION:2.0"_s,
                                               u"PRODID:-//kirabilog//kirabilog 1.0//JA"_s,
                                               u"CALSCALE:GREGORIAN"_s}));
        QCOMPARE(lines.last(), u"END:VCALENDAR"_s);
        const QList<QStringList> found = events(file);
        QCOMPARE(found.size(), 1);
        const QStringList& event = found.first();
        QCOMPARE(withName(event, u"DTSTAMP"_s), QStringList{u"20240305T003015Z"_s});
        QVERIFY(event.contains(u"DTSTART;VALUE=DATE:20241231"_s));
        QVERIFY(event.contains(u"DTEND;VALUE=DATE:20250101"_s));  // the day after, over the year
        QCOMPARE(withName(event, u"SUMMARY"_s),
                 QStringList{u"締切：お米10kg\\, 新潟県産（スーパー\\;店頭）"_s});
        QCOMPARE(withName(event, u"DESCRIPTION"_s),
                 (QStringList{u"応募方法：はがき\\n応募形式：クイズ\\\\回答"_s,
                              u"締切：お米10kg\\, 新潟県産（スーパー\\;店頭）"_s}));
        QCOMPARE(withName(event, u"URL"_s), QStringList{u"https://example.jp/c/12"_s});
        QVERIFY(event.contains(u"BEGIN:VALARM"_s));
        QVERIFY(event.contains(u"ACTION:DISPLAY"_s));
        QVERIFY(event.contains(u"TRIGGER:-P1D"_s));
        QVERIFY(event.contains(u"END:VALARM"_s));
    }

    void filingKeyChoosesDeadline_data() {
        QTest::addColumn<bool>("filedByDeadline");
        QTest::addColumn<QString>("start");
        QTest::newRow("application key: the other date") << false << u"20240320"_s;
        QTest::newRow("deadline key: the filing date") << true << u"20240301"_s;
    }
    void filingKeyChoosesDeadline() {
        QFETCH(bool, filedByDeadline);
        QFETCH(QString, start);
        const QList<QStringList> found =
            events(icalendar::calendar({contest(u"1"_s, u"2024/03/20"_s)}, filedByDeadline, Stamp));
        QCOMPARE(found.size(), 1);
        QCOMPARE(withName(found.first(), u"DTSTART"_s), QStringList{start});
    }

    void recordsWithoutDeadlineMakeNoEvent() {
        const QByteArray file =
            icalendar::calendar({contest(u"1"_s, u"----/--/--"_s), contest(u"2"_s, u"2024/04/01"_s),
                                 contest(u"3"_s, u"2024/02/30"_s)},
                                false, Stamp);
        const QList<QStringList> found = events(file);
        QCOMPARE(found.size(), 1);
        QCOMPARE(withName(found.first(), u"DTSTART"_s), QStringList{u"20240401"_s});
    }

    void urlOnlyWhenPresent_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QString() << QStringList{};
        QTest::newRow("blank") << u"  "_s << QStringList{};
        QTest::newRow("present") << u"http://example.jp/?a=1,2"_s
                                 << QStringList{u"http://example.jp/?a=1,2"_s};
    }
    void urlOnlyWhenPresent() {
        QFETCH(QString, url);
        QFETCH(QStringList, expected);
        PrizeEntry e = contest(u"1"_s, u"2024/04/01"_s);
        e[URL] = url;
        const QList<QStringList> found = events(icalendar::calendar({e}, false, Stamp));
        QCOMPARE(found.size(), 1);
        QCOMPARE(withName(found.first(), u"URL"_s), expected);
    }

    void uids() {
        const PrizeEntry e = contest(u"5"_s, u"2024/04/01"_s);
        const QString first = icalendar::uid(e, false);
        QVERIFY(first.endsWith(u"@kirabilog"_s));
        QCOMPARE(icalendar::uid(e, false), first);
        // The same record exported later keeps its UID.
        const QDateTime later = Stamp.addDays(30);
        QCOMPARE(withName(events(icalendar::calendar({e}, false, later)).first(), u"UID"_s),
                 QStringList{first});
        // A change of result or memo is the same contest.
        PrizeEntry sent = e;
        sent[Kekka] = u"応募済み"_s;
        sent[Msg] = u"送った"_s;
        QCOMPARE(icalendar::uid(sent, false), first);
        // Another ID, site, prize or deadline is another event.
        QSet<QString> uids{first};
        for (const int field :
             {int(ID), int(Site), int(Present), int(OtherDate), int(FilingDate)}) {
            PrizeEntry other = e;
            other[field] += u"1"_s;
            uids.insert(icalendar::uid(other, false));
        }
        QCOMPARE(uids.size(), 6);
        // Fields run together do not meet.
        PrizeEntry a = e;
        PrizeEntry b = e;
        a[Site] = u"ab"_s;
        a[Present] = u"c"_s;
        b[Site] = u"a"_s;
        b[Present] = u"bc"_s;
        QVERIFY(icalendar::uid(a, false) != icalendar::uid(b, false));
    }
};

QTEST_GUILESS_MAIN(TestICalendar)
#include "tst_icalendar.moc"
