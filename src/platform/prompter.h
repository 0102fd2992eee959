#pragma once

#include <QString>

namespace platform {

enum class MessageIcon { None, Error, Exclamation, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Every message box of the program goes through a prompter, so that tests and
// acceptance scenarios can answer them from a script.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                                  MessageButtons buttons) = 0;
};

// The error box of the program: the title "ｴﾗｰ", the error icon and OK.
inline void showError(Prompter& prompter, const QString& text) {
    prompter.message(QStringLiteral("ｴﾗｰ"), text, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace platform
