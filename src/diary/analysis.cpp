#include "diary/analysis.h"

#include <QFuture>
#include <QHash>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "diary/monthwalker.h"
#include "diary/statistics.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace analysis {

namespace {

// Sums of money and the products of counts in the order, exact beyond 64
// bits, so that months add up in any order and nothing wraps.
__extension__ typedef __int128 Wide;

struct Sums {
    qint64 entries = 0;
    qint64 wins = 0;
    qint64 smallWins = 0;
    qint64 middleWins = 0;
    qint64 bigWins = 0;
    Wide money = 0;

    void add(const Sums& other) {
        entries += other.entries;
        wins += other.wins;
        smallWins += other.smallWins;
        middleWins += other.middleWins;
        bigWins += other.bigWins;
        money += other.money;
    }
};

// Keys are the field's bytes as stored, looked up without a copy.
struct BytesHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view bytes) const {
        return std::hash<std::string_view>{}(bytes);
    }
};
template <typename T>
using ByBytes = std::unordered_map<std::string, T, BytesHash, std::equal_to<>>;

std::string_view viewOf(QByteArrayView bytes) {
    return {bytes.data(), std::size_t(bytes.size())};
}

template <typename T>
T& entryFor(ByBytes<T>& map, QByteArrayView bytes) {
    const auto found = map.find(viewOf(bytes));
    return found != map.end() ? found->second
                              : map.try_emplace(std::string(viewOf(bytes))).first->second;
}

// What one month file adds to the table.
struct MonthCount {
    QString path;
    bool refused = false;
    qint64 records = 0;
    ByBytes<Sums> byCategory;
};

// The month statistics' own rule, asked once per distinct result text of a
// month.
statistics::RowMark markOfResult(QByteArrayView bytes) {
    PrizeEntry probe;
    cp932::decodeInto(bytes, probe[Kekka]);
    return statistics::markOf(probe, QString());
}

void countMonth(MonthCount& month, PrizeField field, const QString& password) {
    QString money;  // one for the month's records
    ByBytes<statistics::RowMark> marks;
    const diary::MonthScan scan =
        diary::scanMonthFile(month.path, password, [&](const monthfile::ByteFields& r) {
            ++month.records;
            Sums& sums = entryFor(month.byCategory, r[field]);
            const auto known = marks.find(viewOf(r[Kekka]));
            const statistics::RowMark mark =
                known != marks.end()
                    ? known->second
                    : marks.emplace(viewOf(r[Kekka]), markOfResult(r[Kekka])).first->second;
            ++sums.entries;
            if (!mark.win) {
                return true;
            }
            ++sums.wins;
            cp932::decodeInto(r[HappyMoney], money);
            sums.money += statistics::prizeValue(money).units();
            sums.smallWins += mark.prizeClass == statistics::PrizeClass::Small;
            sums.middleWins += mark.prizeClass == statistics::PrizeClass::Middle;
            sums.bigWins += mark.prizeClass == statistics::PrizeClass::Big;
            return true;
        });
    if (scan == diary::MonthScan::Refused) {
        month.refused = true;  // a file of another password counts nothing
        month.records = 0;
        month.byCategory.clear();
    }
}

void countMonths(std::vector<MonthCount>& months, PrizeField field, const QString& password) {
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t i = next++; i < months.size(); i = next++) {
            countMonth(months[i], field, password);
        }
    };
    // The calling thread takes months too; a helper that never started is
    // run by the wait itself, so a caller on the pool cannot starve.
    const int helpers =
        std::min(QThreadPool::globalInstance()->maxThreadCount() - 1, int(months.size()) - 1);
    QList<QFuture<void>> running;
    for (int i = 0; i < helpers; ++i) {
        running.append(QtConcurrent::run(work));
    }
    work();
    for (QFuture<void>& helper : running) {
        helper.waitForFinished();
    }
}

Currency saturated(Wide units, bool* overflow) {
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    constexpr qint64 bottom = std::numeric_limits<qint64>::min();
    *overflow = units > top || units < bottom;
    return Currency::fromUnits(units > top ? top : units < bottom ? bottom : qint64(units));
}

// The field each kind counts by, and its caption, in the order of Kind.
struct KindField {
    PrizeField field;
    const char16_t* caption;
};
constexpr KindField kindFields[] = {
    {Genre, u"ジャンル"},    {Site, u"応募先"},    {OboKeishiki, u"応募形式"},
    {SenkoWay, u"選考方法"}, {Cycle, u"サイクル"}, {OboWay, u"応募方法"},
};
static_assert(std::size(kindFields) == Kinds.size());

