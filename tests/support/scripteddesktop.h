#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/instancelock.h"
#include "platform/shortcut.h"

namespace platform {

// "Today" as a test or scenario sets it; the moment is always its midnight,
// so that names made from the time are known beforehand.
class FixedClock : public Clock {
  public:
    explicit FixedClock(QDate today) : today_(today) {}
    QDate today() const override { return today_; }
    QDateTime now() const override { return QDateTime(today_, QTime(0, 0)); }
    void setToday(QDate today) { today_ = today; }

  private:
    QDate today_;
};

// A clipboard a test or scenario fills.
class ScriptedClipboard : public Clipboard {
  public:
    void setText(std::optional<QString> text) { text_ = std::move(text); }
    std::optional<QString> text() const override { return text_; }

  private:
    std::optional<QString> text_;
};

// Another copy of the program holds the lock when heldElsewhere says so.
class ScriptedInstanceLock : public InstanceLock {
  public:
    bool tryAcquire() override { return !heldElsewhere; }
    bool heldElsewhere = false;
};

// Records the shortcuts the program asks for instead of making them.
class ScriptedDesktopShortcut : public DesktopShortcut {
  public:
    bool create(const QString& programPath) override {
        created.append(programPath);
        return true;
    }
    QStringList created;
};

}  // namespace platform
