// Writes killed at random moments: every data file is always the old or the
// new content, whole, and no plain text ever lies in the data folder.
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include "crashcontent.h"
#include "storage/binarycipher.h"
#include "storage/monthfile.h"
#include "storage/summaryfile.h"
#include "testsupport.h"

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

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

}  // namespace

class TestCrash : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void killedWritesLeaveOldOrNew() {
#ifndef Q_OS_UNIX
        QSKIP("the writer is killed with SIGKILL");
#else
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
            QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
            QThread::usleep(random.bounded(500, 20000));
            ::kill(pid_t(writer.processId()), SIGKILL);
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
        qInfo("%d kills, %d of them between a month and its year file, %d rounds written", kills,
              killedInTheMiddle, version);
#endif
    }
};

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
