#pragma once

#include <QString>

// The files the program looks for beside itself, as they are named on this
// platform, and the help page that the help buttons open.
namespace programfiles {

#ifdef Q_OS_WIN
inline const QString Program = QStringLiteral("kirabilog.exe");
inline const QString Help = QStringLiteral("kirabilog.chm");
inline const QString HelpPage = QStringLiteral("kirabilog.chm");
inline const QString Companion = QStringLiteral("kirabiia.exe");
#else
inline const QString Program = QStringLiteral("kirabilog");
// A folder of pages, opened in the browser at its first page.
inline const QString Help = QStringLiteral("help");
inline const QString HelpPage = QStringLiteral("help/index.html");
inline const QString Companion = QStringLiteral("kirabiia");
#endif

// The program's icon: its name in the icon theme of an installed copy, and
// the picture that a portable copy keeps beside itself.
inline const QString IconName = QStringLiteral("io.github.kirabilog.Kirabilog");
inline const QString PortableIcon = QStringLiteral("kirabilog.png");

}  // namespace programfiles
