// What the steps set up before the program acts: the clock, files, the
// clipboard, the answers to its message boxes and dialogs, and its start.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "fileprinter.h"
#include "runner.h"
#include "storage/binarycipher.h"
#include "storage/cp932.h"

using namespace Qt::StringLiterals;

namespace scenario {

Runner::Outcome Runner::setToday(const Step& step) {
    clock_.setToday(step.date);
    return passed();
}

Runner::Outcome Runner::writeFile(const Step& step) {
    const QString path = resolve(step.text);
    cp932::Encoded encoded;
    if (step.bytes) {
        const std::optional<QByteArray> bytes = hexBytes(step.lines);
        if (!bytes) {
            return failed(
                {u"lines of hexadecimal byte pairs"_s, quoted(step.lines.join(u' ')), {}});
        }
        encoded.bytes = *bytes;
    } else {
        QString text;
        for (const QString& line : step.lines) {
            text += expand(line) + u"\r\n"_s;
        }
        encoded = cp932::encode(text);
        if (!encoded.ok()) {
            return failed({u"text that code page 932 can hold"_s, encoded.error, {}});
        }
    }
    if (step.flag) {
        mdlBinaryCipher::CipherBuffer(encoded.bytes);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(encoded.bytes) != encoded.bytes.size()) {
        return failed({u"the file written"_s, file.errorString(), {path}});
    }
    return passed();
}

Runner::Outcome Runner::fillClipboard(const Step& step) {
    QStringList lines;
    for (const QString& line : step.lines) {
        lines.append(expand(line));
    }
    clipboard_.setText(lines.join(u"\r\n"_s));
    return passed();
}

Runner::Outcome Runner::queueMessage(const Step& step) {
    prompter_.expect(step.answer, expand(step.text), expand(step.message));
    queuedMessages_.append(index_);
    return passed();
}

Runner::Outcome Runner::queuePath(const Step& step) {
    std::optional<QString> path;
    if (!step.cancel) {
        path = QDir::toNativeSeparators(resolve(step.text));
    }
    if (step.kind == StepKind::File) {
        dialogs_.answerFile(path);
    } else {
        dialogs_.answerFolder(path);
    }
    queuedDialogs_.append(index_);
    return passed();
}

Runner::Outcome Runner::queuePrinter(const Step& step) {
    dialogs_.answerPrinter(
        step.cancel ? nullptr : std::make_unique<FilePrinter>(resolve(step.text), printerFaults_));
    queuedDialogs_.append(index_);
    return passed();
}

Runner::Outcome Runner::queueShellResult(const Step& step) {
    shell_.queueResult(step.numbers.first());
    queuedShellResults_.append(index_);
    return passed();
}

Runner::Outcome Runner::takeShot(const Step& step) {
    saveShots(step.text);
    return passed();
}

Runner::Outcome Runner::startProgram(const Step& step) {
    if (step.kind == StepKind::Restart && (!started_ || lock_.held())) {
        return failed({u"the program to have ended"_s,
                       started_ ? u"it is still running"_s : u"it was never started"_s,
                       {}});
    }
    return act([this] {
        started_ = true;
        const bool lockWasFree = !lock_.held();
        frmMain* window = StartProgram(platform_, options_.programFolder);
        if (window == nullptr) {
            if (lockWasFree) {
                lock_.release();  // this copy ended during its load sequence
            }
            return;
        }
        program_ = window;
        connect(window, &frmMain::ended, this, [this] { lock_.release(); });
        if (window->programEnded()) {
            lock_.release();
        }
    });
}

}  // namespace scenario
