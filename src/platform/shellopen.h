#pragma once

#include <QString>

namespace platform {
class Prompter;
class Shell;

// The text the user is shown for a failed shell open, by its result code.
QString shellErrorText(int result, const QString& path);

}  // namespace platform

// Opens the help file through the shell, or says where it should be.
void OpenHelpFile(platform::Shell& shell, platform::Prompter& prompter, const QString& helpFile);

// Opens a file or page through the shell and tells the user when that fails.
void ShellOpenWithMessage(platform::Shell& shell, platform::Prompter& prompter,
                          const QString& path);

// Starts the companion input program beside the program, or tells the user
// where it must be.
void OpenCompanion(platform::Shell& shell, platform::Prompter& prompter,
                   const QString& programFolder);
