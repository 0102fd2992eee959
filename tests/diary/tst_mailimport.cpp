// Reading announcements of the mail magazine: the blocks and their markers,
// lines joined, the URL rules, the classification, the defaults, the two
// dates, and announcements that cannot be read or are cut off.
#include <QTest>

#include "diary/links.h"
#include "diary/mailimport.h"

using namespace Qt::StringLiterals;

namespace {

const QString Announcement =
    u"━━━━━━━━━━━━━━━━━━━━\r\n"
    u"ID:12345 賞品:箱根温泉ペア\"宿泊券\" <http://kirabi.example.jp/p/12345>   \r\n"
    u"URL http://example.jp/campaign\r\n"
    u"当選数:5名様 締切:2010/02/28\r\n"
    u"サイト名:温泉\"ネット\"\r\n"
    u"紹介文:人気の温泉宿に\r\n"
    u"泊まろう\r\n"
    u"［旅行・宿泊券│アンケート│抽選│毎週│ネット応募］\r\n"_s;

mailimport::Parsed read(const QString& text, bool byDeadline = false) {
    return mailimport::parse(text, u"2010/01/15"_s, byDeadline);
}

}  // namespace

class TestMailImport : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void oneAnnouncement() {
        const mailimport::Parsed parsed = read(Announcement);
        QCOMPARE(parsed.records.size(), 1);
        QVERIFY(parsed.unreadableIds.isEmpty());
        const PrizeEntry& r = parsed.records[0];
        const PrizeEntry expected = {u"2010/01/15"_s,   u"12345"_s,
                                     u"温泉 ネット "_s, u"http://example.jp/campaign"_s,
                                     u"旅行・宿泊券"_s, u"箱根温泉ペア 宿泊券 "_s,
                                     u"不明"_s,         u"0"_s,
                                     u"5名様"_s,        u"2010/02/28"_s,
                                     u"----/--/--"_s,   u"アンケート"_s,
                                     u"抽選"_s,         u"毎週"_s,
                                     u"ネット応募"_s,   QString(),
                                     QString()};
        QCOMPARE(r, expected);
        // Filed by deadline, the two dates change places.
        const PrizeEntry byDeadline = read(Announcement, true).records.value(0);
        QCOMPARE(byDeadline[FilingDate], u"2010/02/28"_s);
        QCOMPARE(byDeadline[OtherDate], u"2010/01/15"_s);
    }

    // An ID line continued on the next line, a URL given twice its scheme,
    // and no URL at all.
    void linesAndLinks() {
        QString continued = Announcement;
        continued.replace(u"ID:12345 賞品:"_s, u"ID:12345  \r\n賞品:"_s);
        QCOMPARE(read(continued).records.value(0)[ID], u"12345"_s);
        QCOMPARE(read(continued).records.value(0)[Present], u"箱根温泉ペア 宿泊券 "_s);

        QString twice = Announcement;
        twice.replace(u"URL http://example.jp"_s, u"URL http://https://example.jp"_s);
        QCOMPARE(read(twice).records.value(0)[URL], u"https://example.jp/campaign"_s);

        QString none = Announcement;
        none.remove(u"URL http://example.jp/campaign\r\n"_s);
        QCOMPARE(read(none).records.value(0)[URL], KirabiSearchLinkBase + u"12345"_s);
        QVERIFY(KirabiSearchLinkBase.startsWith(u"http://"_s));
        QVERIFY(KirabiSearchLinkBase.endsWith(u"/cgi-bin/kirabi/search-bunrui.cgi?links="_s));
    }

    // A fourth part that is no cycle is the method; the cycle stays 不定期.
    void classification() {
        QString four = Announcement;
        four.replace(u"│毎週│ネット応募］"_s, u"│ネット応募］"_s);
        const PrizeEntry r = read(four).records.value(0);
        QCOMPARE(r[Cycle], u"不定期"_s);
        QCOMPARE(r[OboWay], u"ネット応募"_s);
        QString twoLines = Announcement;
        twoLines.replace(u"│抽選│"_s, u"│抽選\r\n│"_s);
        QCOMPARE(read(twoLines).records.value(0)[Cycle], u"毎週"_s);
        QString short1 = Announcement;
        short1.replace(u"│アンケート│抽選│毎週│ネット応募］"_s, u"］"_s);
        const PrizeEntry bare = read(short1).records.value(0);
        QCOMPARE(bare[Genre], u"旅行・宿泊券"_s);
        QCOMPARE(bare[OboKeishiki], QString());
        QCOMPARE(bare[Cycle], u"不定期"_s);
    }

    // Missing prize, missing deadline, a deadline of no date: not records,
    // named by their IDs. Another form of date is taken in the usual one.
    void unreadableAnnouncements() {
        QString noPrize = Announcement;
        noPrize.replace(u"賞品:"_s, u"景品:"_s);
        QString noDeadline = Announcement;
        noDeadline.replace(u"12345"_s, u"222"_s).replace(u"締切:"_s, u"期限:"_s);
        QString notADate = Announcement;
        notADate.replace(u"12345"_s, u"333"_s).replace(u"2010/02/28"_s, u"二月末"_s);
        QString otherForm = Announcement;
        otherForm.replace(u"12345"_s, u"444"_s).replace(u"2010/02/28"_s, u"2010/2/5"_s);
        const mailimport::Parsed parsed = read(noPrize + noDeadline + notADate + otherForm);
        QCOMPARE(parsed.records.size(), 1);
        QCOMPARE(parsed.records[0][OtherDate], u"2010/02/05"_s);
        QCOMPARE(parsed.unreadableIds.size(), 3);
        QCOMPARE(parsed.unreadableIds[0], u"12345"_s);
        QCOMPARE(parsed.unreadableIds[1], u"222"_s);
        QCOMPARE(parsed.unreadableIds[2], u"333"_s);
    }

    // Cut off by the end of the text: dropped, and the walk ends; text
    // without any ID gives nothing.
    void cutOffAndEmpty() {
        const QString cut = Announcement + Announcement.left(Announcement.indexOf(u"紹介文"_s));
        QCOMPARE(read(cut).records.size(), 1);
        QCOMPARE(read(u"こんにちは\r\n当選数:5名様\r\n"_s).records.size(), 0);
        QCOMPARE(read(QString()).records.size(), 0);
    }

    // A line is read up to 608 bytes of code page 932.
    void lineLimit() {
        QCOMPARE(mailimport::lineLimit(QString(700, u'a')).size(), 608);
        QCOMPARE(mailimport::lineLimit(QString(400, u'あ')).size(), 304);
        QCOMPARE(mailimport::lineLimit(u"a"_s + QString(400, u'あ')).size(), 1 + 303);
        QCOMPARE(mailimport::lineLimit(QString(700, u'ｱ')).size(), 608);
    }
};

QTEST_GUILESS_MAIN(TestMailImport)
#include "tst_mailimport.moc"
