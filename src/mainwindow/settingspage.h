#pragma once

#include <QWidget>
#include <array>

#include "platform/platform.h"
#include "storage/settingsfile.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class NumberBox;

// The settings tab. It shows a copy of the settings and edits it; the copy
// is handed over only by 適用 (applyRequested), and shown anew each time the
// tab is entered, which drops what was not applied.
class SettingsPage : public QWidget {
    Q_OBJECT

  public:
    SettingsPage(Platform& platform, QWidget* parent);

    void showSettings(const settingsfile::Settings& settings);
    // The settings as the page shows them.
    settingsfile::Settings edited() const;

    QGroupBox* fraSetting;
    QPushButton* cmdShortcut;
    QPushButton* cmdBackUp;
    QPushButton* cmdRestore;
    QPushButton* cmdSetting;

  Q_SIGNALS:
    void applyRequested();

  private:
    void buildOptions();
    void buildWidthBoxes();
    void connectControls();
    void chkStartPassword_Click();
    void optNowDay_Click();
    void optEndDay_Click();
    void placeDateWidthBoxes(int first, int other);

    Platform& platform_;
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
    QRadioButton* optNowDay;
    QRadioButton* optEndDay;
    NumberBox* txtDreamMoney;
    QLabel* lblMain;
    QLabel* lblSub;
    // The width boxes in the order of the record's columns, as the settings
    // file lists them.
    std::array<NumberBox*, settingsfile::ColumnWidthCount> txtSize;
};
