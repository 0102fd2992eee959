#pragma once

#include <QList>
#include <QObject>

namespace diary {

// Tells the views over a list of rows what changes, in the order that item
// views need: each "about to" signal before the rows change, the other one
// after.
class RowChanges : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  Q_SIGNALS:
    void aboutToReset();
    void reset();
    void aboutToInsert(int first, int last);
    void inserted();
    void aboutToRemove(int first, int last);
    void removed();
    void changed(int first, int last);
    void aboutToReorder();
    // newRows[old] is where the row that stood at old now stands.
    void reordered(const QList<int>& newRows);
};

}  // namespace diary
