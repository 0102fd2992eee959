#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

#include "storage/currency.h"
#include "storage/diskfile.h"

// The settings file data/ini/kirabilog.ini: an enciphered profile file of 33
// lines, section [Setting] with 28 keys and section [Position] with the main
// window's top and left; a sealed diary adds Seal and SealKey to [Setting].
namespace settingsfile {

inline constexpr int ColumnWidthCount = 16;
// The two date widths among the width keys.
inline constexpr int SizeNowDayIndex = 0;
inline constexpr int SizeEndDayIndex = 9;

// Widths are read as 0 to 99,999 twips; any other value gives the key's
// default. Positions further than a million twips (about 17 m) from the
// origin are no positions.
inline constexpr int MaxColumnWidth = 99999;
inline constexpr int MaxPositionTwips = 1000000;
// Generations of the automatic backup: 1 to 99, 10 unless chosen.
inline constexpr int DefaultAutoBackupKeep = 10;
inline constexpr int MaxAutoBackupKeep = 99;

// The width keys in file order; they follow the record's columns.
extern const std::array<QStringView, ColumnWidthCount> ColumnWidthKeys;
extern const std::array<QStringView, ColumnWidthCount> DefaultColumnWidths;

struct Settings {
    bool formatKeyNowDay = true;  // FormatKey: "1" files by application date, "0" by deadline
    QString dreamMoney = QStringLiteral("1000000");  // DreamMoney, as the target box shows it
    Currency targetAmount = Currency::fromUnits(1000000 * Currency::UnitsPerYen);
    bool dreamMoneyFlag = false;                         // the target-reached message was shown
    std::array<QString, ColumnWidthCount> columnWidths;  // Size* keys, text as is
    bool startPassword = false;
    QString startPasswordInput;
    bool startKirabi = false;
    bool formState = false;
    bool noTyohuku = true;
    bool sortOn = true;
    bool deleteKakunin = false;
    bool allDeleteKakunin = true;
    bool autoSumOutput = true;
    // A sealed diary: its data files are sealed under a data key that the
    // start password unlocks from sealKey; startPasswordInput is then empty.
    // Written only while sealed, after the designed keys of [Setting].
    bool seal = false;
    QString sealKey;
    // The automatic backup at the end of the program, into generations of
    // dated folders below autoBackupFolder, the newest autoBackupKeep kept.
    // Each key is written only while it differs from its default.
    bool autoBackup = false;
    QString autoBackupFolder;
    int autoBackupKeep = DefaultAutoBackupKeep;
    std::optional<int> mainTop;  // Position: applied only while starting up
    std::optional<int> mainLeft;

    Settings();
};

// A profile (".ini") text answering lookups the way the platform's profile
// reader does: section and key match without regard to case, the value is
// cut at 255 characters and stripped of surrounding spaces, and a missing
// section or key gives "". The first section and key of a name count.
class ProfileText {
  public:
    explicit ProfileText(QStringView text);
    QString value(QStringView section, QStringView key) const;

  private:
    struct Section {
        QString name;
        QList<std::pair<QString, QString>> keys;  // key, value in file order
    };
    QList<Section> sections_;
};

// ReadSettingValue over the enciphered settings file at path; a missing or
// unreadable file gives "".
QString ReadSettingValue(QStringView section, QStringView key, const QString& path);

// True when path names an existing folder.
bool FolderExists(const QString& path);

// Every key read by its rule: missing or empty values give the defaults.
Settings fromProfile(const ProfileText& profile);

// The 33 lines of the file, each ended by CR LF. Fails (error set, nothing
// returned) when the target amount is not a number.
QString format(const Settings& settings, QString* error);

struct ReadResult {
    bool exists = false;
    Settings settings;
    QString error;  // the file exists but could not be read
};

ReadResult read(const QString& path);

diskfile::WriteResult write(const QString& path, const Settings& settings);

}  // namespace settingsfile
