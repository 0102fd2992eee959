#pragma once

#include <QTest>

#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/instancelock.h"
#include "platform/scripteddialogs.h"
#include "platform/scriptedprompter.h"
#include "platform/shortcut.h"
#include "testsupport.h"

// The program on a fresh program folder with a scripted desktop.
struct ProgramFixture {
    TestFolder folder;
    platform::ScriptedPrompter prompter;
    platform::ScriptedDialogs dialogs;
    platform::ScriptedShell shell;
    platform::FixedClock clock{QDate(2010, 1, 15)};
    platform::ScriptedDesktopShortcut shortcut;
    platform::ScriptedInstanceLock instanceLock;
    Platform platform{prompter, dialogs, shell, clock, shortcut, instanceLock};

    // Starts the program; a first start answers the shortcut question No.
    frmMain* start() {
        if (!QFile::exists(folder.paths().settingsFile())) {
            prompter.expect(platform::MessageAnswer::No, QStringLiteral("きらび帳初回起動"),
                            QStringLiteral("デスクトップ上にショートカットを作成しますか？"));
        }
        return StartProgram(platform, folder.path());
    }
};
