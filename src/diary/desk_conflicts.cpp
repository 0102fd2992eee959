// The desk: the copies that sync clients made of the data files, their
// records brought back into their months and the copies set aside.
#include <QMap>

#include "diary/conflicts.h"
#include "diary/desk.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace diary {

namespace {

QString copiesText(const QString& head, const QStringList& copies) {
    return head + u"\r\n\r\n"_s + conflicts::listing(copies).join(u"\r\n"_s);
}

// The copies that stay where they are, and why.
struct Left {
    QStringList unreadable;
    QStringList unstored;  // their months could not store their records
    QStringList unmoved;
    QString reason;  // why the first of the unmoved could not be moved
};

// Reads the copies of the month file original; the records that held lacks
// are appended to missing, each once. Returns the copies read.
QStringList readCopies(const DataPaths& paths, const QString& original, const QStringList& copies,
                       const QString& password, QList<PrizeEntry> held, QList<PrizeEntry>& missing,
                       Left& left) {
    QStringList read;
    for (const QString& copy : copies) {
        const monthfile::ReadResult copied = monthfile::readCopy(
            paths.dataFolder() + u'/' + copy, paths.dataFolder() + u'/' + original, password);
        if (copied.status == monthfile::ReadResult::Status::Missing) {
            continue;  // gone since it was found: nothing to bring back
        }
        if (copied.status != monthfile::ReadResult::Status::Loaded) {
            left.unreadable.append(copy);
            continue;
        }
        const QList<PrizeEntry> fresh = conflicts::notHeldIn(held, copied.records);
        held += fresh;
        missing += fresh;
        read.append(copy);
    }
    return read;
}

void setAsideAll(const DataPaths& paths, const QStringList& copies, const QDateTime& now,
                 Left& left) {
    const QString folder = conflicts::setAsideFolder(paths, now);
    for (const QString& copy : copies) {
        QString why;
        if (!conflicts::setAside(paths, copy, folder, &why)) {
            left.unmoved.append(copy);
            left.reason = left.reason.isEmpty() ? why : left.reason;
        }
    }
}

void tell(Result& result, const Left& left) {
    if (!left.unreadable.isEmpty()) {
        result.error(
            copiesText(u"次の競合ファイルは読み込めないため、記録を取り込まずにそのまま残しました。"
                       u"別のパスワードで書かれたか、壊れています。"_s,
                       left.unreadable));
    }
    if (!left.unstored.isEmpty()) {
        result.error(
            copiesText(u"次の競合ファイルの記録を月に保存できなかったため、そのまま残しました。"_s,
                       left.unstored));
    }
    if (!left.unmoved.isEmpty()) {
        result.error(copiesText(
            u"次の競合ファイルを移動できなかったため、そのまま残しました。\r\n"_s + left.reason,
            left.unmoved));
    }
}

}  // namespace

QStringList Desk::conflictCopies() const {
    return conflicts::findCopies(paths());
}

Result Desk::bringBackConflicts(const QStringList& copies, const QDateTime& now) {
    Result result;
    searchResults_.clear();
    const QDate start = shownDate_;
    // The month copies by the month they are copies of, in path order.
    QMap<QString, QStringList> months;
    QStringList settled;  // brought back, or holding no records
    for (const QString& copy : copies) {
        const QString original = conflicts::originalOf(copy);
        if (conflicts::isMonthFile(original)) {
            months[original].append(copy);
        } else if (!original.isEmpty()) {
            settled.append(copy);  // the summaries are counted from the months
        }
    }
    Left left;
    QList<PrizeEntry> added;
    for (auto month = months.cbegin(); month != months.cend(); ++month) {
        showMonthOf(u"%1/%2/%3"_s.arg(month.key().left(4), month.key().mid(5, 2),
                                      shownDate_.isValid() ? ShownDay() : u"01"_s));
        result.tell(loadMonth());
        QList<PrizeEntry> missing;
        const QStringList read = readCopies(paths(), month.key(), month.value(), startPassword(),
                                            diary_.month().records().records(), missing, left);
        if (!missing.isEmpty()) {
            const Result stored = storeImported(missing, true);
            result.tell(stored);
            if (!stored.done) {
                left.unstored += read;  // the copies keep what the month could not
                continue;
            }
            added += missing;
        }
        settled += read;
    }
    setAsideAll(paths(), settled, now, left);
    searchResults_.assign(added);
    // The user sees the month shown before.
    if (shownDate_.year() != start.year() || shownDate_.month() != start.month()) {
        setShownDate(start);
        result.tell(loadMonth());
    }
    tell(result, left);
    return result;
}

}  // namespace diary
