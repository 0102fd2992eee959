// The walk over the stored months: which files it visits, in which order,
// what it reads of each, and that it stops when asked.
#include <QTest>

#include "diary/monthwalker.h"
#include "diarytestdata.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

QStringList visited(const diary::MonthWalker& walker, const diary::WalkRange& range,
                    int stopAfter = -1) {
    QStringList seen;
    walker.walk(range, [&](const diary::StoredMonth& month) {
        seen.append(month.year + u'/' + month.month);
        return int(seen.size()) != stopAfter;
    });
    return seen;
}

}  // namespace

class TestMonthWalker : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder_;

    void store(const QString& year, const QString& month, const QString& password = {}) {
        const QString path = folder_->paths().monthFile(year, month);
        QVERIFY(
            monthfile::write(path, {diaryRecord(year + u'/' + month + u"/01"_s, u"1"_s)}, password)
                .ok());
    }

  private Q_SLOTS:
    void init() {
        folder_ = std::make_unique<TestFolder>();
        store(u"2010"_s, u"12"_s);
        store(u"2010"_s, u"02"_s);
        store(u"2009"_s, u"07"_s, u"abc"_s);
        store(u"2011"_s, u"01"_s);
        // Neither the summaries nor the settings hold months.
        QVERIFY(writeEnciphered(folder_->paths().yearFile(u"2010"_s), "1,0\r\n"));
        QVERIFY(writeEnciphered(folder_->paths().settingsFile(), "[Setting]\r\n"));
        QVERIFY(writeEnciphered(folder_->paths().iniFolder() + u"/01.log"_s, "x"));
    }

    // Year folders in name order, months 01 to 12; a missing month is passed
    // over.
    void everyMonthInOrder() {
        const diary::MonthWalker walker(folder_->paths());
        QCOMPARE(walker.steps(diary::WalkRange::everyMonth()), 3);
        QCOMPARE(visited(walker, diary::WalkRange::everyMonth()),
                 (QStringList{u"2009/07"_s, u"2010/02"_s, u"2010/12"_s, u"2011/01"_s}));
    }

    // A run of months goes over the end of a year.
    void runOfMonths() {
        const diary::MonthWalker walker(folder_->paths());
        const diary::WalkRange run = diary::WalkRange::months(2010, 11, 3);
        QCOMPARE(walker.steps(run), 3);
        QCOMPARE(visited(walker, run), (QStringList{u"2010/12"_s, u"2011/01"_s}));
        QCOMPARE(visited(walker, diary::WalkRange::months(2010, 3, 9)), QStringList());
    }

    void stopsWhenAsked() {
        const diary::MonthWalker walker(folder_->paths());
        QCOMPARE(visited(walker, diary::WalkRange::everyMonth(), 2),
                 (QStringList{u"2009/07"_s, u"2010/02"_s}));
        QVERIFY(!walker.walk(diary::WalkRange::everyMonth(),
                             [](const diary::StoredMonth&) { return false; }));
    }

    // Each month comes with its password line and records, whatever the
    // password; the caller decides what fits.
    void readsContentAndPassword() {
        const diary::MonthWalker walker(folder_->paths());
        QList<diary::StoredMonth> months;
        walker.walk(diary::WalkRange::everyMonth(), [&](const diary::StoredMonth& month) {
            months.append(month);
            return true;
        });
        QCOMPARE(months.size(), 4);
        QVERIFY(months[0].content.hasPasswordLine);
        QCOMPARE(months[0].content.password, u"abc"_s);
        QCOMPARE(months[0].content.records.value(0)[FilingDate], u"2009/07/01"_s);
        QCOMPARE(months[0].path, folder_->paths().monthFile(u"2009"_s, u"07"_s));
        QVERIFY(!months[1].content.hasPasswordLine);
        QVERIFY(months[1].error.isEmpty());
    }

    // A folder inside a year folder is walked after it, under the last four
    // characters of its name.
    void foldersBelowYearFolders() {
        const DataPaths paths = folder_->paths();
        QVERIFY(
            QDir().rename(paths.yearFolder(u"2011"_s), paths.yearFolder(u"2010"_s) + u"/2011"_s));
        const diary::MonthWalker walker(paths);
        QCOMPARE(walker.yearFolders(),
                 (QStringList{paths.yearFolder(u"2009"_s), paths.yearFolder(u"2010"_s),
                              paths.yearFolder(u"2010"_s) + u"/2011"_s}));
        QCOMPARE(visited(walker, diary::WalkRange::everyMonth()).last(), u"2011/01"_s);
    }

    void emptyDataFolder() {
        TestFolder empty;
        const diary::MonthWalker walker(empty.paths());
        QCOMPARE(walker.steps(diary::WalkRange::everyMonth()), 0);
        QVERIFY(walker.walk(diary::WalkRange::everyMonth(),
                            [](const diary::StoredMonth&) { return false; }));
    }
};

QTEST_GUILESS_MAIN(TestMonthWalker)
#include "tst_monthwalker.moc"
