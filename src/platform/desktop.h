#pragma once

#include <memory>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "platform/shell.h"

class QPrinter;

namespace platform {

// The real message boxes, common dialogs and shell of the desktop.
class DesktopPrompter : public Prompter {
  public:
    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;
};

class DesktopDialogs : public Dialogs {
  public:
    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override;
    // Proposes a bare name in the folder of the last save of this run, or
    // in the user's documents.
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& proposedName) override;
    std::optional<QString> browseFolder(QWidget* parent, const QString& title) override;
    std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) override;

  private:
    QString saveFolder() const;

    QString lastSaveFolder_;
};

// The system clipboard through Qt.
class DesktopClipboard : public Clipboard {
  public:
    std::optional<QString> text() const override;
};

class DesktopShell : public Shell {
  public:
    int open(const QString& target) override;
    bool startProgram(const QString& path) override;
};

// Prints lines one below the other on a printer (or a PDF file), a new page
// when one is full.
std::unique_ptr<LinePrinter> makePagePrinter(std::unique_ptr<QPrinter> printer);

}  // namespace platform
