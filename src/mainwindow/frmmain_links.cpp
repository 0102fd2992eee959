// frmMain: what the program hands to the desktop — web pages, the mail link,
// the help and the companion input program.
#include <QFileInfo>
#include <QPushButton>

#include "diary/links.h"
#include "mainwindow/frmmain.h"
#include "platform/programfiles.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/shellopen.h"
#include "widgets/controls.h"

using namespace Qt::StringLiterals;

void frmMain::connectLinks() {
    // Each link sets the target and opens it.
    const auto opening = [this](const QString& target) {
        return [this, target] {
            ShellTarget = target;
            OpenShellTarget();
        };
    };
    connect(cmdKirabiHomepage, &QPushButton::clicked, this, opening(KirabiTopPage));
    connect(picKirabiBanner, &PictureButton::clicked, this, opening(KirabiTopPage));
    connect(cmdKirabiMail, &QPushButton::clicked, this, opening(KirabiContactPage));
    connect(cmdMyHomepage, &QPushButton::clicked, this, opening(MyHomePage));
    connect(picHomeBanner, &PictureButton::clicked, this, opening(MyHomePage));
    connect(cmdMyMail, &QPushButton::clicked, this, [this] {
        MailTarget = u"mailto:"_s + MyMailAddress;
        OpenMailTarget();
    });
    connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(cmdUserInput, &QPushButton::clicked, this, &frmMain::cmdUserInput_Click);
}

void frmMain::OpenShellTarget() {
    platform_.shell.open(ShellTarget);
}

void frmMain::OpenMailTarget() {
    platform_.shell.open(MailTarget);
}

void frmMain::ShellOpenWithMessage(const QString& path) {
    ::ShellOpenWithMessage(platform_.shell, platform_.prompter, path);
}

void frmMain::cmdURL_Click() {
    OpenShellTarget();
    for (QWidget* w : {cmdHensyu, cmdURL, cmdDelete}) {
        w->setEnabled(false);
    }
    SelectedIndex = 0;
    SearchSelectedIndex = 0;
}

void frmMain::cmdHelp_Click() {
    OpenHelpFile(platform_.shell, platform_.prompter, HelpFile);
}

void frmMain::cmdUserInput_Click() {
    const QString companion = diary_.paths().programFolder() + u'/' + programfiles::Companion;
    if (QFileInfo::exists(companion)) {
        platform_.shell.startProgram(companion);
        return;
    }
    platform_.prompter.message(programfiles::Companion + u"が見つかりません"_s,
                               u"入力支援システムを使用したい場合は、「"_s + programfiles::Program +
                                   u"」と\r\n「"_s + programfiles::Companion +
                                   u"」を同じフォルダに入れて下さい。"_s,
                               platform::MessageIcon::Error, platform::MessageButtons::Ok);
}
