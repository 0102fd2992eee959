// A sealed diary without any window: sealing and unsealing every data file,
// the key opened by the password alone, a new password that rewrites no data
// file, and sealed files that do not open being refused and left alone.
#include <QTest>

#include "diary/desk.h"
#include "diarytestdata.h"
#include "sodiumbyhand.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"
#include "storage/seal.h"
#include "storage/settingsfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const auto noProgress = [](int, int) {};

QString setting(const DataPaths& paths, const QString& key) {
    return settingsfile::ReadSettingValue(u"Setting", key, paths.settingsFile());
}

// The data files only: the settings file changes with every apply.
QMap<QString, QByteArray> dataFiles(const DataPaths& paths) {
    QMap<QString, QByteArray> files = dataSnapshot(paths);
    files.remove(paths.settingsFile());
    return files;
}

}  // namespace

class TestSealing : public QObject {
    Q_OBJECT

    std::unique_ptr<TestFolder> folder_;
    std::unique_ptr<diary::Desk> desk_;
    DataPaths paths_{QString()};

    // A diary under the password "pw" with records in two months.
    void startWithPassword() {
        QVERIFY(writeEnciphered(paths_.settingsFile(),
                                "[Setting]\r\nStartPassword=1\r\nStartPasswordInput=pw\r\n"));
        QVERIFY(desk_->loadSettings().done);
        desk_->setShownDate(QDate(2010, 1, 15));
        QVERIFY(desk_->loadMonth().done);
        QVERIFY(
            desk_->addRecord(diaryRecord(u"2010/01/05"_s, u"1"_s, u"小物当選"_s, u"500"_s)).done);
        QVERIFY(desk_->addRecord(diaryRecord(u"2010/02/06"_s, u"2"_s)).done);
    }
    diary::Result applySeal(bool on, const QString& password = u"pw"_s) {
        settingsfile::Settings edited = desk_->settings();
        edited.seal = on;
        edited.startPasswordInput = password;
        return desk_->applySettings(edited, noProgress);
    }
    // A new start of the program on the same folder.
    void restart() {
        desk_.reset();
        desk_ = std::make_unique<diary::Desk>(paths_);
        QVERIFY(desk_->loadSettings().done);
    }

  private Q_SLOTS:
    void init() {
        folder_ = std::make_unique<TestFolder>();
        paths_ = folder_->paths();
        desk_ = std::make_unique<diary::Desk>(paths_);
    }
    void cleanup() {
        desk_.reset();
        folder_.reset();
        QVERIFY(!diskfile::dataKey());  // no key outlives its diary
    }

    // Sealed, no data file holds any plain text and the settings no
    // password; only the password opens the diary again. Unsealed, the
    // files are the designed ones with their password line.
    void sealAndUnseal() {
        startWithPassword();
        QVERIFY(applySeal(true).done);
        const QMap<QString, QByteArray> files = dataFiles(paths_);
        QCOMPARE(files.size(), 4);  // two months, the year and the total
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QVERIFY2(seal::isSealed(it.value()), qPrintable(it.key()));
            QVERIFY2(!it.value().contains("2010/01/05") && !it.value().contains("StartPassword"),
                     qPrintable(it.key()));
        }
        QCOMPARE(setting(paths_, u"Seal"_s), u"1"_s);
        QCOMPARE(setting(paths_, u"StartPasswordInput"_s), QString());
        QVERIFY(!deciphered(paths_.settingsFile()).contains("pw\r\n"));

        restart();
        QVERIFY(desk_->sealed());
        QVERIFY(!desk_->unlock(u"PW"_s).done);
        QVERIFY(desk_->unlock(u"pw"_s).done);
        desk_->setShownDate(QDate(2010, 1, 15));
        QVERIFY(desk_->loadMonth().done);
        QCOMPARE(desk_->diary().month().records().count(), 1);

