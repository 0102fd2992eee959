#include "mainwindow/chosenfile.h"

#include "platform/prompter.h"
#include "storage/diskfile.h"

using namespace Qt::StringLiterals;

bool saveChosenFile(platform::Prompter& prompter, const QString& path, const QByteArray& bytes) {
    const diskfile::PlainWriteResult written = diskfile::replacePlain(path, bytes);
    if (!written.ok()) {
        platform::showError(prompter, diskfile::cannotWriteMessage(path, written.description));
        return false;
    }
    prompter.message(u"完了"_s, u"保存しました"_s, platform::MessageIcon::None,
                     platform::MessageButtons::Ok);
    return true;
}
