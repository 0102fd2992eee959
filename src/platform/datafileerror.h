#pragma once

#include <QString>

namespace platform {

class Prompter;

// The box for a month file that does not fit the start password in force.
void ShowDataFileError(Prompter& prompter, const QString& path);

// The box for a file the cipher was asked to copy that is not there.
void ShowMissingSource(Prompter& prompter, const QString& path);

}  // namespace platform
