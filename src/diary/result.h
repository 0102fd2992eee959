#pragma once

#include <QList>
#include <QString>

namespace diary {

// A message for the user, shown in an error box.
struct Notice {
    QString title;
    QString text;

    friend bool operator==(const Notice&, const Notice&) = default;
};

// What an operation on stored data did: whether its main effect took place,
// and what the user must be told about it, in order.
struct Result {
    bool done = true;
    QList<Notice> notices;

    // Tells the user of a fault; the operation may still be done.
    void error(const QString& text) { notices.append({QStringLiteral("ｴﾗｰ"), text}); }
    // The operation did not take place, for the reason given.
    void fail(const QString& text) {
        done = false;
        error(text);
    }
    // Takes over what another step said, not whether it was done.
    void tell(const Result& other) { notices += other.notices; }
};

}  // namespace diary
