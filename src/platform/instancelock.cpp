#include "platform/instancelock.h"

#include <QCryptographicHash>
#include <QDir>

using namespace Qt::StringLiterals;

namespace platform {

FileInstanceLock::FileInstanceLock(const QString& dataHome) {
    const QByteArray key =
        QCryptographicHash::hash(QDir::cleanPath(dataHome).toUtf8(), QCryptographicHash::Sha1);
    path_ = QDir::temp().filePath(u"kirabilog-"_s + QString::fromLatin1(key.toHex().left(16)) +
                                  u".lock"_s);
}

bool FileInstanceLock::tryAcquire() {
    lock_ = std::make_unique<QLockFile>(path_);
    // No stale time: the lock is stale only when its process is gone, which
    // QLockFile finds out from the process id written into it.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return true;
    }
    lock_.reset();
    return false;
}

}  // namespace platform
