#pragma once

#include <QObject>

#include "diary/desk.h"
#include "diary/export.h"
#include "diary/rowlist.h"
#include "platform/platform.h"

class BottomPanel;

// The list of the tab on show saved as CSV or HTML, or printed, with the
// figures of the statistics panel when the settings ask for them.
class ListOutput : public QObject {
    Q_OBJECT

  public:
    ListOutput(Platform& platform, const diary::Desk& desk, BottomPanel* panel,
               QWidget* mainWindow);

    void cmdSave_Click();
    void cmdPrint_Click();
    // The rows of the analysis tab's list.
    void setAnalysisRows(const diary::RowList* rows) { analysisRows_ = rows; }

  private:
    // Writes the list to the file; a failure is shown and returned.
    bool Output(const QString& path);
    // The progress of the list of the tab; false on a tab without a list.
    bool prepareOutput();
    exporting::Table outputTable() const;
    // The name the save dialog proposes for the list of the tab.
    QString proposedFileName() const;

    Platform& platform_;
    const diary::Desk& desk_;
    BottomPanel* panel_;
    QWidget* mainWindow_;
    const diary::RowList* analysisRows_ = nullptr;
};
