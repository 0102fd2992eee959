// The automatic backup killed at random moments — copying, swapping a day's
// backup, pruning: the data folder never changes, every generation under
// its own name is whole, nothing else in the backup folder is touched, and
// the next end makes its generation and clears the work left behind.
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include "diary/autobackup.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

using Snapshot = QMap<QString, QByteArray>;

// Two years of months of 64 KiB each: a copy long enough to be killed in.
void fillData(const DataPaths& paths) {
    QRandomGenerator random(7);
    for (int year = 2024; year <= 2025; ++year) {
        for (int month = 1; month <= 12; ++month) {
            QByteArray bytes(64 * 1024, '\0');
            random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
            QVERIFY(writeBytes(
                paths.monthFile(QString::number(year), u"%1"_s.arg(month, 2, 10, QChar(u'0'))),
                bytes));
        }
    }
    QVERIFY(writeBytes(paths.totalFile(), "total"));
    QVERIFY(writeBytes(paths.settingsFile(), "settings"));
}

// What is wrong with the backup folder: a generation that is not the data
// whole, or an entry of the user's that changed.
QStringList faults(const QString& backups, const Snapshot& data, const Snapshot& usersOwn) {
    QStringList found;
    const QDir dir(backups);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (autobackup::isGeneration(name) && filesWithBytesBelow(dir.filePath(name)) != data) {
            found.append(name + u" is not whole"_s);
        }
    }
    Snapshot now = filesWithBytesBelow(backups);
    for (auto it = usersOwn.cbegin(); it != usersOwn.cend(); ++it) {
        if (now.value(it.key()) != it.value()) {
            found.append(it.key() + u" changed"_s);
        }
    }
    return found;
}

}  // namespace

class TestBackupCrash : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void killedBackupHarmsNothing() {
        TestFolder folder;
        const DataPaths& paths = folder.paths();
        fillData(paths);
        const Snapshot data = filesWithBytesBelow(paths.dataFolder());
        const QString backups = folder.file(u"backups"_s);
        QVERIFY(writeBytes(backups + u"/notes.txt"_s, "mine"));
        QVERIFY(writeBytes(backups + u"/20250101_kirabilog_backup_mine/a.txt"_s, "mine too"));
        const Snapshot usersOwn = filesWithBytesBelow(backups);

        QRandomGenerator random(2026);
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        int day = 0;
        while (kills < 60 && clock.elapsed() < 120000) {
            QProcess writer;
            writer.start(QStringLiteral(KIRABILOG_BACKUPWRITER),
                         {paths.baseFolder(), backups, QString::number(day)});
            QVERIFY2(writer.waitForStarted() && writer.waitForReadyRead(30000) &&
                         writer.readLine().trimmed() == "ready",
                     qPrintable(writer.errorString()));
            QThread::usleep(random.bounded(1000, 60000));
            writer.kill();  // SIGKILL, or TerminateProcess on Windows
            QVERIFY(writer.waitForFinished());
            ++kills;
            // Days that ended; the next writer goes on from the last one, so
            // that the day's backup is replaced as often as a new one made.
            const QList<QByteArray> ended = writer.readAllStandardOutput().split('\n');
            for (const QByteArray& line : ended) {
                bool number = false;
                const int made = line.trimmed().toInt(&number);
                day = number ? made : day;
            }
            QCOMPARE(filesWithBytesBelow(paths.dataFolder()), data);
            const QStringList found = faults(backups, data, usersOwn);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(u"; "_s)));
        }
        QVERIFY2(kills >= 60, qPrintable(u"only %1 kills"_s.arg(kills)));
        // The next end settles what the last kill left.
        QVERIFY(autobackup::makeGeneration(paths, backups, QDate(2026, 1, 1).addDays(day), 3).done);
        const QStringList left = QDir(backups).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY2(std::none_of(left.cbegin(), left.cend(),
                              [](const QString& name) {
                                  return name.contains(u'.') && !name.endsWith(u".txt"_s);
                              }),
                 qPrintable(left.join(u", "_s)));
        QVERIFY(faults(backups, data, usersOwn).isEmpty());
        qInfo("%d kills over %d days", kills, day);
    }
};

QTEST_GUILESS_MAIN(TestBackupCrash)
#include "tst_backupcrash.moc"
