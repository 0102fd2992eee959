#pragma once

#include <QDate>

namespace platform {

// "Today" for the whole program.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock : public Clock {
  public:
    QDate today() const override { return QDate::currentDate(); }
};

}  // namespace platform
