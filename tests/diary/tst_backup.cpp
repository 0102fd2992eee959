// Backups and restores without any window: the dated folder and its name
// rule, a backup that replaces the day's earlier one only when whole, a
// restore that leaves the data as it was whenever it fails, and a restore
// stopped at any step finished or dropped at the next start.
#include <QDirIterator>
#include <QMap>
#include <QTest>

#include "diary/backup.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const QDate Today(2010, 3, 15);

using Snapshot = QMap<QString, QByteArray>;

Snapshot snapshot(const QString& root) {
    Snapshot files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(root.size()), readBytes(path));
    }
    return files;
}

void fillData(const DataPaths& paths, const QByteArray& tag) {
    for (const QString& file : {paths.monthFile(u"2010"_s, u"01"_s), paths.yearFile(u"2010"_s),
                                paths.totalFile(), paths.settingsFile()}) {
        QVERIFY(writeBytes(file, tag + ' ' + file.toUtf8()));
    }
}

// Fills the data, backs it up into the folder "backups" of the program
// folder and returns that folder.
QString backedUp(const TestFolder& folder, const QByteArray& tag) {
    const QString chosen = folder.path() + u"/backups"_s;
    fillData(folder.paths(), tag);
    if (!QDir().mkpath(chosen) || !backup::makeBackup(folder.paths(), chosen, Today).done) {
        qWarning("the backup to start from failed");
    }
    return chosen;
}

// What the program folder holds besides the data: no work may be left.
QStringList leftOver(const TestFolder& folder) {
    QStringList names =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.removeAll(u"data"_s);
    names.removeAll(u"backups"_s);
    return names;
}

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void folderNames() {
        QCOMPARE(backup::backupFolder(u"/media/usb"_s, Today),
                 u"/media/usb/20100315_kirabilog_backup"_s);
        // A drive's root ends with its separator: none is added.
        QCOMPARE(backup::backupFolder(u"E:\\"_s, Today), u"E:\\20100315_kirabilog_backup"_s);
        QCOMPARE(backup::backupFolder(u"/"_s, Today), u"/20100315_kirabilog_backup"_s);

        QVERIFY(backup::isBackupFolderName(u"/media/usb/20100315_kirabilog_backup"_s));
        QVERIFY(backup::isBackupFolderName(u"/media/anything_kirabilog_backup"_s));
        QVERIFY(backup::isBackupFolderName(u"kirabilog_backup"_s));
        QVERIFY(!backup::isBackupFolderName(u"/media/20100315_kirabilog_backup2"_s));
        QVERIFY(!backup::isBackupFolderName(u"/media/20100315_kirabilog_backup/"_s));
        QVERIFY(!backup::isBackupFolderName(u"/kirabilog_backup/x_kirabilog_backup"_s));
        QVERIFY(!backup::isBackupFolderName(u"/media/20100315_Kirabilog_backup"_s));
        QVERIFY(!backup::isBackupFolderName(QString()));
    }

    // The copy holds the data byte for byte; a second backup of the day
    // holds the later state only.
    void backupOfTheDay() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString chosen = folder.path() + u"/backups"_s;
        QVERIFY(QDir().mkpath(chosen));
        fillData(paths, "first");
        QVERIFY(writeBytes(paths.monthFile(u"2009"_s, u"12"_s), "gone later"));
        QVERIFY(backup::makeBackup(paths, chosen, Today).done);
        const QString target = chosen + u"/20100315_kirabilog_backup"_s;
        QCOMPARE(snapshot(target), snapshot(paths.dataFolder()));

        QVERIFY(QFile::remove(paths.monthFile(u"2009"_s, u"12"_s)));
        fillData(paths, "second");
        const diary::Result second = backup::makeBackup(paths, chosen + u'/', Today);
        QVERIFY(second.done);
        QCOMPARE(second.notices.size(), 0);
        QCOMPARE(snapshot(target), snapshot(paths.dataFolder()));
        QCOMPARE(QDir(chosen).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{u"20100315_kirabilog_backup"_s});
    }

    void backupIntoTheDataIsRefused() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        fillData(paths, "data");
        const Snapshot before = snapshot(folder.path());
        for (const QString& chosen : {paths.dataFolder(), paths.yearFolder(u"2010"_s)}) {
            const diary::Result result = backup::makeBackup(paths, chosen, Today);
            QVERIFY(!result.done);
            QCOMPARE(result.notices.size(), 1);
            QVERIFY2(result.notices[0].text.contains(u"の中にはバックアップできません。"_s),
                     qPrintable(result.notices[0].text));
        }
        QCOMPARE(snapshot(folder.path()), before);
    }

    // A backup that cannot be made is never called done, and the day's
    // earlier backup stays as it was.
    void failedBackupKeepsTheEarlierOne() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString chosen = backedUp(folder, "first");
        const Snapshot earlier = snapshot(chosen);
        QVERIFY(!earlier.isEmpty());

        // A file in the chosen place's way.
        const QString file = folder.path() + u"/a file"_s;
        QVERIFY(writeBytes(file, "x"));
        diary::Result result = backup::makeBackup(paths, file, Today);
        QVERIFY(!result.done);
        QVERIFY2(result.notices[0].text.startsWith(u"バックアップできませんでした。\r\n"_s),
                 qPrintable(result.notices[0].text));
