#include "diary/statistics.h"

using namespace Qt::StringLiterals;

namespace statistics {

RowMark markOf(const PrizeEntry& record, const QString& shownDate) {
    RowMark mark;
    mark.winDay = record[HappyDay] == shownDate;
    const QString& result = record[Kekka];
    if (!result.contains(u"当選"_s)) {
        return mark;
    }
    mark.win = true;
    if (result == u"小物当選"_s) {
        mark.prizeClass = PrizeClass::Small;
    } else if (result == u"中物当選"_s) {
        mark.prizeClass = PrizeClass::Middle;
    } else if (result == u"大物当選"_s) {
        mark.prizeClass = PrizeClass::Big;
    }
    return mark;
}

Currency prizeValue(const QString& text) {
    return Currency::parse(text).value_or(Currency());
}

void add(Counts& counts, const PrizeEntry& record, const RowMark& mark) {
    ++counts.entries;
    if (!mark.win) {
        return;
    }
    ++counts.wins;
    // A sum beyond the range of money keeps the last sum it could hold, and
    // says so.
    if (const std::optional<Currency> sum = counts.winMoney.plus(prizeValue(record[HappyMoney]))) {
        counts.winMoney = *sum;
    } else {
        counts.overflow = true;
    }
    switch (mark.prizeClass) {
        case PrizeClass::Small:
            ++counts.smallWins;
            break;
        case PrizeClass::Middle:
            ++counts.middleWins;
            break;
        case PrizeClass::Big:
            ++counts.bigWins;
            break;
        case PrizeClass::None:
            break;
    }
}

Counts countOf(const QList<PrizeEntry>& records) {
    Counts counts;
    for (const PrizeEntry& record : records) {
        add(counts, record, markOf(record, QString()));
    }
    return counts;
}

QString winRate(qint64 wins, qint64 entries) {
    if (wins < 1 || entries < 1) {
        return u"0.00"_s;
    }
    // Hundredths of a percent, rounded half up, in whole numbers.
    const qint64 hundredths = (wins * 10000 * 2 + entries) / (entries * 2);
    return u"%1.%2"_s.arg(hundredths / 100).arg(hundredths % 100, 2, 10, QChar(u'0'));
}

}  // namespace statistics
