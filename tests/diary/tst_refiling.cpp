// Re-filing and re-keying without any window: every record lands in the
// month of its other date exactly once, nothing changes when one month
// cannot be read or one record has no date, a failed write leaves the old
// data, and re-keying touches only the files of the previous password and
// keeps the month expenses.
#include <QDirIterator>
#include <QMap>
#include <QTest>

#include "diary/refiling.h"
#include "diarytestdata.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"
#include "storage/settingsfile.h"
#include "storage/summaryfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

using Snapshot = QMap<QString, QByteArray>;

// Every file below the data folder with its bytes on disk.
Snapshot snapshot(const DataPaths& paths) {
    Snapshot files;
    QDirIterator it(paths.dataFolder(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(paths.dataFolder().size()), readBytes(path));
    }
    return files;
}

QByteArray cp932Bytes(const QString& text) {
    return cp932::encode(text).bytes;
}

QByteArray settingsBytes(bool nowDay) {
    settingsfile::Settings s;
    s.formatKeyNowDay = nowDay;
    return cp932Bytes(settingsfile::format(s, nullptr));
}

// Records of 2009/11 to 2010/02, filed by application date, whose deadlines
// lie in the next month or in the same one.
QList<PrizeEntry> byApplicationDate() {
    QList<PrizeEntry> records;
    const QStringList months = {u"2009/11"_s, u"2009/12"_s, u"2010/01"_s, u"2010/02"_s};
    int id = 0;
    for (const QString& month : months) {
        for (int day : {3, 17, 28}) {
            ++id;
            PrizeEntry e = diaryRecord(month + u"/%1"_s.arg(day, 2, 10, QChar(u'0')),
                                       QString::number(id), id % 4 == 0 ? u"小物当選"_s : u"落選"_s,
                                       id % 4 == 0 ? u"300"_s : u"0"_s);
            const QDate deadline = QDate::fromString(e[FilingDate], u"yyyy/MM/dd"_s).addDays(day);
            e[OtherDate] = deadline.toString(u"yyyy/MM/dd"_s);
            records.append(e);
        }
    }
    return records;
}

void storeByFilingDate(const DataPaths& paths, const QList<PrizeEntry>& records,
                       const QString& password = QString()) {
    QMap<QString, QList<PrizeEntry>> months;
    for (const PrizeEntry& e : records) {
        months[e[FilingDate].left(7)].append(e);
    }
    for (auto it = months.cbegin(); it != months.cend(); ++it) {
        QVERIFY(monthfile::write(paths.monthFile(it.key().left(4), it.key().mid(5)), it.value(),
                                 password)
                    .ok());
    }
}

// Every stored record, each with the month file it lies in.
QList<std::pair<QString, PrizeEntry>> storedRecords(const DataPaths& paths,
                                                    const QString& password = QString()) {
    QList<std::pair<QString, PrizeEntry>> found;
    for (const QString& year :
         QDir(paths.dataFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (int month = 1; month <= 12; ++month) {
            const QString mm = u"%1"_s.arg(month, 2, 10, QChar(u'0'));
            const monthfile::ReadResult read = monthfile::read(paths.monthFile(year, mm), password);
            for (const PrizeEntry& e : read.records) {
                found.append({year + u'/' + mm, e});
            }
        }
    }
    return found;
}

PrizeEntry swapped(PrizeEntry e) {
    std::swap(e[FilingDate], e[OtherDate]);
    return e;
}

// Checks that every record lies once in the month of its filing date and
// that together they are the expected ones.
void checkFiled(const DataPaths& paths, QList<PrizeEntry> expected,
                const QString& password = QString()) {
    QList<PrizeEntry> found;
    for (const auto& [month, e] : storedRecords(paths, password)) {
        QCOMPARE(e[FilingDate].left(7), month);
        found.append(e);
    }
    const auto byId = [](const PrizeEntry& a, const PrizeEntry& b) {
        return a[ID].toInt() < b[ID].toInt();
    };
    std::sort(found.begin(), found.end(), byId);
    std::sort(expected.begin(), expected.end(), byId);
    QCOMPARE(found, expected);
}

refiling::Keys noPassword() {
    return {};
}

}  // namespace

