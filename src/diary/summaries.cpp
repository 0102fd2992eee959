#include "diary/summaries.h"

#include <QDir>
#include <QtNumeric>
#include <algorithm>

#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;
using summaryfile::Row;

namespace diary {

namespace {

Currency money(const QString& text) {
    return Currency::parse(text).value_or(Currency());
}

Currency difference(Currency a, Currency b) {
    return a.minus(b).value_or(a);
}

// The rate and the balance of a row follow from its other figures.
void completeRow(Row& row) {
    using namespace summaryfile;
    const qint64 wins = countOf(row.value(WinCount));
    row[WinRate] = wins > 0 ? statistics::winRate(wins, countOf(row.value(EntryCount))) : u"0.00"_s;
    row[Balance] = difference(money(row.value(WinMoney)), money(row.value(Expenses))).toString();
}

// The seven figures a row takes from a month's counts or a year's sums.
void putFigures(Row& row, qint64 small, qint64 middle, qint64 big, qint64 wins, qint64 entries,
                Currency money, Currency expenses) {
    using namespace summaryfile;
    row[SmallWins] = QString::number(small);
    row[MiddleWins] = QString::number(middle);
    row[BigWins] = QString::number(big);
    row[WinCount] = QString::number(wins);
    row[EntryCount] = QString::number(entries);
    row[WinMoney] = money.toString();
    row[Expenses] = expenses.toString();
}

void putFigures(Row& row, const MonthFigures& figures) {
    const statistics::Counts& c = figures.counts;
    putFigures(row, c.smallWins, c.middleWins, c.bigWins, c.wins, c.entries, c.winMoney,
               figures.expenses);
}

Row totalRow(const QString& year, const YearSums& s) {
    Row row(summaryfile::TotalColumns, u"0"_s);
    row[summaryfile::Key] = year;
    putFigures(row, s.smallWins, s.middleWins, s.bigWins, s.wins, s.entries, s.money, s.expenses);
    completeRow(row);
    return row;
}

}  // namespace

QString YearSums::winRate() const {
    return wins < 1 ? u"0.00"_s : statistics::winRate(wins, entries);
}

Currency YearSums::balance() const {
    return difference(money, expenses);
}

YearSums sumOf(const QList<QStringList>& rows) {
    using namespace summaryfile;
    YearSums s;
    const auto addCount = [&](qint64& sum, const QString& text) {
        qint64 next = 0;
        if (qAddOverflow(sum, countOf(text), &next)) {
            s.overflow = true;
        } else {
            sum = next;
        }
    };
    const auto addMoney = [&](Currency& sum, const QString& text) {
        if (const std::optional<Currency> next = sum.plus(diary::money(text))) {
            sum = *next;
        } else {
            s.overflow = true;
        }
    };
    for (const Row& row : rows) {
        addCount(s.smallWins, row.value(SmallWins));
        addCount(s.middleWins, row.value(MiddleWins));
        addCount(s.bigWins, row.value(BigWins));
        addCount(s.wins, row.value(WinCount));
        addCount(s.entries, row.value(EntryCount));
        addMoney(s.money, row.value(WinMoney));
        addMoney(s.expenses, row.value(Expenses));
    }
    return s;
}

Currency Summaries::expensesOf(int month) const {
    if (month < 1 || month > year_.count()) {
        return {};
    }
    return money(year_.text(month - 1, summaryfile::Expenses));
}

MonthFigures Summaries::figuresOf(int month) const {
    using namespace summaryfile;
    MonthFigures figures;
    if (month < 1 || month > year_.count()) {
        return figures;
    }
    const auto count = [&](int column) { return qint32(countOf(year_.text(month - 1, column))); };
    figures.counts.smallWins = count(SmallWins);
    figures.counts.middleWins = count(MiddleWins);
    figures.counts.bigWins = count(BigWins);
    figures.counts.wins = count(WinCount);
    figures.counts.entries = count(EntryCount);
    figures.counts.winMoney = money(year_.text(month - 1, WinMoney));
    figures.expenses = expensesOf(month);
    return figures;
}

Result Summaries::damaged(const QString& path, const QString& text) {
    Result result;
    if (!toldDamaged_.contains(path)) {
        toldDamaged_.append(path);
        result.error(text);
    }
    return result;
}

Result Summaries::refusedDamaged(const QString& path, const QString& text) {
    Result result = damaged(path, text);
    result.done = false;  // never written over
    return result;
}

Result Summaries::loaded(const QString& path, const summaryfile::ReadResult& read,
                         const YearSums& sums) {
    if (read.status == summaryfile::ReadResult::Status::Damaged) {
        return damaged(path, read.error);
    }
    if (sums.overflow) {
        return damaged(
            path,
            u"データファイル「%1」の合計が扱える範囲を超えています。\r\n"
            u"合計には範囲に収まるところまでを表示します。"_s.arg(QDir::toNativeSeparators(path)));
    }
    return {};
}

Result Summaries::loadYear(const QString& year) {
    const QString path = paths_.yearFile(year);
    summaryfile::ReadResult read = summaryfile::readYear(path);
    year_.assign(read.rows);
    return loaded(path, read, yearSums());
}

Result Summaries::loadTotal() {
    summaryfile::ReadResult read = summaryfile::readTotal(paths_.totalFile());
    total_.assign(read.rows);
    return loaded(paths_.totalFile(), read, totalSums());
}

Result Summaries::storeMonth(const QString& year, int month,
                             const std::optional<MonthFigures>& figures) {
    using namespace summaryfile;
    Result result;
    const QString path = paths_.yearFile(year);
    const ReadResult read = readYear(path);
    // Never overwrite figures that could not be read.
    if (read.status == ReadResult::Status::Failed) {
        result.fail(read.error);
        return result;
    }
    if (read.status == ReadResult::Status::Damaged) {
        return refusedDamaged(path, read.error);
    }
    QList<Row> rows = read.rows;
    if (month >= 1 && month <= 12) {
        Row& row = rows[month - 1];
        if (figures) {
            putFigures(row, *figures);
        } else {
            row = zeroYear()[month - 1];
        }
    }
    for (Row& row : rows) {
        completeRow(row);
    }
    year_.assign(rows);
    const diskfile::WriteResult written = write(path, rows);
    if (!written.ok()) {
        result.fail(written.error);
    }
    return result;
}

Result Summaries::storeYear(const QString& year, const std::optional<YearSums>& sums,
                            Currency target) {
    using namespace summaryfile;
    Result result;
    const QString path = paths_.totalFile();
    const ReadResult read = readTotal(path);
    // A total file that cannot be read is never overwritten.
    if (read.status == ReadResult::Status::Failed) {
        result.done = false;
        return result;
    }
    if (read.status == ReadResult::Status::Damaged) {
        return refusedDamaged(path, read.error);
    }
    QList<Row> rows = read.rows;
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const Row& row) { return row.value(Key) == year; });
    if (!sums) {
        if (found != rows.end()) {
            rows.erase(found);
        }
    } else if (found != rows.end()) {
        const Row figures = totalRow(year, *sums);
        for (int column = SmallWins; column <= Balance; ++column) {
            (*found)[column] = figures[column];
        }
    } else {
        rows.append(totalRow(year, *sums));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.value(Key) < b.value(Key); });
    Currency left = target;
    for (Row& row : rows) {
        while (row.size() < TotalColumns) {
            row.append(u"0"_s);
        }
        left = difference(left, money(row[Balance]));
        row[TargetLeft] = left.toString();
    }
    total_.assign(rows);
    const diskfile::WriteResult written = write(path, rows);
    if (!written.ok()) {
        result.fail(written.error);
    }
    return result;
}

Result Summaries::recountTarget(Currency target) {
    using namespace summaryfile;
    Result result;
    const ReadResult read = readTotal(paths_.totalFile());
    if (read.status != ReadResult::Status::Read) {
        result.done = read.status == ReadResult::Status::Missing;
        return result;  // nothing to count, or a file never written over
    }
    QList<Row> rows = read.rows;
    Currency left = target;
    for (Row& row : rows) {
        left = difference(left, money(row[Balance]));
        row[TargetLeft] = left.toString();
    }
    total_.assign(rows);
    const diskfile::WriteResult written = write(paths_.totalFile(), rows);
    if (!written.ok()) {
        result.fail(written.error);
    }
    return result;
}

}  // namespace diary
