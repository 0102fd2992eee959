// frmDataInput: the picture of a record — chosen, shown, and taken out.
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/frmdatainput.h"
#include "platform/dialogs.h"
#include "platform/prompter.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

bool frmDataInput::pictureShown() const {
    return !PicturePath.isEmpty() && lblError->text().isEmpty();
}

void frmDataInput::loadPicture() {
    QImageReader reader(PicturePath);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (!image.isNull()) {
        lblError->clear();
        imgPicView->setPixmap(QPixmap::fromImage(image).scaled(
            imgPicView->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        imgPicView->raise();
        return;
    }
    // The number and wording of the classic picture errors.
    const bool missing = !QFileInfo::exists(PicturePath);
    const QString text = u"ｴﾗｰ番号%1: kirabilog でｴﾗｰが発生しました。\r%2"_s.arg(
        QString::number(missing ? 53 : 481),
        missing ? u"ファイルが見つかりません。"_s : u"ピクチャが不正です。"_s);
    platform::showError(platform_.prompter, text);
    imgPicView->clear();
    PicturePath.clear();
    lblError->setText(text);
    lblError->raise();
}

void frmDataInput::showPicture() {
    lblError->raise();
    lblError->clear();
    if (!PicturePath.isEmpty()) {
        cmdPicOut->setEnabled(true);
        loadPicture();
    } else {
        cmdPicOut->setEnabled(false);
        imgPicView->clear();
    }
}

void frmDataInput::cmdPicIn_Click() {
    const std::optional<QString> chosen = platform_.dialogs.openFile(
        this, u"画像の選択"_s,
        u"Picture|*.bmp;*.wmf;*.emf;*.jpeg;*.jpg;*.gif;*.png|All Files|*.*|"_s);
    if (pictureShown()) {
        imgPicView->raise();
    } else {
        lblError->raise();
    }
    if (!chosen) {
        return;  // a cancelled choice leaves the record's picture as it was
    }
    PicturePath = QDir::toNativeSeparators(QFileInfo(*chosen).absoluteFilePath());
    loadPicture();
    cmdPicOut->setEnabled(true);
    changed();
}

void frmDataInput::cmdPicOut_Click() {
    lblError->raise();
    imgPicView->clear();
    PicturePath.clear();
    cmdPicOut->setEnabled(false);
    changed();
}
