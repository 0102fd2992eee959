#include <QStringList>

#include "widgets/uifont.h"

QFont japaneseUiFont() {
    QFont font;
    // The user-interface faces Windows ships for Japanese, newest first:
    // Yu Gothic UI from Windows 10, Meiryo UI from Vista, MS UI Gothic always.
    font.setFamilies({QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"),
                      QStringLiteral("MS UI Gothic")});
    font.setPointSize(9);
    return font;
}
