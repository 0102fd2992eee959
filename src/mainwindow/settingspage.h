#pragma once

#include <QWidget>
#include <array>

#include "diary/desk.h"
#include "platform/platform.h"
#include "storage/settingsfile.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class NumberBox;

// The settings tab. It shows a copy of the settings and edits it; the copy
// is handed over only by 適用 (applyRequested), and shown anew at every tab
// switch, which drops what was not applied.
class SettingsPage : public QWidget {
    Q_OBJECT

  public:
    SettingsPage(Platform& platform, diary::Desk& desk, QString programPath, QWidget* parent);

    void showSettings(const settingsfile::Settings& settings);
    // The settings as the page shows them.
    settingsfile::Settings edited() const;

    QGroupBox* fraSetting;
    QPushButton* cmdSetting;

  Q_SIGNALS:
    void applyRequested();
    // The data folder was restored from a backup: the program must end.
    void restored();

  private:
    QPushButton* cmdShortcut;
    QPushButton* cmdBackUp;
    QPushButton* cmdRestore;
    void buildOptions();
    void buildWidthBoxes();
    void buildAutoBackup();
    void connectAutoBackup();
    void showAutoBackup(const settingsfile::Settings& settings);
    void editedAutoBackup(settingsfile::Settings& settings) const;
    void cmdAutoBackupFolder_Click();
    void connectControls();
    void chkStartPassword_Click();
    void optNowDay_Click();
    void optEndDay_Click();
    void placeDateWidthBoxes(int first, int other);
    // The folder the user chooses; "" when he cancels.
    QString BrowseForFolder(const QString& prompt);
    void cmdBackUp_Click();
    void cmdRestore_Click();
    void cmdShortcut_Click();
    void showNotices(const diary::Result& result);

    Platform& platform_;
    diary::Desk& desk_;
    QString programPath_;
    settingsfile::Settings shown_;
    QString password_;  // the start password as set or released on the page
    QCheckBox* chkStartPassword;
    QCheckBox* chkFormState;
    QCheckBox* chkAllDeleteKakunin;
    QCheckBox* chkDeleteKakunin;
    QCheckBox* chkSortOn;
    QCheckBox* chkNoTyohuku;
    QCheckBox* chkAutoSumOutput;
    QCheckBox* chkStartKirabi;
    // Seals the data under a key the start password opens; only with one.
    QCheckBox* chkSeal;
    QRadioButton* optNowDay;
    QRadioButton* optEndDay;
    NumberBox* txtDreamMoney;
    QLabel* lblMain;
    QLabel* lblSub;
    // The width boxes in the order of the record's columns, as the settings
    // file lists them.
    std::array<NumberBox*, settingsfile::ColumnWidthCount> txtSize;
    // The automatic backup at the end of the program.
    QCheckBox* chkAutoBackup;
    QLineEdit* txtAutoBackupFolder;
    QPushButton* cmdAutoBackupFolder;
    NumberBox* txtAutoBackupKeep;
};
