// frmMain: the settings tab and the settings file behind it.
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "mainwindow/frmmain.h"
#include "platform/prompter.h"
#include "widgets/controls.h"
#include "widgets/listview.h"
#include "widgets/twips.h"

using namespace Qt::StringLiterals;

void frmMain::putSettingsIntoControls(const settingsfile::Settings& s) {
    if (StartingUp && s.mainTop) {
        // Positions are stored in twips, as the window designer measured them.
        QPoint at(x(), twipsToPixels(*s.mainTop, this));
        if (s.mainLeft) {
            at.setX(twipsToPixels(*s.mainLeft, this));
        }
        move(onSomeScreen(at));
    }
    (s.formatKeyNowDay ? optNowDay : optEndDay)->setChecked(true);
    txtDreamMoney->setText(s.dreamMoney);
    TargetAmount = s.targetAmount;
    DreamMoneyFlag = s.dreamMoneyFlag;
    for (int i = 0; i < settingsfile::ColumnWidthCount; ++i) {
        txtSize[i]->setText(s.columnWidths[i]);
    }
    chkStartPassword->setChecked(s.startPassword);
    CurrentStartPassword = s.startPasswordInput;
    chkStartKirabi->setChecked(s.startKirabi);
    chkFormState->setChecked(s.formState);
    chkNoTyohuku->setChecked(s.noTyohuku);
    chkSortOn->setChecked(s.sortOn);
    chkDeleteKakunin->setChecked(s.deleteKakunin);
    chkAllDeleteKakunin->setChecked(s.allDeleteKakunin);
    chkAutoSumOutput->setChecked(s.autoSumOutput);
    applyDiarySettings();
}

QPoint frmMain::onSomeScreen(QPoint at) const {
    // A window whose title bar would lie on no screen could not be reached:
    // it comes up in the middle of the main screen instead.
    const QRect titleBar(at, QSize(width(), twipsToPixels(360, this)));
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty() || std::any_of(screens.cbegin(), screens.cend(), [&](QScreen* screen) {
            return screen->availableGeometry().intersects(titleBar);
        })) {
        return at;
    }
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return area.center() - QPoint(width() / 2, height() / 2);
}

void frmMain::applyDiarySettings() {
    diary_.setSettings({CurrentStartPassword,
                        chkStartPassword->isChecked() ? CurrentStartPassword : QString(),
                        chkSortOn->isChecked(), TargetAmount});
}

settingsfile::Settings frmMain::settingsFromControls() const {
    settingsfile::Settings s;
    s.formatKeyNowDay = !optEndDay->isChecked();
    s.dreamMoney = txtDreamMoney->text();
    s.targetAmount = TargetAmount;
    s.dreamMoneyFlag = DreamMoneyFlag;
    for (int i = 0; i < settingsfile::ColumnWidthCount; ++i) {
        s.columnWidths[i] = txtSize[i]->text();
    }
    s.startPassword = chkStartPassword->isChecked();
    s.startPasswordInput = CurrentStartPassword;
    s.startKirabi = chkStartKirabi->isChecked();
    s.formState = chkFormState->isChecked();
    s.noTyohuku = chkNoTyohuku->isChecked();
    s.sortOn = chkSortOn->isChecked();
    s.deleteKakunin = chkDeleteKakunin->isChecked();
    s.allDeleteKakunin = chkAllDeleteKakunin->isChecked();
    s.autoSumOutput = chkAutoSumOutput->isChecked();
    s.mainTop = pixelsToTwips(y(), this);
    s.mainLeft = pixelsToTwips(x(), this);
    return s;
}

void frmMain::LoadSettings() {
    const settingsfile::ReadResult read = settingsfile::read(SettingsPath);
    putSettingsIntoControls(read.settings);
    if (!read.exists) {
        SaveSettings();  // the first start writes the defaults
    }
    // A file that exists but cannot be read gives the defaults and is left
    // as it is.
}

bool frmMain::SaveSettings() {
    QDir().mkpath(diary_.paths().iniFolder());
    SettingsPath = diary_.paths().settingsFile();
    const diskfile::WriteResult written = settingsfile::write(SettingsPath, settingsFromControls());
    if (!written.ok()) {
        showError(u"設定を保存できませんでした。\r\n"_s + written.error);
        return false;
    }
    return true;
}

void frmMain::cmdSetting_Click() {
    // Re-filing the records under another key and rewriting the month files
    // under another password are not built yet: such a change is refused
    // rather than stored half-done.
    const settingsfile::Settings stored = settingsfile::read(SettingsPath).settings;
    if (stored.formatKeyNowDay == optEndDay->isChecked()) {
        showError(
            u"構成キーの変更は、この版ではまだ適用できません。\r\n構成キーを元に戻してから、もう一度適用して下さい。"_s);
        return;
    }
    if (stored.startPassword != chkStartPassword->isChecked() ||
        stored.startPasswordInput != CurrentStartPassword) {
        showError(
            u"記帳者認証の変更は、この版ではまだ適用できません。\r\n「起動時に記帳者認証を行う」を元に戻してから、もう一度適用して下さい。"_s);
        return;
    }
    cmdSetting->setEnabled(false);
    prgShinko->setValue(0);
    for (ListView* list : {lvwMonth, lvwSearch}) {
        CurrentListView = list;
        ListViewColumnHeadersMonth();
    }
    if (!SaveSettings()) {
        cmdSetting->setEnabled(true);
        return;
    }
    TargetAmount = Currency::parse(txtDreamMoney->text()).value_or(TargetAmount);
    applyDiarySettings();
    applyWindowOrder();
    prgShinko->setValue(prgShinko->maximum());
    platform_.prompter.message(u"完了"_s, u"設定を適用させました"_s,
                               platform::MessageIcon::Information, platform::MessageButtons::Ok);
}

void frmMain::optNowDay_Click() {
    lblMain->setText(u"応 募 日"_s);
    lblSub->setText(u"締 切 日"_s);
    placeDateWidthBoxes(settingsfile::SizeNowDayIndex, settingsfile::SizeEndDayIndex);
    cmdSetting->setEnabled(true);
}

void frmMain::optEndDay_Click() {
    lblMain->setText(u"締 切 日"_s);
    lblSub->setText(u"応 募 日"_s);
    placeDateWidthBoxes(settingsfile::SizeEndDayIndex, settingsfile::SizeNowDayIndex);
    cmdSetting->setEnabled(true);
}

void frmMain::placeDateWidthBoxes(int first, int other) {
    NumberBox* firstBox = txtSize[first];
    NumberBox* otherBox = txtSize[other];
    placeTwips(firstBox, 1200, 360, 720, 300);
    placeTwips(otherBox, 3000, 720, 720, 300);
}
