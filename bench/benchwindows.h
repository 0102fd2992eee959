#pragma once

// What the window benchmarks share: a scripted desktop, the program started
// on a folder, and a main that runs the benchmarks offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>

#include "mainwindow/frmmain.h"
#include "scripteddesktop.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "storage/datafolder.h"

struct Desktop {
    platform::ScriptedPrompter prompter;
    platform::ScriptedDialogs dialogs;
    platform::ScriptedShell shell;
    platform::FixedClock clock{QDate(2010, 1, 15)};
    platform::ScriptedDesktopShortcut shortcut;
    platform::ScriptedInstanceLock instanceLock;
    platform::ScriptedClipboard clipboard;
    Platform platform{prompter, dialogs, shell, clock, shortcut, instanceLock, clipboard};
};

// Starts the program on a folder; a first start answers its question No.
inline frmMain* startProgram(Desktop& desktop, const QString& folder) {
    if (QFile::exists(DataPaths(folder).settingsFile())) {
        return StartProgram(desktop.platform, folder);
    }
    desktop.prompter.expect(platform::MessageAnswer::No, QStringLiteral("きらび帳初回起動"),
                            QStringLiteral("デスクトップ上にショートカットを作成しますか？"));
    return StartProgram(desktop.platform, folder);
}

template <typename T>
T* control(const QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}

// An open top-level window of the program, by its name.
inline QWidget* openWindow(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// A reporter, when given, takes the place of the console's.
inline int runBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (reporter != nullptr) {
        benchmark::RunSpecifiedBenchmarks(reporter);
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    return 0;
}
