#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "mainwindow/frmmain.h"
#include "scenario.h"
#include "scripteddesktop.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"

class QAbstractItemView;

namespace scenario {

// Stands in for the lock file of a real copy of the program: taken by a
// start, given back when that copy ends.
class RunningCopyLock : public platform::InstanceLock {
  public:
    bool tryAcquire() override {
        if (held_) {
            return false;
        }
        held_ = true;
        return true;
    }
    bool held() const { return held_; }
    void release() { held_ = false; }

  private:
    bool held_ = false;
};

// Runs the steps of one scenario against the program in this process.
//
// Every step runs from a timer of the event loop, never from the call stack of
// the step before it. An action that makes the program open a modal window
// (QDialog::exec) does not return until that window closes; the steps after
// it then run inside the window's own event loop, and the action counts as
// done once the program waits there for the user. A step is settled only when
// every action still on the stack waits in a modal window it opened; until
// then the program is still working and the next step waits.
class Runner : public QObject {
    Q_OBJECT

  public:
    struct Options {
        QString scenarioFile;   // as the user named it, for FILE:LINE
        QString programFolder;  // absolute
        QString outputFolder;   // screenshots go here
        std::function<void(const QString&)> print;
    };

    Runner(Options options, QList<Step> steps, QObject* parent = nullptr);
    ~Runner() override;

    // Schedules the first step; finished() tells the end.
    void start();
    bool isFinished() const { return finished_; }
    int exitCode() const { return exitCode_; }

    platform::ScriptedPrompter& prompter() { return prompter_; }
    platform::ScriptedDialogs& dialogs() { return dialogs_; }
    platform::ScriptedShell& shell() { return shell_; }
    platform::ScriptedClipboard& clipboard() { return clipboard_; }

    static constexpr int WaitMilliseconds = 2000;
    static constexpr int BusyMilliseconds = 10000;
    static constexpr int PollMilliseconds = 20;

  Q_SIGNALS:
    // Every step ran (0) or one failed (1); no modal window of the program
    // is left open.
    void finished(int exitCode);

  private:
    using Failure = Mismatch;
    // What an action must have brought about before its step is done; nothing
    // once it has. It is looked at again, like an expect, for a while.
    using Effect = std::function<std::optional<Failure>()>;
    struct Outcome {
        enum Kind { Passed, Retry, Failed, Act };
        Kind kind = Passed;
        Failure failure;
        std::function<void()> action;
        Effect effect;
    };
    static Outcome passed() { return {}; }
    static Outcome retry(Failure failure) { return {Outcome::Retry, std::move(failure), {}, {}}; }
    static Outcome failed(Failure failure) { return {Outcome::Failed, std::move(failure), {}, {}}; }
    static Outcome act(std::function<void()> action, Effect effect = {}) {
        return {Outcome::Act, {}, std::move(action), std::move(effect)};
    }

    // An action on the call stack.
    struct Frame {
        qsizetype step = 0;
        QList<QPointer<QWidget>> blockersBefore;
        QElapsedTimer clock;
        Effect effect;
        QElapsedTimer effectClock;  // from the first look at the effect
    };

    // Engine
    void runStep();
    void poll();
    void perform(qsizetype step, const Outcome& outcome);
    void settle(const std::shared_ptr<Frame>& frame);
    bool waitsForUser(const Frame& frame) const;
    void advance();
    void fail(const Step& step, const Failure& failure);
    void failAt(int line, const QString& source, const Failure& failure);
    void finish(int code);
    void tearDown();
    std::optional<Failure> platformFaults();
    struct Unused {
        qsizetype step = 0;  // the first step whose answer was not used
        Failure failure;
    };
    std::optional<Unused> leftOverAnswers() const;

    // Steps. attempt() picks a step's handler from a table by its kind, as
    // action() does for actions and expect() and its helpers for checks.
    Outcome attempt(const Step& step);

    // Set-up (runner_setup.cpp)
    Outcome setToday(const Step& step);
    Outcome writeFile(const Step& step);
    Outcome fillClipboard(const Step& step);
    Outcome queueMessage(const Step& step);
    Outcome queuePath(const Step& step);  // a file or folder dialog's answer
    Outcome queuePrinter(const Step& step);
    Outcome queueShellResult(const Step& step);
    Outcome takeShot(const Step& step);
    Outcome startProgram(const Step& step);

