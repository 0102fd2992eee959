#pragma once

#include <QCryptographicHash>
#include <QDir>
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

// The lock of the system, held by the running process and given up with it,
// however it ends: a lock file in the temporary folder, or on Windows a
// mutex of the user's session.
class SystemInstanceLock : public InstanceLock {
  public:
    explicit SystemInstanceLock(const QString& dataHome);
    ~SystemInstanceLock() override;
    bool tryAcquire() override;
    // The lock file's path, or the mutex's name.
    const QString& name() const { return name_; }

  private:
    struct Held;
    QString name_;
    std::unique_ptr<Held> held_;
};

// What a lock is named after: the data folder, the same however its path is
// written.
inline QString instanceKey(const QString& dataHome) {
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(dataHome));
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("kirabilog-") + QString::fromLatin1(hash.toHex().left(16));
}

}  // namespace platform
