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

class FixedClock : public Clock {
  public:
    explicit FixedClock(QDate today) : today_(today) {}
    QDate today() const override { return today_; }
    void setToday(QDate today) { today_ = today; }

  private:
    QDate today_;
};

}  // namespace platform
