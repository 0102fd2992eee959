#pragma once

#include <QString>

// The addresses the program opens through the shell or stores with imported
// records; each host is named here once.
inline const QString KirabiHost = QStringLiteral("kirabi.example.jp");
inline const QString KirabiTopPage = QStringLiteral("https://") + KirabiHost + u'/';
inline const QString KirabiContactPage = KirabiTopPage + QStringLiteral("toiawase.html");
// The maker's search page, where an announcement without a URL is found by
// its ID.
inline const QString KirabiSearchLinkBase =
    QStringLiteral("http://") + KirabiHost +
    QStringLiteral("/cgi-bin/kirabi/search-bunrui.cgi?links=");

inline const QString MyHost = QStringLiteral("kirabilog.example.jp");
inline const QString MyHomePage = QStringLiteral("https://") + MyHost + u'/';
inline const QString MyMailAddress = QStringLiteral("support@") + MyHost;

// Whether a record's URL is a web page the shell may open.
inline bool isWebAddress(const QString& text) {
    return text.startsWith(QStringLiteral("http://")) ||
           text.startsWith(QStringLiteral("https://"));
}
