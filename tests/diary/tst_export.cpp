// The list of a tab as CSV, as an HTML table and as printed lines, to the
// character: headings by tab and by filing key, the values of each row, the
// statistics, and values that would break the HTML.
#include <QTest>

#include "diary/export.h"
#include "storage/prizeentry.h"

using namespace Qt::StringLiterals;
using exporting::ListKind;
using exporting::Table;

namespace {

QStringList record(const QString& date, const QString& msg = u"メモ"_s) {
    return {date,
            u"12"_s,
            u"ネット"_s,
            u"http://example.jp/"_s,
            u"現金"_s,
            u"図書カード"_s,
            u"小物当選"_s,
            u"500"_s,
            u"5名様"_s,
            u"2010/02/28"_s,
            u"----/--/--"_s,
            u"アンケート"_s,
            u"抽選"_s,
            u"不定期"_s,
            u"ネット応募"_s,
            msg,
            u"C:\\pic.jpg"_s};
}

const exporting::Figures figures{u"1"_s, u"2"_s, u"50.00"_s, u"500"_s, u"100"_s, u"400"_s};

QStringList yearRows() {
    QStringList all;
    for (int month = 1; month <= 12; ++month) {
        all.append(u"%1,0,0,0,0,0,0.00,0,0,0"_s.arg(month));
    }
    return all;
}

Table yearTable() {
    Table t;
    t.kind = ListKind::Year;
    for (const QString& line : yearRows()) {
        t.rows.append(line.split(u','));
    }
    return t;
}

}  // namespace

