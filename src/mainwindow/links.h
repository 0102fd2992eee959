#pragma once

#include <QString>

// Addresses the program opens through the shell.
inline const QString KirabiTopPage = QStringLiteral("https://kirabi-hiroba.example.jp/");
inline const QString KirabiContactPage =
    QStringLiteral("https://kirabi-hiroba.example.jp/toiawase.html");
inline const QString MyHomePage = QStringLiteral("https://kirabilog.example.jp/");
inline const QString MyMailAddress = QStringLiteral("support@kirabilog.example.jp");
