// kirabilog-scenario [--keep DIR] FILE.scn
//
// Runs one acceptance scenario against the program in this process. Exit
// status: 0 when every step passed, 1 when a step failed, 2 when the scenario
// cannot be read or run at all.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

#include "platform/japanese.h"
#include "runner.h"

using namespace Qt::StringLiterals;

namespace {

void printLine(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QtMessageHandler defaultHandler = nullptr;

// QTest reports events that a widget ignores, which is how many widgets
// treat a mouse release; that says nothing about the scenario.
void filterTestNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(u"Mouse event \""_s) ||
        message.startsWith(u"Keyboard event not accepted"_s)) {
        return;
    }
    defaultHandler(type, context, message);
}

bool isInside(const QString& path, const QString& folder) {
    const QString cleanFolder = QDir::cleanPath(folder);
    return path == cleanFolder || path.startsWith(cleanFolder + u'/') || cleanFolder == u"/"_s;
}

// --keep empties its folder first: refuse folders whose loss would hurt.
QString unsafeKeepFolder(const QString& keep, const QString& scenarioFile) {
    const QString path = QDir::cleanPath(QDir(keep).absolutePath());
    const QStringList precious = {QDir::rootPath(), QDir::homePath(), QDir::currentPath(),
                                  QFileInfo(scenarioFile).absolutePath()};
    for (const QString& folder : precious) {
        if (isInside(QDir::cleanPath(folder), path)) {
            return u"refusing to empty %1: it holds %2"_s.arg(QDir::toNativeSeparators(path),
                                                              QDir::toNativeSeparators(folder));
        }
    }
    return {};
}

void deleteWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        windows.append(window);
    }
    for (const QPointer<QWidget>& window : windows) {
        if (window && window->parentWidget() == nullptr) {
            delete window.data();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Arguments {
    QString keep;  // empty without --keep
    QString scenarioFile;
};

std::optional<Arguments> readArguments() {
    QStringList arguments = QCoreApplication::arguments().mid(1);
    Arguments result;
    if (arguments.size() == 3 && arguments[0] == u"--keep"_s) {
        result.keep = arguments[1];
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1 || arguments[0].startsWith(u"-"_s)) {
        printLine(u"usage: kirabilog-scenario [--keep DIR] FILE.scn"_s);
        return std::nullopt;
    }
    result.scenarioFile = arguments[0];
    return result;
}

// The steps of the scenario; nothing when it cannot be read or has syntax
// errors, which are printed.
std::optional<QList<scenario::Step>> readScenario(const QString& scenarioFile) {
    QFile file(scenarioFile);
    if (!file.open(QIODevice::ReadOnly)) {
        printLine(u"%1: cannot read: %2"_s.arg(scenarioFile, file.errorString()));
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError()) {
        printLine(scenarioFile + u": the file is not UTF-8"_s);
        return std::nullopt;
    }
    const scenario::Scenario parsed = scenario::parse(text);
    for (const scenario::SyntaxError& error : parsed.errors) {
        printLine(u"%1:%2: %3"_s.arg(scenarioFile).arg(error.line).arg(error.message));
    }
    if (!parsed.errors.isEmpty()) {
        return std::nullopt;
    }
    return parsed.steps;
}

// The folder the program runs in: the temporary one, or the --keep folder
// made empty.
std::optional<QString> programFolder(const Arguments& arguments, const QTemporaryDir& temporary) {
    if (arguments.keep.isEmpty()) {
        if (!temporary.isValid()) {
            printLine(u"cannot create a temporary program folder: "_s + temporary.errorString());
            return std::nullopt;
        }
        return temporary.path();
    }
    if (const QString problem = unsafeKeepFolder(arguments.keep, arguments.scenarioFile);
        !problem.isEmpty()) {
        printLine(problem);
        return std::nullopt;
    }
    const QString folder = QDir::cleanPath(QDir(arguments.keep).absolutePath());
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder)) {
        printLine(u"cannot create "_s + QDir::toNativeSeparators(folder));
        return std::nullopt;
    }
    return folder;
}

int run(QApplication& app, const QString& scenarioFile, const QString& programFolder,
        QList<scenario::Step> steps) {
    scenario::Runner runner(
        {scenarioFile, QDir(programFolder).absolutePath(), QDir::currentPath(), printLine},
        std::move(steps));
    QObject::connect(&runner, &scenario::Runner::finished, &app, &QCoreApplication::exit);
    runner.start();
    const int code = app.exec();
    // The program's windows hold on to the runner's platform.
    deleteWindows();
    return code;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // The program as the user sees it: Qt's own texts and calendars in
    // Japanese whatever this machine's locale.
    platform::useJapanese(app);
    defaultHandler = qInstallMessageHandler(filterTestNoise);

    const std::optional<Arguments> arguments = readArguments();
    if (!arguments) {
        return 2;
    }
    std::optional<QList<scenario::Step>> steps = readScenario(arguments->scenarioFile);
    if (!steps) {
        return 2;
    }
    QTemporaryDir temporary;
    const std::optional<QString> folder = programFolder(*arguments, temporary);
    if (!folder) {
        return 2;
    }
    return run(app, arguments->scenarioFile, *folder, std::move(*steps));
}