class TestExport : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Fifteen quoted values, no URL and no picture; the headings follow the
    // filing key.
    void monthAsCsv() {
        Table t;
        t.rows = {record(u"2010/01/05"_s)};
        QCOMPARE(exporting::csv(t),
                 u"\"応募日\",\"ＩＤ番号\",\"応募先\",\"ジャンル\",\"賞品名\",\"結果\",\"当選額\","
                 u"\"当選数\",\"締切日\",\"当選日\",\"応募形式\",\"選考方法\",\"サイクル\","
                 u"\"応募方法\",\"コメント\"\r\n"
                 u"\"2010/01/05\",\"12\",\"ネット\",\"現金\",\"図書カード\",\"小物当選\",\"500\","
                 u"\"5名様\",\"2010/02/28\",\"----/--/--\",\"アンケート\",\"抽選\",\"不定期\","
                 u"\"ネット応募\",\"メモ\"\r\n"_s);
        t.filedByDeadline = true;
        QVERIFY(exporting::csv(t).startsWith(u"\"締切日\",\"ＩＤ番号\""_s));
        QVERIFY(exporting::csv(t).contains(u"\"当選数\",\"応募日\",\"当選日\""_s));
    }

    void statisticsAndEmptyLists() {
        Table t;
        t.figures = figures;
        const QString csv = exporting::csv(t);
        QVERIFY(
            csv.endsWith(u"\"コメント\"\r\n\r\n"
                         u"\"当選総数（件）\",\"応募総数（件）\",\"当選率（％）\"\r\n"
                         u"\"1\",\"2\",\"50.00\"\r\n"
                         u"\"当選総額（円）\",\"支出総額（円）\",\"収支総額（円）\"\r\n"
                         u"\"500\",\"100\",\"400\"\r\n"_s));
        QCOMPARE(exporting::csv(Table()).count(u"\r\n"_s), 1);  // only the headings
        const QString html = exporting::html(t);
        QVERIFY(html.endsWith(
            u"</TABLE>\r\n<BR>\r\n<TABLE BORDER= \"1\" >\r\n<COL SPAN= \"3\" ALIGN=\"right\">\r\n"
            u"<TR ALIGN=\"center\"><TD NOWRAP>当選総数（件）</TD><TD NOWRAP>応募総数（件）</TD>"
            u"<TD NOWRAP>当選率（％）</TD></TR>\r\n"
            u"<TR><TD NOWRAP>1</TD><TD NOWRAP>2</TD><TD NOWRAP>50.00</TD></TR>\r\n"
            u"<TR ALIGN=\"center\"><TD NOWRAP>当選総額(円)</TD><TD NOWRAP>支出総額(円)</TD>"
            u"<TD NOWRAP>収支総額(円)</TD></TR>\r\n"
            u"<TR><TD NOWRAP>500</TD><TD NOWRAP>100</TD><TD NOWRAP>400</TD></TR>\r\n"
            u"</TABLE>\r\n"_s));
    }

    void monthAsHtml() {
        Table t;
        t.rows = {record(u"2010/01/05"_s, u"<script>a&b</script>"_s)};
        const QStringList lines = exporting::html(t).split(u"\r\n"_s);
        QCOMPARE(lines[0], u"<TABLE BORDER= \"1\" >"_s);
        QCOMPARE(lines[1],
                 u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"1\" ALIGN=\"right\">"
                 u"<COL SPAN=\"4\" ALIGN=\"left\"><COL SPAN=\"2\" ALIGN=\"right\">"
                 u"<COL SPAN=\"7\" ALIGN=\"left\">"_s);
        QVERIFY(lines[2].startsWith(
            u"<TR><TD WIDTH=\"90\" NOWRAP>応募日</TD><TD WIDTH=\"60\" NOWRAP>ＩＤ番号</TD>"_s));
        QVERIFY(lines[2].endsWith(u"<TD WIDTH=\"300\" NOWRAP>コメント</TD></TR>"_s));
        // Values are escaped, so that a comment can put no markup into the page.
        QCOMPARE(lines[3],
                 u"<TR><TD>2010/01/05</TD><TD>12</TD><TD>ネット</TD><TD>現金</TD>"
                 u"<TD>図書カード</TD><TD>小物当選</TD><TD>500</TD><TD>5名様</TD>"
                 u"<TD>2010/02/28</TD><TD>----/--/--</TD><TD>アンケート</TD><TD>抽選</TD>"
                 u"<TD>不定期</TD><TD>ネット応募</TD>"
                 u"<TD>&lt;script&gt;a&amp;b&lt;/script&gt;</TD></TR>"_s);
        QCOMPARE(lines[4], u"</TABLE>"_s);
        QCOMPARE(lines.size(), 6);  // the last line end
    }

    // The heading row of the year list has no closing tag; the total list's
    // has, with the target column.
    void summariesAsHtml() {
        const QStringList year = exporting::html(yearTable()).split(u"\r\n"_s);
        QCOMPARE(year[1], u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"9\" ALIGN=\"right\">"_s);
        QVERIFY(year[2].startsWith(
            u"<TR><TD WIDTH=\"20\" NOWRAP>月</TD><TD WIDTH=\"80\" NOWRAP>小物当選</TD>"_s));
        QVERIFY(year[2].endsWith(u"<TD WIDTH=\"80\" NOWRAP>収支総額</TD>"_s));
        QCOMPARE(year[3],
                 u"<TR><TD>1</TD><TD>0</TD><TD>0</TD><TD>0</TD><TD>0</TD><TD>0</TD>"
                 u"<TD>0.00</TD><TD>0</TD><TD>0</TD><TD>0</TD></TR>"_s);
        QCOMPARE(year[15], u"</TABLE>"_s);
        Table total;
        total.kind = ListKind::Total;
        total.rows = {u"2010,1,0,0,1,2,50.00,500,100,400,999600"_s.split(u',')};
        const QStringList lines = exporting::html(total).split(u"\r\n"_s);
        QCOMPARE(lines[1], u"<COL SPAN= \"1\" ALIGN=\"left\"><COL SPAN=\"10\" ALIGN=\"right\">"_s);
        QVERIFY(lines[2].startsWith(u"<TR><TD WIDTH=\"30\" NOWRAP>年</TD>"_s));
        QVERIFY(lines[2].endsWith(u"<TD WIDTH=\"100\" NOWRAP>目標収支金額</TD></TR>"_s));
        QVERIFY(lines[3].endsWith(u"<TD>999600</TD></TR>"_s));
        QCOMPARE(exporting::csv(total),
                 u"\"年\",\"小物当選\",\"中物当選\",\"大物当選\",\"当選総数\",\"応募総数\","
                 u"\"当選率\",\"当選総額\",\"支出総額\",\"収支総額\",\"目標収支金額\"\r\n"
                 u"\"2010\",\"1\",\"0\",\"0\",\"1\",\"2\",\"50.00\",\"500\",\"100\",\"400\","
                 u"\"999600\"\r\n"_s);
    }

    // On paper a record has sixteen values, its URL among them.
    void printedLines() {
        Table t;
        t.rows = {record(u"2010/01/05"_s)};
        t.figures = figures;
        const QStringList lines = exporting::printLines(t);
        QCOMPARE(lines[0],
                 u"応募日,ＩＤ番号,応募先,URL,ジャンル,賞品名,結果,当選額,当選数,締切日,"
                 u"当選日,応募形式,選考方法,サイクル,応募方法,コメント"_s);
        QCOMPARE(lines[1],
                 u"2010/01/05,12,ネット,http://example.jp/,現金,図書カード,小物当選,500,"
                 u"5名様,2010/02/28,----/--/--,アンケート,抽選,不定期,ネット応募,メモ"_s);
        QCOMPARE(
            lines.mid(2),
            (QStringList{u"当選総数（件）,応募総数（件）,当選率（％）"_s, u"1,2,50.00"_s,
                         u"当選総額（円）,支出総額（円）,収支総額（円）"_s, u"500,100,400"_s}));
        const QStringList year = exporting::printLines(yearTable());
        QCOMPARE(year[0],
                 u"月,小物当選,中物当選,大物当選,当選総数,応募総数,当選率,当選総額,支出総額,"
                 u"収支総額"_s);
        QCOMPARE(year[12], u"12,0,0,0,0,0,0.00,0,0,0"_s);
    }

    void csvByName() {
        QVERIFY(exporting::isCsvPath(u"/tmp/list.csv"_s));
        QVERIFY(!exporting::isCsvPath(u"/tmp/list.CSV"_s));
        QVERIFY(!exporting::isCsvPath(u"/tmp/list.htm"_s));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
