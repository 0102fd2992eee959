#include "platform/shortcut.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#endif

using namespace Qt::StringLiterals;

namespace platform {

namespace {

const QString ShortcutName = u"きらび帳"_s;

}  // namespace

SystemDesktopShortcut::SystemDesktopShortcut(QString desktopFolder)
    : desktopFolder_(desktopFolder.isEmpty()
                         ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                         : std::move(desktopFolder)) {}

QString SystemDesktopShortcut::shortcutPath() const {
#ifdef Q_OS_WIN
    return QDir(desktopFolder_).filePath(ShortcutName + u".lnk"_s);
#else
    return QDir(desktopFolder_).filePath(ShortcutName + u".desktop"_s);
#endif
}

bool SystemDesktopShortcut::create(const QString& programPath) {
    if (desktopFolder_.isEmpty() || !QDir().mkpath(desktopFolder_)) {
        return false;
    }
#ifdef Q_OS_WIN
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    link->SetPath(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(programPath).utf16()));
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(shortcutPath()).utf16()),
            TRUE));
        file->Release();
    }
    link->Release();
    return saved;
#else
    QFile file(shortcutPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QString entry =
        u"[Desktop Entry]\n"
        u"Type=Application\n"
        u"Name="_s +
        ShortcutName + u"\nExec=\""_s + programPath + u"\"\nTerminal=false\n"_s;
    const QByteArray bytes = entry.toUtf8();
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return written;
#endif
}

}  // namespace platform
