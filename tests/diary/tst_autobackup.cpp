// The automatic backup without any window: which folders are generations,
// which of them go, which folders are refused, and a day's generation made,
// replaced and pruned with nothing else in its folder touched.
#include <QMap>
#include <QTest>

#include "diary/autobackup.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

using Snapshot = QMap<QString, QByteArray>;

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

void fillData(const DataPaths& paths, const QByteArray& tag) {
    for (const QString& file : {paths.monthFile(u"2010"_s, u"01"_s), paths.yearFile(u"2010"_s),
                                paths.totalFile(), paths.settingsFile()}) {
        QVERIFY(writeBytes(file, tag + ' ' + file.toUtf8()));
    }
}

}  // namespace

class TestAutoBackup : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void generationNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("generation");
        QTest::newRow("a day") << u"20261209_kirabilog_backup"_s << true;
        QTest::newRow("leap day") << u"20240229_kirabilog_backup"_s << true;
        QTest::newRow("no such day") << u"20230229_kirabilog_backup"_s << false;
        QTest::newRow("work name") << u"20261209_kirabilog_backup.new"_s << false;
        QTest::newRow("more after") << u"20261209_kirabilog_backup (2)"_s << false;
        QTest::newRow("more before") << u"x20261209_kirabilog_backup"_s << false;
        QTest::newRow("short date") << u"2026129_kirabilog_backup"_s << false;
        QTest::newRow("full-width digits") << u"２０２６１２０９_kirabilog_backup"_s << false;
    }
    void generationNames() {
        QFETCH(QString, name);
        QFETCH(bool, generation);
        QCOMPARE(autobackup::isGeneration(name), generation);
    }

    // The oldest go, whatever order the folder lists them in; no other
    // name ever goes, and at least one generation stays.
    void generationsToRemove() {
        const QStringList names{
            u"20261209_kirabilog_backup"_s,      u"notes"_s,
            u"20250101_kirabilog_backup"_s,      u"20261208_kirabilog_backup"_s,
            u"20240101_kirabilog_backup_mine"_s, u"20261201_kirabilog_backup"_s};
        QCOMPARE(autobackup::generationsToRemove(names, 2),
                 (QStringList{u"20250101_kirabilog_backup"_s, u"20261201_kirabilog_backup"_s}));
        QCOMPARE(autobackup::generationsToRemove(names, 4), QStringList());
        QCOMPARE(autobackup::generationsToRemove(names, 0).size(), 3);
    }

    void refusedFolders() {
        TestFolder folder;
        fillData(folder.paths(), "data");
        const DataPaths& paths = folder.paths();
        QVERIFY(autobackup::folderProblem(paths, folder.path()).isEmpty());
        QVERIFY(autobackup::folderProblem(paths, QString()).contains(u"指定して下さい"_s));
        QVERIFY(
            autobackup::folderProblem(paths, folder.file(u"gone"_s)).endsWith(u"がありません。"_s));
        QVERIFY(autobackup::folderProblem(paths, paths.dataFolder() + u"/2010"_s)
                    .contains(u"データフォルダの中"_s));
        QVERIFY(QDir().mkpath(folder.file(u"絵文字😀"_s)));
        QVERIFY(
            autobackup::folderProblem(paths, folder.file(u"絵文字😀"_s)).contains(u"Shift-JIS"_s));
        const QString deep = folder.path() + u'/' + QString(240, u'a') + u"/b"_s;
        QVERIFY(autobackup::folderProblem(paths, deep).contains(u"長すぎる"_s));
    }

    // The generation holds the data byte for byte; a second end on the same
    // day replaces it; the oldest go down to the kept number; the rest of the
    // folder, and the data, stay as they were.
    void generationMadeReplacedAndPruned() {
        TestFolder folder;
        const DataPaths& paths = folder.paths();
        const QString backups = folder.file(u"backups"_s);
        QVERIFY(QDir().mkpath(backups + u"/notes"_s));
        QVERIFY(writeBytes(backups + u"/20261101_kirabilog_backup_mine.txt"_s, "mine"));
        for (const QString& day : {u"20261205"_s, u"20261206"_s, u"20261207"_s}) {
            QVERIFY(writeBytes(backups + u'/' + day + u"_kirabilog_backup/ini/kirabilog.ini"_s,
                               day.toUtf8()));
        }
        fillData(paths, "first");
        const Snapshot data = filesWithBytesBelow(paths.dataFolder());
        const QDate today(2026, 12, 9);
        QVERIFY(autobackup::makeGeneration(paths, backups, today, 3).done);
        const QString generation = backups + u"/20261209_kirabilog_backup"_s;
        QCOMPARE(filesWithBytesBelow(generation), data);
        QCOMPARE(filesWithBytesBelow(paths.dataFolder()), data);
        QCOMPARE(entries(backups),
                 (QStringList{u"20261101_kirabilog_backup_mine.txt"_s,
                              u"20261206_kirabilog_backup"_s, u"20261207_kirabilog_backup"_s,
                              u"20261209_kirabilog_backup"_s, u"notes"_s}));

        fillData(paths, "second");
        QVERIFY(QFile::remove(paths.yearFile(u"2010"_s)));
        QVERIFY(autobackup::makeGeneration(paths, backups, today, 3).done);
        QCOMPARE(filesWithBytesBelow(generation), filesWithBytesBelow(paths.dataFolder()));
        QCOMPARE(entries(backups).size(), 5);
    }

    // Work left by an end that stopped: a day's backup caught between its
    // two renames comes back under its name, half copies go.
    void workOfAStoppedEndIsSettled() {
        TestFolder folder;
        const DataPaths& paths = folder.paths();
        const QString backups = folder.file(u"backups"_s);
        fillData(paths, "data");
        QVERIFY(
            writeBytes(backups + u"/20261205_kirabilog_backup.old/ini/kirabilog.ini"_s, "whole"));
        QVERIFY(
            writeBytes(backups + u"/20261206_kirabilog_backup.new/ini/kirabilog.ini"_s, "half"));
        QVERIFY(writeBytes(backups + u"/20261204_kirabilog_backup.gone/2010/01.log"_s, "going"));
        QVERIFY(autobackup::makeGeneration(paths, backups, QDate(2026, 12, 9), 10).done);
        QCOMPARE(entries(backups),
                 (QStringList{u"20261205_kirabilog_backup"_s, u"20261209_kirabilog_backup"_s}));
        QCOMPARE(readBytes(backups + u"/20261205_kirabilog_backup/ini/kirabilog.ini"_s),
                 QByteArray("whole"));
    }
};

QTEST_GUILESS_MAIN(TestAutoBackup)
#include "tst_autobackup.moc"
