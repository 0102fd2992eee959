// The desktop shortcut as Windows keeps it: a shell link "きらび帳.lnk" made
// through the shell's link object, starting the program in its own folder
// with its own icon.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <QDir>
#include <QFileInfo>

#include "platform/shortcut.h"

using namespace Qt::StringLiterals;

namespace platform {

namespace {

const wchar_t* wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// COM for the calls of this thread, as long as the object lives; a thread
// that has it already keeps its own.
struct ComScope {
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(started)) {
            CoUninitialize();
        }
    }
};

template <typename Interface>
struct Released {
    Interface* object = nullptr;
    ~Released() {
        if (object != nullptr) {
            object->Release();
        }
    }
};

}  // namespace

QString SystemDesktopShortcut::shortcutPath() const {
    return QDir(desktopFolder_).filePath(ShortcutName + u".lnk"_s);
}

bool SystemDesktopShortcut::create(const QString& programPath) {
    if (desktopFolder_.isEmpty() || !QDir().mkpath(desktopFolder_)) {
        return false;
    }
    const ComScope com;
    Released<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.object)))) {
        return false;
    }
    const QString program = QDir::toNativeSeparators(QFileInfo(programPath).absoluteFilePath());
    const QString folder = QDir::toNativeSeparators(QFileInfo(programPath).absolutePath());
    if (FAILED(link.object->SetPath(wide(program))) ||
        FAILED(link.object->SetWorkingDirectory(wide(folder))) ||
        FAILED(link.object->SetIconLocation(wide(program), 0)) ||
        FAILED(link.object->SetDescription(L"懸賞の応募と当選を記録します"))) {
        return false;
    }
    Released<IPersistFile> file;
    if (FAILED(link.object->QueryInterface(IID_IPersistFile,
                                           reinterpret_cast<void**>(&file.object)))) {
        return false;
    }
    return SUCCEEDED(file.object->Save(wide(QDir::toNativeSeparators(shortcutPath())), TRUE));
}

}  // namespace platform
