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
        // A single byte is the start of one record; the rest of it is empty.
        const monthfile::ReadResult one = readMonth("7");
        QCOMPARE(one.records.size(), 1);
        QCOMPARE(one.records[0][0], u"7"_s);
        QCOMPARE(one.records[0][16], QString());
        QCOMPARE(readMonth("\"").records.value(0)[0], QString());
        // Blank lines and spaces alone hold no record.
        QVERIFY(readMonth("\r\n  \r\n\n").records.isEmpty());
    }

    void truncatedMonthKeepsWhatIsThere() {
        const QByteArray whole = validMonth();
        // Cut inside the ninth field of the second record.
        const qsizetype cut = whole.indexOf("r2f8") + 2;
        const monthfile::ReadResult read = readMonth(whole.left(cut));
        QCOMPARE(read.records.size(), 2);
        QCOMPARE(read.records[0][16], u"r1f16"_s);
        QCOMPARE(read.records[1][7], u"r2f7"_s);
        QCOMPARE(read.records[1][8], u"r2"_s);
        QCOMPARE(read.records[1][9], QString());

        // A record with too few fields borrows from the next line: fields are
        // read across line ends, and the last record comes out short.
        QByteArray shortLine = whole;
        shortLine.replace(",\"r1f16\"", "");
        const monthfile::ReadResult shifted = readMonth(shortLine);
        QCOMPARE(shifted.records.size(), 3);
        QCOMPARE(shifted.records[0][16], u"r2f0"_s);
        QCOMPARE(shifted.records[2][16], QString());
    }

    void missingClosingQuote() {
        // Inside the file, the field runs to the next quote, the opening quote
        // of the following field; the fields after it shift, none is lost.
        QByteArray broken = validMonth();
        broken.replace("\"r1f5\"", "\"r1f5");
        const monthfile::ReadResult read = readMonth(broken);
        QCOMPARE(read.records.size(), 3);
        QCOMPARE(read.records[0][5], u"r1f5,"_s);
        QCOMPARE(read.records[0][6], u"r1f7"_s);
        QCOMPARE(read.records[2][16], QString());

        // At the end of the file, the last field takes the rest.
        QByteArray cut = validMonth();
        cut.replace("r3f16\"", "r3f16");
        QCOMPARE(readMonth(cut).records.value(2)[16], u"r3f16\r\n"_s);
    }

    void invalidCodePageBytesBecomeSubstitutes() {
        QByteArray broken = validMonth();
        broken.replace("r2f5", "\x81\xff\xfd");
        const monthfile::ReadResult read = readMonth(broken);
        QCOMPARE(read.records.size(), 3);
        QCOMPARE(read.records[1][5], u"\u001A\u001A\u001A"_s);
        QCOMPARE(read.records[1][6], u"r2f6"_s);
        // Such a record is written back unchanged but for the substitutes.
        QVERIFY(monthfile::write(month_, read.records, QString()).ok());
        QCOMPARE(monthfile::read(month_, QString()).records, read.records);
    }

    void passwordLineAlone() {
        QCOMPARE(readMonth("\"StartPassword=").status, monthfile::ReadResult::Status::Loaded);
        QCOMPARE(readMonth("\"StartPassword=pw", u"pw"_s).status,
                 monthfile::ReadResult::Status::Loaded);
        QCOMPARE(readMonth("StartPassword=pw,x", u"pw"_s).records.value(0)[0], u"x"_s);
    }

    void hugeLines() {
        QElapsedTimer timer;
        timer.start();
        const QByteArray line(50 * 1024 * 1024, 'x');
        const monthfile::ReadResult read = readMonth(line);
        QCOMPARE(read.records.size(), 1);
        QCOMPARE(read.records[0][0].size(), line.size());

        const settingsfile::Settings s = readSettings("[Setting]\r\nFormatKey=" + line);
        QCOMPARE(s.formatKeyNowDay, true);
        QCOMPARE(readSettings("[Setting]\r\nSizeID=" + line).columnWidths[1], QString(255, u'x'));

        // Five million commas: every 17 fields make an empty record.
        const QByteArray commas(17 * 300000 - 1, ',');
        QCOMPARE(readMonth(commas).records.size(), 300000);
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

    // Random and mutated files: the readers return, whatever they make of them.
    void randomBytes() {
        QRandomGenerator random(20101);
        const QByteArray valid = validMonth();
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes;
            if (round % 2 == 0) {
                bytes.resize(random.bounded(3000));
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
            readSettings(bytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
