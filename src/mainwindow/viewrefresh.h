#pragma once

#include "diary/result.h"

// What the parts of the main window ask of it after they changed the data
// on show: the views are shown anew and the user is told of faults.
class ViewRefresh {
  public:
    virtual void ListViewStatistics() = 0;
    // After the total file changed: the figures shown and the target.
    virtual void summariesChanged() = 0;
    virtual void LoadYearFile() = 0;
    virtual void LoadTotalFile() = 0;
    virtual void showResult(const diary::Result& result) = 0;

  protected:
    ~ViewRefresh() = default;
};
