#pragma once

#include <QFont>

// The windows' font: a Japanese user-interface face at 9 points, whose digits
// are narrow enough for the designed column widths. Each system has its own
// (uifont.cpp, uifont_win.cpp).
QFont japaneseUiFont();
