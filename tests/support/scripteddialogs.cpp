#include "scripteddialogs.h"

#include "platform/filefilter.h"

using namespace Qt::StringLiterals;

namespace platform {

namespace {

QString kindName(ScriptedDialogs::Kind kind) {
    switch (kind) {
        case ScriptedDialogs::Kind::File:
            return u"file"_s;
        case ScriptedDialogs::Kind::Folder:
            return u"folder"_s;
        case ScriptedDialogs::Kind::Printer:
            return u"printer"_s;
    }
    return {};
}

}  // namespace

void ScriptedDialogs::answerFile(std::optional<QString> path) {
    queue_.append({Kind::File, std::move(path), nullptr});
}

void ScriptedDialogs::answerFolder(std::optional<QString> path) {
    queue_.append({Kind::Folder, std::move(path), nullptr});
}

void ScriptedDialogs::answerPrinter(std::unique_ptr<LinePrinter> printer) {
    queue_.append({Kind::Printer, std::nullopt, std::shared_ptr<LinePrinter>(std::move(printer))});
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(const Asked& asked) {
    asked_.append(asked);
    const Kind kind = asked.kind;
    const QString& title = asked.title;
    if (queue_.isEmpty()) {
        faults_.append(u"unexpected %1 dialog \"%2\""_s.arg(kindName(kind), title));
        return std::nullopt;
    }
    if (queue_.first().kind != kind) {
        faults_.append(u"a %1 dialog \"%2\" came where a %3 answer was queued"_s.arg(
            kindName(kind), title, kindName(queue_.first().kind)));
        queue_.removeFirst();
        return std::nullopt;
    }
    return queue_.takeFirst();
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& title,
                                                 const QString& filter) {
    const std::optional<Answer> answer = take({Kind::File, title, filter, {}});
    return answer ? answer->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& title,
                                                 const QString& filter,
                                                 const QString& proposedName) {
    const std::optional<Answer> answer = take({Kind::File, title, filter, proposedName});
    if (!answer || !answer->path) {
        return std::nullopt;
    }
    const QList<FileFilter> filters = parseFileFilter(filter);
    const qsizetype preselected = filterIndexForName(filters, proposedName);
    return withDefaultSuffix(*answer->path, preselected < filters.size()
                                                ? defaultSuffix(filters[preselected])
                                                : QString());
}

std::optional<QString> ScriptedDialogs::browseFolder(QWidget*, const QString& title) {
    const std::optional<Answer> answer = take({Kind::Folder, title, {}, {}});
    return answer ? answer->path : std::nullopt;
}

std::unique_ptr<LinePrinter> ScriptedDialogs::choosePrinter(QWidget*) {
    // The printer of a queued answer is handed over once.
    class SharedPrinter : public LinePrinter {
      public:
        explicit SharedPrinter(std::shared_ptr<LinePrinter> p) : printer_(std::move(p)) {}
        void printLine(const QString& line) override { printer_->printLine(line); }
        void endDocument() override { printer_->endDocument(); }

      private:
        std::shared_ptr<LinePrinter> printer_;
    };
    const std::optional<Answer> answer = take({Kind::Printer, u"printer"_s, {}, {}});
    if (!answer || !answer->printer) {
        return nullptr;
    }
    return std::make_unique<SharedPrinter>(answer->printer);
}

void ScriptedDialogs::clear() {
    queue_.clear();
    asked_.clear();
    faults_.clear();
}

int ScriptedShell::open(const QString& target) {
    opened_.append(target);
    return results_.isEmpty() ? Success : results_.takeFirst();
}

bool ScriptedShell::startProgram(const QString& path) {
    opened_.append(path);
    return results_.isEmpty() || results_.takeFirst() > 32;
}

void ScriptedShell::clear() {
    results_.clear();
    opened_.clear();
}

}  // namespace platform
