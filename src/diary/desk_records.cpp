// The desk: storing, importing and deleting records, and applying settings.
#include <algorithm>

#include "diary/desk.h"
#include "diary/mailimport.h"
#include "diary/refiling.h"
#include "storage/cp932.h"
#include "storage/diskfile.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace diary {

namespace {

QString yearMonthOf(const PrizeEntry& record) {
    return record[FilingDate].left(7);
}

}  // namespace

void Desk::sortIfWanted() {
    if (settings_.sortOn) {
        diary_.month().records().sortByFilingKey();
    }
}

Result Desk::replaceRecord(int row, const PrizeEntry& record) {
    RecordList& month = diary_.month().records();
    if (row < 0 || row >= month.count()) {
        return {false, {}};
    }
    month.replace(row, record);
    flags.MonthSavePending = true;
    sortIfWanted();
    Result stored = storeMonth();
    flags.MonthSavePending = false;
    return stored;
}

Result Desk::moveRecord(int row, const PrizeEntry& record) {
    Result result = diary_.moveRecord(row, record);
    result.tell(loadMonth());  // the old month, as its file now holds it
    return result;
}

Result Desk::addRecord(const PrizeEntry& record) {
    Result result;
    if (yearMonthOf(record) != ShownYearMonth()) {
        showMonthOf(record[FilingDate].left(8) + ShownDay());
        result.tell(loadMonth());
    }
    RecordList& month = diary_.month().records();
    const QList<PrizeEntry> before = month.records();
    month.append(record);
    flags.MonthSavePending = true;
    sortIfWanted();
    const Result stored = storeMonth();
    flags.MonthSavePending = false;
    result.tell(stored);
    result.done = stored.done;
    if (!stored.done) {
        month.assign(before);  // the list shows only what is stored
    }
    return result;
}

int Desk::findListedRecord(Tab tab, int row, Result* loaded) {
    const RecordList& listed = recordsOf(tab);
    if (row < 0 || row >= listed.count()) {
        return -1;
    }
    // The record is found in its own month by its 17 texts.
    const PrizeEntry wanted = listed.at(row);
    showMonthOf(wanted[FilingDate]);
    *loaded = loadMonth();
    return diary_.month().records().find(wanted);
}

Result Desk::storeImported(const QList<PrizeEntry>& records, bool sort) {
    RecordList& month = diary_.month().records();
    const QList<PrizeEntry> before = month.records();
    for (const PrizeEntry& record : records) {
        month.append(record);
    }
    if (sort) {
        sortIfWanted();
    }
    Result stored = storeMonth();
    if (!stored.done) {
        month.assign(before);  // the list shows only what is stored
    }
    return stored;
}

ImportOutcome Desk::importText(const QString& text,
                               const std::function<bool(const PrizeEntry&)>& isWanted,
                               const Progress& progress) {
    ImportOutcome outcome;
    const QDate start = shownDate_;
    searchResults_.clear();
    mailimport::Parsed parsed = mailimport::parse(text, ShownDate(), filedByDeadline());
    outcome.unreadableIds = parsed.unreadableIds;
    // Text the month files cannot hold is refused before anything is stored.
    QStringList all;
    for (const PrizeEntry& record : parsed.records) {
        all += QStringList(record.begin(), record.end());
    }
    if (const cp932::Encoded encoded = cp932::encode(all.join(u'\n')); !encoded.ok()) {
        outcome.result.fail(encoded.error);
        outcome.unreadableIds.clear();
        return outcome;
    }
    std::stable_sort(
        parsed.records.begin(), parsed.records.end(),
        [](const PrizeEntry& a, const PrizeEntry& b) { return a[FilingDate] < b[FilingDate]; });
    searchResults_.assign(parsed.records);
    if (!parsed.records.isEmpty()) {
        outcome.result = fileImported(parsed.records, isWanted, progress);
    }
    // The user sees the month shown before the import.
    if (shownDate_.year() != start.year() || shownDate_.month() != start.month()) {
        setShownDate(start);
        outcome.result.tell(loadMonth());
        outcome.monthReloaded = true;
    }
    return outcome;
}

