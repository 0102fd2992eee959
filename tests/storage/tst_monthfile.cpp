#include <QDirIterator>
#include <QTest>

#include "platform/datafileerror.h"
#include "scriptedprompter.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry entry(const QString& date, const QString& present, const QString& kekka = {},
                 const QString& money = u"0"_s) {
    return {
        date,      u"0"_s,      u"ネット"_s,     QString(),       u"現金"_s,       present,
        kekka,     money,       u"1名様"_s,      u"2010/01/31"_s, u"----/--/--"_s, u"アンケート"_s,
        u"抽選"_s, u"不定期"_s, u"ネット応募"_s, QString(),       QString()};
}

const QByteArray firstLine =
    "\"2010/01/10\",\"0\",\"\x83\x6c\x83\x62\x83\x67\",\"\",\"\x8c\xbb\x8b\xe0\",\"\x90\x7d\x8f\x91"
    "\x83\x4a\x81\x5b\x83\x68\",\"\x8f\xac\x95\xa8\x93\x96\x91\x49\",\"500\",\"1\x96\xbc\x97\x6c\","
    "\"2010/01/31\",\"----/--/"
    "--\",\"\x83\x41\x83\x93\x83\x50\x81\x5b\x83\x67\",\"\x92\x8a\x91\x49\","
    "\"\x95\x73\x92\xe8\x8a\xfa\",\"\x83\x6c\x83\x62\x83\x67\x89\x9e\x95\xe5\",\"\",\"\"\r\n";

// Every file below the folder that is not enciphered data: the work file, or
// a file whose content is readable as it stands.
QStringList leftovers(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName() == u"!"_s || readBytes(path).contains("2010/")) {
            found.append(path);
        }
    }
    return found;
}

}  // namespace

