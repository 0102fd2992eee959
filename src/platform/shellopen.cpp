#include "platform/shellopen.h"

#include <QDir>
#include <QFileInfo>

#include "platform/programfiles.h"
#include "platform/prompter.h"
#include "platform/shell.h"

using namespace Qt::StringLiterals;

namespace platform {

QString shellErrorText(int result, const QString& path) {
    switch (result) {
        case 2:
            return u"File not found:"_s + path;
        case 3:
            return u"Path not found:"_s + path;
        case 5:
            return u"Access denied"_s;
        case 8:
            return u"Out of memory"_s;
        case 11:
            return u"Invalid EXE file or error in EXE image"_s;
        case 26:
            return u"A sharing violation occurred"_s;
        case 27:
            return u"Incomplete or invalid file association"_s;
        case 28:
            return u"DDE Time out"_s;
        case 29:
            return u"DDE transaction failed"_s;
        case 30:
            return u"DDE busy"_s;
        case 31:
            return u"No association for file extension"_s;
        case 32:
            return u"DLL not found"_s;
        default:
            return u"Unknown error"_s;
    }
}

}  // namespace platform

void ShellOpenWithMessage(platform::Shell& shell, platform::Prompter& prompter,
                          const QString& path) {
    const int result = shell.open(path);
    if (result > 32) {
        return;
    }
    // The box has no title of its own: it carries the program's name.
    prompter.message(u"kirabilog"_s, platform::shellErrorText(result, path),
                     platform::MessageIcon::None, platform::MessageButtons::Ok);
}

void OpenHelpFile(platform::Shell& shell, platform::Prompter& prompter, const QString& helpFile) {
    if (QFileInfo::exists(helpFile)) {
        // The shell is handed a file as the system writes its path.
        ShellOpenWithMessage(shell, prompter, QDir::toNativeSeparators(helpFile));
        return;
    }
    prompter.message(u"ヘルプが見つかりません"_s,
                     u"ヘルプを表示させたい場合は、「"_s + programfiles::Program + u"」と\r\n「"_s +
                         programfiles::Help + u"」を同じフォルダに入れて下さい。"_s,
                     platform::MessageIcon::Error, platform::MessageButtons::Ok);
}

void OpenCompanion(platform::Shell& shell, platform::Prompter& prompter,
                   const QString& programFolder) {
    const QString companion = programFolder + u'/' + programfiles::Companion;
    if (QFileInfo::exists(companion)) {
        shell.startProgram(QDir::toNativeSeparators(companion));
        return;
    }
    prompter.message(programfiles::Companion + u"が見つかりません"_s,
                     u"入力支援システムを使用したい場合は、「"_s + programfiles::Program +
                         u"」と\r\n「"_s + programfiles::Companion +
                         u"」を同じフォルダに入れて下さい。"_s,
                     platform::MessageIcon::Error, platform::MessageButtons::Ok);
}
