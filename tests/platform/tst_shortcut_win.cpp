// The desktop shortcut on Windows, read back through the shell's own link
// object: it starts the program, in its folder, with its icon.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <QDir>
#include <QTest>

#include "platform/shortcut.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

struct Link {
    QString path;
    QString folder;
    QString icon;
    int iconIndex = -1;
};

Link readLink(const QString& file) {
    Link read;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return read;
    }
    IPersistFile* persist = nullptr;
    wchar_t text[MAX_PATH] = {};
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(reinterpret_cast<const wchar_t*>(file.utf16()), STGM_READ))) {
        if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            read.path = QString::fromWCharArray(text);
        }
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) {
            read.folder = QString::fromWCharArray(text);
        }
        if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &read.iconIndex))) {
            read.icon = QString::fromWCharArray(text);
        }
    }
    if (persist != nullptr) {
        persist->Release();
    }
    link->Release();
    return read;
}

}  // namespace

class TestShortcutWin : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { QVERIFY(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void cleanupTestCase() { CoUninitialize(); }

    // Made again over an older one, the link names the new place.
    void linkStartsTheProgramWithItsIcon() {
        TestFolder desktop;
        platform::SystemDesktopShortcut shortcut(desktop.path());
        QCOMPARE(shortcut.shortcutPath(), desktop.file(u"きらび帳.lnk"_s));
        QVERIFY(shortcut.create(desktop.file(u"old/kirabilog.exe"_s)));
        // Wine reads a link's path back through the ANSI code page: the
        // folder's name stays within it.
        const QString program = desktop.file(u"kirabi cho/kirabilog.exe"_s);
        QVERIFY(shortcut.create(program));
        const Link link = readLink(QDir::toNativeSeparators(shortcut.shortcutPath()));
        QCOMPARE(link.path, QDir::toNativeSeparators(program));
        QCOMPARE(link.folder, QDir::toNativeSeparators(desktop.file(u"kirabi cho"_s)));
        QCOMPARE(link.icon, QDir::toNativeSeparators(program));
        QCOMPARE(link.iconIndex, 0);
    }

    void folderThatCannotBeMadeFails() {
        TestFolder root;
        QVERIFY(writeBytes(root.file(u"file"_s), "x"));
        platform::SystemDesktopShortcut shortcut(root.file(u"file/desktop"_s));
        QVERIFY(!shortcut.create(root.file(u"kirabilog.exe"_s)));
    }
};

QTEST_GUILESS_MAIN(TestShortcutWin)
#include "tst_shortcut_win.moc"
