#pragma once

class QCoreApplication;

namespace platform {

// Qt's own dialogs and widgets speak Japanese whatever the system's locale:
// Qt's Japanese translation is loaded from Qt's translations folder (a
// missing one is no error) and Japanese becomes the default locale, so that
// calendars show Japanese names and weeks start on Sunday. Call before the
// first window is made. False when no translation was found.
bool useJapanese(QCoreApplication& app);

}  // namespace platform
