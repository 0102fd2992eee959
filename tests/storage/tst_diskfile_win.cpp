// Replacing a data file that another program holds open, as virus scanners,
// the indexer and sync clients do for a moment after every write.
#include <windows.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <thread>

#include "storage/binarycipher.h"
#include "storage/diskfile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

// Opens the file as such programs do: reading, without letting it be
// deleted or renamed over.
HANDLE holdOpen(const QString& path) {
    return CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                       GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

QByteArray enciphered(QByteArray plain) {
    mdlBinaryCipher::CipherBuffer(plain);
    return plain;
}

}  // namespace

class TestDiskFileWin : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Held for a moment: the replacement waits and succeeds.
    void fileHeldForAMomentIsReplaced() {
        TestFolder folder;
        const QString target = folder.file(u"2010/01.log"_s);
        QVERIFY(diskfile::replaceEnciphered(target, "old").error.isEmpty());
        const HANDLE held = holdOpen(target);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        std::thread release([held] {
            Sleep(300);
            CloseHandle(held);
        });
        const diskfile::WriteResult result = diskfile::replaceEnciphered(target, "new");
        release.join();
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(readBytes(target), enciphered("new"));
        QVERIFY(!QFile::exists(folder.file(u"2010/!"_s)));
    }

    // Held for good: after about a second the user is told, the old file
    // stays whole and the work file is gone.
    void fileHeldForGoodIsToldAndKept() {
        TestFolder folder;
        const QString target = folder.file(u"2010/01.log"_s);
        QVERIFY(diskfile::replaceEnciphered(target, "old").error.isEmpty());
        const HANDLE held = holdOpen(target);
        QVERIFY(held != INVALID_HANDLE_VALUE);
        QElapsedTimer clock;
        clock.start();
        const diskfile::WriteResult result = diskfile::replaceEnciphered(target, "new");
        const qint64 waited = clock.elapsed();
        CloseHandle(held);
        QVERIFY(!result.error.isEmpty());
        QVERIFY2(result.error.startsWith(u"ファイル「"_s + QDir::toNativeSeparators(target) +
                                         u"」を保存できませんでした。\r\n"_s),
                 qPrintable(result.error));
        QVERIFY2(waited >= 800 && waited < 5000, qPrintable(QString::number(waited)));
        QCOMPARE(readBytes(target), enciphered("old"));
        QVERIFY(!QFile::exists(folder.file(u"2010/!"_s)));
    }
};

QTEST_GUILESS_MAIN(TestDiskFileWin)
#include "tst_diskfile_win.moc"
