#include <QDir>
#include <QFile>

#include "platform/shortcut.h"

using namespace Qt::StringLiterals;

namespace platform {

QString SystemDesktopShortcut::shortcutPath() const {
    return QDir(desktopFolder_).filePath(ShortcutName + u".desktop"_s);
}

bool SystemDesktopShortcut::create(const QString& programPath) {
    if (desktopFolder_.isEmpty() || !QDir().mkpath(desktopFolder_)) {
        return false;
    }
    const std::optional<QString> entry = desktopEntry(programPath);
    QFile file(shortcutPath());
    if (!entry || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray bytes = entry->toUtf8();
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return written;
}

}  // namespace platform