Result Desk::fileImported(const QList<PrizeEntry>& records,
                          const std::function<bool(const PrizeEntry&)>& isWanted,
                          const Progress& progress) {
    Result result;
    const bool byDeadline = filedByDeadline();
    if (settings_.noTyohuku) {
        // Each record is compared with its month as stored, never with the
        // other records of the import.
        QString filing = ShownYearMonth();
        if (byDeadline) {
            showMonthOf(records.first()[FilingDate]);
            result.tell(loadMonth());
            filing = yearMonthOf(records.first());
        }
        QList<PrizeEntry> pending;
        for (const PrizeEntry& record : records) {
            if (byDeadline && yearMonthOf(record) != filing) {
                const Result stored = storeImported(pending, false);
                result.tell(stored);
                if (!stored.done) {
                    result.done = false;
                    return result;
                }
                showMonthOf(record[FilingDate]);
                result.tell(loadMonth());
                filing = yearMonthOf(record);
                pending.clear();
            }
            const QList<PrizeEntry>& stored = diary_.month().records().records();
            const bool known =
                std::any_of(stored.cbegin(), stored.cend(),
                            [&](const PrizeEntry& row) { return row[ID] == record[ID]; });
            if (!known || isWanted(record)) {
                pending.append(record);
            }
        }
        const Result stored = storeImported(pending, true);
        result.tell(stored);
        result.done = stored.done;
        return result;
    }
    if (!byDeadline) {
        return storeImported(records, true);
    }
    // By deadline, in runs of the same month.
    const int all = int(records.size()) + 1;
    int done = 0;
    progress(done, all);
    for (qsizetype first = 0; first < records.size();) {
        qsizetype end = first;
        while (end < records.size() && yearMonthOf(records[end]) == yearMonthOf(records[first])) {
            ++end;
        }
        showMonthOf(records[first][FilingDate]);
        result.tell(loadMonth());
        const Result stored = storeImported(records.mid(first, end - first), true);
        result.tell(stored);
        if (!stored.done) {
            result.done = false;
            return result;
        }
        done += int(end - first);
        progress(done, all);
        first = end;
    }
    return result;
}

Result Desk::removeRows(const QList<int>& rows) {
    return diary_.removeRows(rows);
}

Result Desk::removeShownMonth() {
    const MonthBook& book = diary_.month();
    // A file that holds more than the list shows is not removed from it.
    if (Result writable = book.writable(); !writable.done) {
        return writable;
    }
    return diary_.removeMonth(book.year(), book.month());
}

Result Desk::removeSearchResult(int row) {
    if (row < 0 || row >= searchResults_.count()) {
        return {false, {}};
    }
    const PrizeEntry wanted = searchResults_.at(row);
    if (flags.RemoveSearchRow) {
        searchResults_.removeAt(row);
    }
    showMonthOf(wanted[FilingDate]);
    Result result = loadMonth();
    const int found = diary_.month().records().find(wanted);
    selection.SelectedIndex = found + 1;
    if (found < 0) {
        return result;  // no longer in its month: nothing to delete there
    }
    result.tell(diary_.removeRows({found}));
    return result;
}

Result Desk::removeShownYear() {
    return diary_.removeYear(ShownYear());
}

Result Desk::removeAll() {
    return diary_.removeAll();
}

std::optional<QByteArray> Desk::settingsBytes(Result& result) const {
    QString error;
    const QString text = settingsfile::format(settings_, &error);
    const cp932::Encoded encoded = cp932::encode(text);
    if (!error.isEmpty() || !encoded.ok()) {
        result.fail(!error.isEmpty() ? error : encoded.error);
        return std::nullopt;
    }
    return encoded.bytes;
}

Result Desk::chooseSealKey(settingsfile::Settings& edited, const settingsfile::Settings& previous,
                           seal::Key* newKey) const {
    Result result;
    if (edited.seal && !previous.seal) {
        *newKey = seal::DataKey::generate();
        edited.sealKey =
            *newKey ? seal::sealKeyText(edited.startPasswordInput, **newKey) : QString();
    } else if (edited.seal && edited.startPasswordInput != previous.startPasswordInput) {
        // A new password of a sealed diary re-encrypts its data key only.
        const seal::Key key = diskfile::dataKey();
        if (!key) {
            result.fail(u"暗号化の鍵が開かれていないため、パスワードを変更できません。"_s);
            return result;
        }
        edited.sealKey = seal::sealKeyText(edited.startPasswordInput, *key);
    } else {
        // The key in force, whatever copy of the settings the tab edited.
        edited.sealKey = edited.seal ? previous.sealKey : QString();
    }
    if (edited.seal && edited.sealKey.isEmpty()) {
        result.fail(
            u"暗号化の鍵を作れないため、設定を適用できません。"
            u"データは何も変更していません。"_s);
    }
    return result;
}

