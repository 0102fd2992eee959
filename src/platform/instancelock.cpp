#include "platform/instancelock.h"

#include <QLockFile>

using namespace Qt::StringLiterals;

namespace platform {

struct SystemInstanceLock::Held {
    QLockFile file;
};

SystemInstanceLock::SystemInstanceLock(const QString& dataHome)
    : name_(QDir::temp().filePath(instanceKey(dataHome) + u".lock"_s)) {}

SystemInstanceLock::~SystemInstanceLock() = default;

bool SystemInstanceLock::tryAcquire() {
    held_.reset(new Held{QLockFile(name_)});
    // No stale time: the lock is stale only when its process is gone, which
    // QLockFile finds out from the process id written into it.
    held_->file.setStaleLockTime(0);
    if (held_->file.tryLock(0)) {
        return true;
    }
    held_.reset();
    return false;
}

}  // namespace platform
