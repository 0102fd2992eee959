#pragma once

#include <QList>
#include <QString>

#include "storage/datafolder.h"
#include "storage/prizeentry.h"

// What the search window asks of the window that opened it, and tells it.
class SearchHost {
  public:
    virtual bool filedByDeadline() const = 0;
    virtual QString helpFile() const = 0;
    virtual const DataPaths& dataPaths() const = 0;
    // The start password in force: a month file must carry it to be searched.
    virtual QString startPassword() const = 0;
    // "常に手前に表示する", and the main window's place in the window order.
    virtual bool keepsWindowsOnTop() const = 0;
    virtual void setMainOnTop(bool onTop) = 0;

    // New conditions: the figures and the results are emptied.
    virtual void newConditions() = 0;
    // A search begins: the main window shows it is busy and returns the
    // number of stored records, 0 when unknown.
    virtual qint64 searchBegins() = 0;
    virtual void searchProgress(qint64 examined) = 0;
    // The results of a whole search, or nothing after an interrupt.
    virtual void searchEnds(const QList<PrizeEntry>* results) = 0;
    // After the closing message: the figures of the results, and the main
    // window usable again.
    virtual void searchFinished() = 0;

  protected:
    ~SearchHost() = default;
};