Result Desk::reseal(const settingsfile::Settings& stored, const seal::Key& newKey,
                    const Progress& progress) {
    Result result;
    const std::optional<QByteArray> settingsFile = settingsBytes(result);
    if (!settingsFile) {
        return result;
    }
    const QString previousPassword = stored.startPasswordInput;
    const QString password = settings_.startPasswordInput;
    // A sealed month has no password line; an unsealed one gets the line of
    // the password in force, as designed.
    const QString line = !settings_.seal && settings_.startPassword ? password : QString();
    const auto rewrite = [&](const QString& path, QByteArray plain,
                             QString* problem) -> std::optional<QByteArray> {
        const monthfile::Content head =
            monthfile::scanBytes(plain, [](const monthfile::ByteFields&) { return false; });
        if (!monthfile::passwordFits(head, previousPassword) &&
            !monthfile::passwordFits(head, password)) {
            *problem = monthfile::dataFileErrorText(path);
            return std::nullopt;
        }
        return monthfile::withPasswordLine(plain, line);
    };
    return refiling::rewriteAll(paths(), newKey.get(), *settingsFile, rewrite, progress);
}

Result Desk::applySettings(const settingsfile::Settings& editedOnTab, const Progress& progress) {
    // What the settings file held before this apply.
    const settingsfile::Settings stored = settingsfile::read(paths().settingsFile()).settings;
    const settingsfile::Settings previous = settings_;
    settingsfile::Settings edited = editedOnTab;
    Result result;
    if (const std::optional<QString> refused = refusal(edited)) {
        result.fail(*refused);
        return result;
    }
    // Only a diary with a start password can be sealed.
    edited.seal = edited.seal && edited.startPassword && !edited.startPasswordInput.isEmpty();
    const bool keyChanged = stored.formatKeyNowDay != edited.formatKeyNowDay;
    const bool resealing = edited.seal != previous.seal;
    if (resealing && keyChanged) {
        result.fail(
            u"構成キーの変更と暗号化の切り替えは、一度に一つずつ適用して下さい。"
            u"データは何も変更していません。"_s);
        return result;
    }
    seal::Key newKey;
    result = chooseSealKey(edited, previous, &newKey);
    if (!result.done) {
        return result;
    }
    // Sealed month files carry no password line before or after.
    const refiling::Keys keys =
        previous.seal && edited.seal
            ? refiling::Keys{}
            : refiling::Keys{stored.startPasswordInput, edited.startPasswordInput,
                             edited.startPassword ? edited.startPasswordInput : QString()};
    const Currency target = Currency::parse(edited.dreamMoney).value_or(previous.targetAmount);
    settings_ = edited;
    // The target counts only once it is applied, and the window is where it is.
    settings_.targetAmount = previous.targetAmount;
    settings_.dreamMoneyFlag = previous.dreamMoneyFlag;
    settings_.mainTop = previous.mainTop;
    settings_.mainLeft = previous.mainLeft;
    if (resealing) {
        result = reseal(stored, newKey, progress);
        if (result.done) {
            diskfile::setDataKey(newKey);
            ownsDataKey_ = newKey != nullptr;
            // A settings save that a crash once stopped may have left the
            // old settings, password and all, in the settings folder's work
            // file.
            diskfile::removeFile(DataPaths::workFile(paths().iniFolder()));
        }
    } else if (keyChanged) {
        // The settings file changes together with the data, in one swap.
        if (const std::optional<QByteArray> settingsFile = settingsBytes(result)) {
            result = refiling::refile(paths(), keys, *settingsFile, target, progress);
        }
    } else {
        // A settings file that cannot be written stops the apply before any
        // month file is touched.
        result = saveSettings();
        if (result.done) {
            result.tell(refiling::rekey(paths(), keys, progress));
        }
    }
    if (!result.done) {
        settings_ = previous;
        return result;
    }
    settings_.targetAmount = target;
    // A new target is told again once it is reached; the file already says
    // so, and a later save must not set the flag again.
    settings_.dreamMoneyFlag = previous.dreamMoneyFlag && target == previous.targetAmount;
    applyDiarySettings();
    result.tell(diary_.summaries().recountTarget(target));
    Q_EMIT settingsChanged();
    return result;
}

}  // namespace diary
