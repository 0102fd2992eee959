// The folder toolkit: the listing of subfolders with its two flags, and
// copying and emptying them, which never touch the root or its own files.
#include <QDirIterator>
#include <QTest>

#include "storage/folders.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

// data/0000/total.log, data/2009/12.log, data/2010/01.log, data/2010/sub/x,
// data/ini/kirabilog.ini, data/mini/m and the work file data/!.
QString makeTree(const TestFolder& folder) {
    const QString data = folder.path() + u"/data"_s;
    for (const QString& file : {u"0000/total.log"_s, u"2009/12.log"_s, u"2010/01.log"_s,
                                u"2010/sub/x"_s, u"ini/kirabilog.ini"_s, u"mini/m"_s, u"!"_s}) {
        writeBytes(data + u'/' + file, "bytes of " + file.toUtf8());
    }
    return data;
}

QStringList filesBelow(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found.append(it.next().mid(root.size() + 1));
    }
    found.sort();
    return found;
}

}  // namespace

class TestFolders : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void listing_data() {
        QTest::addColumn<bool>("fullPaths");
        QTest::addColumn<bool>("keepIni");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("full, with ini")
            << true << true
            << QStringList{u"0000"_s, u"2009"_s, u"2010"_s, u"2010/sub"_s, u"ini"_s, u"mini"_s};
        QTest::newRow("full, without ini")
            << true << false << QStringList{u"0000"_s, u"2009"_s, u"2010"_s, u"2010/sub"_s};
        QTest::newRow("short, with ini")
            << false << true
            << QStringList{u"0000"_s, u"2009"_s, u"2010"_s, u"/sub"_s, u"ini"_s, u"mini"_s};
    }

    void listing() {
        QFETCH(bool, fullPaths);
        QFETCH(bool, keepIni);
        QFETCH(QStringList, expected);
        TestFolder folder;
        const QString data = makeTree(folder);
        if (fullPaths) {
            for (QString& entry : expected) {
                entry = data + u'/' + entry;
            }
        }
        QCOMPARE(folders::ListSubFolders(data, fullPaths, keepIni), expected);
        QCOMPARE(folders::ListSubFolders(data + u'/', fullPaths, keepIni), expected);
    }

    // Every file of every subfolder arrives with its bytes; files of the
    // root stay behind; a file of the same name is replaced.
    void copy() {
        TestFolder folder;
        const QString data = makeTree(folder);
        const QString target = folder.path() + u"/copy"_s;
        QVERIFY(writeBytes(target + u"/2009/12.log"_s, "older and longer bytes"));
        QVERIFY(writeBytes(target + u"/keep"_s, "k"));
        const folders::OperationResult result = folders::FolderOperation(data, target, u"Copy"_s);
        QVERIFY(result.ok());
        QStringList expected = filesBelow(data);
        expected.removeOne(u"!"_s);
        expected.append(u"keep"_s);
        expected.sort();
        QCOMPARE(filesBelow(target), expected);
        for (const QString& file : filesBelow(data)) {
            if (file != u"!"_s) {
                QCOMPARE(readBytes(target + u'/' + file), readBytes(data + u'/' + file));
            }
        }
    }

#ifdef Q_OS_UNIX
    // A file that cannot be read is named with its reason; the rest is
    // copied all the same.
    void copyNamesWhatFails() {
        TestFolder folder;
        const QString data = makeTree(folder);
        QVERIFY(QFile::link(data + u"/gone"_s, data + u"/2010/02.log"_s));
        const folders::OperationResult result =
            folders::FolderOperation(data, folder.path() + u"/copy"_s, u"Copy"_s);
        QCOMPARE(result.failures.size(), 1);
        QCOMPARE(result.failures[0].path, data + u"/2010/02.log"_s);
        QVERIFY(!result.failures[0].reason.isEmpty());
        QVERIFY(QFile::exists(folder.path() + u"/copy/2010/01.log"_s));
    }
#endif

    void deletion_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("Delete") << u"Delete"_s << QStringList{u"!"_s};
        QTest::newRow("DeleteData")
            << u"DeleteData"_s << QStringList{u"!"_s, u"ini/kirabilog.ini"_s, u"mini/m"_s};
        QTest::newRow("any other mode")
            << u"delete"_s
            << QStringList{u"!"_s,           u"0000/total.log"_s, u"2009/12.log"_s,
                           u"2010/01.log"_s, u"2010/sub/x"_s,     u"ini/kirabilog.ini"_s,
                           u"mini/m"_s};
    }

    // The root and its own files always stay.
    void deletion() {
        QFETCH(QString, mode);
        QFETCH(QStringList, left);
        TestFolder folder;
        const QString data = makeTree(folder);
        const folders::OperationResult result = folders::FolderOperation(data, QString(), mode);
        QVERIFY(result.ok());
        QCOMPARE(filesBelow(data), left);
        QVERIFY(QDir(data).exists());
        if (mode == u"Delete"_s) {
            QCOMPARE(folders::ListSubFolders(data, true, true), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