        QVERIFY(applySeal(false).done);
        QVERIFY(!diskfile::dataKey());
        const monthfile::ReadResult january =
            monthfile::read(paths_.monthFile(u"2010"_s, u"01"_s), u"pw"_s);
        QCOMPARE(january.status, monthfile::ReadResult::Status::Loaded);
        QVERIFY(
            deciphered(paths_.monthFile(u"2010"_s, u"01"_s)).startsWith("\"StartPassword=pw\""));
        QCOMPARE(setting(paths_, u"StartPasswordInput"_s), u"pw"_s);
        QCOMPARE(setting(paths_, u"Seal"_s), QString());
    }

    // What the program wrote opens with libsodium's own calls, from the
    // settings file and the password alone: the layout is exactly the one
    // other programs may rely on.
    void sealedMonthOpensWithLibsodiumAlone() {
        startWithPassword();
        QVERIFY(applySeal(true).done);
        QByteArray sealKey;
        for (const QByteArray& line : deciphered(paths_.settingsFile()).split('\n')) {
            if (line.startsWith("SealKey=")) {
                sealKey = QByteArray::fromBase64(line.mid(8).trimmed(),
                                                 QByteArray::AbortOnBase64DecodingErrors);
            }
        }
        QCOMPARE(sealKey.size(), 16 + 24 + 48);
        const std::optional<QByteArray> dataKey =
            decrypt(sealKey.mid(40), "kirabilog-seal-key", sealKey.mid(16, 24),
                    passwordKey(u"pw"_s, sealKey.left(16)));
        QVERIFY(dataKey && dataKey->size() == 32);
        const QByteArray month = readBytes(paths_.monthFile(u"2010"_s, u"01"_s));
        QCOMPARE(month.left(8), QByteArray("KBSEAL01"));
        const std::optional<QByteArray> plain =
            decrypt(month.mid(32), "2010/01.log", month.mid(8, 24), *dataKey);
        QVERIFY(plain);
        QCOMPARE(cp932::decode(*plain),
                 u"\"2010/01/05\",\"1\",\"応募先1\",\"\",\"\",\"賞品1\",\"小物当選\",\"500\","
                 u"\"1名様\",\"2010/12/31\",\"----/--/--\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"_s);
    }

    // A new password keeps the data key: every data file keeps its bytes.
    void newPasswordRewritesNoDataFile() {
        startWithPassword();
        QVERIFY(applySeal(true).done);
        const QMap<QString, QByteArray> before = dataFiles(paths_);
        QVERIFY(applySeal(true, u"新しい"_s).done);
        QCOMPARE(dataFiles(paths_), before);
        restart();
        QVERIFY(!desk_->unlock(u"pw"_s).done);
        QVERIFY(desk_->unlock(u"新しい"_s).done);
        desk_->setShownDate(QDate(2010, 2, 1));
        QVERIFY(desk_->loadMonth().done);
        QCOMPARE(desk_->diary().month().records().count(), 1);
    }

    // A sealed diary re-files its records under a new filing key and stays
    // sealed; releasing the password unseals it with no password line left.
    void refilingAndReleaseWhileSealed() {
        startWithPassword();
        QVERIFY(applySeal(true).done);
        settingsfile::Settings edited = desk_->settings();
        edited.formatKeyNowDay = false;
        QVERIFY(desk_->applySettings(edited, noProgress).done);
        const QMap<QString, QByteArray> files = dataFiles(paths_);
        QVERIFY(!files.isEmpty());
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QVERIFY2(seal::isSealed(it.value()), qPrintable(it.key()));
        }
        // Both records have the deadline 2010/12/31.
        desk_->setShownDate(QDate(2010, 12, 1));
        QVERIFY(desk_->loadMonth().done);
        QCOMPARE(desk_->diary().month().records().count(), 2);

        edited = desk_->settings();
        edited.startPassword = false;
        edited.startPasswordInput.clear();
        QVERIFY(desk_->applySettings(edited, noProgress).done);
        QVERIFY(!desk_->sealed());
        QVERIFY(!diskfile::dataKey());
        const QByteArray december = deciphered(paths_.monthFile(u"2010"_s, u"12"_s));
        QVERIFY(december.startsWith("\"2010/12/31\""));
        QCOMPARE(setting(paths_, u"Seal"_s), QString());
    }

    // The settings tab may hand over a copy made before the diary was
    // sealed: the key in force stays.
    void otherSettingsKeepTheKey() {
        startWithPassword();
        const settingsfile::Settings beforeSealing = desk_->settings();
        QVERIFY(applySeal(true).done);
        const QString key = setting(paths_, u"SealKey"_s);
        settingsfile::Settings edited = beforeSealing;
        edited.seal = true;
        edited.sortOn = false;
        QVERIFY(desk_->applySettings(edited, noProgress).done);
        QCOMPARE(setting(paths_, u"SealKey"_s), key);
        QCOMPARE(setting(paths_, u"SortOn"_s), u"0"_s);
    }

    // A sealed file that does not open is refused and never written over.
    void refusedFileIsLeftAlone_data() {
        QTest::addColumn<int>("at");  // the byte changed; -1: the file moved
        QTest::newRow("magic") << 0;
        QTest::newRow("nonce") << 10;
        QTest::newRow("body") << 40;
        QTest::newRow("tag") << -2;
        QTest::newRow("moved to another month") << -1;
    }
    void refusedFileIsLeftAlone() {
        QFETCH(int, at);
        startWithPassword();
        QVERIFY(applySeal(true).done);
        const QString january = paths_.monthFile(u"2010"_s, u"01"_s);
        QByteArray bytes = readBytes(january);
        if (at == -1) {
            bytes = readBytes(paths_.monthFile(u"2010"_s, u"02"_s));
        } else {
            const qsizetype i = at >= 0 ? at : bytes.size() + at;
            bytes[i] = char(bytes[i] ^ 0x01);
        }
        QVERIFY(writeBytes(january, bytes));
        desk_->setShownDate(QDate(2010, 1, 15));
        const diary::Result loaded = desk_->loadMonth();
        QVERIFY(!loaded.notices.isEmpty());
        QCOMPARE(loaded.notices.first().text, monthfile::dataFileErrorText(january));
        QVERIFY(!desk_->addRecord(diaryRecord(u"2010/01/20"_s, u"9"_s)).done);
        QCOMPARE(readBytes(january), bytes);
        // Nor does unsealing go ahead while it cannot be read.
        const QMap<QString, QByteArray> before = dataSnapshot(paths_);
        QVERIFY(!applySeal(false).done);
        QCOMPARE(dataSnapshot(paths_), before);
        QVERIFY(desk_->sealed());
    }

    // A month of a third password stops sealing before anything changes.
    void unreadableMonthStopsSealing() {
        startWithPassword();
        QVERIFY(
            writeEnciphered(paths_.monthFile(u"2010"_s, u"03"_s), "\"StartPassword=other\"\r\n"));
        const QMap<QString, QByteArray> before = dataSnapshot(paths_);
        const diary::Result result = applySeal(true);
        QVERIFY(!result.done);
        QVERIFY(result.notices.first().text.contains(u"03.log"_s));
        QCOMPARE(dataSnapshot(paths_), before);
        QVERIFY(!desk_->sealed());
        QVERIFY(!diskfile::dataKey());
    }
};

QTEST_MAIN(TestSealing)
#include "tst_sealing.moc"
