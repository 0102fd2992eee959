#include "platform/programlocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "platform/programfiles.h"

using namespace Qt::StringLiterals;

namespace platform {

namespace {

QString clean(const QString& folder) {
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

// Whether a file can be made in the folder, tried rather than read off its
// permissions: Windows keeps who may write in lists that Qt does not read,
// and a folder under Program Files looks writable to it.
bool canWriteInto(const QString& folder) {
    QTemporaryFile probe(folder + u"/.kirabilog-XXXXXX"_s);
    return probe.open();
}

// The data may stay beside the program when its folder "data" can be
// written, or can be made there.
bool canKeepDataBeside(const QString& programFolder) {
    const QFileInfo data(programFolder + u"/data"_s);
    if (data.exists()) {
        return data.isDir() && canWriteInto(data.filePath());
    }
    return QFileInfo(programFolder).isDir() && canWriteInto(programFolder);
}

}  // namespace

ProgramLocation ProgramLocation::portable(const QString& programFolder) {
    const QString folder = clean(programFolder);
    return {folder, folder, folder + u'/' + programfiles::HelpPage};
}

ProgramLocation ProgramLocation::find(const QString& programFolder, const QString& userDataHome) {
    ProgramLocation location = portable(programFolder);
    const QString share = installedShareFolder(location.programFolder);
    // An installed copy keeps its data per user even when its folder could
    // be written (root running /usr/bin/kirabilog must not fill /usr/bin).
    const bool installed = QFileInfo(share).isDir();
    if (installed || !canKeepDataBeside(location.programFolder)) {
        location.dataHome = clean(userDataHome);
    }
    if (installed && !QFileInfo::exists(location.helpPage)) {
        location.helpPage = share + u'/' + programfiles::HelpPage;
    }
    return location;
}

bool ProgramLocation::isPortable() const {
    return dataHome == programFolder;
}

QString userDataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/kirabilog"_s;
}

QString installedShareFolder(const QString& programFolder) {
    return QDir::cleanPath(programFolder + u"/../share/kirabilog"_s);
}

}  // namespace platform
