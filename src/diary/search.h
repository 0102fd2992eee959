#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "diary/monthwalker.h"
#include "storage/currency.h"
#include "storage/prizeentry.h"

// The search over every stored month: conditions on the fields of a record
// and the walk that collects the records meeting them.
namespace search {

// A closed range of "yyyy/MM/dd" texts or of numbers.
template <typename T>
struct Range {
    T from;
    T to;
};

struct Conditions {
    // The filing date bounds the walk to its months and the records in them.
    std::optional<Range<QString>> filingDate;
    std::optional<Range<QString>> otherDate;  // column 9
    std::optional<Range<QString>> happyDay;
    std::optional<Range<Currency>> id;
    std::optional<Range<Currency>> money;
    // The winners rule reads the bounds as typed: "0" below lets a number in
    // another form pass, 0 above asks for "全員".
    std::optional<Range<QString>> number;
    // Texts: empty is no condition.
    QString site, url, present, msg, picture;
    bool caseSensitive = false;  // site, URL, prize and picture path
    // Choices: empty is no condition; the result after the 全当選 rule.
    QString genre, kekka, oboKeishiki, senkoWay, cycle, oboWay;
    // Any one condition of the fields suffices, instead of every one.
    bool anyCondition = false;

    bool isEmpty() const;
};

// The result text searched for: "全当選" finds every result containing 当選.
QString resultCondition(const QString& chosen);

// Whether a record meets the conditions. A stored ID, prize value or number
// of winners that is no number fails its range.
bool matches(const PrizeEntry& record, const Conditions& conditions);

// A whole search. The walk reads the months of the filing-date range, or all
// months; each month file must fit the password in force.
class Search {
  public:
    struct Hooks {
        // A month file that does not fit the password: it is passed over.
        std::function<void(const QString& path)> refused;
        // Called every ~15 ms with the number of records examined; true
        // stops the search.
        std::function<bool(qint64 examined)> interrupted;
    };

    Search(const DataPaths& paths, QString password)
        : walker_(paths), password_(std::move(password)) {}

    // The records found, in walk order; nothing when interrupted (the
    // results are then empty).
    std::optional<QList<PrizeEntry>> run(const Conditions& conditions, const Hooks& hooks);

    // The walk a search with these conditions makes.
    static diary::WalkRange walkOf(const Conditions& conditions);

  private:
    diary::MonthWalker walker_;
    QString password_;
};

}  // namespace search
