#pragma once

#include <QByteArray>
#include <QString>

namespace platform {
class Prompter;
}

// Writes a file the user named in the save dialog: beside the target first,
// so that a failure never leaves half a file. The user is told either way;
// false when it was not written.
bool saveChosenFile(platform::Prompter& prompter, const QString& path, const QByteArray& bytes);