class TestMonthFile : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestFolder> folder_;
    QString month_;

  private Q_SLOTS:
    void init() {
        folder_ = std::make_unique<TestFolder>();
        month_ = folder_->paths().monthFile(u"2010"_s, u"01"_s);
    }

    // The exact bytes of a month file: quoted fields, single commas, CR LF,
    // code page 932, the password line first.
    void layout() {
        const QList<PrizeEntry> records = {
            entry(u"2010/01/10"_s, u"図書カード"_s, u"小物当選"_s, u"500"_s)};
        QVERIFY(monthfile::write(month_, records, QString()).ok());
        QCOMPARE(deciphered(month_), firstLine);

        QVERIFY(monthfile::write(month_, records, u"ひみつ"_s).ok());
        QCOMPARE(deciphered(month_),
                 QByteArray("\"StartPassword=\x82\xd0\x82\xdd\x82\xc2\"\r\n") + firstLine);
        QCOMPARE(readBytes(month_).at(0), '"');
        QVERIFY(!readBytes(month_).contains("StartPassword"));
    }

    void roundTripKeepsEveryField() {
        PrizeEntry odd = entry(u"2010/01/20"_s, u"ペア旅行券"_s);
        odd[Msg] = u"2行の\r\nコメント, カンマ入り"_s;
        odd[PicturePath] = u"C:\\画像\\当選品.jpg"_s;
        odd[URL] = u"http://example.jp/?a=1&b=2"_s;
        const QList<PrizeEntry> records = {entry(u"2010/01/10"_s, u"お米"_s), odd, PrizeEntry{}};
        QVERIFY(monthfile::write(month_, records, u"pw"_s).ok());
        const monthfile::ReadResult read = monthfile::read(month_, u"pw"_s);
        QCOMPARE(read.status, monthfile::ReadResult::Status::Loaded);
        // A record is one line: the line end inside the comment is stored as
        // spaces.
        QList<PrizeEntry> expected = records;
        expected[1][Msg] = u"2行の  コメント, カンマ入り"_s;
        QCOMPARE(read.records, expected);
    }

    void doubleQuotesCannotBreakTheFile() {
        PrizeEntry quoted = entry(u"2010/01/10"_s, u"\"限定\"セット"_s);
        QVERIFY(
            monthfile::write(month_, {quoted, entry(u"2010/01/11"_s, u"次"_s)}, QString()).ok());
        const monthfile::ReadResult read = monthfile::read(month_, QString());
        QCOMPARE(read.records.size(), 2);
        QCOMPARE(read.records[0][Present], u" 限定 セット"_s);
        QCOMPARE(read.records[1][Present], u"次"_s);
    }

    void passwordDecision_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("fits");
        QTest::newRow("no password either side") << QString() << QString() << true;
        QTest::newRow("same password") << u"Abc1"_s << u"Abc1"_s << true;
        QTest::newRow("file without line, password set") << QString() << u"Abc1"_s << false;
        QTest::newRow("file with line, password removed") << u"Abc1"_s << QString() << false;
        QTest::newRow("letter case differs") << u"Abc1"_s << u"abc1"_s << false;
        QTest::newRow("other password") << u"Abc1"_s << u"Abc2"_s << false;
        QTest::newRow("password with a quote") << u"a\"b"_s << u"a\"b"_s << true;
    }
    void passwordDecision() {
        QFETCH(QString, written);
        QFETCH(QString, current);
        QFETCH(bool, fits);
        QVERIFY(monthfile::write(month_, {entry(u"2010/01/10"_s, u"賞品"_s)}, written).ok());
        const QByteArray before = readBytes(month_);
        const monthfile::ReadResult read = monthfile::read(month_, current);
        QCOMPARE(read.status, fits ? monthfile::ReadResult::Status::Loaded
                                   : monthfile::ReadResult::Status::Refused);
        QCOMPARE(read.records.size(), fits ? 1 : 0);
        QCOMPARE(readBytes(month_), before);  // a refusal changes nothing
        QVERIFY(leftovers(folder_->path()).isEmpty());
    }

    void refusalMessage() {
        platform::ScriptedPrompter prompter;
        prompter.expect(
            platform::MessageAnswer::Ok, u"認証エラー"_s,
            u"データファイル「"_s + QDir::toNativeSeparators(month_) + u"」を読み込めません。"_s);
        platform::ShowDataFileError(prompter, month_);
        QVERIFY(prompter.faults().isEmpty());
        QCOMPARE(prompter.shown().value(0).icon, platform::MessageIcon::Error);
    }

    void emptyMonthIsNoFile() {
        QVERIFY(monthfile::write(month_, {entry(u"2010/01/10"_s, u"賞品"_s)}, QString()).ok());
        QVERIFY(QFile::exists(month_));
        QVERIFY(monthfile::write(month_, {}, QString()).ok());
        QVERIFY(!QFile::exists(month_));
        QCOMPARE(monthfile::read(month_, QString()).status, monthfile::ReadResult::Status::Missing);
        // Writing an empty month that has no file is no error either.
        QVERIFY(monthfile::write(month_, {}, QString()).ok());
    }

    void emptyMonthWithPasswordKeepsOnlyThePasswordLine() {
        QVERIFY(monthfile::write(month_, {}, u"pw"_s).ok());
        QCOMPARE(deciphered(month_), QByteArray("\"StartPassword=pw\"\r\n"));
        const monthfile::ReadResult read = monthfile::read(month_, u"pw"_s);
        QCOMPARE(read.status, monthfile::ReadResult::Status::Loaded);
        QVERIFY(read.records.isEmpty());
    }

    void unencodableTextWritesNothing() {
        QVERIFY(monthfile::write(month_, {entry(u"2010/01/10"_s, u"前の賞品"_s)}, QString()).ok());
        const QByteArray before = readBytes(month_);
        const diskfile::WriteResult result =
            monthfile::write(month_, {entry(u"2010/01/10"_s, u"Café ☕"_s)}, QString());
        QVERIFY(!result.ok());
        QVERIFY2(result.error.contains(u"「é」"_s), qPrintable(result.error));
        QCOMPARE(readBytes(month_), before);
        QVERIFY(leftovers(folder_->path()).isEmpty());
    }

    void waveDashIsStoredAsFullWidthTilde() {
        QVERIFY(monthfile::write(month_, {entry(u"2010/01/10"_s, u"1〜3名"_s)}, QString()).ok());
        QCOMPARE(monthfile::read(month_, QString()).records.value(0)[Present], u"1～3名"_s);
    }

    // A write that fails part-way, wherever it fails, leaves the month as it
    // was and no work file behind.
    void failedWriteLosesNothing_data() {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("nothing written") << qint64(0);
        QTest::newRow("one byte") << qint64(1);
        QTest::newRow("mid record") << qint64(300);
        QTest::newRow("all but one byte") << qint64(-1);
    }
    void failedWriteLosesNothing() {
        QFETCH(qint64, limit);
        QList<PrizeEntry> old;
        for (int i = 0; i < 5; ++i) {
            old.append(entry(u"2010/01/1%1"_s.arg(i), u"古い賞品"_s));
        }
        QVERIFY(monthfile::write(month_, old, QString()).ok());
        const QByteArray before = readBytes(month_);

        QList<PrizeEntry> changed = old;
        changed.append(entry(u"2010/01/20"_s, u"新しい賞品"_s));
        const qsizetype size = cp932::encode(monthfile::format(changed, QString())).bytes.size();
        FailingWorkFile::Scope failing(limit < 0 ? size - 1 : limit);
        const diskfile::WriteResult result = monthfile::write(month_, changed, QString());
        QVERIFY(!result.ok());
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(month_)), qPrintable(result.error));
        QCOMPARE(readBytes(month_), before);
        QCOMPARE(monthfile::read(month_, QString()).records, old);
        QVERIFY(!QFile::exists(DataPaths::workFile(QFileInfo(month_).path())));
    }

    void staleWorkFileIsOverwritten() {
        const QString work = DataPaths::workFile(QFileInfo(month_).path());
        writeBytes(work, "left over by a crash");
        QFile::setPermissions(work, QFile::ReadOwner);
        QVERIFY(monthfile::write(month_, {entry(u"2010/01/10"_s, u"賞品"_s)}, QString()).ok());
        QVERIFY(!QFile::exists(work));
        QCOMPARE(monthfile::read(month_, QString()).records.size(), 1);
    }

    void unwritableFolderIsAnError() {
        // A file where the year folder should be.
        writeBytes(folder_->paths().yearFolder(u"2010"_s), "not a folder");
        const diskfile::WriteResult result =
            monthfile::write(month_, {entry(u"2010/01/10"_s, u"賞品"_s)}, QString());
        QVERIFY(!result.ok());
        QVERIFY(result.error.startsWith(u"ファイル「"_s));
    }

    // No row limit: far more than 32,767 records are written and read back.
    void largeMonthIsComplete() {
        QList<PrizeEntry> records;
        for (int i = 0; i < 40000; ++i) {
            PrizeEntry e =
                entry(u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')), u"賞品%1"_s.arg(i));
            e[ID] = QString::number(i);
            records.append(e);
        }
        QVERIFY(monthfile::write(month_, records, u"pw"_s).ok());
        const monthfile::ReadResult read = monthfile::read(month_, u"pw"_s);
        QCOMPARE(read.records.size(), records.size());
        QCOMPARE(read.records.last(), records.last());
        QVERIFY(read.records == records);
        QVERIFY(leftovers(folder_->path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMonthFile)
#include "tst_monthfile.moc"
