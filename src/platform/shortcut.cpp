#include "platform/shortcut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/programfiles.h"
#include "platform/programlocation.h"

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// The program as one quoted argument of an Exec key: inside the quotes a
// quote, backquote, dollar sign and backslash are escaped, a percent sign is
// doubled, and then the whole value is escaped as a string value is.
QString execArgument(const QString& path) {
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        quoted += c == u'%' ? u"%%"_s : QString(c);
    }
    return u'"' + quoted.replace(u"\\"_s, u"\\\\"_s) + u'"';
}

QString iconOf(const QString& programPath) {
    const QString folder = QFileInfo(programPath).absolutePath();
    const QString themed = installedShareFolder(folder) + u"/../icons/hicolor/scalable/apps/"_s +
                           programfiles::IconName + u".svg"_s;
    if (QFileInfo::exists(themed)) {
        return programfiles::IconName;
    }
    const QString beside = folder + u'/' + programfiles::PortableIcon;
    return QFileInfo::exists(beside) ? beside : QString();
}

}  // namespace

std::optional<QString> desktopEntry(const QString& programPath) {
    // A line break or a control character cannot stand in a value.
    for (const QChar c : programPath) {
        if (c.category() == QChar::Other_Control) {
            return std::nullopt;
        }
    }
    QString entry =
        u"[Desktop Entry]\n"
        u"Type=Application\n"
        u"Name="_s +
        ShortcutName +
        u"\n"
        u"Comment=懸賞の応募と当選を記録します\n"
        u"Exec="_s +
        execArgument(programPath) + u"\n"_s;
    const QString icon = iconOf(programPath);
    if (!icon.isEmpty()) {
        entry += u"Icon="_s + icon + u'\n';
    }
    return entry + u"Terminal=false\n"_s;
}

SystemDesktopShortcut::SystemDesktopShortcut(QString desktopFolder)
    : desktopFolder_(desktopFolder.isEmpty()
                         ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                         : std::move(desktopFolder)) {}

}  // namespace platform
