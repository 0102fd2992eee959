#include "diary/search.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QScopeGuard>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>
#include <chrono>
#include <vector>

#include "diary/monthwalker.h"
#include "storage/cp932.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace search {

namespace {

bool within(const std::optional<Range<QString>>& range, QStringView value) {
    return range->from <= value && value <= range->to;
}

bool within(const std::optional<Range<Currency>>& range, QStringView value) {
    const std::optional<Currency> number = Currency::parse(value);
    return number && range->from <= *number && *number <= range->to;
}

// Whether the field holds the wanted text, already in lower case, when both
// are taken in lower case letter by letter.
bool containsLower(QStringView field, QStringView wantedLower) {
    if (wantedLower.isEmpty()) {
        return true;
    }
    const qsizetype last = field.size() - wantedLower.size();
    for (qsizetype at = 0; at <= last; ++at) {
        qsizetype k = 0;
        while (k < wantedLower.size() && field[at + k].toLower() == wantedLower[k]) {
            ++k;
        }
        if (k == wantedLower.size()) {
            return true;
        }
    }
    return false;
}

bool contains(QStringView field, const QString& wanted, const QString& wantedLower,
              bool caseSensitive) {
    return caseSensitive ? field.contains(wanted) : containsLower(field, wantedLower);
}

bool winners(QStringView field, const Range<QString>& bounds) {
    bool ok = false;
    const int up = bounds.to.toInt(&ok);
    if (!ok || up == 0) {
        return field == u"全員"_s;
    }
    if (!field.contains(u"名様"_s)) {
        return bounds.from == u"0"_s;
    }
    const int number = field.left(field.size() - 2).toInt(&ok);
    return ok && bounds.from.toInt() <= number && number <= up;
}

// The texts of the conditions in lower case, made once for a search.
struct Lowered {
    QString site, url, present, picture;
    explicit Lowered(const Conditions& c)
        : site(c.site.toLower()),
          url(c.url.toLower()),
          present(c.present.toLower()),
          picture(c.picture.toLower()) {}
};

// Each condition that is set, in the order of the columns, says whether the
// record meets it.
template <typename Record, typename Visit>
void forEachCondition(const Record& r, const Conditions& c, const Lowered& l, Visit&& visit) {
    if (c.id) {
        visit(within(c.id, r[ID]));
    }
    if (!c.site.isEmpty()) {
        visit(contains(r[Site], c.site, l.site, c.caseSensitive));
    }
    if (!c.url.isEmpty()) {
        visit(contains(r[URL], c.url, l.url, c.caseSensitive));
    }
    if (!c.genre.isEmpty()) {
        visit(QStringView(r[Genre]).contains(c.genre));
    }
    if (!c.present.isEmpty()) {
        visit(contains(r[Present], c.present, l.present, c.caseSensitive));
    }
    if (!c.kekka.isEmpty()) {
        visit(QStringView(r[Kekka]).contains(c.kekka));
    }
    if (c.money) {
        visit(within(c.money, r[HappyMoney]));
    }
    if (c.number) {
        visit(winners(r[Number], *c.number));
    }
    if (c.otherDate) {
        visit(within(c.otherDate, r[OtherDate]));
    }
    if (c.happyDay) {
        visit(within(c.happyDay, r[HappyDay]));
    }
    for (const auto& [field, wanted] :
         {std::pair{OboKeishiki, &c.oboKeishiki}, std::pair{SenkoWay, &c.senkoWay},
          std::pair{Cycle, &c.cycle}, std::pair{OboWay, &c.oboWay}}) {
        if (!wanted->isEmpty()) {
            visit(QStringView(r[field]).contains(*wanted));
        }
    }
    if (!c.msg.isEmpty()) {
        visit(QStringView(r[Msg]).contains(c.msg));  // the comment always by its exact letters
    }
    if (!c.picture.isEmpty()) {
        visit(contains(r[PicturePath], c.picture, l.picture, c.caseSensitive));
    }
}

template <typename Record>
bool matchesRecord(const Record& record, const Conditions& conditions, const Lowered& lowered) {
    if (conditions.filingDate && !within(conditions.filingDate, record[FilingDate])) {
        return false;
    }
    int set = 0;
    int met = 0;
    forEachCondition(record, conditions, lowered, [&](bool holds) {
        ++set;
        met += holds;
    });
    return conditions.anyCondition ? set == 0 || met > 0 : met == set;
}

// What the search makes of one month file; months are read side by side.
struct MonthFound {
    QString path;
    bool refused = false;
    qint64 examined = 0;
    QList<PrizeEntry> found;
};

// How often the hooks hear of a walk.
constexpr qint64 LookMilliseconds = 15;

// Which months of a walk the worker threads are done with, so that the walk
// can take them back in order as soon as each is ready.
class MonthBoard {
  public:
    explicit MonthBoard(std::size_t count) : done_(count, false) {}

