// The search without any window: the conditions column by column, the walk
// over all months or a run of them, files of another password, an interrupt,
// files no program would write, and the walk on a thread of its own.
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "diary/search.h"
#include "diarytestdata.h"
#include "storage/monthfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using search::Conditions;
using search::Range;

namespace {

PrizeEntry sample() {
    PrizeEntry e = diaryRecord(u"2010/01/10"_s, u"120"_s, u"小物当選"_s, u"500"_s);
    e[Site] = u"ABCnet"_s;
    e[URL] = u"http://Example.jp/"_s;
    e[Genre] = u"商品券・図書カード"_s;
    e[Present] = u"Ｇｉｆｔ券"_s;
    e[Number] = u"50名様"_s;
    e[OtherDate] = u"2010/02/28"_s;
    e[HappyDay] = u"2010/03/01"_s;
    e[OboKeishiki] = u"アンケート"_s;
    e[SenkoWay] = u"抽選"_s;
    e[Cycle] = u"毎月"_s;
    e[OboWay] = u"ネット応募"_s;
    e[Msg] = u"xxabcxx"_s;
    e[PicturePath] = u"C:\\Pic\\A.JPG"_s;
    return e;
}

Range<Currency> yen(qint64 from, qint64 to) {
    return {*Currency::fromYen(from), *Currency::fromYen(to)};
}

// Months of records whose IDs tell the month and the place in it; the
// month files of `refused` carry another password.
void storeMonths(const DataPaths& paths, int months, int perMonth, QList<int> refused = {}) {
    for (int month = 1; month <= months; ++month) {
        const QString mm = u"%1"_s.arg(month, 2, 10, QChar(u'0'));
        QList<PrizeEntry> records;
        for (int i = 0; i < perMonth; ++i) {
            records.append(diaryRecord(u"2010/%1/01"_s.arg(mm), u"%1-%2"_s.arg(mm).arg(i)));
        }
        const QString password = refused.contains(month) ? u"other"_s : QString();
        QVERIFY(monthfile::write(paths.monthFile(u"2010"_s, mm), records, password).ok());
    }
}

QStringList ids(const std::optional<QList<PrizeEntry>>& found) {
    QStringList list;
    for (const PrizeEntry& e : found.value_or(QList<PrizeEntry>())) {
        list.append(e[ID]);
    }
    return list;
}

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void conditions_data() {
        QTest::addColumn<std::function<void(Conditions&)>>("set");
        QTest::addColumn<bool>("found");
        using Set = std::function<void(Conditions&)>;
        QTest::newRow("none") << Set([](Conditions&) {}) << true;
        QTest::newRow("ID in range") << Set([](Conditions& c) { c.id = yen(100, 120); }) << true;
        QTest::newRow("ID out of range")
            << Set([](Conditions& c) { c.id = yen(121, 200); }) << false;
        QTest::newRow("site folded") << Set([](Conditions& c) { c.site = u"abc"_s; }) << true;
        QTest::newRow("site with case") << Set([](Conditions& c) {
            c.site = u"abc"_s;
            c.caseSensitive = true;
        }) << false;
        QTest::newRow("full-width letters fold")
            << Set([](Conditions& c) { c.present = u"ｇｉｆｔ"_s; }) << true;
        QTest::newRow("no kana folding")
            << Set([](Conditions& c) { c.present = u"ギフト"_s; }) << false;
        QTest::newRow("url folded") << Set([](Conditions& c) { c.url = u"example"_s; }) << true;
        QTest::newRow("picture folded")
            << Set([](Conditions& c) { c.picture = u"a.jpg"_s; }) << true;
        QTest::newRow("comment exact") << Set([](Conditions& c) { c.msg = u"abc"_s; }) << true;
        QTest::newRow("comment never folded")
            << Set([](Conditions& c) { c.msg = u"ABC"_s; }) << false;
        QTest::newRow("genre contains")
            << Set([](Conditions& c) { c.genre = u"図書カード"_s; }) << true;
        QTest::newRow("every win")
            << Set([](Conditions& c) { c.kekka = search::resultCondition(u"全当選"_s); }) << true;
        QTest::newRow("other result") << Set([](Conditions& c) { c.kekka = u"落選"_s; }) << false;
        QTest::newRow("money") << Set([](Conditions& c) { c.money = yen(500, 500); }) << true;
        QTest::newRow("money out") << Set([](Conditions& c) { c.money = yen(0, 499); }) << false;
        QTest::newRow("winners 10 to 100") << Set([](Conditions& c) {
            c.number = Range<QString>{u"10"_s, u"100"_s};
        }) << true;
        QTest::newRow("winners 60 to 100") << Set([](Conditions& c) {
            c.number = Range<QString>{u"60"_s, u"100"_s};
        }) << false;
        QTest::newRow("winners up 0") << Set([](Conditions& c) {
            c.number = Range<QString>{u"0"_s, u"0"_s};
        }) << false;
        QTest::newRow("other date") << Set([](Conditions& c) {
            c.otherDate = Range<QString>{u"2010/02/01"_s, u"2010/02/28"_s};
        }) << true;
        QTest::newRow("win date out") << Set([](Conditions& c) {
            c.happyDay = Range<QString>{u"2010/03/02"_s, u"2010/12/31"_s};
        }) << false;
        QTest::newRow("form, selection, cycle, method") << Set([](Conditions& c) {
            c.oboKeishiki = u"アンケート"_s;
            c.senkoWay = u"抽選"_s;
            c.cycle = u"毎月"_s;
            c.oboWay = u"ネット応募"_s;
        }) << true;
        QTest::newRow("all of them: one fails") << Set([](Conditions& c) {
            c.site = u"abc"_s;
            c.cycle = u"毎週"_s;
        }) << false;
        QTest::newRow("any of them: one holds") << Set([](Conditions& c) {
            c.site = u"abc"_s;
            c.cycle = u"毎週"_s;
            c.anyCondition = true;
        }) << true;
        QTest::newRow("any of them: none holds") << Set([](Conditions& c) {
            c.site = u"zzz"_s;
            c.cycle = u"毎週"_s;
            c.anyCondition = true;
        }) << false;
        QTest::newRow("any of them, none set")
            << Set([](Conditions& c) { c.anyCondition = true; }) << true;
        QTest::newRow("filing date still bounds an OR") << Set([](Conditions& c) {
            c.anyCondition = true;
            c.site = u"abc"_s;
            c.filingDate = Range<QString>{u"2010/01/11"_s, u"2010/01/31"_s};
        }) << false;
    }
    void conditions() {
        QFETCH(std::function<void(Conditions&)>, set);
        QFETCH(bool, found);
        Conditions c;
        set(c);
        QCOMPARE(search::matches(sample(), c), found);
    }

