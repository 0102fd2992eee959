#pragma once

#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace platform {

// Answers the common dialogs from a queue. A dialog with no queued answer, or
// with an answer for another kind of dialog, is recorded as a fault and
// cancelled. A save dialog's answer is what the user types: a name without an
// extension gets that of the choice the program preselected, as in the real
// dialog.
class ScriptedDialogs : public Dialogs {
  public:
    enum class Kind { File, Folder, Printer };

    // nullopt cancels the dialog.
    void answerFile(std::optional<QString> path);
    void answerFolder(std::optional<QString> path);
    // nullptr cancels the printer dialog.
    void answerPrinter(std::unique_ptr<LinePrinter> printer);

    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& proposedName) override;
    std::optional<QString> browseFolder(QWidget* parent, const QString& title) override;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override;

    struct Asked {
        Kind kind;
        QString title;
        QString filter;
        QString proposedName;  // of a save dialog
    };
    const QList<Asked>& asked() const { return asked_; }
    const QStringList& faults() const { return faults_; }
    qsizetype pending() const { return queue_.size(); }
    void clear();

  private:
    struct Answer {
        Kind kind;
        std::optional<QString> path;
        std::shared_ptr<LinePrinter> printer;
    };
    // The queued answer for a dialog of this kind, or nothing (a fault).
    std::optional<Answer> take(const Asked& asked);

    QList<Answer> queue_;
    QList<Asked> asked_;
    QStringList faults_;
};

// Records what would be opened instead of opening it.
class ScriptedShell : public Shell {
  public:
    // The result of the next open(); without one, opens succeed.
    void queueResult(int result) { results_.append(result); }
    qsizetype pending() const { return results_.size(); }

    int open(const QString& target) override;
    bool startProgram(const QString& path) override;

    const QStringList& opened() const { return opened_; }
    void clear();

  private:
    QList<int> results_;
    QStringList opened_;
};

}  // namespace platform
