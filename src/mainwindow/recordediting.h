#pragma once

#include <QObject>
#include <QPointer>

#include "diary/desk.h"
#include "diary/records.h"
#include "entry/editorhost.h"
#include "platform/platform.h"

class BottomPanel;
class ListView;
class ViewRefresh;
class frmDataInput;

// The record editor of the month, search and deadline tabs: opening it on a row or a
// new record, and storing what it asks to store — a new record, a change in
// place, or a move to another month.
class RecordEditing : public QObject, private RecordEditorHost {
    Q_OBJECT

  public:
    RecordEditing(Platform& platform, diary::Desk& desk, QWidget* mainWindow, ListView* lvwMonth,
                  BottomPanel* panel, ViewRefresh& views, QString helpFile);
    ~RecordEditing() override;

    void cmdNewInput_Click();
    // Opens the editor on the selected row of the month, search or
    // deadline list.
    void OpenRecordEditor();
    // After the deadline list was filled anew: the editor shows the stored
    // record at its new row, or closes when the record left the list.
    void followListedRecord(const PrizeEntry& record);

  Q_SIGNALS:
    // A record opened from the deadline list was stored.
    void deadlineRecordStored(const PrizeEntry& record);

  private:
    bool filedByDeadline() const override;
    QString helpFile() const override;
    frmDataInput* loadEditor();
    void editorClosed();
    void editorRecordRequested(int position);
    void storeEditedRecord(const PrizeEntry& record, const records::Description& typed);
    // True when the record was stored.
    bool storeRecord(const PrizeEntry& record, const records::Description& typed);
    // True when the user declines to store a record that reads as one of
    // the shown month's.
    bool isDuplicateDeclined(const records::Description& typed);
    // Moves an edited record, filed by application date, to its new month.
    bool moveRecord(const PrizeEntry& record);
    void disableRowButtons();

    Platform& platform_;
    diary::Desk& desk_;
    QWidget* mainWindow_;
    ListView* lvwMonth_;
    BottomPanel* panel_;
    ViewRefresh& views_;
    QString helpFile_;
    // A window of its own, so that disabling the main window leaves it
    // usable; it is deleted when it closes or with the main window.
    QPointer<frmDataInput> dataInput_;
};
