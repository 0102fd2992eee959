#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/dialogs.h"

namespace scenario {

// A printer that appends every printed line to a file in code page 932, each
// ended by CR LF, so that a scenario can check what was printed. A line that
// cannot be written is recorded in faults.
class FilePrinter : public platform::LinePrinter {
  public:
    FilePrinter(QString path, std::shared_ptr<QStringList> faults);
    void printLine(const QString& line) override;
    void endDocument() override {}

  private:
    QString path_;
    std::shared_ptr<QStringList> faults_;
};

}  // namespace scenario
