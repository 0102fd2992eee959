#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// One running copy of the program per data folder: per program folder for a
// portable copy, per user for an installed one.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
    // False when another copy holds the lock.
    virtual bool tryAcquire() = 0;
};

// A lock file in the system's temporary folder, named after the folder that
// holds the data. The lock is tied to the running process: a lock left by a copy that
// crashed is found stale and taken over.
class FileInstanceLock : public InstanceLock {
  public:
    explicit FileInstanceLock(const QString& dataHome);
    bool tryAcquire() override;
    const QString& lockPath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