class TestRefiling : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void refilingMovesEveryRecordAndBack() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QList<PrizeEntry> records = byApplicationDate();
        storeByFilingDate(paths, records);
        // Expenses of a month are given up by a change of key.
        QList<summaryfile::Row> year;
        for (int m = 1; m <= 12; ++m) {
            year.append({QString::number(m), u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0.00"_s,
                         u"0"_s, u"700"_s, u"-700"_s});
        }
        QVERIFY(summaryfile::write(paths.yearFile(u"2009"_s), year).ok());

        QList<PrizeEntry> refiled;
        for (const PrizeEntry& e : records) {
            refiled.append(swapped(e));
        }
        int lastDone = 0;
        const diary::Result result =
            refiling::refile(paths, noPassword(), settingsBytes(false), Currency::fromUnits(0),
                             [&](int done, int all) {
                                 QVERIFY(done >= lastDone && done <= all);
                                 lastDone = done;
                             });
        QVERIFY(result.done);
        QCOMPARE(result.notices.size(), 0);
        checkFiled(paths, refiled);
        QVERIFY(QFile::exists(paths.monthFile(u"2010"_s, u"03"_s)));  // 2010/02/28 + 28 days
        QVERIFY(!settingsfile::read(paths.settingsFile()).settings.formatKeyNowDay);
        // The summaries count the new months, with no expenses.
        const summaryfile::ReadResult total = summaryfile::readTotal(paths.totalFile());
        QCOMPARE(total.status, summaryfile::ReadResult::Status::Read);
        int entries = 0;
        for (const summaryfile::Row& row : total.rows) {
            entries += row[summaryfile::EntryCount].toInt();
        }
        QCOMPARE(entries, records.size());
        for (const summaryfile::Row& row : summaryfile::readYear(paths.yearFile(u"2009"_s)).rows) {
            QCOMPARE(row[summaryfile::Expenses], u"0"_s);
        }
        const Snapshot files = snapshot(paths);
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QVERIFY2(!it.key().contains(u"/."_s), qPrintable(it.key()));  // no work left over
        }

        QVERIFY(refiling::refile(paths, noPassword(), settingsBytes(true), Currency::fromUnits(0),
                                 nullptr)
                    .done);
        checkFiled(paths, records);
        QVERIFY(!QFile::exists(paths.monthFile(u"2010"_s, u"03"_s)));
    }

    // A month of another password, a damaged month or a record without a
    // date to be filed under stops the change before anything is touched,
    // and the message names it.
    void refilingChangesNothingWhenAnythingCannotBeFiled_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("named");
        const QByteArray record = cp932Bytes(
            u"\"2010/05/01\",\"77\",\"s\",\"\",\"\",\"p\",\"落選\",\"0\",\"1名様\",\"%1\","
            u"\"----/--/--\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"_s);
        QTest::newRow("third password") << u"2010/05.log"_s
                                        << QByteArray("\"StartPassword=other\"\r\n") +
                                               QByteArray(record).replace("%1", "2010/06/01")
                                        << u"データファイル「%1」を読み込めません。"_s;
        QTest::newRow("damaged line")
            << u"2010/05.log"_s << QByteArray(record).replace("%1", "2010/06/01") + "broken\r\n"
            << u"データファイル「%1」の2行目を読み取れません。"_s;
        QTest::newRow("no other date")
            << u"2010/05.log"_s << QByteArray(record).replace("%1", "")
            << u"データファイル「%1」の懸賞情報（ＩＤ番号 77、p）は日付「」の月に振り分けられません。"_s;
        QTest::newRow("no date at all")
            << u"2010/05.log"_s << QByteArray(record).replace("%1", "2010/13/01")
            << u"日付「2010/13/01」の月に振り分けられません。"_s;
    }

    void refilingChangesNothingWhenAnythingCannotBeFiled() {
        QFETCH(QString, file);
        QFETCH(QByteArray, plain);
        QFETCH(QString, named);
        TestFolder folder;
        const DataPaths paths = folder.paths();
        storeByFilingDate(paths, byApplicationDate());
        QVERIFY(writeEnciphered(paths.dataFolder() + u'/' + file, plain));
        const Snapshot before = snapshot(paths);

        const diary::Result result = refiling::refile(paths, noPassword(), settingsBytes(false),
                                                      Currency::fromUnits(0), nullptr);
        QVERIFY(!result.done);
        QCOMPARE(result.notices.size(), 1);
        QCOMPARE(result.notices[0].title, u"ｴﾗｰ"_s);
        const QString path = QDir::toNativeSeparators(paths.dataFolder() + u'/' + file);
        QVERIFY2(result.notices[0].text.contains(named.contains(u"%1"_s) ? named.arg(path) : named),
                 qPrintable(result.notices[0].text));
        QVERIFY(result.notices[0].text.endsWith(named.contains(u"%1"_s) ? named.arg(path) : named));
        QCOMPARE(snapshot(paths), before);
    }

    // A write that fails part-way through the new data leaves the old data
    // as it was, and no work of the change.
    void failedWriteLeavesTheOldData() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        // The months before 2010/02 fit under the limit, 2010/02 does not.
        QList<PrizeEntry> records = byApplicationDate();
        for (int i = 0; i < 20; ++i) {
            PrizeEntry e = diaryRecord(u"2010/01/20"_s, QString::number(100 + i));
            e[OtherDate] = u"2010/02/10"_s;
            records.append(e);
        }
        storeByFilingDate(paths, records);
        const Snapshot before = snapshot(paths);
        diary::Result result;
        {
            FailingWorkFile::Scope full(1000);
            result = refiling::refile(paths, noPassword(), settingsBytes(false),
                                      Currency::fromUnits(0), nullptr);
        }
        QVERIFY(!result.done);
        QVERIFY(!result.notices.isEmpty());
        QVERIFY2(result.notices[0].text.contains(u"No space left on device"_s),
                 qPrintable(result.notices[0].text));
        QCOMPARE(snapshot(paths), before);
        checkFiled(paths, records);
    }

    // Old data that cannot be moved aside is left where it is.
    void unmovableDataIsLeftInPlace() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QList<PrizeEntry> records = byApplicationDate();
        storeByFilingDate(paths, records);
        // A file where the old data would be moved to.
        QVERIFY(writeBytes(paths.dataFolder() + u"/.refile-old"_s, "x"));
        const Snapshot before = snapshot(paths);
        const diary::Result result = refiling::refile(paths, noPassword(), settingsBytes(false),
                                                      Currency::fromUnits(0), nullptr);
        QVERIFY(!result.done);
        QCOMPARE(result.notices.size(), 1);
        QVERIFY2(result.notices[0].text.contains(
                     u"構成キーを変更できません。データは何も変更していません。"_s),
                 qPrintable(result.notices[0].text));
        QCOMPARE(snapshot(paths), before);
    }

    // A re-filing stopped before its new data was whole is dropped at the
    // next start; the old data is untouched.
    void staleWorkIsDroppedAtStart() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QList<PrizeEntry> records = byApplicationDate();
        storeByFilingDate(paths, records);
        const Snapshot before = snapshot(paths);
        QVERIFY(writeEnciphered(paths.dataFolder() + u"/.refile/data/2010/01.log"_s, "x\r\n"));
        QVERIFY(QDir().mkpath(paths.dataFolder() + u"/.refile-old/2009"_s));
        refiling::recoverRefiling(paths);
        QCOMPARE(snapshot(paths), before);
        QVERIFY(!QFile::exists(paths.dataFolder() + u"/.refile"_s));
        QVERIFY(!QFile::exists(paths.dataFolder() + u"/.refile-old"_s));
    }

    // Which files a change of password rewrites, and what they hold after.
    void rekeyingRewritesOnlyThePreviousPassword_data() {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("fileHolds");   // the password line of the file; "-" for none
        QTest::addColumn<QString>("afterHolds");  // what it holds after; "same" when untouched
        QTest::addColumn<bool>("named");          // reported as of another password
        QTest::newRow("first password") << ""
                                        << "one"
                                        << "-"
                                        << "one" << false;
        QTest::newRow("first, file already new") << ""
                                                 << "one"
                                                 << "one"
                                                 << "same" << false;
        QTest::newRow("first, third password") << ""
                                               << "one"
                                               << "third"
                                               << "same" << true;
        QTest::newRow("changed") << "one"
                                 << "two"
                                 << "one"
                                 << "two" << false;
        QTest::newRow("changed, file already new") << "one"
                                                   << "two"
                                                   << "two"
                                                   << "same" << false;
        QTest::newRow("changed, third password") << "one"
                                                 << "two"
                                                 << "third"
                                                 << "same" << true;
        QTest::newRow("changed, file without") << "one"
                                               << "two"
                                               << "-"
                                               << "same" << true;
        QTest::newRow("released") << "one"
                                  << ""
                                  << "one"
                                  << "-" << false;
        QTest::newRow("released, file without") << "one"
                                                << ""
                                                << "-"
                                                << "same" << false;
        QTest::newRow("no change, none") << ""
                                         << ""
                                         << "-"
                                         << "same" << false;
        QTest::newRow("no change, set") << "one"
                                        << "one"
                                        << "one"
                                        << "same" << false;
        QTest::newRow("case differs") << "one"
                                      << "two"
                                      << "ONE"
                                      << "same" << true;
    }

    void rekeyingRewritesOnlyThePreviousPassword() {
        QFETCH(QString, previous);
        QFETCH(QString, password);
        QFETCH(QString, fileHolds);
        QFETCH(QString, afterHolds);
        QFETCH(bool, named);
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString month = paths.monthFile(u"2010"_s, u"04"_s);
        // Written in a form the program never writes (a blank line at the
        // end), so that a rewrite shows.
        QByteArray plain;
        if (fileHolds != u"-"_s) {
            plain = "\"StartPassword=" + fileHolds.toLatin1() + "\"\r\n";
        }
        const PrizeEntry record = diaryRecord(u"2010/04/09"_s, u"5"_s, u"中物当選"_s, u"1200"_s);
        plain += cp932Bytes(monthfile::format({record}, QString())) + "\r\n";
        QVERIFY(writeEnciphered(month, plain));
        QList<summaryfile::Row> year;
        for (int m = 1; m <= 12; ++m) {
            year.append({QString::number(m), u"0"_s, u"1"_s, u"0"_s, u"1"_s, u"1"_s, u"100.00"_s,
                         u"1200"_s, u"450"_s, u"750"_s});
        }
        QVERIFY(summaryfile::write(paths.yearFile(u"2010"_s), year).ok());
        const Snapshot before = snapshot(paths);

        const diary::Result result =
            refiling::rekey(paths, {previous, password, password}, nullptr);
        QVERIFY(result.done);
        QCOMPARE(result.notices.size(), named ? 1 : 0);
        if (named) {
            QCOMPARE(result.notices[0].title, u"認証エラー"_s);
            QCOMPARE(result.notices[0].text, monthfile::dataFileErrorText(month));
        }
        Snapshot expected = before;
        if (afterHolds != u"same"_s) {
            const QString line = afterHolds == u"-"_s ? QString() : afterHolds;
            expected[month.mid(paths.dataFolder().size())] =
                readBytes(month);  // compared by content below
            const monthfile::ReadResult read = monthfile::read(month, line);
            QCOMPARE(read.status, monthfile::ReadResult::Status::Loaded);
            QCOMPARE(read.records, QList<PrizeEntry>{record});
            // Only the password line changed: the blank line at the end stays.
            QCOMPARE(deciphered(month), cp932Bytes(monthfile::format({record}, line)) + "\r\n");
        }
        // Nothing else changed: the year file keeps its expenses.
        QCOMPARE(snapshot(paths), expected);
    }

    // Only the password line changes: a damaged month keeps every byte of
    // its lines, blank lines before the password line stay, and a month of
    // nothing but a password line is no file once the password is gone.
    void rekeyingKeepsEveryOtherByte_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("after");  // empty: no file
        const QByteArray damaged = "\"a\",\"b\"\r\nnot a record\n\"x\x81";
        QTest::newRow("damaged, first password") << damaged << ""
                                                 << "one"
                                                 << "\"StartPassword=one\"\r\n" + damaged;
        QTest::newRow("damaged, changed") << "\"StartPassword=one\"\r\n" + damaged << "one"
                                          << "two"
                                          << "\"StartPassword=two\"\r\n" + damaged;
        QTest::newRow("blank lines before")
            << QByteArray("  \r\n\n\"StartPassword=one\"\r") + damaged << "one"
            << "two"
            << "\"StartPassword=two\"\r\n  \r\n\n" + damaged;
        QTest::newRow("released, lone LF") << "\"StartPassword=one\"\n" + damaged << "one"
                                           << "" << damaged;
        QTest::newRow("quote in the password") << damaged << ""
                                               << "a\"b"
                                               << "\"StartPassword=a b\"\r\n" + damaged;
        QTest::newRow("password only, released") << QByteArray("\"StartPassword=one\"\r\n") << "one"
                                                 << "" << QByteArray();
    }

    void rekeyingKeepsEveryOtherByte() {
        QFETCH(QByteArray, plain);
        QFETCH(QString, previous);
        QFETCH(QString, password);
        QFETCH(QByteArray, after);
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString month = paths.monthFile(u"2010"_s, u"04"_s);
        QVERIFY(writeEnciphered(month, plain));
        const diary::Result result =
            refiling::rekey(paths, {previous, password, password}, nullptr);
        QCOMPARE(result.notices.size(), 0);
        QCOMPARE(QFile::exists(month), !after.isEmpty());
        if (!after.isEmpty()) {
            QCOMPARE(deciphered(month), after);
            // The month opens with its new password.
            QVERIFY(monthfile::passwordFits(
                monthfile::scanBytes(after, [](const auto&) { return false; }), password));
        }
    }
};

QTEST_GUILESS_MAIN(TestRefiling)
#include "tst_refiling.moc"
