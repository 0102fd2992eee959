#include "diary/deadlines.h"

#include <algorithm>

#include "diary/monthwalker.h"
#include "diary/records.h"
#include "storage/cp932.h"

using namespace Qt::StringLiterals;

namespace deadlines {

namespace {

const QString DateFormat = u"yyyy/MM/dd"_s;

QDate lastDay(const Window& window) {
    return window.today.addDays(std::max(window.days, 0));
}

// The window's days as text: dates of the file's form sort as their text,
// so that most records are turned away without reading a date.
struct DayRange {
    QDate from, to;
    QByteArray fromText, toText;
    DayRange(QDate first, QDate last)
        : from(first),
          to(last),
          fromText(first.toString(DateFormat).toLatin1()),
          toText(last.toString(DateFormat).toLatin1()) {}

    bool contains(QByteArrayView text) const {
        if (text.size() != 10 || text < fromText || toText < text) {
            return false;
        }
        // Only a real date counts: "2024/02/30" sorts inside as well.
        const QDate date = QDate::fromString(QString::fromLatin1(text), DateFormat);
        return date.isValid() && from <= date && date <= to;
    }
};

// The window's test on the bytes of a record, nothing decoded: the deadline is
// plain ASCII in any record that has one, the result compared in code page 932.
class ByteTest {
  public:
    explicit ByteTest(const Window& window)
        : days_(window.today, lastDay(window)),
          field_(deadlineField(window.filedByDeadline)),
          allResults_(window.allResults),
          notApplied_(cp932::encode(NotApplied.toString()).bytes) {}

    bool operator()(const monthfile::ByteFields& record) const {
        if (!allResults_ && record[Kekka] != notApplied_) {
            return false;
        }
        return days_.contains(record[field_]);
    }

  private:
    DayRange days_;
    PrizeField field_;
    bool allResults_;
    QByteArray notApplied_;
};

bool before(const PrizeEntry& a, const PrizeEntry& b, PrizeField deadline) {
    if (const int c = QString::compare(a[deadline], b[deadline])) {
        return c < 0;
    }
    if (const int c = QString::compare(a[FilingDate], b[FilingDate])) {
        return c < 0;
    }
    // IDs as the month list sorts them: whole numbers by value first.
    return records::compareWholeNumbersFirst(a[ID], b[ID]) < 0;
}

}  // namespace

QList<std::pair<QString, QString>> monthsToRead(const Window& window) {
    QList<std::pair<QString, QString>> months;
    if (!window.today.isValid()) {
        return months;
    }
    const QDate last = lastDay(window);
    QDate month(window.today.year(), window.today.month(), 1);
    if (!window.filedByDeadline) {
        month = month.addMonths(-12);
    }
    const QDate end(last.year(), last.month(), 1);
    for (; month <= end; month = month.addMonths(1)) {
        months.append({u"%1"_s.arg(month.year(), 4, 10, QChar(u'0')),
                       u"%1"_s.arg(month.month(), 2, 10, QChar(u'0'))});
    }
    return months;
}

bool selected(const PrizeEntry& record, const Window& window) {
    if (!window.allResults && record[Kekka] != NotApplied) {
        return false;
    }
    // Any character outside Latin-1 makes no date and maps to '?'.
    return DayRange(window.today, lastDay(window))
        .contains(record[deadlineField(window.filedByDeadline)].toLatin1());
}

void sortRecords(QList<PrizeEntry>& records, bool filedByDeadline) {
    const PrizeField deadline = deadlineField(filedByDeadline);
    std::stable_sort(
        records.begin(), records.end(),
        [deadline](const PrizeEntry& a, const PrizeEntry& b) { return before(a, b, deadline); });
}

Found find(const DataPaths& paths, const Window& window, const QString& password) {
    // The records and their months are sorted together.
    QList<std::pair<PrizeEntry, QString>> found;
    QStringList refused;
    const ByteTest wanted(window);
    for (const auto& [year, month] : monthsToRead(window)) {
        const QString path = paths.monthFile(year, month);
        const qsizetype kept = found.size();
        const QString monthName = year + u'/' + month;
        const diary::MonthScan read =
            diary::scanMonthFile(path, password, [&](const monthfile::ByteFields& bytes) {
                if (!wanted(bytes)) {
                    return true;
                }
                PrizeEntry record;
                for (int i = 0; i < PrizeEntryFieldCount; ++i) {
                    record[i] = cp932::decode(bytes[i]);
                }
                found.append({std::move(record), monthName});
                return true;
            });
        if (read == diary::MonthScan::Refused) {
            found.resize(kept);  // nothing of a file of another password is shown
            refused.append(path);
        }
    }
    const PrizeField deadline = deadlineField(window.filedByDeadline);
    std::stable_sort(found.begin(), found.end(), [deadline](const auto& a, const auto& b) {
        return before(a.first, b.first, deadline);
    });
    Found result;
    result.refusedFiles = refused;
    result.records.reserve(found.size());
    result.monthOf.reserve(found.size());
    for (auto& [record, month] : found) {
        result.records.append(std::move(record));
        result.monthOf.append(month);
    }
    return result;
}

int reminderCount(const DataPaths& paths, QDate today, bool filedByDeadline,
                  const QString& password) {
    const Window window{today, 6, false, filedByDeadline};
    const ByteTest wanted(window);
    int count = 0;
    for (const auto& [year, month] : monthsToRead(window)) {
        int inMonth = 0;
        const auto countWanted = [&](const monthfile::ByteFields& bytes) {
            inMonth += wanted(bytes) ? 1 : 0;
            return true;
        };
        if (diary::scanMonthFile(paths.monthFile(year, month), password, countWanted) ==
            diary::MonthScan::Read) {
            count += inMonth;
        }
    }
    return count;
}

}  // namespace deadlines
