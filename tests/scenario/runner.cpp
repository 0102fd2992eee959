#include "runner.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QRegularExpression>

#include "widgets.h"

using namespace Qt::StringLiterals;

namespace scenario {

namespace {

// A fault recorded by the scripted platform, on one line.
QString oneLine(QString text) {
    return text.replace(u"\r\n"_s, u"\\n"_s).replace(u'\r', u"\\r"_s).replace(u'\n', u"<LF>"_s);
}

// Work the program runs on its own threads (a search) shows the busy cursor
// until it has ended and told the user, while the event loop stays free.
bool worksBesideTheEventLoop() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor && blockingWindows().isEmpty();
}

}  // namespace

Runner::Runner(Options options, QList<Step> steps, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      steps_(std::move(steps)),
      clock_(QDate::currentDate()),
      platform_{prompter_, dialogs_, shell_, clock_, shortcut_, lock_, clipboard_},
      printerFaults_(std::make_shared<QStringList>()) {
    tearDownTimer_.setInterval(10);
    connect(&tearDownTimer_, &QTimer::timeout, this, &Runner::tearDown);
}

Runner::~Runner() {
    delete program_.data();
}

void Runner::start() {
    QTimer::singleShot(0, this, &Runner::runStep);
}

void Runner::runStep() {
    if (finished_) {
        return;
    }
    if (index_ < steps_.size()) {
        stepClock_.start();
        poll();
        return;
    }
    if (const std::optional<Failure> faults = platformFaults()) {
        fail(steps_.last(), *faults);
        return;
    }
    if (std::optional<Unused> unused = leftOverAnswers()) {
        unused->failure.expected = u"an action step after the answer to use it"_s;
        unused->failure.found = u"the scenario ends; unused answers:"_s;
        fail(steps_[unused->step], unused->failure);
        return;
    }
    options_.print(u"%1: passed, %2 steps"_s.arg(options_.scenarioFile).arg(steps_.size()));
    finish(0);
}

void Runner::poll() {
    if (finished_) {
        return;
    }
    const Step& step = steps_[index_];
    const Outcome outcome = attempt(step);
    switch (outcome.kind) {
        case Outcome::Retry:
            if (stepClock_.elapsed() < WaitMilliseconds) {
                QTimer::singleShot(PollMilliseconds, this, &Runner::poll);
            } else {
                fail(step, outcome.failure);
            }
            return;
        case Outcome::Failed:
            fail(step, outcome.failure);
            return;
        case Outcome::Passed:
            if (const std::optional<Failure> faults = platformFaults()) {
                fail(step, *faults);
            } else {
                advance();
            }
            return;
        case Outcome::Act:
            perform(index_, outcome);
            return;
    }
}

// Set-up steps, program starts and checks have a handler each; every other
// action acts on a control.
Runner::Outcome Runner::attempt(const Step& step) {
    using Handler = Outcome (Runner::*)(const Step&);
    static constexpr struct {
        StepKind kind;
        Handler handler;
    } handlers[] = {
        {StepKind::Today, &Runner::setToday},
        {StepKind::Write, &Runner::writeFile},
        {StepKind::Clipboard, &Runner::fillClipboard},
        {StepKind::Message, &Runner::queueMessage},
        {StepKind::File, &Runner::queuePath},
        {StepKind::Folder, &Runner::queuePath},
        {StepKind::Printer, &Runner::queuePrinter},
        {StepKind::ShellResult, &Runner::queueShellResult},
        {StepKind::Shot, &Runner::takeShot},
        {StepKind::Start, &Runner::startProgram},
        {StepKind::Restart, &Runner::startProgram},
        {StepKind::Expect, &Runner::expect},
    };
    for (const auto& entry : handlers) {
        if (entry.kind == step.kind) {
            return (this->*entry.handler)(step);
        }
    }
    if (step.isAction()) {
        return action(step);
    }
    return failed({u"a set-up step"_s, u"a step the runner cannot run"_s, {}});
}

void Runner::perform(qsizetype step, const Outcome& outcome) {
    auto frame = std::make_shared<Frame>();
    frame->step = step;
    frame->effect = outcome.effect;
    for (QWidget* window : blockingWindows()) {
        frame->blockersBefore.append(window);
    }
    frame->clock.start();
    frames_.append(frame);
    // Posted before acting: if the action opens a modal window, this fires
    // inside the window's event loop.
    QTimer::singleShot(0, this, [this, frame] { settle(frame); });
    outcome.action();
    frames_.removeOne(frame);
}

bool Runner::waitsForUser(const Frame& frame) const {
    for (QWidget* window : blockingWindows()) {
        const bool before =
            std::any_of(frame.blockersBefore.begin(), frame.blockersBefore.end(),
                        [window](const QPointer<QWidget>& old) { return old.data() == window; });
        if (!before) {
            return true;
        }
    }
    return false;
}

void Runner::settle(const std::shared_ptr<Frame>& frame) {
    if (finished_) {
        return;
    }
    const Step& step = steps_[frame->step];
    const bool working =
        worksBesideTheEventLoop() ||
        std::any_of(frames_.begin(), frames_.end(), [this](const std::shared_ptr<Frame>& running) {
            return !waitsForUser(*running);
        });
    if (working) {
        if (frame->clock.elapsed() > BusyMilliseconds) {
            fail(step, {u"the program to finish the step or to wait for the user"_s,
                        u"it is still busy after %1 s"_s.arg(BusyMilliseconds / 1000),
                        {}});
            return;
        }
        QTimer::singleShot(PollMilliseconds, this, [this, frame] { settle(frame); });
        return;
    }
    if (const std::optional<Failure> faults = platformFaults()) {
        fail(step, *faults);
        return;
    }
    if (const std::optional<Unused> unused = leftOverAnswers()) {
        fail(step, unused->failure);
        return;
    }
    if (frame->effect) {
        if (!frame->effectClock.isValid()) {
            frame->effectClock.start();
        }
        if (const std::optional<Failure> missing = frame->effect()) {
            if (frame->effectClock.elapsed() < WaitMilliseconds) {
                QTimer::singleShot(PollMilliseconds, this, [this, frame] { settle(frame); });
            } else {
                fail(step, *missing);
            }
            return;
        }
    }
    advance();
}

void Runner::advance() {
    ++index_;
    QTimer::singleShot(0, this, &Runner::runStep);
}

std::optional<Runner::Failure> Runner::platformFaults() {
    QStringList unanswered;
    for (; messageFaultsSeen_ < prompter_.faults().size(); ++messageFaultsSeen_) {
        unanswered.append(oneLine(prompter_.faults()[messageFaultsSeen_]));
    }
    for (; dialogFaultsSeen_ < dialogs_.faults().size(); ++dialogFaultsSeen_) {
        unanswered.append(oneLine(dialogs_.faults()[dialogFaultsSeen_]));
    }
    if (!unanswered.isEmpty()) {
        return Failure{u"a queued answer for every message box and dialog"_s, unanswered.first(),
                       unanswered.mid(1)};
    }
    QStringList printing;
    for (; printerFaultsSeen_ < printerFaults_->size(); ++printerFaultsSeen_) {
        printing.append(oneLine(printerFaults_->at(printerFaultsSeen_)));
    }
    if (!printing.isEmpty()) {
        return Failure{u"every printed line written to the printer's file"_s, printing.first(),
                       printing.mid(1)};
    }
    return std::nullopt;
}

std::optional<Runner::Unused> Runner::leftOverAnswers() const {
    QList<qsizetype> unused;
    const auto collect = [&unused](const QList<qsizetype>& queued, qsizetype pending) {
        unused += queued.mid(queued.size() - pending);
    };
    collect(queuedMessages_, prompter_.pending());
    collect(queuedDialogs_, dialogs_.pending());
    collect(queuedShellResults_, shell_.pending());
    if (unused.isEmpty()) {
        return std::nullopt;
    }
    std::sort(unused.begin(), unused.end());
    Unused result;
    result.step = unused.first();
    result.failure.expected = u"every queued answer used by this step"_s;
    result.failure.found = u"unused answers:"_s;
    for (qsizetype step : unused) {
        result.failure.context.append(
            u"line %1: %2"_s.arg(steps_[step].line).arg(steps_[step].source));
    }
    return result;
}

void Runner::fail(const Step& step, const Failure& failure) {
    if (finished_) {
        return;
    }
    options_.print(u"%1:%2: %3"_s.arg(options_.scenarioFile).arg(step.line).arg(step.source));
    if (!failure.expected.isEmpty()) {
        options_.print(u"  expected: "_s + failure.expected);
    }
    if (!failure.found.isEmpty()) {
        options_.print(u"  found:    "_s + failure.found);
    }
    for (const QString& line : failure.context) {
        options_.print(u"  "_s + line);
    }
    const QStringList messages = lastMessages();
    if (!messages.isEmpty()) {
        options_.print(u"  last messages:"_s);
        for (const QString& message : messages) {
            options_.print(u"    "_s + message);
        }
    }
    const QStringList shots = saveShots(QFileInfo(options_.scenarioFile).completeBaseName());
    if (!shots.isEmpty()) {
        options_.print(u"  windows saved: "_s + shots.join(u", "_s));
    }
    finish(1);
}

void Runner::finish(int code) {
    finished_ = true;
    exitCode_ = code;
    tearDownClock_.start();
    tearDownTimer_.start();
}

// Closes what the program left waiting for the user so that every action on
// the stack can return before the end is announced.
void Runner::tearDown() {
    const QList<QWidget*> blocking = blockingWindows();
    if (frames_.isEmpty() && blocking.isEmpty()) {
        tearDownTimer_.stop();
        Q_EMIT finished(exitCode_);
        return;
    }
    if (tearDownClock_.elapsed() > BusyMilliseconds) {
        options_.print(u"the program does not return from its last action; leaving it"_s);
        tearDownTimer_.stop();
        Q_EMIT finished(exitCode_);
        return;
    }
    for (QWidget* window : blocking) {
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        } else {
            window->close();
        }
    }
}