    // Winners: a count with 名様 between the bounds; 全員 only with 0 below
    // or 0 above; a stored number of no number fails.
    void winnersRule() {
        const auto passes = [](const QString& field, const QString& down, const QString& up) {
            PrizeEntry e = sample();
            e[Number] = field;
            Conditions c;
            c.number = Range<QString>{down, up};
            return search::matches(e, c);
        };
        QVERIFY(passes(u"50名様"_s, u"10"_s, u"100"_s));
        QVERIFY(!passes(u"5名様"_s, u"10"_s, u"100"_s));
        QVERIFY(!passes(u"全員"_s, u"10"_s, u"100"_s));
        QVERIFY(passes(u"全員"_s, u"0"_s, u"100"_s));
        QVERIFY(passes(u"全員"_s, u"10"_s, u"0"_s));
        QVERIFY(!passes(u"1名様"_s, u"0"_s, u"0"_s));
        QVERIFY(!passes(u"多数名様"_s, u"0"_s, u"100"_s));
        // IDs and prize values of no number fail their range, nothing stops.
        PrizeEntry odd = sample();
        odd[ID] = u"ABC"_s;
        odd[HappyMoney] = u"不明"_s;
        Conditions c;
        c.id = yen(0, 1000000);
        QVERIFY(!search::matches(odd, c));
        c = Conditions();
        c.money = yen(0, 1000000);
        QVERIFY(!search::matches(odd, c));
    }

    // Every month of every year folder in name order, or the run of the
    // filing-date range and only its days; a file of another password is
    // passed over and named.
    void walks() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const auto store = [&](const QString& yearMonth, QList<int> days,
                               const QString& password = {}) {
            QList<PrizeEntry> records;
            for (int day : days) {
                records.append(diaryRecord(yearMonth + u"/%1"_s.arg(day, 2, 10, QChar(u'0')),
                                           yearMonth + u'-' + QString::number(day)));
            }
            QVERIFY(monthfile::write(paths.monthFile(yearMonth.left(4), yearMonth.mid(5)), records,
                                     password)
                        .ok());
        };
        store(u"2010/02"_s, {10, 11});
        store(u"2009/11"_s, {14, 15});
        store(u"2009/12"_s, {31});
        store(u"2010/01"_s, {1}, u"other"_s);
        store(u"2010/03"_s, {1});
        QStringList refused;
        search::Search::Hooks hooks;
        hooks.refused = [&](const QString& path) { refused.append(path); };
        search::Search all(paths, QString());
        QCOMPARE(ids(all.run(Conditions(), hooks)),
                 (QStringList{u"2009/11-14"_s, u"2009/11-15"_s, u"2009/12-31"_s, u"2010/02-10"_s,
                              u"2010/02-11"_s, u"2010/03-1"_s}));
        QCOMPARE(refused, QStringList{paths.monthFile(u"2010"_s, u"01"_s)});

