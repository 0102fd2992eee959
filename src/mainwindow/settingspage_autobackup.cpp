// The settings tab: the panel of the automatic backup at the end of the
// program — whether, into which folder, and how many generations.
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/formcontrols.h"
#include "mainwindow/settingspage.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

void SettingsPage::buildAutoBackup() {
    // In the free right part of the widths' frame, which keeps its box.
    QGroupBox* fraAutoBackup = formcontrols::frame(fraSetting, u"fraAutoBackup"_s,
                                                   u"自動バックアップ"_s, 7800, 2040, 3540, 1740);
    fraAutoBackup->raise();
    chkAutoBackup = formcontrols::checkBox(fraAutoBackup, u"chkAutoBackup"_s,
                                           u"終了時に自動でバックアップする"_s, 120, 280);
    txtAutoBackupFolder =
        makeTwips<QLineEdit>(fraAutoBackup, u"txtAutoBackupFolder"_s, 120, 660, 2160, 300);
    cmdAutoBackupFolder =
        pushButton(fraAutoBackup, u"cmdAutoBackupFolder"_s, u"参照(&B)..."_s, 2340, 640, 1080);
    txtAutoBackupKeep = new NumberBox(u"txtAutoBackupKeep"_s, u"10"_s, fraAutoBackup);
    placeTwips(txtAutoBackupKeep, 120, 1100, 600, 300);
    txtAutoBackupKeep->setAlignment(Qt::AlignRight);
    txtAutoBackupKeep->setMaxLength(2);
    txtAutoBackupKeep->setEmptyText(u"1"_s);
    formcontrols::label(fraAutoBackup, u"lblAutoBackupKeep"_s, u"世代まで保存"_s, 780, 1130, 1800);
}

void SettingsPage::connectAutoBackup() {
    const auto changed = [this] { cmdSetting->setEnabled(true); };
    connect(chkAutoBackup, &QCheckBox::toggled, this, changed);
    connect(txtAutoBackupFolder, &QLineEdit::textEdited, this, changed);
    connect(txtAutoBackupKeep, &QLineEdit::textChanged, this, changed);
    connect(cmdAutoBackupFolder, &QPushButton::clicked, this,
            &SettingsPage::cmdAutoBackupFolder_Click);
}

void SettingsPage::showAutoBackup(const settingsfile::Settings& s) {
    chkAutoBackup->setChecked(s.autoBackup);
    txtAutoBackupFolder->setText(s.autoBackupFolder);
    txtAutoBackupKeep->setText(QString::number(s.autoBackupKeep));
}

void SettingsPage::editedAutoBackup(settingsfile::Settings& s) const {
    s.autoBackup = chkAutoBackup->isChecked();
    s.autoBackupFolder = txtAutoBackupFolder->text();
    // Digits only: a number the desk checks against the range.
    s.autoBackupKeep = txtAutoBackupKeep->text().toInt();
}

void SettingsPage::cmdAutoBackupFolder_Click() {
    const QString chosen = BrowseForFolder(u"自動バックアップ先を指定して下さい。"_s);
    if (chosen.isEmpty()) {
        return;
    }
    txtAutoBackupFolder->setText(QDir::toNativeSeparators(chosen));
    cmdSetting->setEnabled(true);
}
