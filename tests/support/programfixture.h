#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include "mainwindow/frmmain.h"
#include "scripteddesktop.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
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
    platform::ScriptedClipboard clipboard;
    Platform platform{prompter, dialogs, shell, clock, shortcut, instanceLock, clipboard};

    // Starts the program; a first start answers the shortcut question No.
    frmMain* start() {
        if (!QFile::exists(folder.paths().settingsFile())) {
            prompter.expect(platform::MessageAnswer::No, QStringLiteral("きらび帳初回起動"),
                            QStringLiteral("デスクトップ上にショートカットを作成しますか？"));
        }
        return StartProgram(platform, folder.path());
    }
};

// A control of a window, found by its name as a user finds it on screen.
template <typename T = QWidget>
T* control(const QWidget* window, const QString& name) {
    return window == nullptr ? nullptr : window->findChild<T*>(name);
}

// A top-level window of the program that is open, by its name.
inline QWidget* openWindow(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// Clicks a row (from 0) of a list as the user does.
inline void clickRow(QAbstractItemView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}
