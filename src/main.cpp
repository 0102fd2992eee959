#include <QApplication>
#include <QIcon>

#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/instancelock.h"
#include "platform/japanese.h"
#include "platform/programfiles.h"
#include "platform/programlocation.h"
#include "platform/shortcut.h"

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // Matches the window to its menu entry and icon on every desktop.
    QGuiApplication::setDesktopFileName(programfiles::IconName);
    QIcon icon;
    for (const char* size : {"32x32", "64x64", "256x256"}) {
        icon.addFile(u":/icons/"_s + QLatin1StringView(size) + u'/' + programfiles::IconName +
                     u".png"_s);
    }
    QApplication::setWindowIcon(icon);
    platform::useJapanese(app);
    const platform::ProgramLocation location = platform::ProgramLocation::find(
        QCoreApplication::applicationDirPath(), platform::userDataHome());

    platform::DesktopPrompter prompter;
    platform::DesktopDialogs dialogs;
    platform::DesktopShell shell;
    platform::SystemClock clock;
    platform::SystemDesktopShortcut shortcut;
    platform::SystemInstanceLock instanceLock(location.dataHome);
    platform::DesktopClipboard clipboard;
    Platform desktop{prompter, dialogs, shell, clock, shortcut, instanceLock, clipboard};

    frmMain* window = StartProgram(desktop, location);
    if (window == nullptr) {
        return 0;
    }
    QObject::connect(window, &frmMain::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
