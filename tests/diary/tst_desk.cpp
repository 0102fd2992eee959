// The desk without any window: the shown date and its steps, records stored
// in the month of their filing date, the import of announcements and
// deletions at every grain.
#include <QSignalSpy>
#include <QTest>

#include "desktest.h"
#include "diarytestdata.h"

using namespace Qt::StringLiterals;
using namespace desktest;

namespace {

// One announcement of the mail magazine as it is copied from a mail.
QString announcement(const QString& id, const QString& deadline,
                     const QString& prize = u"箱根温泉ペア宿泊券"_s) {
    return u"━━━━━━━━━━━━━━━━━━━━\r\n"
           u"ID:%1 賞品:%2 <http://kirabi.example.jp/p/%1>\r\n"
           u"URL http://example.jp/campaign\r\n"
           u"当選数:5名様 締切:%3\r\n"
           u"サイト名:温泉ネット\r\n"
           u"紹介文:人気の温泉宿に\r\n"
           u"泊まろう\r\n"
           u"［旅行・宿泊券│アンケート│抽選│毎週│ネット応募］\r\n"_s.arg(id, prize, deadline);
}

const auto wantAll = [](const PrizeEntry&) { return true; };

}  // namespace

class TestDesk : public DeskTest {
    Q_OBJECT

  private Q_SLOTS:
    // Each case has a fresh program folder and a desk that has read nothing.
    void init() { makeDesk(); }
    void cleanup() { dropDesk(); }

    void steps_data() {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<bool>("byYear");
        QTest::addColumn<int>("by");
        QTest::addColumn<QString>("shown");
        QTest::newRow("before 0001/01") << QDate(1, 1, 1) << false << -1 << u"9999/12/01"_s;
        QTest::newRow("after 9999/12") << QDate(9999, 12, 31) << false << 1 << u"0001/01/31"_s;
        QTest::newRow("before 0001") << QDate(1, 3, 10) << true << -1 << u"9999/03/10"_s;
        QTest::newRow("after 9999") << QDate(9999, 7, 4) << true << 1 << u"0001/07/04"_s;
        QTest::newRow("13 months before 0001/01")
            << QDate(1, 1, 5) << false << -13 << u"9998/12/05"_s;
        QTest::newRow("13 months after 9999/12")
            << QDate(9999, 12, 5) << false << 13 << u"0002/01/05"_s;
        QTest::newRow("31st into February") << QDate(2010, 1, 31) << false << 1 << u"2010/02/28"_s;
        QTest::newRow("31st back into February")
            << QDate(2010, 3, 31) << false << -1 << u"2010/02/28"_s;
        QTest::newRow("leap day a year on") << QDate(2012, 2, 29) << true << 1 << u"2013/02/28"_s;
    }