double yen(const QString& text) {
    return double(statistics::prizeValue(text).units()) / double(Currency::UnitsPerYen);
}

}  // namespace

PrizeField fieldOf(Kind kind) {
    return kindFields[std::size_t(kind)].field;
}

QString kindCaption(Kind kind) {
    return QString::fromUtf16(kindFields[std::size_t(kind)].caption);
}

QString Row::rate() const {
    return statistics::winRate(wins, entries);
}

QStringList Row::cells() const {
    // Money as the year and total lists show it: the plain number.
    return {category,
            QString::number(entries),
            QString::number(wins),
            rate(),
            QString::number(smallWins),
            QString::number(middleWins),
            QString::number(bigWins),
            winMoney.toString()};
}

bool Table::moneyOverflow() const {
    return std::any_of(rows.cbegin(), rows.cend(),
                       [](const Row& row) { return row.moneyOverflow; });
}

Table count(const DataPaths& paths, Kind kind, const QString& year, const QString& password) {
    const diary::WalkRange range = year.isEmpty() ? diary::WalkRange::everyMonth()
                                                  : diary::WalkRange::months(year.toInt(), 1, 12);
    std::vector<MonthCount> months;
    diary::MonthWalker(paths).walkFiles(
        range, [&](const QString& path) { months.emplace_back().path = path; });
    countMonths(months, fieldOf(kind), password);

    // Bytes that differ can decode to the same text (code page 932 holds
    // some characters twice): the table is by text.
    Table table;
    QHash<QString, Sums> byText;
    QString text;
    for (const MonthCount& month : months) {
        if (month.refused) {
            if (!table.refusedFiles.contains(month.path)) {
                table.refusedFiles.append(month.path);
            }
            continue;
        }
        table.records += month.records;
        for (const auto& [bytes, sums] : month.byCategory) {
            cp932::decodeInto(QByteArrayView(bytes.data(), qsizetype(bytes.size())), text);
            byText[text.isEmpty() ? NoValue.toString() : text].add(sums);
        }
    }
    table.rows.reserve(byText.size());
    for (auto it = byText.cbegin(); it != byText.cend(); ++it) {
        const Sums& s = it.value();
        Row& row = table.rows.emplaceBack();
        row.category = it.key();
        row.entries = s.entries;
        row.wins = s.wins;
        row.smallWins = s.smallWins;
        row.middleWins = s.middleWins;
        row.bigWins = s.bigWins;
        row.winMoney = saturated(s.money, &row.moneyOverflow);
    }
    sortRows(table.rows);
    return table;
}

void sortRows(QList<Row>& rows) {
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        // a.wins / a.entries against b.wins / b.entries, multiplied out.
        const Wide left = Wide(a.wins) * std::max<qint64>(b.entries, 1);
        const Wide right = Wide(b.wins) * std::max<qint64>(a.entries, 1);
        if (left != right) {
            return left > right;
        }
        if (a.entries != b.entries) {
            return a.entries > b.entries;
        }
        return a.category < b.category;
    });
}

Chart yearChart(const QList<summaryfile::Row>& yearRows) {
    Chart chart;
    Series money{u"当選総額"_s, {}};
    Series expenses{u"支出総額"_s, {}};
    Series balance{u"収支総額"_s, {}};
    for (qsizetype month = 0; month < yearRows.size(); ++month) {
        const summaryfile::Row& row = yearRows[month];
        chart.categories.append(u"%1月"_s.arg(month + 1));
        money.values.append(yen(row.value(summaryfile::WinMoney)));
        expenses.values.append(yen(row.value(summaryfile::Expenses)));
        balance.values.append(yen(row.value(summaryfile::Balance)));
    }
    chart.bars = {money, expenses};
    chart.lines = {balance};
    return chart;
}

Chart totalChart(const QList<summaryfile::Row>& totalRows, Currency target) {
    Chart chart;
    Series money{u"当選総額"_s, {}};
    Series expenses{u"支出総額"_s, {}};
    Series running{u"累計収支"_s, {}};
    Series goal{u"目標収支金額"_s, {}};
    Wide balance = 0;
    for (const summaryfile::Row& row : totalRows) {
        chart.categories.append(row.value(summaryfile::Key) + u"年"_s);
        money.values.append(yen(row.value(summaryfile::WinMoney)));
        expenses.values.append(yen(row.value(summaryfile::Expenses)));
        balance += statistics::prizeValue(row.value(summaryfile::Balance)).units();
        running.values.append(double(balance) / double(Currency::UnitsPerYen));
        goal.values.append(double(target.units()) / double(Currency::UnitsPerYen));
    }
    chart.bars = {money, expenses};
    chart.lines = {running, goal};
    return chart;
}

}  // namespace analysis
