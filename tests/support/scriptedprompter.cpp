#include "scriptedprompter.h"

using namespace Qt::StringLiterals;

namespace platform {

namespace {

MessageAnswer cautiousAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel:
            break;
    }
    return MessageAnswer::Cancel;
}

bool answerFits(MessageAnswer answer, MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer != MessageAnswer::Ok;
    }
    return false;
}

}  // namespace

void ScriptedPrompter::expect(MessageAnswer answer, const QString& title, const QString& text) {
    queue_.append({answer, title, text});
}

MessageAnswer ScriptedPrompter::message(const QString& title, const QString& text, MessageIcon icon,
                                        MessageButtons buttons) {
    shown_.append({title, text, icon, buttons});
    if (queue_.isEmpty()) {
        faults_.append(u"unexpected message \"%1\" \"%2\""_s.arg(title, text));
        return cautiousAnswer(buttons);
    }
    const Expected next = queue_.takeFirst();
    if (next.title != title || next.text != text) {
        faults_.append(u"expected message \"%1\" \"%2\", got \"%3\" \"%4\""_s.arg(
            next.title, next.text, title, text));
        return cautiousAnswer(buttons);
    }
    if (!answerFits(next.answer, buttons)) {
        faults_.append(u"message \"%1\" has no button for the queued answer"_s.arg(title));
        return cautiousAnswer(buttons);
    }
    return next.answer;
}

void ScriptedPrompter::clear() {
    queue_.clear();
    shown_.clear();
    faults_.clear();
}

}  // namespace platform
