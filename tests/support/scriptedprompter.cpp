#include "scriptedprompter.h"

#include <QRegularExpression>

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

// An expected text may hold "{…}" for words the system gives, which differ
// from one system and language to another: it stands for any run of
// characters within a line.
bool textFits(const QString& expected, const QString& shown) {
    static const QString wildcard = u"{\u2026}"_s;
    if (!expected.contains(wildcard)) {
        return expected == shown;
    }
    QStringList parts = expected.split(wildcard);
    for (QString& part : parts) {
        part = QRegularExpression::escape(part);
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(parts.join(u"[^\r\n]*"_s)))
        .match(shown)
        .hasMatch();
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
    if (next.title != title || !textFits(next.text, text)) {
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
