// Sealing and unsealing killed at random moments: after the next start every
// record is there exactly once, in the month of its filing date, with every
// data file sealed or none, as the settings say.
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include "diary/refiling.h"
#include "sealcheck.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

// What the test of the look at a sealed diary breaks.
enum class Fault {
    DesignedWorkFile,
    DesignedStaged,
    DesignedMonth,
    RecordLost,
    RecordDoubled,
    RecordMoved,
    YearChanged,
    PasswordKept,
    SealedMonth,
    NoPasswordLine,
    PlainFile,
};

}  // namespace

class TestSealCrash : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Sealing and unsealing killed at any moment: after the next start the
    // settings and every data file agree on the seal, every record is there
    // once, in its month, the summaries are unchanged, and no file shows
    // plain text of the diary.
    void killedSealChangeKeepsDiaryWhole() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const sealcheck::Diary diary = sealcheck::build(paths);
        QList<PrizeEntry> stored;
        for (const QList<PrizeEntry>& month : diary.months) {
            stored += month;
        }
        QCOMPARE(stored, sealcheck::records());
        QCOMPARE(diary.months.size(), 36);
        QCOMPARE(diary.summaries.size(), 4);  // three years and the total
        sealcheck::Keys keys;
        const QString staging = paths.dataFolder() + u"/.refile"_s;
        const QString complete = staging + u"/complete"_s;
        const QString moved = paths.dataFolder() + u"/.refile-old/moved"_s;
        const auto waitFor = [](const QString& path) {
            QElapsedTimer waited;
            waited.start();
            while (!QFile::exists(path) && waited.elapsed() < 5000) {
                QThread::usleep(100);
            }
        };

        QRandomGenerator random(1975);
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        int whileWriting = 0;
        int duringSwap = 0;
        int afterMovedAside = 0;
        int changes = 0;
        int foundSealed = 0;
        int foundChanged = 0;
        bool sealed = false;
        // Every third kill is aimed at the writing, every third at the swap,
        // until enough met each.
        while ((kills < 60 || duringSwap < 10 || whileWriting < 10) && clock.elapsed() < 90000) {
            QProcess writer;
            writer.start(QStringLiteral(KIRABILOG_SEALWRITER), {folder.path()});
            QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
            switch (kills % 3) {
                case 0:  // anywhere: the start, the key derivation, the writing, the swap
                    QThread::usleep(random.bounded(2000, 700000));
                    break;
                case 1:  // while the new tree is written
                    waitFor(staging);
                    QThread::usleep(random.bounded(0, 8000));
                    break;
                default:  // the short swap, once the new tree is whole
                    waitFor(complete);
                    QThread::usleep(random.bounded(0, 1500));
                    break;
            }
            writer.kill();  // SIGKILL, or TerminateProcess on Windows
            QVERIFY(writer.waitForFinished());
            QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                     writer.readAllStandardError().constData());
            ++kills;
            changes += int(writer.readAllStandardOutput().count('\n'));
            const bool swapping = QFile::exists(complete);
            duringSwap += swapping;
            afterMovedAside += swapping && QFile::exists(moved);
            whileWriting += QFile::exists(staging) && !swapping;
            // Even half-way no file shows plain text in its bytes.
            QCOMPARE(sealcheck::filesShowing(paths.dataFolder(), diary.marks, false),
                     QStringList());

            // What the next start finds.
            refiling::recoverRefiling(paths);
            QVERIFY(!QFile::exists(staging));
            QVERIFY(!QFile::exists(paths.dataFolder() + u"/.refile-old"_s));
            const sealcheck::Found found = sealcheck::inspect(paths, diary, keys);
            QVERIFY2(found.fault.isEmpty(), qPrintable(found.fault));
            foundSealed += found.sealed;
            foundChanged += found.sealed != sealed;
            sealed = found.sealed;
        }
        QVERIFY2(kills >= 60, qPrintable(u"only %1 kills in 90 seconds"_s.arg(kills)));
        QVERIFY2(duringSwap >= 10 && whileWriting >= 10,
                 "too few kills met the swap or the writing");
        QVERIFY2(foundSealed >= 10 && kills - foundSealed >= 10,
                 "too few starts found the diary sealed or unsealed");
        qInfo(
            "%d kills, %d while the new data was written, %d during the swap (%d with the old data "
            "moved aside); %d changes of seal ended, %d starts found the seal changed, %d found it "
            "sealed; %.1f s",
            kills, whileWriting, duringSwap, afterMovedAside, changes, foundChanged, foundSealed,
            double(clock.elapsed()) / 1000);
    }

    // The look at the diary after each kill finds what a broken change of
    // seal would leave.
    void sealCheckFindsFaults_data() {
        QTest::addColumn<bool>("sealFirst");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("told");
        QTest::newRow("designed work file in a sealed diary")
            << true << int(Fault::DesignedWorkFile) << u"plain text in"_s;
        QTest::newRow("designed leftover of the staging")
            << true << int(Fault::DesignedStaged) << u"plain text in"_s;
        QTest::newRow("designed month in a sealed diary")
            << true << int(Fault::DesignedMonth) << u"is not sealed"_s;
        QTest::newRow("record lost") << true << int(Fault::RecordLost) << u"records lost"_s;
        QTest::newRow("record doubled")
            << true << int(Fault::RecordDoubled) << u"records lost, doubled"_s;
        QTest::newRow("record in another month") << true << int(Fault::RecordMoved) << u"lies in"_s;
        QTest::newRow("year file changed")
            << true << int(Fault::YearChanged) << u"year and total files changed"_s;
        QTest::newRow("password kept by a sealed diary")
            << true << int(Fault::PasswordKept) << u"hold the password"_s;
        QTest::newRow("sealed month in an unsealed diary")
            << false << int(Fault::SealedMonth) << u"is sealed"_s;
        QTest::newRow("month without its password line")
            << false << int(Fault::NoPasswordLine) << u"wrong password line"_s;
        QTest::newRow("plain file in an unsealed diary")
            << false << int(Fault::PlainFile) << u"plain text in"_s;
    }
    void sealCheckFindsFaults() {
        QFETCH(bool, sealFirst);
        QFETCH(int, fault);
        QFETCH(QString, told);
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const sealcheck::Diary diary = sealcheck::build(paths);
        const QString january = paths.monthFile(u"2010"_s, u"01"_s);
        const QString april = paths.monthFile(u"2010"_s, u"04"_s);
        const QByteArray designedJanuary = readBytes(january);
        if (sealFirst) {
            diary::Desk desk(paths);
            QVERIFY(desk.loadSettings().done);
            settingsfile::Settings edited = desk.settings();
            edited.seal = true;
            QVERIFY(desk.applySettings(edited, {}).done);
        }
        sealcheck::Keys keys;
        const sealcheck::Found whole = sealcheck::inspect(paths, diary, keys);
        QVERIFY2(whole.fault.isEmpty(), qPrintable(whole.fault));
        QCOMPARE(whole.sealed, sealFirst);

        const seal::Key key =
            sealFirst ? keys.open(settingsfile::read(paths.settingsFile()).settings.sealKey)
                      : seal::DataKey::generate();
        QVERIFY(key);
        const auto sealMonth = [&](const QString& path, const QList<PrizeEntry>& records) {
            const QByteArray plain = cp932::encode(monthfile::format(records, QString())).bytes;
            return writeBytes(path, seal::sealData(plain, *key, diskfile::sealedPlace(path)));
        };
        QList<PrizeEntry> januaryRecords = diary.months.value(u"2010/01"_s);
        switch (Fault(fault)) {
            case Fault::DesignedWorkFile:
                QVERIFY(
                    writeBytes(DataPaths::workFile(paths.yearFolder(u"2010"_s)), designedJanuary));
                break;
            case Fault::DesignedStaged:
                QVERIFY(writeBytes(paths.dataFolder() + u"/.refile/data/2010/01.log"_s,
                                   designedJanuary));
                break;
            case Fault::DesignedMonth:
                QVERIFY(writeBytes(january, designedJanuary));
                break;
            case Fault::RecordLost:
                januaryRecords.removeLast();
                QVERIFY(sealMonth(january, januaryRecords));
                break;
            case Fault::RecordDoubled:
                januaryRecords.append(januaryRecords.last());
                QVERIFY(sealMonth(january, januaryRecords));
                break;
            case Fault::RecordMoved:
                QVERIFY(
                    sealMonth(april, diary.months.value(u"2010/04"_s) << januaryRecords.last()));
                januaryRecords.removeLast();
                QVERIFY(sealMonth(january, januaryRecords));
                break;
            case Fault::YearChanged: {
                const QString year = paths.yearFile(u"2010"_s);
                QByteArray plain = diary.summaries.value(u"0000/2010.log"_s);
                plain.replace("500", "600");
                QVERIFY(plain != diary.summaries.value(u"0000/2010.log"_s));
                QVERIFY(writeBytes(year, seal::sealData(plain, *key, diskfile::sealedPlace(year))));
                break;
            }
            case Fault::PasswordKept: {
                QByteArray plain = deciphered(paths.settingsFile());
                QVERIFY(plain.contains("StartPasswordInput=\r\n"));
                plain.replace("StartPasswordInput=\r\n", "StartPasswordInput=pw\r\n");
                QVERIFY(writeEnciphered(paths.settingsFile(), plain));
                break;
            }
            case Fault::SealedMonth:
                QVERIFY(sealMonth(january, januaryRecords));
                break;
            case Fault::NoPasswordLine:
                QVERIFY(monthfile::write(january, januaryRecords, QString()).ok());
                break;
            case Fault::PlainFile:
                QVERIFY(writeBytes(paths.dataFolder() + u"/2010/copy.txt"_s, deciphered(january)));
                break;
        }
        const sealcheck::Found broken = sealcheck::inspect(paths, diary, keys);
        QVERIFY2(broken.fault.contains(told), qPrintable(broken.fault));
    }
};

QTEST_GUILESS_MAIN(TestSealCrash)
#include "tst_sealcrash.moc"