QStringList Runner::lastMessages() const {
    constexpr qsizetype Count = 5;
    const QList<platform::ScriptedPrompter::Shown>& shown = prompter_.shown();
    QStringList lines;
    for (qsizetype i = std::max<qsizetype>(0, shown.size() - Count); i < shown.size(); ++i) {
        lines.append(quoted(shown[i].title) + u' ' + quoted(shown[i].text));
    }
    return lines;
}

QStringList Runner::saveShots(const QString& prefix) const {
    static const QRegularExpression unsafe(u"[^A-Za-z0-9_.-]"_s);
    QStringList saved;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        const QString base = QString(prefix + u'-' + windowName(window)).replace(unsafe, u"_"_s);
        QString name = base + u".png"_s;
        for (int n = 2; saved.contains(name); ++n) {
            name = u"%1-%2.png"_s.arg(base).arg(n);
        }
        if (window->grab().save(QDir(options_.outputFolder).filePath(name), "PNG")) {
            saved.append(name);
        }
    }
    return saved;
}

QString Runner::expand(const QString& text) const {
    const QString folder = QDir::toNativeSeparators(options_.programFolder);
    const QString name = u"$PROGRAM"_s;
    if (QDir::separator() == u'/') {
        return QString(text).replace(name, folder);
    }
    // A path below the program folder is written with "/" in a scenario, and
    // the program shows it with the system's separator: the path that
    // follows $PROGRAM, up to a space, quote or bracket, takes it too.
    const auto endsPath = [](QChar c) {
        return c.isSpace() || QStringView(u"\"'」』）),").contains(c);
    };
    QString expanded;
    qsizetype at = 0;
    for (qsizetype found; (found = text.indexOf(name, at)) >= 0;) {
        expanded += text.sliced(at, found - at);
        expanded += folder;
        at = found + name.size();
        for (; at < text.size() && !endsPath(text[at]); ++at) {
            expanded += text[at] == u'/' ? QDir::separator() : text[at];
        }
    }
    return expanded + text.sliced(at);
}

QString Runner::resolve(const QString& path) const {
    return QDir::cleanPath(
        QDir(options_.programFolder).absoluteFilePath(QDir::fromNativeSeparators(expand(path))));
}

}  // namespace scenario
