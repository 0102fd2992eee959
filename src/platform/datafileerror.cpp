#include "platform/datafileerror.h"

#include "platform/prompter.h"
#include "storage/binarycipher.h"
#include "storage/monthfile.h"

namespace platform {

void ShowDataFileError(Prompter& prompter, const QString& path) {
    prompter.message(monthfile::DataFileErrorTitle.toString(), monthfile::dataFileErrorText(path),
                     MessageIcon::Error, MessageButtons::Ok);
}

void ShowMissingSource(Prompter& prompter, const QString& path) {
    prompter.message(mdlBinaryCipher::MissingSourceTitle.toString(),
                     mdlBinaryCipher::missingSourceText(path), MessageIcon::Exclamation,
                     MessageButtons::Ok);
}

}  // namespace platform
