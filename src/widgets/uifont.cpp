#include "widgets/uifont.h"

#include <QStringList>

QFont japaneseUiFont() {
    QFont font;
    // The faces of Windows first, for a desktop that has them installed.
    font.setFamilies({QStringLiteral("Meiryo UI"), QStringLiteral("MS UI Gothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    return font;
}
