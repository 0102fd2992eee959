#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/instancelock.h"
#include "platform/scripteddialogs.h"
#include "platform/scriptedprompter.h"
#include "platform/shortcut.h"
#include "scenario.h"

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

    static constexpr int WaitMilliseconds = 2000;
    static constexpr int BusyMilliseconds = 10000;
    static constexpr int PollMilliseconds = 20;

  Q_SIGNALS:
    // Every step ran (0) or one failed (1); no modal window of the program
    // is left open.
    void finished(int exitCode);

  private:
    using Failure = Mismatch;
    struct Outcome {
        enum Kind { Passed, Retry, Failed, Act };
        Kind kind = Passed;
        Failure failure;
        std::function<void()> action;
    };
    static Outcome passed() { return {}; }
    static Outcome retry(Failure failure) { return {Outcome::Retry, std::move(failure), {}}; }
    static Outcome failed(Failure failure) { return {Outcome::Failed, std::move(failure), {}}; }
    static Outcome act(std::function<void()> action) {
        return {Outcome::Act, {}, std::move(action)};
    }

    // An action on the call stack.
    struct Frame {
        qsizetype step = 0;
        QList<QPointer<QWidget>> blockersBefore;
        QElapsedTimer clock;
    };

    // Engine
    void runStep();
    void poll();
    void perform(qsizetype step, const std::function<void()>& action);
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

    // Steps
    Outcome attempt(const Step& step);
    Outcome setUp(const Step& step);
    Outcome startProgram(const Step& step);
    Outcome action(const Step& step);
    Outcome expect(const Step& step);
    Outcome expectControl(const Step& step, QWidget* widget);
    Outcome expectFile(const Step& step);
    Outcome actionTarget(const Step& step, QWidget** widget);

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
