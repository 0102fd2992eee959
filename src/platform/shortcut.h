#pragma once

#include <QString>
#include <optional>

namespace platform {

// The shortcut's name on the desktop, before its extension.
inline const QString ShortcutName = QStringLiteral("きらび帳");

// The "きらび帳" launcher on the user's desktop.
class DesktopShortcut {
  public:
    virtual ~DesktopShortcut() = default;
    // Creates or overwrites the shortcut to the program; false on failure.
    virtual bool create(const QString& programPath) = 0;
};

// A .desktop launcher on Linux, a .lnk shell link on Windows, in the desktop
// folder (or the given folder).
class SystemDesktopShortcut : public DesktopShortcut {
  public:
    explicit SystemDesktopShortcut(QString desktopFolder = {});
    bool create(const QString& programPath) override;
    QString shortcutPath() const;

  private:
    QString desktopFolder_;
};

// The desktop entry that starts programPath, with the icon of an installed
// copy (by its theme name) or of a portable one (by its path); nothing when
// the path cannot be written into an entry.
std::optional<QString> desktopEntry(const QString& programPath);

}  // namespace platform
