// frmMain: the settings tab and the settings file behind it.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>

#include "diary/refiling.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmstartpassword.h"
#include "platform/prompter.h"
#include "storage/cp932.h"
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
    cmdSetting->setEnabled(false);
    prgShinko->setValue(0);
    // What the settings file held before this apply.
    const settingsfile::Settings stored = settingsfile::read(SettingsPath).settings;
    const bool keyChanged = stored.formatKeyNowDay == optEndDay->isChecked();
    for (ListView* list : {lvwMonth, lvwSearch}) {
        CurrentListView = list;
        ListViewColumnHeadersMonth();
    }
    const refiling::Keys keys{stored.startPasswordInput, CurrentStartPassword,
                              chkStartPassword->isChecked() ? CurrentStartPassword : QString()};
    const Currency target = Currency::parse(txtDreamMoney->text()).value_or(TargetAmount);
    const auto progress = [this](int done, int all) {
        prgShinko->setMaximum(std::max(1, all));
        prgShinko->setValue(done);
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    if (keyChanged) {
        // The settings file changes together with the data, in one swap.
        QString error;
        const QString text = settingsfile::format(settingsFromControls(), &error);
        const cp932::Encoded encoded = cp932::encode(text);
        if (!error.isEmpty() || !encoded.ok()) {
            showError(!error.isEmpty() ? error : encoded.error);
            cmdSetting->setEnabled(true);
            return;
        }
        const diary::Result refiled =
            refiling::refile(diary_.paths(), keys, encoded.bytes, target, progress);
        showResult(refiled);
        if (!refiled.done) {
            cmdSetting->setEnabled(true);
            return;
        }
        for (QLineEdit* box :
             {txtHappyCount, txtTotalCount, txtHappyMoney, txtUnhappyMoney, txtTotalMoney}) {
            box->setText(u"0"_s);
        }
        txtPercent->setText(u"0.00"_s);
    } else {
        // A settings file that cannot be written stops the apply before any
        // month file is touched.
        if (!SaveSettings()) {
            cmdSetting->setEnabled(true);
            return;
        }
        showResult(refiling::rekey(diary_.paths(), keys, progress));
    }
    TargetAmount = target;
    applyDiarySettings();
    showResult(diary_.summaries().recountTarget(TargetAmount));
    applyWindowOrder();
    prgShinko->setValue(prgShinko->maximum());
    restoreCursor.dismiss();
    QApplication::restoreOverrideCursor();
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
