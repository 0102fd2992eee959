#include <QApplication>

#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/instancelock.h"
#include "platform/japanese.h"
#include "platform/programlocation.h"
#include "platform/shortcut.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    platform::useJapanese(app);
    const platform::ProgramLocation location = platform::ProgramLocation::find(
        QCoreApplication::applicationDirPath(), platform::userDataHome());

    platform::DesktopPrompter prompter;
    platform::DesktopDialogs dialogs;
    platform::DesktopShell shell;
    platform::SystemClock clock;
    platform::SystemDesktopShortcut shortcut;
    platform::FileInstanceLock instanceLock(location.dataHome);
    platform::DesktopClipboard clipboard;
    Platform desktop{prompter, dialogs, shell, clock, shortcut, instanceLock, clipboard};

    frmMain* window = StartProgram(desktop, location);
    if (window == nullptr) {
        return 0;
    }
    QObject::connect(window, &frmMain::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
