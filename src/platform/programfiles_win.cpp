#include "platform/programfiles.h"

namespace programfiles {

const QString Program = QStringLiteral("kirabilog.exe");
// The compiled help, opened by HTML Help.
const QString Help = QStringLiteral("kirabilog.chm");
const QString HelpPage = QStringLiteral("kirabilog.chm");
const QString Companion = QStringLiteral("kirabiia.exe");

}  // namespace programfiles
