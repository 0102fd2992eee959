#pragma once

#include <QString>

// The files the program looks for beside itself, as they are named on this
// platform (programfiles_win.cpp or programfiles_posix.cpp), and the help page
// that the help buttons open.
namespace programfiles {

extern const QString Program;
extern const QString Help;
extern const QString HelpPage;
extern const QString Companion;

// The program's icon: its name in the icon theme of an installed copy, and
// the picture that a portable copy keeps beside itself.
inline const QString IconName = QStringLiteral("io.github.kirabilog.Kirabilog");
inline const QString PortableIcon = QStringLiteral("kirabilog.png");

}  // namespace programfiles
