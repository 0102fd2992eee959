// A real full disk: a tiny memory file system takes the old month, then has
// no room for the new one. The old file stays and the user learns why.
#include <QTest>

#include "storage/monthfile.h"
#include "testsupport.h"

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

class TestDiskFull : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void fullDiskKeepsTheOldFileAndSaysWhy() {
#ifndef Q_OS_LINUX
        QSKIP("a memory file system is mounted on Linux only");
#else
        if (geteuid() != 0) {
            QSKIP("mounting a 64 KiB file system needs root");
        }
        TestFolder folder;
        if (::mount("tmpfs", folder.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") !=
            0) {
            QSKIP("this machine refuses to mount a memory file system here");
        }
        const auto unmount =
            qScopeGuard([&] { ::umount2(folder.path().toLocal8Bit().constData(), MNT_DETACH); });
        const QString month = folder.paths().monthFile(u"2010"_s, u"01"_s);
        PrizeEntry small;
        small[FilingDate] = u"2010/01/05"_s;
        QVERIFY(monthfile::write(month, {small}, QString()).ok());
        const QByteArray before = readBytes(month);

        PrizeEntry big = small;
        big[Msg] = QString(200 * 1024, u'x');
        const diskfile::WriteResult written = monthfile::write(month, {small, big}, QString());
        QVERIFY(!written.ok());
        QVERIFY2(written.error.contains(u"No space left on device"_s), qPrintable(written.error));
        QCOMPARE(readBytes(month), before);
        QVERIFY(!QFile::exists(DataPaths::workFile(folder.paths().yearFolder(u"2010"_s))));
#endif
    }
};

QTEST_GUILESS_MAIN(TestDiskFull)
#include "tst_diskfull.moc"
