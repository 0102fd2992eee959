#include "diary/diary.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <functional>

#include "diary/monthwalker.h"
#include "storage/diskfile.h"

using namespace Qt::StringLiterals;

namespace diary {

namespace {

bool holdsAnyFile(const QString& folder) {
    return !QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

}  // namespace

bool Diary::isShown(const QString& year, const QString& month) const {
    return month_.state() != MonthBook::State::None && month_.year() == year &&
           month_.month() == month;
}

Result Diary::store(MonthBook& book) {
    Result result = book.save(settings_.storedPassword);
    if (!result.done) {
        return result;
    }
    const Result year = summaries_.storeMonth(book.year(), book.month().toInt(), book.figures());
    result.tell(year);
    if (year.done) {
        result.tell(summaries_.storeYear(book.year(), summaries_.yearSums(), settings_.target));
    }
    return result;
}

Result Diary::moveRecord(int row, const PrizeEntry& record) {
    const QString year = record[FilingDate].mid(0, 4);
    const QString month = record[FilingDate].mid(5, 2);
    if (isShown(year, month)) {
        // Not another month after all: the record stays in its row.
        month_.records().replace(row, record);
        if (settings_.sortAfterChange) {
            month_.records().sortByFilingKey();
        }
        return store(month_);
    }
    MonthBook target(paths_);
    Result result = summaries_.loadYear(year);
    result.tell(target.load(year, month, settings_.password, summaries_.expensesOf(month.toInt())));
    target.records().append(record);
    if (settings_.sortAfterChange) {
        target.records().sortByFilingKey();
    }
    const Result stored = store(target);
    result.tell(stored);
    result.done = stored.done;
    if (!stored.done) {
        return result;
    }
    if (row >= 0 && row < month_.records().count()) {
        result.tell(removeRows({row}));
    }
    return result;
}

Result Diary::removeRows(const QList<int>& rows) {
    // A month whose file holds more than the book shows loses nothing.
    if (Result writable = month_.writable(); !writable.done) {
        return writable;
    }
    month_.records().removeRows(rows);
    if (month_.records().count() > 0) {
        return store(month_);
    }
    return removeMonth(month_.year(), month_.month());
}

Result Diary::removeFile(const QString& path) {
    Result result;
    const diskfile::WriteResult removed = diskfile::removeFile(path);
    if (!removed.ok()) {
        result.error(removed.error);  // told, and the removal goes on
    }
    return result;
}

Result Diary::removeFolderFiles(const QString& folder) {
    Result result;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& file : files) {
        result.tell(removeFile(folder + u'/' + file));
    }
    return result;
}

void Diary::removeEmptySummaryFolder() {
    if (!holdsAnyFile(paths_.summaryFolder())) {
        QDir().rmdir(paths_.summaryFolder());
    }
}

Result Diary::removeMonth(const QString& year, const QString& month) {
    if (isShown(year, month)) {
        month_.records().clear();
        month_.setExpenses(Currency());
    }
    Result result = removeFile(paths_.monthFile(year, month));
    const QString yearFolder = paths_.yearFolder(year);
    if (holdsAnyFile(yearFolder)) {
        const Result yearRow = summaries_.storeMonth(year, month.toInt(), std::nullopt);
        result.tell(yearRow);
        if (yearRow.done) {
            result.tell(summaries_.storeYear(year, summaries_.yearSums(), settings_.target));
        }
    } else {
        QDir().rmdir(yearFolder);
        result.tell(removeFile(paths_.yearFile(year)));
        result.tell(summaries_.storeYear(year, std::nullopt, settings_.target));
    }
    removeEmptySummaryFolder();
    return result;
}

Result Diary::removeYear(const QString& year) {
    if (month_.state() != MonthBook::State::None && month_.year() == year) {
        month_.records().clear();
        month_.setExpenses(Currency());
    }
    const QString yearFolder = paths_.yearFolder(year);
    Result result = removeFolderFiles(yearFolder);
    QDir().rmdir(yearFolder);
    result.tell(removeFile(paths_.yearFile(year)));
    result.tell(summaries_.storeYear(year, std::nullopt, settings_.target));
    removeEmptySummaryFolder();
    return result;
}

Result Diary::removeAll() {
    if (month_.state() != MonthBook::State::None) {
        month_.records().clear();
        month_.setExpenses(Currency());
    }
    Result result;
    // Every folder below the data folder but the settings folder; the deepest
    // go first, so that each folder is empty when it is removed.
    QStringList folders = MonthWalker(paths_).yearFolders();
    folders.append(paths_.summaryFolder());
    std::sort(folders.begin(), folders.end(), std::greater<>());
    for (const QString& folder : folders) {
        result.tell(removeFolderFiles(folder));
        QDir().rmdir(folder);
    }
    summaries_.total().clear();
    return result;
}

}  // namespace diary
