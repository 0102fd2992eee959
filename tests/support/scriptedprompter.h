#pragma once

#include <QList>
#include <QStringList>

#include "platform/prompter.h"

namespace platform {

// Answers message boxes from a queue of expected messages instead of showing
// them. A message that does not match the head of the queue, or that comes when
// the queue is empty, is recorded as a fault and answered with the most
// cautious answer its buttons allow (Cancel, No or OK).
class ScriptedPrompter : public Prompter {
  public:
    struct Shown {
        QString title;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    void expect(MessageAnswer answer, const QString& title, const QString& text);

    MessageAnswer message(const QString& title, const QString& text, MessageIcon icon,
                          MessageButtons buttons) override;

    const QList<Shown>& shown() const { return shown_; }
    const QStringList& faults() const { return faults_; }
    qsizetype pending() const { return queue_.size(); }
    void clear();

  private:
    struct Expected {
        MessageAnswer answer;
        QString title;
        QString text;
    };
    QList<Expected> queue_;
    QList<Shown> shown_;
    QStringList faults_;
};

}  // namespace platform
