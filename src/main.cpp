#include <QApplication>
#include <QDir>

#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/instancelock.h"
#include "platform/shortcut.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QString programFolder = QCoreApplication::applicationDirPath();

    platform::DesktopPrompter prompter;
    platform::DesktopDialogs dialogs;
    platform::DesktopShell shell;
    platform::SystemClock clock;
    platform::SystemDesktopShortcut shortcut;
    platform::FileInstanceLock instanceLock(programFolder);
    platform::DesktopClipboard clipboard;
    Platform desktop{prompter, dialogs, shell, clock, shortcut, instanceLock, clipboard};

    frmMain* window = StartProgram(desktop, programFolder);
    if (window == nullptr) {
        return 0;
    }
    QObject::connect(window, &frmMain::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}
