#include "platform/programfiles.h"

namespace programfiles {

const QString Program = QStringLiteral("kirabilog");
// A folder of pages, opened in the browser at its first page.
const QString Help = QStringLiteral("help");
const QString HelpPage = QStringLiteral("help/index.html");
const QString Companion = QStringLiteral("kirabiia");

}  // namespace programfiles
