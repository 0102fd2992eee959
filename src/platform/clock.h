#pragma once

#include <QDate>
#include <QDateTime>

namespace platform {

// "Today" and the moment for the whole program.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
  public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace platform
