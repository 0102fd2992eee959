#pragma once

#include <QFont>
#include <QStringList>

// The windows' font: a Japanese user-interface face at 9 points, whose digits
// are narrow enough for the designed column widths.
inline QFont japaneseUiFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Meiryo UI"), QStringLiteral("MS UI Gothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    return font;
}
