// The desk: the shown date, the settings, and the months and summaries shown.
#include "diary/desk.h"

#include <QDir>

#include "diary/autobackup.h"
#include "diary/backup.h"
#include "storage/diskfile.h"
#include "storage/summaryfile.h"

using namespace Qt::StringLiterals;

namespace diary {

namespace {

// The years the data folder can name: "0001" to "9999".
int wrapYear(int year) {
    return (year + 9998) % 9999 + 1;
}

QDate fittedDate(int year, int month, int day) {
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
}

}  // namespace

Desk::Desk(const DataPaths& paths, QObject* parent) : QObject(parent), diary_(paths) {}

Desk::~Desk() {
    if (ownsDataKey_) {
        diskfile::setDataKey(nullptr);
    }
}

QString Desk::ShownDate() const {
    return shownDate_.toString(u"yyyy/MM/dd"_s);
}

QString Desk::ShownYear() const {
    return u"%1"_s.arg(shownDate_.year(), 4, 10, QChar(u'0'));
}

QString Desk::ShownMonth() const {
    return shownDate_.toString(u"MM"_s);
}

QString Desk::ShownDay() const {
    return shownDate_.toString(u"dd"_s);
}

QString Desk::ShownYearMonth() const {
    return ShownYear() + u'/' + ShownMonth();
}

void Desk::setShownDate(QDate date) {
    if (!date.isValid() || date == shownDate_) {
        return;
    }
    shownDate_ = date;
    Q_EMIT shownDateChanged(date);
}

void Desk::stepMonth(int by) {
    // Months counted from 0001/01 around the calendar's 9999 years, so that
    // a step of any length back past 0001 lands on a month.
    constexpr int calendar = 9999 * 12;
    const int months =
        ((shownDate_.year() - 1) * 12 + shownDate_.month() - 1 + by % calendar + calendar) %
        calendar;
    setShownDate(fittedDate(months / 12 + 1, months % 12 + 1, shownDate_.day()));
}

void Desk::stepYear(int by) {
    setShownDate(
        fittedDate(wrapYear(shownDate_.year() + by), shownDate_.month(), shownDate_.day()));
}

void Desk::showMonthOf(const QString& filingDate) {
    bool yearOk = false;
    bool monthOk = false;
    const int year = filingDate.mid(0, 4).toInt(&yearOk);
    const int month = filingDate.mid(5, 2).toInt(&monthOk);
    if (!yearOk || !monthOk || year < 1 || year > 9999 || month < 1 || month > 12) {
        return;
    }
    bool dayOk = false;
    const int day = filingDate.mid(8, 2).toInt(&dayOk);
    setShownDate(fittedDate(year, month, dayOk && day >= 1 ? day : shownDate_.day()));
}

bool Desk::storableYear() const {
    return shownDate_.isValid() && shownDate_.year() >= 1 && shownDate_.year() <= 9999;
}

Result Desk::loadSettings() {
    const settingsfile::ReadResult read = settingsfile::read(paths().settingsFile());
    const settingsfile::Settings before = settings_;
    settings_ = read.settings;
    applyDiarySettings();
    Q_EMIT settingsChanged();
    if (!read.exists) {
        // The first start writes the defaults, with the window where it is.
        settings_.mainTop = before.mainTop;
        settings_.mainLeft = before.mainLeft;
        return saveSettings();
    }
    return {};
}

Result Desk::saveSettings() {
    Result result;
    QDir().mkpath(paths().iniFolder());
    const diskfile::WriteResult written = settingsfile::write(paths().settingsFile(), settings_);
    if (!written.ok()) {
        result.fail(u"設定を保存できませんでした。\r\n"_s + written.error);
    }
    return result;
}

void Desk::setWindowPosition(int topTwips, int leftTwips) {
    settings_.mainTop = topTwips;
    settings_.mainLeft = leftTwips;
}

void Desk::applyDiarySettings() {
    const QString password = startPassword();
    diary_.setSettings({password, settings_.startPassword ? password : QString(), settings_.sortOn,
                        settings_.targetAmount});
}

Result Desk::unlock(const QString& password) {
    Result result;
    const seal::Key key = seal::openSealKey(password, settings_.sealKey);
    if (!key) {
        result.done = false;
        return result;
    }
    diskfile::setDataKey(key);
    ownsDataKey_ = true;
    settings_.startPasswordInput = password;  // in memory only
    return result;
}

std::optional<Result> Desk::checkTargetReached() {
    if (settings_.targetAmount.isZero() || settings_.dreamMoneyFlag) {
        return std::nullopt;
    }
    const RowList& total = diary_.summaries().total();
    for (int row = 0; row < total.count(); ++row) {
        const Currency left =
            Currency::parse(total.text(row, summaryfile::TargetLeft)).value_or(Currency());
        if (left <= Currency()) {
            settings_.dreamMoneyFlag = true;
            return saveSettings();
        }
    }
    return std::nullopt;
}

Result Desk::loadMonth() {
    MonthBook& book = diary_.month();
    if (!storableYear()) {
        book.clear();
        return {};
    }
    // The month's expenses live in the year file. They are taken from there
    // whether or not the month has a file, so that a month whose records
    // were all deleted keeps its expenses when records come again.
    Result result = loadYear();
    result.tell(book.load(ShownYear(), ShownMonth(), startPassword(),
                          diary_.summaries().expensesOf(shownDate_.month())));
    return result;
}

Result Desk::storeMonth() {
    if (!storableYear()) {
        return {false, {}};
    }
    return diary_.store(diary_.month());
}

Result Desk::loadYear() {
    return diary_.summaries().loadYear(ShownYear());
}

Result Desk::loadTotal() {
    return diary_.summaries().loadTotal();
}

Result Desk::enterExpenses(const QString& typed) {
    Result result;
    // Pasted text escapes the key filter: only a whole amount is stored.
    const std::optional<Currency> expenses = Currency::parse(typed);
    if (!expenses || *expenses < Currency()) {
        result.fail(
            u"支出総額「%1」は金額として読み取れません。\r\n0以上の数字で入力して下さい。"_s.arg(
                typed));
        return result;
    }
    const int month = shownDate_.month();
    selection.YearSelectedIndex = month;
    Summaries& summaries = diary_.summaries();
    if (month < 1 || month > summaries.year().count()) {
        return result;
    }
    // The month keeps the figures its row holds; only its expenses change.
    // A month without applications has no expenses to enter.
    MonthFigures figures = summaries.figuresOf(month);
    if (figures.counts.entries == 0) {
        result.done = false;
        return result;
    }
    figures.expenses = *expenses;
    result = summaries.storeMonth(ShownYear(), month, figures);
    if (result.done) {
        // The month on show writes its expenses into its row each time it
        // is stored: it must hold the new ones.
        MonthBook& book = diary_.month();
        if (book.year() == ShownYear() && book.month() == ShownMonth()) {
            book.setExpenses(*expenses);
        }
        result.tell(summaries.storeYear(ShownYear(), summaries.yearSums(), settings_.targetAmount));
    }
    result.tell(loadYear());
    return result;
}

Result Desk::backUp(const QString& chosen, QDate today) {
    return backup::makeBackup(paths(), chosen, today);
}

Result Desk::autoBackUp(QDate today) {
    if (!settings_.autoBackup) {
        return {};
    }
    const QString folder = settings_.autoBackupFolder;
    Result made = autobackup::makeGeneration(paths(), folder, today, settings_.autoBackupKeep);
    if (made.done) {
        return made;
    }
    // One message says what failed, where and why.
    Result told;
    told.done = false;
    QStringList reasons;
    for (const Notice& notice : made.notices) {
        reasons.append(notice.text);
    }
    told.error(u"自動バックアップに失敗しました。\r\n"_s + QDir::toNativeSeparators(folder) +
               u"\r\n"_s + reasons.join(u"\r\n"_s));
    return told;
}

std::optional<QString> Desk::refusal(const settingsfile::Settings& edited) const {
    if (edited.autoBackupKeep < 1 || edited.autoBackupKeep > settingsfile::MaxAutoBackupKeep) {
        return u"自動バックアップの世代数は1から99までで指定して下さい。"_s;
    }
    if (edited.autoBackup) {
        if (const QString problem = autobackup::folderProblem(paths(), edited.autoBackupFolder);
            !problem.isEmpty()) {
            return problem;
        }
    }
    return std::nullopt;
}

Result Desk::restore(const QString& backupFolder) {
    return backup::restore(paths(), backupFolder);
}

}  // namespace diary
