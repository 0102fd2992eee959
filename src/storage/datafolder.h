#pragma once

#include <QString>

// Where everything lives below the base folder (the program's own folder
// for a portable copy, a per-user folder for an installed one):
//   data/<yyyy>/<MM>.log     month files
//   data/0000/<yyyy>.log     year files, data/0000/total.log
//   data/ini/kirabilog.ini   settings
//   data/conflicts/...       copies sync clients made of those, set aside
// and in each folder the work file "!" that writes go through.
class DataPaths {
  public:
    static constexpr QStringView ConflictsFolderName = u"conflicts";

    explicit DataPaths(QString baseFolder);

    const QString& baseFolder() const { return baseFolder_; }
    QString dataFolder() const;
    QString iniFolder() const;
    QString settingsFile() const;
    // The plain settings file that older versions kept in the base folder.
    QString oldSettingsFile() const;
    QString yearFolder(const QString& year) const;
    QString monthFile(const QString& year, const QString& month) const;
    QString summaryFolder() const;
    QString yearFile(const QString& year) const;
    QString totalFile() const;
    QString conflictsFolder() const;

    static QString workFile(const QString& folder);

  private:
    QString baseFolder_;
};
