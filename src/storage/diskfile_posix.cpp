#include <fcntl.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "storage/diskfile.h"
#include "storage/diskfile_system.h"

namespace diskfile {

namespace system {

bool syncToDisk(QFile& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

bool replace(const QString& source, const QString& target, QString* reason) {
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) !=
        0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    syncFolder(QFileInfo(target).absolutePath());  // the rename itself made durable
    return true;
}

}  // namespace system

void syncFolder(const QString& folder) {
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

}  // namespace diskfile