    // Actions on a shown, enabled control (runner_actions.cpp)
    Outcome action(const Step& step);
    Outcome actionTarget(const Step& step, QWidget** widget);
    Outcome clickControl(const Step& step, QWidget* widget);
    Outcome setCheck(const Step& step, QWidget* widget);
    Outcome typeInto(const Step& step, QWidget* widget);
    Outcome pasteInto(const Step& step, QWidget* widget);
    Outcome pressKeyIn(const Step& step, QWidget* widget);
    Outcome chooseIn(const Step& step, QWidget* widget);
    Outcome setDateIn(const Step& step, QWidget* widget);
    Outcome selectTab(const Step& step, QWidget* widget);
    Outcome selectRows(const Step& step, QWidget* widget);
    Outcome doubleClick(const Step& step, QWidget* widget);
    Outcome clickColumnHeader(const Step& step, QWidget* widget);
    Outcome closeWindow(const Step& step, QWidget* widget);
    Outcome resizeWindow(const Step& step, QWidget* widget);

    // Checks of the program and its controls (runner_checks.cpp)
    Outcome expect(const Step& step);
    Outcome expectEnded(const Step& step);
    Outcome expectWindow(const Step& step);
    Outcome expectShell(const Step& step);
    Outcome expectControl(const Step& step, QWidget* widget);
    Outcome expectText(const Step& step, QWidget* widget);
    Outcome expectEnabled(const Step& step, QWidget* widget);
    Outcome expectVisible(const Step& step, QWidget* widget);
    Outcome expectChecked(const Step& step, QWidget* widget);
    Outcome expectDate(const Step& step, QWidget* widget);
    Outcome expectValue(const Step& step, QWidget* widget);
    Outcome expectTab(const Step& step, QWidget* widget);
    Outcome expectBox(const Step& step, QWidget* widget);

    // Checks of a list (runner_lists.cpp)
    Outcome expectInList(const Step& step, QAbstractItemView* view);
    Outcome expectRows(const Step& step, QAbstractItemView* view);
    Outcome expectRow(const Step& step, QAbstractItemView* view);
    Outcome expectCell(const Step& step, QAbstractItemView* view);
    Outcome expectHeader(const Step& step, QAbstractItemView* view);
    Outcome expectWidth(const Step& step, QAbstractItemView* view);

    // Checks of files (runner_files.cpp)
    Outcome expectFileExists(const Step& step);
    Outcome expectFile(const Step& step);
    Outcome expectBytes(const Step& step);
    Outcome expectSealed(const Step& step);
    Outcome expectSeries(const Step& step, QWidget* widget);
    Outcome compareText(const Step& step, const QString& text);
    // The file a check looks at, or why it cannot.
    std::optional<Outcome> readFile(const Step& step, QByteArray* bytes) const;

    QString expand(const QString& text) const;
    QString resolve(const QString& path) const;
    QStringList saveShots(const QString& prefix) const;
    QStringList lastMessages() const;

    Options options_;
    QList<Step> steps_;
    qsizetype index_ = 0;
    QElapsedTimer stepClock_;
    QList<std::shared_ptr<Frame>> frames_;
    bool finished_ = false;
    int exitCode_ = 0;
    QTimer tearDownTimer_;
    QElapsedTimer tearDownClock_;

    platform::ScriptedPrompter prompter_;
    platform::ScriptedDialogs dialogs_;
    platform::ScriptedShell shell_;
    platform::FixedClock clock_;
    platform::ScriptedDesktopShortcut shortcut_;
    RunningCopyLock lock_;
    platform::ScriptedClipboard clipboard_;
    Platform platform_;
    QPointer<frmMain> program_;
    bool started_ = false;
    std::shared_ptr<QStringList> printerFaults_;
    qsizetype messageFaultsSeen_ = 0;
    qsizetype dialogFaultsSeen_ = 0;
    qsizetype printerFaultsSeen_ = 0;
    // The steps that queued answers, in order, to name the unused ones.
    QList<qsizetype> queuedMessages_;
    QList<qsizetype> queuedDialogs_;
    QList<qsizetype> queuedShellResults_;
};

}  // namespace scenario
