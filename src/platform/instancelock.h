#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// One running copy of the program per program folder.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
    // False when another copy holds the lock.
    virtual bool tryAcquire() = 0;
};

// A lock file in the system's temporary folder, named after the program
// folder. The lock is tied to the running process: a lock left by a copy that
// crashed is found stale and taken over.
class FileInstanceLock : public InstanceLock {
  public:
    explicit FileInstanceLock(const QString& programFolder);
    bool tryAcquire() override;
    const QString& lockPath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
