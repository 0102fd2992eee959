#pragma once

#include <QString>

#include "storage/prizeentry.h"

// A plain record of a month for the diary's tests.
inline PrizeEntry diaryRecord(const QString& date, const QString& id,
                              const QString& result = QStringLiteral("落選"),
                              const QString& money = QStringLiteral("0")) {
    PrizeEntry e;
    e[FilingDate] = date;
    e[ID] = id;
    e[Site] = QStringLiteral("応募先") + id;
    e[Present] = QStringLiteral("賞品") + id;
    e[Kekka] = result;
    e[HappyMoney] = money;
    e[Number] = QStringLiteral("1名様");
    e[OtherDate] = QStringLiteral("2010/12/31");
    e[HappyDay] = QStringLiteral("----/--/--");
    return e;
}
