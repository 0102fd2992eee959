// The copies that sync clients make of the data files: which names are
// copies of which file, the copies of a data tree, the records a copy adds,
// and the desk bringing them back without ever losing a record or a file
// (the scenarios in conflicts/ show what the user sees).
#include <QTest>

#include "desktest.h"
#include "diary/conflicts.h"
#include "diary/monthwalker.h"
#include "diarytestdata.h"
#include "storage/cp932.h"

using namespace Qt::StringLiterals;
using namespace desktest;

namespace {

const QDateTime Now(QDate(2026, 12, 9), QTime(10, 15, 0));
const QString SetAside = u"data/conflicts/20261209-101500/"_s;

}  // namespace

class TestConflicts : public DeskTest {
    Q_OBJECT

    QString data(const QString& below) const { return paths_.dataFolder() + u'/' + below; }
    // A copy of a month as a sync client leaves it: the file of another
    // computer under a name of its own.
    bool writeCopy(const QString& below, const QList<PrizeEntry>& records) {
        return monthfile::write(data(below), records, QString()).ok();
    }

  private Q_SLOTS:
    void init() { makeDesk(); }
    void cleanup() { dropDesk(); }

    void originalOf_data() {
        QTest::addColumn<QString>("below");
        QTest::addColumn<QString>("original");
        QTest::newRow("numbered") << u"2010/03 (1).log"_s << u"2010/03.log"_s;
        QTest::newRow("computer's name") << u"2010/03-DESKTOP-AB12.log"_s << u"2010/03.log"_s;
        QTest::newRow("conflicted copy")
            << u"2010/03 (PC's conflicted copy 2026-12-09).log"_s << u"2010/03.log"_s;
        QTest::newRow("sync conflict")
            << u"2010/03.sync-conflict-20261209-101500-ABCDEFG.log"_s << u"2010/03.log"_s;
        QTest::newRow("parenthesis at once") << u"2010/12(2).log"_s << u"2010/12.log"_s;
        QTest::newRow("year file") << u"0000/2010 (1).log"_s << u"0000/2010.log"_s;
        QTest::newRow("total file") << u"0000/total-LAPTOP.log"_s << u"0000/total.log"_s;
        QTest::newRow("settings") << u"ini/kirabilog (1).ini"_s << u"ini/kirabilog.ini"_s;
        QTest::newRow("month file itself") << u"2010/03.log"_s << QString();
        QTest::newRow("work file") << u"2010/!"_s << QString();
        QTest::newRow("total file itself") << u"0000/total.log"_s << QString();
        QTest::newRow("month 13") << u"2010/13 (1).log"_s << QString();
        QTest::newRow("one digit") << u"2010/3 (1).log"_s << QString();
        QTest::newRow("underscore") << u"2010/03_1.log"_s << QString();
        QTest::newRow("other extension") << u"2010/03 (1).txt"_s << QString();
        QTest::newRow("month extension in ini") << u"ini/kirabilog (1).log"_s << QString();
        QTest::newRow("month in the summaries") << u"0000/03 (1).log"_s << QString();
        QTest::newRow("total in a year") << u"2010/total (1).log"_s << QString();
        QTest::newRow("folder of no year") << u"201/03 (1).log"_s << QString();
        QTest::newRow("set aside") << u"conflicts/03 (1).log"_s << QString();
        QTest::newRow("below a year folder") << u"2010/2011/03 (1).log"_s << QString();
    }

    void originalOf() {
        QFETCH(QString, below);
        QFETCH(QString, original);
        QCOMPARE(conflicts::originalOf(below), original);
    }

    // Copies in the year folders, the summaries and the settings folder, in
    // path order; nothing else is one, and nothing set aside is looked at.
    void findCopies() {
        const QStringList copies{u"0000/2010 (1).log"_s,    u"0000/total (1).log"_s,
                                 u"2010/01 (1).log"_s,      u"2010/01-PC.log"_s,
                                 u"2010/01.sync-x.log"_s,   u"2011/12 (1).log"_s,
                                 u"ini/kirabilog (1).ini"_s};
        const QStringList others{u"2010/01.log"_s,
                                 u"2010/!"_s,
                                 u"0000/total.log"_s,
                                 u"ini/kirabilog.ini"_s,
                                 u"2010/2011/01 (1).log"_s,
                                 u"2010 (1)/01.log"_s,
                                 u"conflicts/20261209-101500/2010/01 (1).log"_s};
        for (const QString& below : copies + others) {
            QVERIFY(writeBytes(data(below), "x"));
        }
        QCOMPARE(conflicts::findCopies(paths_), copies);
        QCOMPARE(desk_->conflictCopies(), copies);
    }

    void notHeldIn_data() {
        QTest::addColumn<int>("changed");  // the field the copy changed; -1 for none
        QTest::newRow("same") << -1;
        for (int field = 0; field < PrizeEntryFieldCount; ++field) {
            QTest::addRow("field %d", field) << field;
        }
    }

    // A record counts as held only when all its 17 fields are the same.
    void notHeldIn() {
        QFETCH(int, changed);
        const PrizeEntry held = diaryRecord(u"2010/01/05"_s, u"1"_s);
        PrizeEntry edited = held;
        if (changed >= 0) {
            edited[changed] += u"x"_s;
        }
        const QList<PrizeEntry> missing = conflicts::notHeldIn({held}, {edited});
        QCOMPARE(missing, changed >= 0 ? QList<PrizeEntry>{edited} : QList<PrizeEntry>{});
    }