        Conditions range;
        range.filingDate = Range<QString>{u"2009/11/15"_s, u"2010/02/10"_s};
        const diary::WalkRange walk = search::Search::walkOf(range);
        QCOMPARE(walk.count, 4);
        QCOMPARE(ids(all.run(range, hooks)),
                 (QStringList{u"2009/11-15"_s, u"2009/12-31"_s, u"2010/02-10"_s}));
    }

    // An interrupt leaves no result at all.
    void interruptEmptiesTheResults() {
        TestFolder folder;
        QList<PrizeEntry> records;
        for (int i = 0; i < 5000; ++i) {
            records.append(diaryRecord(u"2010/01/01"_s, QString::number(i)));
        }
        for (const QString& month : {u"01"_s, u"02"_s, u"03"_s}) {
            QVERIFY(monthfile::write(folder.paths().monthFile(u"2010"_s, month), records, QString())
                        .ok());
        }
        int asked = 0;
        search::Search::Hooks hooks;
        hooks.interrupted = [&](qint64 examined) {
            ++asked;
            return examined > 0;
        };
        search::Search walk(folder.paths(), QString());
        QVERIFY(!walk.run(Conditions(), hooks).has_value());
        QVERIFY(asked >= 1);
    }

    // Beside the caller: each refused file is told in walk order before the
    // end, the walk goes on once it is told, the last progress counts every
    // record examined, and the records come in walk order.
    void runBesideTheCaller() {
        TestFolder folder;
        storeMonths(folder.paths(), 4, 2, {1, 2});
        search::SearchRun run(folder.paths(), QString());
        QStringList told;
        qint64 lastProgress = -1;
        connect(&run, &search::SearchRun::refused, this, [&](const QString& path) {
            told.append(QFileInfo(path).fileName());
            QTimer::singleShot(0, this, [&] {
                told.append(u"told"_s);
                run.refusalTold();
            });
        });
        connect(&run, &search::SearchRun::progress, this,
                [&](qint64 examined) { lastProgress = examined; });
        connect(&run, &search::SearchRun::finished, this, [&] { told.append(u"end"_s); });
        QSignalSpy finished(&run, &search::SearchRun::finished);
        run.start(Conditions());
        QVERIFY(finished.wait(10000));
        QCOMPARE(told, (QStringList{u"01.log"_s, u"told"_s, u"02.log"_s, u"told"_s, u"end"_s}));
        QCOMPARE(lastProgress, 4);
        QCOMPARE(ids(run.takeResults()), (QStringList{u"03-0"_s, u"03-1"_s, u"04-0"_s, u"04-1"_s}));
    }

    // An interrupt in the middle of the walk leaves no result; a run
    // deleted while it waits for a refused file to be told stops at once.
    void runInterrupted() {
        TestFolder folder;
        storeMonths(folder.paths(), 6, 2000, {6});
        {
            search::SearchRun run(folder.paths(), QString());
            connect(
                &run, &search::SearchRun::progress, this,
                [&run](qint64 examined) {
                    if (examined > 0) {
                        run.interrupt();
                    }
                },
                Qt::DirectConnection);  // on the walk's thread, while it walks
            // The refused month must not hold the walk before the interrupt
            // comes, whenever the walk reaches it.
            connect(
                &run, &search::SearchRun::refused, this, [&run] { run.refusalTold(); },
                Qt::DirectConnection);
            QSignalSpy finished(&run, &search::SearchRun::finished);
            run.start(Conditions());
            QVERIFY(finished.wait(10000));
            QVERIFY(!run.takeResults().has_value());
        }
        auto run = std::make_unique<search::SearchRun>(folder.paths(), QString());
        QSignalSpy refused(run.get(), &search::SearchRun::refused);
        run->start(Conditions());
        QVERIFY(refused.wait(10000));
        QElapsedTimer deleting;
        deleting.start();
        run.reset();
        QVERIFY2(deleting.elapsed() < 1000, qPrintable(u"%1 ms"_s.arg(deleting.elapsed())));
    }

    // Files no program would write: what can be read is found, the rest
    // passed over, nothing hangs, no work file is left.
    void badFiles() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        QByteArray noise(20000, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i) {
            noise[i] = char((i * 7919 + 13) % 256);
        }
        QVERIFY(writeEnciphered(paths.monthFile(u"2010"_s, u"01"_s), noise));
        QVERIFY(monthfile::write(paths.monthFile(u"2010"_s, u"02"_s),
                                 {diaryRecord(u"2010/02/01"_s, u"ok"_s)}, QString())
                    .ok());
        QByteArray cut = deciphered(paths.monthFile(u"2010"_s, u"02"_s));
        QVERIFY(writeEnciphered(paths.monthFile(u"2010"_s, u"03"_s), cut.left(cut.size() / 2)));
        QVERIFY(writeEnciphered(paths.monthFile(u"2010"_s, u"04"_s),
                                QByteArray(50 * 1024 * 1024, 'x')));
        QVERIFY(QDir().mkpath(paths.monthFile(u"2010"_s, u"05"_s)));  // a folder named like a month
        search::Search walk(paths, QString());
        QCOMPARE(ids(walk.run(Conditions(), {})), QStringList{u"ok"_s});
        QVERIFY(!QFile::exists(DataPaths::workFile(paths.yearFolder(u"2010"_s))));
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