    // Every part of the shown date follows the one date, and a step tells
    // the change once.
    void steps() {
        QFETCH(QDate, from);
        QFETCH(bool, byYear);
        QFETCH(int, by);
        QFETCH(QString, shown);
        diary::Desk& desk = *desk_;
        desk.setShownDate(from);
        QSignalSpy changed(&desk, &diary::Desk::shownDateChanged);
        byYear ? desk.stepYear(by) : desk.stepMonth(by);
        QCOMPARE(desk.ShownDate(), shown);
        QCOMPARE(desk.ShownYear(), shown.left(4));
        QCOMPARE(desk.ShownMonth(), shown.mid(5, 2));
        QCOMPARE(desk.ShownDay(), shown.mid(8, 2));
        QCOMPARE(desk.ShownYearMonth(), shown.left(7));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toDate(), desk.shownDate());
        desk.setShownDate(desk.shownDate());
        QCOMPARE(changed.count(), 1);
    }

    void showMonthOf_data() {
        QTest::addColumn<QString>("filingDate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a filing date") << u"2012/02/29"_s << u"2012/02/29"_s;
        QTest::newRow("a day past the month") << u"2010/02/31"_s << u"2010/02/28"_s;
        QTest::newRow("no day") << u"2010/03"_s << u"2010/03/15"_s;
        QTest::newRow("no month") << u"2010/13/01"_s << u"2010/01/15"_s;
        QTest::newRow("garbage") << u"締切未定"_s << u"2010/01/15"_s;
    }

    void showMonthOf() {
        QFETCH(QString, filingDate);
        QFETCH(QString, shown);
        desk_->setShownDate(QDate(2010, 1, 15));
        QSignalSpy changed(desk_.get(), &diary::Desk::shownDateChanged);
        desk_->showMonthOf(filingDate);
        QCOMPARE(desk_->ShownDate(), shown);
        QCOMPARE(changed.count(), shown == u"2010/01/15"_s ? 0 : 1);
    }

    // Stepping on a month and then picking a day of the month before: the
    // record of that day is stored where the list shows it.
    void recordLandsInTheMonthShownLast() {
        QVERIFY(start());
        desk_->stepMonth(1);
        QVERIFY(show(QDate(2010, 1, 20)));
        const PrizeEntry record = diaryRecord(u"2010/01/20"_s, u"7"_s);
        QVERIFY(add(record));
        QCOMPARE(stored(paths_, u"2010/01"_s), QList<PrizeEntry>{record});
        QVERIFY(!QFile::exists(paths_.monthFile(u"2010"_s, u"02"_s)));
    }

    // A record of another month shows that month; a store that fails there
    // leaves its list and its files as they were.
    void addRecordStoresInItsMonth() {
        QVERIFY(start());
        const PrizeEntry first = diaryRecord(u"2010/03/07"_s, u"1"_s);
        QVERIFY(add(first));
        QCOMPARE(desk_->ShownYearMonth(), u"2010/03"_s);
        QCOMPARE(stored(paths_, u"2010/03"_s), QList<PrizeEntry>{first});

        const auto before = snapshot(paths_);
        QVERIFY(show(QDate(2010, 1, 15)));
        diary::Result result;
        {
            FailingWorkFile::Scope fullDisk(10);
            result = desk_->addRecord(diaryRecord(u"2010/03/01"_s, u"2"_s));
        }
        QVERIFY(!result.done);
        QVERIFY(result.notices.value(0).text.startsWith(
            diskfile::cannotWriteMessage(paths_.monthFile(u"2010"_s, u"03"_s), QString())));
        QCOMPARE(desk_->diary().month().records().records(), QList<PrizeEntry>{first});
        QCOMPARE(snapshot(paths_), before);
    }

    void replaceAndMoveRecords() {
        QVERIFY(start());
        for (const QString& day : {u"5"_s, u"10"_s, u"20"_s}) {
            QVERIFY(add(diaryRecord(u"2010/01/%1"_s.arg(day, 2, u'0'), day)));
        }
        // Sorted after the change, in the list and in the file.
        QVERIFY(desk_->replaceRecord(0, diaryRecord(u"2010/01/25"_s, u"5"_s)).done);
        QCOMPARE(idsOf(stored(paths_, u"2010/01"_s)), (QStringList{u"10"_s, u"20"_s, u"5"_s}));
        QCOMPARE(desk_->diary().month().records().records(), stored(paths_, u"2010/01"_s));

        const PrizeEntry moved = diaryRecord(u"2010/03/02"_s, u"10"_s);
        QVERIFY(desk_->moveRecord(0, moved).done);
        QCOMPARE(stored(paths_, u"2010/03"_s), QList<PrizeEntry>{moved});
        QCOMPARE(idsOf(stored(paths_, u"2010/01"_s)), (QStringList{u"20"_s, u"5"_s}));
        QCOMPARE(desk_->ShownYearMonth(), u"2010/01"_s);
        QCOMPARE(desk_->diary().month().records().records(), stored(paths_, u"2010/01"_s));
    }

    void importAsksOnlyForKnownIds_data() {
        QTest::addColumn<bool>("wanted");
        QTest::newRow("declined") << false;
        QTest::newRow("wanted") << true;
    }

    // Filed by application date into the shown month; only an ID that stands
    // in the month is asked about, never one repeated within the import.
    void importAsksOnlyForKnownIds() {
        QFETCH(bool, wanted);
        QVERIFY(start());
        QVERIFY(add(diaryRecord(u"2010/01/03"_s, u"12345"_s)));
        QStringList asked;
        const diary::ImportOutcome outcome = desk_->importText(
            announcement(u"12345"_s, u"2010/02/28"_s) + announcement(u"777"_s, u"2010/03/31"_s) +
                announcement(u"777"_s, u"2010/04/30"_s),
            [&](const PrizeEntry& record) {
                asked.append(record[ID]);
                return wanted;
            },
            noProgress);
        QVERIFY(outcome.result.done);
        QCOMPARE(asked, QStringList{u"12345"_s});
        QStringList ids = idsOf(stored(paths_, u"2010/01"_s));
        ids.sort();
        QCOMPARE(ids, wanted ? (QStringList{u"12345"_s, u"12345"_s, u"777"_s, u"777"_s})
                             : (QStringList{u"12345"_s, u"777"_s, u"777"_s}));
        QCOMPARE(desk_->ShownDate(), u"2010/01/15"_s);
    }

    void importByDeadline_data() {
        QTest::addColumn<bool>("duplicateCheck");
        QTest::newRow("without duplicate check") << false;
        QTest::newRow("with duplicate check") << true;
    }

    // Each record goes to the month of its deadline; the month shown before
    // is shown again at the end.
    void importByDeadline() {
        QFETCH(bool, duplicateCheck);
        const QByteArray check = duplicateCheck ? "1" : "0";
        QVERIFY(writeEnciphered(paths_.settingsFile(),
                                "[Setting]\r\nFormatKey=0\r\nNoTyohuku=" + check + "\r\n"));
        QVERIFY(start());
        QVERIFY(desk_->filedByDeadline());
        QList<std::pair<int, int>> progress;
        const diary::ImportOutcome outcome = desk_->importText(
            announcement(u"1"_s, u"2010/03/31"_s) + announcement(u"2"_s, u"2010/02/28"_s) +
                announcement(u"3"_s, u"2010/03/05"_s),
            wantAll, [&](int done, int all) {
                progress.append({done, all});
            });
        QVERIFY(outcome.result.done);
        QCOMPARE(idsOf(stored(paths_, u"2010/02"_s)), QStringList{u"2"_s});
        QCOMPARE(stored(paths_, u"2010/02"_s)[0][OtherDate], u"2010/01/15"_s);
        QCOMPARE(idsOf(stored(paths_, u"2010/03"_s)), (QStringList{u"3"_s, u"1"_s}));
        QVERIFY(!QFile::exists(paths_.monthFile(u"2010"_s, u"01"_s)));
        QVERIFY(outcome.monthReloaded);
        QCOMPARE(desk_->ShownDate(), u"2010/01/15"_s);
        QCOMPARE(desk_->diary().month().month(), u"01"_s);
        if (!duplicateCheck) {
            // A step per record on a bar of one more: its last step is the
            // month shown again, which the window fills.
            QCOMPARE(progress.value(progress.size() - 1), std::pair(3, 4));
        }
    }

    void importReportsAFailedStore_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("by application date") << QByteArray("FormatKey=1\r\nNoTyohuku=0");
        QTest::newRow("with duplicate check") << QByteArray("FormatKey=1\r\nNoTyohuku=1");
        QTest::newRow("by deadline") << QByteArray("FormatKey=0\r\nNoTyohuku=0");
    }

    // A month that cannot be written is no import done, and nothing of it
    // stays in the list.
    void importReportsAFailedStore() {
        QFETCH(QByteArray, settings);
        QVERIFY(writeEnciphered(paths_.settingsFile(), "[Setting]\r\n" + settings + "\r\n"));
        QVERIFY(start());
        diary::ImportOutcome outcome;
        {
            FailingWorkFile::Scope fullDisk(10);
            outcome = desk_->importText(announcement(u"2"_s, u"2010/02/28"_s), wantAll, noProgress);
        }
        QVERIFY(!outcome.result.done);
        QVERIFY(!outcome.result.notices.isEmpty());
        QCOMPARE(desk_->diary().month().records().count(), 0);
        QCOMPARE(desk_->ShownDate(), u"2010/01/15"_s);
    }

    void importRefusesTextOutsideCodePage932() {
        QVERIFY(start());
        QVERIFY(add(diaryRecord(u"2010/01/03"_s, u"1"_s)));
        const auto before = snapshot(paths_);
        const diary::ImportOutcome outcome =
            desk_->importText(announcement(u"2"_s, u"2010/02/28"_s) +
                                  announcement(u"3"_s, u"2010/02/28"_s, u"温泉\U0001F600ペア"_s),
                              wantAll, noProgress);
        QVERIFY(!outcome.result.done);
        QVERIFY(!outcome.result.notices.isEmpty());
        QCOMPARE(snapshot(paths_), before);
        QCOMPARE(desk_->diary().month().records().count(), 1);
    }

    void removals() {
        QVERIFY(start());
        const PrizeEntry kept = diaryRecord(u"2010/01/06"_s, u"2"_s);
        for (const PrizeEntry& record :
             {diaryRecord(u"2009/12/01"_s, u"9"_s), diaryRecord(u"2010/01/05"_s, u"1"_s), kept,
              diaryRecord(u"2010/02/01"_s, u"3"_s)}) {
            QVERIFY(add(record));
        }
        QVERIFY(show(QDate(2010, 1, 15)));
        QVERIFY(desk_->removeRows({0}).done);
        QCOMPARE(stored(paths_, u"2010/01"_s), QList<PrizeEntry>{kept});

        QVERIFY(desk_->removeShownMonth().done);
        QVERIFY(!QFile::exists(paths_.monthFile(u"2010"_s, u"01"_s)));
        QCOMPARE(yearRows(paths_, u"2010"_s)[0], summaryfile::zeroYear()[0]);
        QCOMPARE(yearRows(paths_, u"2010"_s)[1][summaryfile::EntryCount], u"1"_s);
        QCOMPARE(desk_->diary().month().records().count(), 0);

        QVERIFY(desk_->removeShownYear().done);
        QVERIFY(!QDir(paths_.yearFolder(u"2010"_s)).exists());
        const QList<Row> total = summaryfile::readTotal(paths_.totalFile()).rows;
        QCOMPARE(total.size(), 1);
        QCOMPARE(total[0][summaryfile::Key], u"2009"_s);

        const QByteArray settings = readBytes(paths_.settingsFile());
        QVERIFY(desk_->removeAll().done);
        QCOMPARE(snapshot(paths_).keys(), QStringList{paths_.settingsFile()});
        QCOMPARE(readBytes(paths_.settingsFile()), settings);
    }

    // A search result is found in its month by its texts; one that is no
    // longer there deletes nothing.
    void removeSearchResult() {
        QVERIFY(start());
        const PrizeEntry a = diaryRecord(u"2010/03/05"_s, u"1"_s);
        const PrizeEntry b = diaryRecord(u"2010/03/05"_s, u"2"_s);
        QVERIFY(add(a) && add(b));
        QVERIFY(show(QDate(2010, 1, 15)));
        PrizeEntry changed = a;
        changed[Present] = u"別の賞品"_s;
        desk_->searchResults().assign({b, changed});

        QVERIFY(desk_->removeSearchResult(0).done);
        QCOMPARE(desk_->ShownYearMonth(), u"2010/03"_s);
        QCOMPARE(stored(paths_, u"2010/03"_s), QList<PrizeEntry>{a});
        QCOMPARE(desk_->searchResults().records(), QList<PrizeEntry>{changed});

        const auto before = snapshot(paths_);
        desk_->removeSearchResult(0);
        QCOMPARE(snapshot(paths_), before);
        QCOMPARE(desk_->selection.SelectedIndex, 0);
    }

    // A deadline row is looked up in its own month, which is shown; a row
    // whose record changed since the list was filled is found nowhere.
    void findListedDeadline() {
        QVERIFY(start());
        const PrizeEntry a = diaryRecord(u"2009/12/20"_s, u"1"_s);
        const PrizeEntry b = diaryRecord(u"2010/01/05"_s, u"2"_s);
        QVERIFY(add(a) && add(b));
        PrizeEntry changed = a;
        changed[Present] = u"別の賞品"_s;
        desk_->deadlineResults().assign({b, a, changed});
        QCOMPARE(&desk_->recordsOf(diary::Tab::Deadline), &desk_->deadlineResults());

        diary::Result loaded;
        QCOMPARE(desk_->findListedRecord(diary::Tab::Deadline, 1, &loaded), 0);
        QVERIFY(loaded.done);
        QCOMPARE(desk_->ShownYearMonth(), u"2009/12"_s);
        QCOMPARE(desk_->findListedRecord(diary::Tab::Deadline, 0, &loaded), 0);
        QCOMPARE(desk_->ShownYearMonth(), u"2010/01"_s);
        QCOMPARE(desk_->findListedRecord(diary::Tab::Deadline, 2, &loaded), -1);
        QCOMPARE(desk_->findListedRecord(diary::Tab::Deadline, 3, &loaded), -1);
        // The search list is another list.
        QCOMPARE(desk_->findListedRecord(diary::Tab::Search, 0, &loaded), -1);
    }
};

QTEST_GUILESS_MAIN(TestDesk)
#include "tst_desk.moc"
