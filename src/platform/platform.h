#pragma once

namespace platform {
class Prompter;
class Dialogs;
class Shell;
class Clock;
class DesktopShortcut;
class InstanceLock;
class Clipboard;
}  // namespace platform

// What the program uses of the desktop; the real program passes the real
// ones, tests and scenarios scripted ones.
struct Platform {
    platform::Prompter& prompter;
    platform::Dialogs& dialogs;
    platform::Shell& shell;
    platform::Clock& clock;
    platform::DesktopShortcut& shortcut;
    platform::InstanceLock& instanceLock;
    platform::Clipboard& clipboard;
};
