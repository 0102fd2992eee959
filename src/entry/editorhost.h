#pragma once

#include <QString>

// What the record editor asks of the window that opened it.
class RecordEditorHost {
  public:
    // Whether records are filed under their deadline rather than their
    // application date.
    virtual bool filedByDeadline() const = 0;
    virtual QString helpFile() const = 0;

  protected:
    ~RecordEditorHost() = default;
};
