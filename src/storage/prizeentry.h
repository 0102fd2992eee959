#pragma once

#include <QList>
#include <QString>
#include <array>

// One prize contest the user entered: 17 text fields, stored and shown as they
// are. Column 0 is the filing date (application date or deadline, by the
// FormatKey setting) and column 9 the other of the two dates.
inline constexpr int PrizeEntryFieldCount = 17;
using PrizeEntry = std::array<QString, PrizeEntryFieldCount>;

enum PrizeField : int {
    FilingDate = 0,
    ID = 1,
    Site = 2,
    URL = 3,
    Genre = 4,
    Present = 5,
    Kekka = 6,
    HappyMoney = 7,
    Number = 8,
    OtherDate = 9,
    HappyDay = 10,
    OboKeishiki = 11,
    SenkoWay = 12,
    Cycle = 13,
    OboWay = 14,
    Msg = 15,
    PicturePath = 16,
};
