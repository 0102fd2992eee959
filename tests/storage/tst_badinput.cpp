// The month and settings readers meet whatever bytes a disk may hold: they
// never crash and never hang, and what they make of each case is stated here.
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include "storage/cp932.h"
#include "storage/monthfile.h"
#include "storage/settingsfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray validMonth() {
    QList<PrizeEntry> records;
    for (int i = 1; i <= 3; ++i) {
        PrizeEntry e;
        for (int f = 0; f < PrizeEntryFieldCount; ++f) {
            e[f] = u"r%1f%2"_s.arg(i).arg(f);
        }
        records.append(e);
    }
    return cp932::encode(monthfile::format(records, QString())).bytes;
}

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder_;
    QString month_;
    QString settings_;

    monthfile::ReadResult readMonth(const QByteArray& plain, const QString& password = {}) {
        writeEnciphered(month_, plain);
        return monthfile::read(month_, password);
    }

    settingsfile::Settings readSettings(const QByteArray& plain) {
        writeEnciphered(settings_, plain);
        return settingsfile::read(settings_).settings;
    }

  private Q_SLOTS:
    void init() {
        folder_ = std::make_unique<TestFolder>();
        month_ = folder_->paths().monthFile(u"2010"_s, u"01"_s);
        settings_ = folder_->paths().settingsFile();
    }

    void emptyAndTinyMonthFiles() {
        // A 0-byte file is an empty month; it has no password line, so a set
        // password refuses it.
        QCOMPARE(readMonth({}).status, monthfile::ReadResult::Status::Loaded);
        QVERIFY(readMonth({}).records.isEmpty());
        QCOMPARE(readMonth({}, u"pw"_s).status, monthfile::ReadResult::Status::Refused);
        // A single byte is no record.
        const monthfile::ReadResult one = readMonth("7");
        QCOMPARE(one.status, monthfile::ReadResult::Status::Damaged);
        QVERIFY(one.records.isEmpty());
        QCOMPARE(one.damagedLines, QList<int>{1});
        QCOMPARE(readMonth("\"").damagedLines, QList<int>{1});
        // Blank lines and spaces alone hold no record and no damage.
        const monthfile::ReadResult blank = readMonth("\r\n  \r\n\n");
        QCOMPARE(blank.status, monthfile::ReadResult::Status::Loaded);
        QVERIFY(blank.records.isEmpty());
    }

    // A line that is not one record of 17 quoted fields is damage; it never
    // shifts the records after it.
    void damagedLinesAreNamedAndNothingShifts_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QList<int>>("damaged");
        QTest::addColumn<QStringList>("firstFields");
        const QByteArray whole = validMonth();
        QTest::newRow("cut in the second record")
            << whole.left(whole.indexOf("r2f8") + 2) << QList<int>{2} << QStringList{u"r1f0"_s};
        QByteArray shortLine = whole;
        shortLine.replace(",\"r1f16\"", "");
        QTest::newRow("a field short")
            << shortLine << QList<int>{1} << QStringList{u"r2f0"_s, u"r3f0"_s};
        QByteArray longLine = whole;
        longLine.replace("\"r2f16\"", "\"r2f16\",\"more\"");
        QTest::newRow("a field too many")
            << longLine << QList<int>{2} << QStringList{u"r1f0"_s, u"r3f0"_s};
        QByteArray openQuote = whole;
        openQuote.replace("\"r1f5\"", "\"r1f5");
        QTest::newRow("a quote missing")
            << openQuote << QList<int>{1} << QStringList{u"r2f0"_s, u"r3f0"_s};
        QByteArray lastQuote = whole;
        lastQuote.replace("r3f16\"", "r3f16");
        QTest::newRow("the last quote missing")
            << lastQuote << QList<int>{3} << QStringList{u"r1f0"_s, u"r2f0"_s};
        QByteArray lineInField = whole;
        lineInField.replace("r1f3", "r1\r\nf3");
        QTest::newRow("a line end inside a field")
            << lineInField << QList<int>{1, 2} << QStringList{u"r2f0"_s, u"r3f0"_s};
        QByteArray spaced = whole;
        spaced.replace("\"r2f0\"", " \"r2f0\"");
        QTest::newRow("a space before a field")
            << spaced << QList<int>{2} << QStringList{u"r1f0"_s, u"r3f0"_s};
    }
    void damagedLinesAreNamedAndNothingShifts() {
        QFETCH(QByteArray, plain);
        QFETCH(QList<int>, damaged);
        QFETCH(QStringList, firstFields);
        const monthfile::ReadResult read = readMonth(plain);
        QCOMPARE(read.status, monthfile::ReadResult::Status::Damaged);
        QCOMPARE(read.damagedLines, damaged);
        QStringList first;
        for (const PrizeEntry& record : read.records) {
            first.append(record[0]);
            // Every record read is whole: its last field is its own.
            QVERIFY(record[16].isEmpty() || record[16].startsWith(record[0].left(2)));
        }
        QCOMPARE(first, firstFields);
    }

    // Bytes that code page 932 does not assign load and save unchanged.
    void unassignedBytesAreSavedUnchanged() {
        QByteArray broken = validMonth();
        broken.replace("r2f5", "\x85\x40\x81\xff\xfd");
        const monthfile::ReadResult read = readMonth(broken);
        QCOMPARE(read.status, monthfile::ReadResult::Status::Loaded);
        QCOMPARE(read.records.size(), 3);
        QCOMPARE(read.records[1][6], u"r2f6"_s);
        QVERIFY(monthfile::write(month_, read.records, QString()).ok());
        QCOMPARE(deciphered(month_), broken);
    }

    void passwordLine() {
        QCOMPARE(readMonth("\"StartPassword=\"\r\n").status, monthfile::ReadResult::Status::Loaded);
        QCOMPARE(readMonth("\"StartPassword=pw\"", u"pw"_s).status,
                 monthfile::ReadResult::Status::Loaded);
        // Without its closing quote the line is no password line but damage.
        const monthfile::ReadResult open = readMonth("\"StartPassword=pw", u"pw"_s);
        QCOMPARE(open.status, monthfile::ReadResult::Status::Refused);
        QCOMPARE(readMonth("\"StartPassword=pw").damagedLines, QList<int>{1});
    }

    void hugeLines() {
        QElapsedTimer timer;
        timer.start();
        const QByteArray line(50 * 1024 * 1024, 'x');
        const monthfile::ReadResult read = readMonth(line);
        QCOMPARE(read.status, monthfile::ReadResult::Status::Damaged);
        QVERIFY(read.records.isEmpty());

        // One field of 5 MB is one record like any other.
        QByteArray big = validMonth();
        big.replace("r2f15", QByteArray(5 * 1024 * 1024, 'y'));
        const monthfile::ReadResult bigField = readMonth(big);
        QCOMPARE(bigField.status, monthfile::ReadResult::Status::Loaded);
        QCOMPARE(bigField.records.value(1)[15].size(), 5 * 1024 * 1024);

        const settingsfile::Settings s = readSettings("[Setting]\r\nFormatKey=" + line);
        QCOMPARE(s.formatKeyNowDay, true);
        QCOMPARE(readSettings("[Setting]\r\nSizeID=" + line).columnWidths[1],
                 settingsfile::DefaultColumnWidths[1].toString());

        // Five million line ends: no record, one damaged line is none.
        const QByteArray ends(5 * 1000 * 1000, '\n');
        const monthfile::ReadResult empty = readMonth(ends);
        QCOMPARE(empty.status, monthfile::ReadResult::Status::Loaded);
        QVERIFY(empty.records.isEmpty());
        qInfo("huge lines read in %lld ms", timer.elapsed());
    }

    void badSettingsFilesGiveDefaults_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray("[");
        QTest::newRow("no section") << QByteArray("FormatKey=0\r\nNoTyohuku=0\r\n");
        QTest::newRow("cut in a key") << QByteArray("[Setting]\r\nFormatK");
        QTest::newRow("invalid bytes")
            << QByteArray("[Setting]\r\nFormatKey=\x81\xff\r\nNoTy\xfd=0");
        static const char binary[] = "\0\1\2[Setting\0]\r\n\0=\0";
        QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1);
    }
    void badSettingsFilesGiveDefaults() {
        QFETCH(QByteArray, plain);
        const settingsfile::Settings s = readSettings(plain);
        const settingsfile::Settings defaults;
        QCOMPARE(s.formatKeyNowDay, defaults.formatKeyNowDay);
        QCOMPARE(s.noTyohuku, defaults.noTyohuku);
        QCOMPARE(s.dreamMoney, defaults.dreamMoney);
        QCOMPARE(s.columnWidths, defaults.columnWidths);
        QVERIFY(!s.mainTop.has_value());
    }

    // Random and mutated files: the readers return, whatever they make of
    // them; random bytes never pass for records; and whatever loads saves
    // again and reads back equal.
    void randomBytes() {
        QRandomGenerator random(20101);
        const QByteArray valid = validMonth();
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes;
            const bool noise = round % 2 == 0;
            if (noise) {
                bytes.resize(100 + random.bounded(3000));
                for (char& c : bytes) {
                    c = char(random.bounded(256));
                }
            } else {
                bytes = valid;
                for (int k = 0; k < 8; ++k) {
                    bytes[random.bounded(bytes.size())] = "\",\r\n \x81\x82\xff"[random.bounded(9)];
                }
                bytes.truncate(random.bounded(bytes.size() + 1));
            }
            const monthfile::ReadResult read = readMonth(bytes, round % 3 ? QString() : u"pw"_s);
            QVERIFY(read.status != monthfile::ReadResult::Status::Failed);
            if (noise) {
                QVERIFY(read.status == monthfile::ReadResult::Status::Damaged ||
                        read.status == monthfile::ReadResult::Status::Refused);
            }
            if (!read.records.isEmpty()) {
                QVERIFY(monthfile::write(month_, read.records, QString()).ok());
                QCOMPARE(monthfile::read(month_, QString()).records, read.records);
            }
            readSettings(bytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
