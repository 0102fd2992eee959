#pragma once

#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace platform {

// A printer chosen by the user: the program prints one text line per call.
class LinePrinter {
  public:
    virtual ~LinePrinter() = default;
    virtual void printLine(const QString& line) = 0;
    virtual void endDocument() = 0;
};

// The common dialogs. Each returns nothing when the user cancels. Filters
// have the classic form "description|pattern;pattern|…|".
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title,
                                            const QString& filter) = 0;
    // Proposes proposedName (a bare name goes into a folder of the dialog's
    // choosing) with the filter's choice that matches it preselected, else the
    // first. A name typed without an extension gets that of the choice
    // selected (see filefilter.h); the path returned has it, and the question
    // before an existing file is overwritten is asked about that path.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title,
                                            const QString& filter, const QString& proposedName) = 0;
    virtual std::optional<QString> browseFolder(QWidget* parent, const QString& title) = 0;
    virtual std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) = 0;
};

}  // namespace platform
