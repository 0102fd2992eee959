// Writes killed at random moments: every data file is always the old or the
// new content, whole, and no plain text ever lies in the data folder; a
// re-filing killed at any moment leaves, after the next start, every record
// exactly once in the month of its filing date.
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include "crashcontent.h"
#include "diary/refiling.h"
#include "storage/binarycipher.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"
#include "storage/settingsfile.h"
#include "storage/summaryfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

// The round that wrote the month file; nothing when the file is torn.
std::optional<int> monthVersion(const DataPaths& paths) {
    for (const QString& password : {u"pw"_s, QString()}) {
        const monthfile::ReadResult read = monthfile::read(crash::monthPath(paths), password);
        if (read.status == monthfile::ReadResult::Status::Refused) {
            continue;
        }
        if (read.status != monthfile::ReadResult::Status::Loaded || read.records.isEmpty()) {
            return std::nullopt;
        }
        const int version = read.records[0][ID].toInt();
        if (read.records == crash::monthRecords(version) && crash::password(version) == password) {
            return version;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

template <typename Rows>
std::optional<int> summaryVersion(const summaryfile::ReadResult& read, Rows rowsOf) {
    if (read.status != summaryfile::ReadResult::Status::Read || read.rows.isEmpty()) {
        return std::nullopt;
    }
    const int version = read.rows[0][summaryfile::EntryCount].toInt();
    return read.rows == rowsOf(version) ? std::optional<int>(version) : std::nullopt;
}

// Files of the data folder whose bytes show plain text of the diary.
QStringList plainFiles(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = readBytes(path);
        if (bytes.contains("2010/01/") || bytes.contains("StartPassword") ||
            bytes.contains("round ") || bytes.contains(",0.00,")) {
            found.append(path);
        }
    }
    return found;
}

// Five years of months, 20 records each, filed by application date; the
// deadlines lie up to two months later, so that a change of key moves most
// records to another month and some to another year.
QList<PrizeEntry> refilingRecords() {
    QList<PrizeEntry> records;
    for (int i = 0; i < 5 * 12 * 20; ++i) {
        const QDate applied = QDate(2006, 1, 1).addMonths(i / 20).addDays(i % 28);
        PrizeEntry e;
        e[FilingDate] = applied.toString(u"yyyy/MM/dd"_s);
        e[ID] = QString::number(i);
        e[Present] = u"賞品 %1"_s.arg(i);
        e[Kekka] = u"落選"_s;
        e[OtherDate] = applied.addDays(i % 61).toString(u"yyyy/MM/dd"_s);
        e[HappyDay] = u"----/--/--"_s;
        records.append(e);
    }
    return records;
}

// Every stored record, after checking that it lies in the month of its
// filing date.
QList<PrizeEntry> filedRecords(const DataPaths& paths) {
    QList<PrizeEntry> found;
    for (const QString& year :
         QDir(paths.dataFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (int month = 1; month <= 12; ++month) {
            const QString mm = u"%1"_s.arg(month, 2, 10, QChar(u'0'));
            const monthfile::ReadResult read =
                monthfile::read(paths.monthFile(year, mm), QString());
            for (const PrizeEntry& e : read.records) {
                if (e[FilingDate].left(7) != year + u'/' + mm) {
                    qWarning("%s lies in %s/%s", qPrintable(e[FilingDate]), qPrintable(year),
                             qPrintable(mm));
                    return {};
                }
                found.append(e);
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const PrizeEntry& a, const PrizeEntry& b) {
        return a[ID].toInt() < b[ID].toInt();
    });
    return found;
}

// Waits until the writer says it has started: a process takes long to start
// on some systems (Windows under Wine), and a kill before it writes tests
// nothing.
bool startedWriting(QProcess& writer) {
    return writer.waitForStarted() && writer.waitForReadyRead(30000) &&
           writer.readLine().trimmed() == "ready";
}

}  // namespace

class TestCrash : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void killedWritesLeaveOldOrNew() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        QRandomGenerator random(1969);
        QElapsedTimer clock;
        clock.start();
        int version = 0;
        int kills = 0;
        int killedInTheMiddle = 0;
        while (kills < 200 && clock.elapsed() < 60000) {
            QProcess writer;
            writer.start(QStringLiteral(KIRABILOG_CRASHWRITER),
                         {folder.path(), QString::number(version)});
            QVERIFY2(startedWriting(writer), qPrintable(writer.errorString()));
            QThread::usleep(random.bounded(500, 20000));
            writer.kill();  // SIGKILL, or TerminateProcess on Windows
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            ++kills;

            const std::optional<int> month = monthVersion(paths);
            const std::optional<int> year =
                summaryVersion(summaryfile::readYear(paths.yearFile(crash::Year)), crash::yearRows);
            const std::optional<int> total =
                summaryVersion(summaryfile::readTotal(paths.totalFile()), crash::totalRows);
            if (!QFile::exists(crash::monthPath(paths))) {
                continue;  // killed before its first write
            }
            QVERIFY2(month && *month >= version - 1, "the month file is torn or older than it was");
            QVERIFY2(!QFile::exists(paths.yearFile(crash::Year)) || year, "the year file is torn");
            QVERIFY2(!QFile::exists(paths.totalFile()) || total, "the total file is torn");
            QCOMPARE(plainFiles(paths.dataFolder()), QStringList());
            killedInTheMiddle += year && *year != *month;
            // The next writer goes on from the newest round that was stored.
            version = *month + 1;
        }
        QVERIFY2(kills >= 200, qPrintable(u"only %1 kills in a minute"_s.arg(kills)));
        QVERIFY2(version >= 20, qPrintable(u"only %1 rounds written"_s.arg(version)));
        qInfo("%d kills, %d of them between a month and its year file, %d rounds written", kills,
              killedInTheMiddle, version);
    }

    void killedRefilingLosesNoRecord() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QList<PrizeEntry> byApplication = refilingRecords();
        QList<PrizeEntry> byDeadline;
        QMap<QString, QList<PrizeEntry> > months;
        for (const PrizeEntry& e : byApplication) {
            PrizeEntry swapped = e;
            std::swap(swapped[FilingDate], swapped[OtherDate]);
            byDeadline.append(swapped);
            months[e[FilingDate].left(7)].append(e);
        }
        for (auto it = months.cbegin(); it != months.cend(); ++it) {
            QVERIFY(monthfile::write(paths.monthFile(it.key().left(4), it.key().mid(5)), it.value(),
                                     QString())
                        .ok());
        }
        QVERIFY(settingsfile::write(paths.settingsFile(), settingsfile::Settings()).ok());

        QRandomGenerator random(1971);
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        int whileWriting = 0;
        int duringSwap = 0;
        int changes = 0;
        bool nowDay = true;
        while (kills < 60 && clock.elapsed() < 120000) {
            QProcess writer;
            writer.start(QStringLiteral(KIRABILOG_REFILEWRITER), {folder.path()});
            QVERIFY2(startedWriting(writer), qPrintable(writer.errorString()));
            if (kills % 2 == 0) {
                QThread::usleep(random.bounded(2000, 400000));
            } else {
                // Every other kill aims at the short swap: it waits for the
                // new data to be whole, then a moment more.
                QElapsedTimer waited;
                waited.start();
                while (!QFile::exists(paths.dataFolder() + u"/.refile/complete"_s) &&
                       waited.elapsed() < 5000) {
                }
                QThread::usleep(random.bounded(0, 3000));
            }
            writer.kill();  // SIGKILL, or TerminateProcess on Windows
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            ++kills;
            duringSwap += QFile::exists(paths.dataFolder() + u"/.refile/complete"_s);
            whileWriting += QFile::exists(paths.dataFolder() + u"/.refile"_s) &&
                            !QFile::exists(paths.dataFolder() + u"/.refile/complete"_s);

            // What the next start finds.
            refiling::recoverRefiling(paths);
            const settingsfile::ReadResult settings = settingsfile::read(paths.settingsFile());
            QVERIFY2(settings.exists, "the settings file is gone");
            changes += settings.settings.formatKeyNowDay != nowDay;
            nowDay = settings.settings.formatKeyNowDay;
            QVERIFY2(filedRecords(paths) == (nowDay ? byApplication : byDeadline),
                     "a record is lost, doubled or filed under the wrong key");
            QCOMPARE(plainFiles(paths.dataFolder()), QStringList());
            QVERIFY(!QFile::exists(paths.dataFolder() + u"/.refile"_s));
            QVERIFY(!QFile::exists(paths.dataFolder() + u"/.refile-old"_s));
        }
        QVERIFY2(kills >= 60, qPrintable(u"only %1 kills in two minutes"_s.arg(kills)));
        QVERIFY2(duringSwap >= 10 && whileWriting >= 10,
                 "too few kills met the swap or the writing");
        qInfo(
            "%d kills, %d while the new data was written, %d during the swap; the key changed "
            "%d times",
            kills, whileWriting, duringSwap, changes);
    }
};

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