    void markDone(std::size_t month) {
        {
            const std::lock_guard lock(mutex_);
            done_[month] = true;
        }
        changed_.notify_one();
    }
    // Waits at most `wait` for the month; whether it is done.
    bool waitFor(std::size_t month, qint64 wait) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(wait),
                                 [&] { return bool(done_[month]); });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> done_;
};

QList<PrizeEntry> joined(QList<QList<PrizeEntry>>& months) {
    QList<PrizeEntry> all;
    qsizetype total = 0;
    for (const QList<PrizeEntry>& records : months) {
        total += records.size();
    }
    all.reserve(total);
    for (QList<PrizeEntry>& records : months) {
        std::move(records.begin(), records.end(), std::back_inserter(all));
    }
    return all;
}

using DecodedFields = std::array<QString, PrizeEntryFieldCount>;

// A record of a month file's bytes whose fields are decoded when a
// condition first looks at them, into strings that the month's records use
// one after another. (Not thread_local: in a MinGW build the destructors of
// such objects crash or hang the program at its end.)
class LazyRecord {
  public:
    LazyRecord(const monthfile::ByteFields& bytes, DecodedFields& fields)
        : bytes_(bytes), fields_(fields) {}
    const QString& operator[](int column) const {
        QString& field = fields_[column];
        if ((decoded_ >> column & 1u) == 0) {
            cp932::decodeInto(bytes_[column], field);
            decoded_ |= 1u << column;
        }
        return field;
    }

  private:
    const monthfile::ByteFields& bytes_;
    DecodedFields& fields_;
    mutable quint32 decoded_ = 0;
};

MonthFound searchMonth(const QString& path, const Conditions& conditions, const Lowered& lowered,
                       const QString& password, const std::atomic<bool>& stop) {
    MonthFound month;
    month.path = path;
    if (stop) {
        return month;  // the worker threads take months in blocks
    }
    std::array<monthfile::RecentTexts, PrizeEntryFieldCount> recent;
    DecodedFields fields;
    const diary::MonthScan scan =
        diary::scanMonthFile(path, password, [&](const monthfile::ByteFields& bytes) {
            ++month.examined;
            const LazyRecord record(bytes, fields);
            if (matchesRecord(record, conditions, lowered)) {
                PrizeEntry& entry = month.found.emplace_back();
                for (int i = 0; i < PrizeEntryFieldCount; ++i) {
                    entry[i] = recent[i].take(record[i]);
                }
            }
            // An interrupted search leaves a month at once.
            return (month.examined & 0x3F) != 0 || !stop.load(std::memory_order_relaxed);
        });
    // A file that cannot be read has nothing to find; one of another
    // password, or a seal that does not open, shows nothing.
    return scan == diary::MonthScan::Refused ? MonthFound{path, true, 0, {}} : month;
}

}  // namespace

bool Conditions::isEmpty() const {
    bool any = false;
    forEachCondition(PrizeEntry(), *this, Lowered(*this), [&](bool) { any = true; });
    return !any;
}

QString resultCondition(const QString& chosen) {
    return chosen == u"全当選"_s ? u"当選"_s : chosen;
}

bool matches(const PrizeEntry& record, const Conditions& conditions) {
    return matchesRecord(record, conditions, Lowered(conditions));
}

