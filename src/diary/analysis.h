#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "storage/currency.h"
#include "storage/datafolder.h"
#include "storage/prizeentry.h"
#include "storage/summaryfile.h"

// The analysis tab's figures: every record of a period counted by the value
// of one field, as the month statistics count them, and the figures of the
// year and total files as chart series.
namespace analysis {

// The fields the table can be by, in the order of the tab's combo box.
enum class Kind { Genre, Site, OboKeishiki, SenkoWay, Cycle, OboWay };
inline constexpr std::array<Kind, 6> Kinds = {Kind::Genre,    Kind::Site,  Kind::OboKeishiki,
                                              Kind::SenkoWay, Kind::Cycle, Kind::OboWay};

PrizeField fieldOf(Kind kind);
QString kindCaption(Kind kind);

// What the table shows for an empty value.
inline constexpr QStringView NoValue = u"（なし）";

struct Row {
    QString category;  // the value; an empty value shows as NoValue
    qint64 entries = 0;
    qint64 wins = 0;
    qint64 smallWins = 0, middleWins = 0, bigWins = 0;
    Currency winMoney;
    // The money won passed the range of money: winMoney is the end of the
    // range it passed.
    bool moneyOverflow = false;

    // wins ÷ entries × 100 as "##0.00", as the month statistics show it.
    QString rate() const;
    // 分類, 応募総数, 当選総数, 当選率, 小物当選, 中物当選, 大物当選, 当選総額.
    QStringList cells() const;
};

struct Table {
    QList<Row> rows;           // in the default order
    QStringList refusedFiles;  // month files that did not open, in walk order, each once
    qint64 records = 0;        // records counted

    bool moneyOverflow() const;
};

// Every record of the period: the month files of `year` ("yyyy"), or of
// every year when year is empty. A month file whose password line does not
// fit `password`, or a sealed one that does not open, is refused and left
// out; damaged lines are left out. Months are counted on the shared thread
// pool, the calling thread among them.
Table count(const DataPaths& paths, Kind kind, const QString& year, const QString& password);

// The default order: win rate descending (by the exact ratio, not its
// rounded text), then entries descending, then the category's text.
void sortRows(QList<Row>& rows);

struct Series {
    QString name;
    QList<double> values;
};

struct Chart {
    QStringList categories;
    QList<Series> bars;
    QList<Series> lines;
};

// The year file's twelve rows as "1月".."12月": bars 当選総額 and 支出総額,
// line 収支総額, in yen.
Chart yearChart(const QList<summaryfile::Row>& yearRows);
// One category per row of the total file ("2009年"): bars 当選総額 and
// 支出総額, lines 累計収支 (the balance summed up to each year) and
// 目標収支金額 (the target, the same every year).
Chart totalChart(const QList<summaryfile::Row>& totalRows, Currency target);

}  // namespace analysis