    // A record entered twice is held twice; the missing keep the copy's order.
    void notHeldInCountsRepeats() {
        const PrizeEntry a = diaryRecord(u"2010/01/05"_s, u"1"_s);
        const PrizeEntry b = diaryRecord(u"2010/01/06"_s, u"2"_s);
        QCOMPARE(conflicts::notHeldIn({a}, {b, a, a}), (QList<PrizeEntry>{b, a}));
        QCOMPARE(conflicts::notHeldIn({a, a}, {a, a}), QList<PrizeEntry>{});
    }

    // A month that could not be read is never written over: the copies of
    // it keep their records where they are.
    void refusedMonthKeepsItsCopies() {
        QVERIFY(start());
        const QString month = paths_.monthFile(u"2010"_s, u"02"_s);
        QVERIFY(monthfile::write(month, {diaryRecord(u"2010/02/01"_s, u"1"_s)}, u"pw"_s).ok());
        const QByteArray before = readBytes(month);
        QVERIFY(writeCopy(u"2010/02 (1).log"_s, {diaryRecord(u"2010/02/02"_s, u"2"_s)}));

        const diary::Result result = desk_->bringBackConflicts(desk_->conflictCopies(), Now);
        QVERIFY(!result.notices.isEmpty());
        QVERIFY(result.notices.last().text.endsWith(u"\r\n\r\n2010/02 (1).log"_s));
        QCOMPARE(readBytes(month), before);
        QCOMPARE(desk_->conflictCopies(), QStringList{u"2010/02 (1).log"_s});
        QCOMPARE(desk_->searchResults().count(), 0);
    }

    // A copy that cannot be moved stays, its records already back; the
    // next time nothing comes twice and the copy goes.
    void unmovableCopyStaysAndComesOnce() {
        QVERIFY(start());
        QVERIFY(writeCopy(u"2010/02 (1).log"_s, {diaryRecord(u"2010/02/02"_s, u"2"_s)}));
        QVERIFY(writeBytes(paths_.conflictsFolder(), "in the way"));

        diary::Result result = desk_->bringBackConflicts(desk_->conflictCopies(), Now);
        QCOMPARE(result.notices.size(), 1);
        QVERIFY(result.notices[0].text.endsWith(u"\r\n\r\n2010/02 (1).log"_s));
        QCOMPARE(idsOf(stored(paths_, u"2010/02"_s)), QStringList{u"2"_s});
        QCOMPARE(desk_->conflictCopies(), QStringList{u"2010/02 (1).log"_s});

        QVERIFY(QFile::remove(paths_.conflictsFolder()));
        result = desk_->bringBackConflicts(desk_->conflictCopies(), Now);
        QVERIFY(result.notices.isEmpty());
        QCOMPARE(idsOf(stored(paths_, u"2010/02"_s)), QStringList{u"2"_s});
        QCOMPARE(desk_->searchResults().count(), 0);
        QVERIFY(desk_->conflictCopies().isEmpty());
        QVERIFY(QFile::exists(folder_->file(SetAside + u"2010/02 (1).log"_s)));
    }

    // A sealed month's copy carries the seal of the month it copies, and
    // opens as that month.
    void sealedCopyOpensAsItsMonth() {
        QVERIFY(writeEnciphered(paths_.settingsFile(),
                                "[Setting]\r\nStartPassword=1\r\nStartPasswordInput=pw\r\n"));
        QVERIFY(start());
        settingsfile::Settings sealed = desk_->settings();
        sealed.seal = true;
        QVERIFY(desk_->applySettings(sealed, noProgress).done);
        const PrizeEntry record = diaryRecord(u"2010/02/02"_s, u"2"_s);
        const QByteArray plain = cp932::encode(monthfile::format({record}, {})).bytes;
        const QString month = paths_.monthFile(u"2010"_s, u"02"_s);
        QVERIFY(writeBytes(data(u"2010/02 (1).log"_s),
                           diskfile::encode(month, plain, diskfile::dataKey().get())));

        QVERIFY(desk_->bringBackConflicts(desk_->conflictCopies(), Now).notices.isEmpty());
        QCOMPARE(monthfile::read(month, QString()).records, QList<PrizeEntry>{record});
    }

    // What is set aside is no year of the diary: no walk visits it, and a
    // change of the filing key or the deletion of all data leaves it alone.
    void setAsideCopiesAreNoData() {
        QVERIFY(start());
        QVERIFY(add(diaryRecord(u"2010/01/05"_s, u"1"_s)));
        const QString setAside = folder_->file(SetAside + u"2010/01.log"_s);
        QVERIFY(writeBytes(setAside, readBytes(paths_.monthFile(u"2010"_s, u"01"_s))));
        QCOMPARE(diary::MonthWalker(paths_).yearFolders(),
                 QStringList{paths_.yearFolder(u"2010"_s)});

        settingsfile::Settings edited = desk_->settings();
        edited.formatKeyNowDay = false;
        QVERIFY(desk_->applySettings(edited, noProgress).done);
        QVERIFY(QFile::exists(setAside));
        QCOMPARE(idsOf(stored(paths_, u"2010/12"_s)), QStringList{u"1"_s});

        QVERIFY(desk_->removeAll().done);
        QVERIFY(QFile::exists(setAside));
    }
};

QTEST_GUILESS_MAIN(TestConflicts)
#include "tst_conflicts.moc"