#ifdef Q_OS_UNIX
        // A data file that cannot be read.
        fillData(paths, "second");
        QVERIFY(QFile::link(folder.path() + u"/nowhere"_s, paths.monthFile(u"2010"_s, u"02"_s)));
        result = backup::makeBackup(paths, chosen, Today);
        QVERIFY(!result.done);
        QVERIFY2(result.notices[0].text.startsWith(
                     u"バックアップできませんでした。\r\n"_s +
                     QDir::toNativeSeparators(paths.monthFile(u"2010"_s, u"02"_s)) + u"\r\n"_s),
                 qPrintable(result.notices[0].text));
        QCOMPARE(snapshot(chosen), earlier);
#endif
    }

    // The data becomes the backup's; a restore that fails leaves the data
    // and nothing else behind.
    void restore() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        const QString saved = backedUp(folder, "backed up") + u"/20100315_kirabilog_backup"_s;
        const Snapshot backup = snapshot(saved);
        QCOMPARE(backup, snapshot(paths.dataFolder()));

        fillData(paths, "later");
        QVERIFY(writeBytes(paths.monthFile(u"2011"_s, u"05"_s), "a later month"));
        const diary::Result result = backup::restore(paths, saved);
        QVERIFY(result.done);
        QCOMPARE(snapshot(paths.dataFolder()), backup);
        QCOMPARE(snapshot(saved), backup);
        QCOMPARE(leftOver(folder), QStringList());
    }

    void failedRestoreLeavesTheData() {
        TestFolder folder;
        const DataPaths paths = folder.paths();
        fillData(paths, "current");
        const Snapshot current = snapshot(paths.dataFolder());

        // A folder that holds no backup.
        const QString empty = folder.path() + u"/backups/x_kirabilog_backup"_s;
        QVERIFY(QDir().mkpath(empty));
        diary::Result result = backup::restore(paths, empty);
        QVERIFY(!result.done);
        QCOMPARE(result.notices[0].text,
                 u"復元できませんでした。\r\n"_s + QDir::toNativeSeparators(empty) +
                     u"\r\nこのフォルダにはバックアップしたデータがありません。"_s);
        QCOMPARE(snapshot(paths.dataFolder()), current);
#ifdef Q_OS_UNIX
        // A backup with a file that cannot be read.
        QVERIFY(writeBytes(empty + u"/ini/kirabilog.ini"_s, "settings"));
        QVERIFY(QDir().mkpath(empty + u"/2010"_s));
        QVERIFY(QFile::link(folder.path() + u"/nowhere"_s, empty + u"/2010/01.log"_s));
        result = backup::restore(paths, empty);
        QVERIFY(!result.done);
        QVERIFY2(result.notices[0].text.startsWith(u"復元できませんでした。\r\n"_s),
                 qPrintable(result.notices[0].text));
        QCOMPARE(snapshot(paths.dataFolder()), current);
#endif
        QCOMPARE(leftOver(folder), QStringList());
    }

    // How far a stopped restore came, and what the next start makes of it:
    // the backup's data once its copy was whole, the old data otherwise.
    void stoppedRestore_data() {
        QTest::addColumn<bool>("whole");      // the copy was marked whole
        QTest::addColumn<bool>("dataMoved");  // the data was moved aside
        QTest::addColumn<bool>("restored");
        QTest::newRow("copy under way") << false << false << false;
        QTest::newRow("copy whole") << true << false << true;
        QTest::newRow("data moved aside") << true << true << true;
    }

    void stoppedRestore() {
        QFETCH(bool, whole);
        QFETCH(bool, dataMoved);
        QFETCH(bool, restored);
        TestFolder folder;
        const DataPaths paths = folder.paths();
        fillData(paths, "current");
        const Snapshot current = snapshot(paths.dataFolder());
        const DataPaths copy(folder.path() + u"/.kirabilog-restore"_s);
        fillData(copy, "backup");
        const Snapshot backedUp = snapshot(copy.dataFolder());
        if (whole) {
            QVERIFY(writeBytes(folder.path() + u"/.kirabilog-restore/complete"_s, "1"));
        }
        if (dataMoved) {
            QVERIFY(
                QDir().rename(paths.dataFolder(), folder.path() + u"/.kirabilog-restore/old"_s));
        }
        backup::recoverRestore(paths);
        QCOMPARE(snapshot(paths.dataFolder()), restored ? backedUp : current);
        QCOMPARE(leftOver(folder), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
