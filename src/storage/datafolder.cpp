#include "storage/datafolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

DataPaths::DataPaths(QString baseFolder)
    : baseFolder_(QDir::cleanPath(QDir::fromNativeSeparators(baseFolder))) {}

QString DataPaths::dataFolder() const {
    return baseFolder_ + u"/data"_s;
}

QString DataPaths::iniFolder() const {
    return dataFolder() + u"/ini"_s;
}

QString DataPaths::settingsFile() const {
    return iniFolder() + u"/kirabilog.ini"_s;
}

QString DataPaths::oldSettingsFile() const {
    return baseFolder_ + u"/kirabilog.ini"_s;
}

QString DataPaths::yearFolder(const QString& year) const {
    return dataFolder() + u'/' + year;
}

QString DataPaths::monthFile(const QString& year, const QString& month) const {
    return yearFolder(year) + u'/' + month + u".log"_s;
}

QString DataPaths::summaryFolder() const {
    return dataFolder() + u"/0000"_s;
}

QString DataPaths::yearFile(const QString& year) const {
    return summaryFolder() + u'/' + year + u".log"_s;
}

QString DataPaths::totalFile() const {
    return summaryFolder() + u"/total.log"_s;
}

QString DataPaths::conflictsFolder() const {
    return dataFolder() + u'/' + ConflictsFolderName.toString();
}

QString DataPaths::workFile(const QString& folder) {
    return folder + u"/!"_s;
}
