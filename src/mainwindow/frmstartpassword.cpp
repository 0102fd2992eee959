#include "mainwindow/frmstartpassword.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/prompter.h"
#include "storage/cp932.h"
#include "widgets/twips.h"
#include "widgets/uifont.h"

using namespace Qt::StringLiterals;

namespace {

QLineEdit* passwordBox(QWidget* parent, const QString& name, int top) {
    auto* box = makeTwips<QLineEdit>(parent, name, 240, top, 4320, 300);
    box->setMaxLength(40);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(u"lineedit-password-character: 42"_s);  // every character as "*"
    return box;
}

}  // namespace

frmStartPassword::frmStartPassword(Platform& platform, Mode mode, QString currentPassword,
                                   QWidget* parent)
    : QDialog(parent), platform_(platform), mode_(mode), password_(std::move(currentPassword)) {
    setObjectName(u"frmStartPassword"_s);
    setFont(japaneseUiFont());
    setModal(true);
    lblStartPassword = makeTwips<QLabel>(this, u"lblStartPassword"_s, 240, 120, 4320, 300);
    txtStartPassword = passwordBox(this, u"txtStartPassword"_s, 480);
    lblStartPasswordKakunin =
        makeTwips<QLabel>(this, u"lblStartPasswordKakunin"_s, 240, 840, 4320, 300);
    lblStartPasswordKakunin->setText(u"確認のため同じパスワードを再入力して下さい"_s);
    txtStartPasswordKakunin = passwordBox(this, u"txtStartPasswordKakunin"_s, 1200);
    cmdOk = pushButton(this, u"cmdOk"_s, u"OK(&O)"_s, 1560, 960, 1400);
    cmdCancel = pushButton(this, u"cmdCancel"_s, u"キャンセル(&C)"_s, 3120, 960, 1440);
    connect(txtStartPassword, &QLineEdit::textChanged, this,
            &frmStartPassword::txtStartPassword_Change);
    connect(txtStartPasswordKakunin, &QLineEdit::textChanged, this,
            &frmStartPassword::txtStartPassword_Change);
    connect(txtStartPassword, &QLineEdit::returnPressed, this, [this] {
        txtStartPassword_Change();
        if (cmdOk->isEnabled()) {
            cmdOk_Click();
        }
    });
    connect(txtStartPasswordKakunin, &QLineEdit::returnPressed, this, [this] {
        if (!txtStartPassword->text().isEmpty() && !txtStartPasswordKakunin->text().isEmpty()) {
            cmdOk_Click();
        }
    });
    connect(cmdOk, &QPushButton::clicked, this, &frmStartPassword::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmStartPassword::Form_Load() {
    const bool set = mode_ == Mode::Set;
    lblStartPasswordKakunin->setVisible(set);
    txtStartPasswordKakunin->setVisible(set);
    const int height = set ? 2670 : 1950;
    const int buttons = set ? 1680 : 960;
    setFixedSize(twipsToPixels(4800, this), twipsToPixels(height, this) - twipsToPixels(450, this));
    for (QPushButton* b : {cmdOk, cmdCancel}) {
        b->move(b->x(), twipsToPixels(buttons, this));
    }
    switch (mode_) {
        case Mode::LogIn:
            setWindowTitle(u"きらび帳記帳者認証　ログイン"_s);
            lblStartPassword->setText(u"パスワードを入力して下さい  [1～40文字以内]"_s);
            break;
        case Mode::Set:
            setWindowTitle(u"きらび帳記帳者認証　設定"_s);
            lblStartPassword->setText(u"パスワードを設定して下さい  [1～40文字以内]"_s);
            break;
        case Mode::Release:
            setWindowTitle(u"きらび帳記帳者認証　解除"_s);
            lblStartPassword->setText(u"パスワードを入力して下さい  [1～40文字以内]"_s);
            break;
    }
    cmdOk->setEnabled(false);
}

void frmStartPassword::txtStartPassword_Change() {
    const bool password = !txtStartPassword->text().isEmpty();
    const bool confirmation = !txtStartPasswordKakunin->text().isEmpty();
    cmdOk->setEnabled(mode_ == Mode::Set ? password && confirmation : password);
}

void frmStartPassword::wrongPassword() {
    platform_.prompter.message(windowTitle(), u"パスワードが違います。"_s,
                               platform::MessageIcon::Error, platform::MessageButtons::Ok);
    txtStartPassword->setFocus();
    txtStartPassword->selectAll();
}

void frmStartPassword::cmdOk_Click() {
    const QString typed = txtStartPassword->text();
    switch (mode_) {
        case Mode::LogIn:
        case Mode::Release:
            if ((mode_ == Mode::LogIn && check_) ? !check_(typed) : typed != password_) {
                wrongPassword();
                return;
            }
            if (mode_ == Mode::Release) {
                password_.clear();
            } else if (check_) {
                password_ = typed;
            }
            accept();
            return;
        case Mode::Set: {
            if (typed != txtStartPasswordKakunin->text()) {
                wrongPassword();
                txtStartPasswordKakunin->clear();
                return;
            }
            // The password is written into the month files in code page 932.
            if (const cp932::Encoded encoded = cp932::encode(typed); !encoded.ok()) {
                platform::showError(platform_.prompter, encoded.error);
                txtStartPassword->setFocus();
                txtStartPassword->selectAll();
                return;
            }
            password_ = typed;
            accept();
            return;
        }
    }
}
