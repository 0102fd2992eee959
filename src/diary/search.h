#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
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
    // Called on the thread that runs the search.
    struct Hooks {
        // A month file that does not fit the password: it is passed over.
        std::function<void(const QString& path)> refused;
        // Called every ~15 ms with the number of records examined, also
        // while a month is still being read; true stops the search.
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

// A whole search that walks on a thread of its own, beside the thread that
// starts it, and tells of the walk by signals in walk order. The signals
// come from the walk's thread: a receiver on the starting thread has them
// queued. Deleting the run interrupts the walk and waits for it to stop.
class SearchRun : public QObject {
    Q_OBJECT

  public:
    using Found = std::optional<QList<PrizeEntry>>;

    SearchRun(const DataPaths& paths, const QString& password, QObject* parent = nullptr);
    ~SearchRun() override;

    // Starts the walk; a run walks once.
    void start(const Conditions& conditions);
    // The walk stops at its next look; finished() follows.
    void interrupt();
    // The user has been told of the refused file: the walk goes on.
    void refusalTold();
    // After finished(): the records found, in walk order, or nothing after
    // an interrupt.
    Found takeResults();

  Q_SIGNALS:
    // The number of records examined so far, every ~15 ms.
    void progress(qint64 examined);
    // A month file that does not fit the password. The walk waits for
    // refusalTold() or interrupt(), so that each file is told in turn.
    void refused(const QString& path);
    void finished();

  private:
    Found walk(const Conditions& conditions);

    Search search_;
    QThreadPool walkThread_;  // the months themselves go to the shared pool
    QFutureWatcher<Found> watcher_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::condition_variable told_;
    bool refusalPending_ = false;
};

}  // namespace search