diary::WalkRange Search::walkOf(const Conditions& conditions) {
    if (!conditions.filingDate) {
        return diary::WalkRange::everyMonth();
    }
    const QString& from = conditions.filingDate->from;
    const QString& to = conditions.filingDate->to;
    const int fromYear = from.left(4).toInt();
    const int fromMonth = from.mid(5, 2).toInt();
    const int steps = (to.left(4).toInt() - fromYear) * 12 + to.mid(5, 2).toInt() - fromMonth + 1;
    return diary::WalkRange::months(fromYear, fromMonth, std::max(steps, 0));
}

std::optional<QList<PrizeEntry>> Search::run(const Conditions& conditions, const Hooks& hooks) {
    std::vector<MonthFound> months;
    walker_.walkFiles(walkOf(conditions),
                      [&](const QString& path) { months.emplace_back().path = path; });
    const Lowered lowered(conditions);
    // Months are read and searched on worker threads; their findings are
    // taken in walk order here, with a look at the hooks between them.
    std::atomic<bool> stop = false;
    MonthBoard board(months.size());
    QFuture<void> searching = QtConcurrent::map(months, [&](MonthFound& month) {
        month = searchMonth(month.path, conditions, lowered, password_, stop);
        board.markDone(std::size_t(&month - months.data()));
    });
    const auto settle = qScopeGuard([&] {
        stop = true;  // the months not yet begun are passed over
        searching.waitForFinished();
    });
    qint64 examined = 0;
    QElapsedTimer sinceLook;
    sinceLook.start();
    const auto interrupted = [&] {
        if (sinceLook.elapsed() < LookMilliseconds) {
            return false;
        }
        sinceLook.restart();
        return hooks.interrupted && hooks.interrupted(examined);
    };
    QList<QList<PrizeEntry>> found;
    found.reserve(qsizetype(months.size()));
    for (std::size_t i = 0; i < months.size(); ++i) {
        while (!board.waitFor(i, std::max<qint64>(1, LookMilliseconds - sinceLook.elapsed()))) {
            if (interrupted()) {
                return std::nullopt;
            }
        }
        MonthFound& month = months[i];
        if (month.refused && hooks.refused) {
            hooks.refused(month.path);
        }
        examined += month.examined;
        found.append(std::move(month.found));
        if (interrupted()) {
            return std::nullopt;
        }
    }
    if (hooks.interrupted && hooks.interrupted(examined)) {
        return std::nullopt;
    }
    return joined(found);
}

SearchRun::SearchRun(const DataPaths& paths, const QString& password, QObject* parent)
    : QObject(parent), search_(paths, password) {
    // One thread for the walk; it waits for the months, so it must not hold
    // a thread of the pool they run on.
    walkThread_.setMaxThreadCount(1);
    connect(&watcher_, &QFutureWatcherBase::finished, this, &SearchRun::finished);
}

SearchRun::~SearchRun() {
    interrupt();
    walkThread_.waitForDone();
}

void SearchRun::start(const Conditions& conditions) {
    watcher_.setFuture(
        QtConcurrent::run(&walkThread_, [this, conditions] { return walk(conditions); }));
}

void SearchRun::interrupt() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    told_.notify_all();
}

void SearchRun::refusalTold() {
    {
        const std::lock_guard lock(mutex_);
        refusalPending_ = false;
    }
    told_.notify_all();
}

SearchRun::Found SearchRun::takeResults() {
    return watcher_.future().takeResult();  // the results live on with the caller only
}

SearchRun::Found SearchRun::walk(const Conditions& conditions) {
    Search::Hooks hooks;
    hooks.refused = [this](const QString& path) {
        std::unique_lock lock(mutex_);
        refusalPending_ = true;
        lock.unlock();
        Q_EMIT refused(path);
        lock.lock();
        told_.wait(lock, [this] { return !refusalPending_ || stop_; });
    };
    hooks.interrupted = [this](qint64 examined) {
        Q_EMIT progress(examined);
        return stop_.load();
    };
    return search_.run(conditions, hooks);
}

}  // namespace search
