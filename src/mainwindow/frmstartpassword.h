#pragma once

#include <QDialog>
#include <functional>

#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The start password, asked at start-up (log-in), when the user turns the
// password on (set) and when he turns it off (release). Modal.
class frmStartPassword : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { LogIn, Set, Release };

    frmStartPassword(Platform& platform, Mode mode, QString currentPassword,
                     QWidget* parent = nullptr);

    // The password in force after OK: the typed one when set, "" when
    // released, the current one at log-in.
    const QString& password() const { return password_; }
    // At log-in, asks check rather than comparing with the current password
    // (a sealed diary knows its password only by the key it opens).
    void setPasswordCheck(std::function<bool(const QString& typed)> check) {
        check_ = std::move(check);
    }

  private:
    void Form_Load();
    void cmdOk_Click();
    void txtStartPassword_Change();
    void wrongPassword();

    Platform& platform_;
    Mode mode_;
    QString password_;
    std::function<bool(const QString&)> check_;
    QLabel* lblStartPassword;
    QLineEdit* txtStartPassword;
    QLabel* lblStartPasswordKakunin;
    QLineEdit* txtStartPasswordKakunin;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
};
