#include "diary/monthbook.h"

#include <QDir>
#include <QFile>

#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace diary {

MonthFigures MonthBook::figures() const {
    return {statistics::countOf(records_.records()), expenses_};
}

Result MonthBook::load(const QString& year, const QString& month, const QString& password,
                       Currency expenses) {
    year_ = year;
    month_ = month;
    expenses_ = expenses;
    Result result;
    monthfile::ReadResult read = monthfile::read(path(), password);
    switch (read.status) {
        case monthfile::ReadResult::Status::Missing:
            state_ = State::Missing;
            break;
        case monthfile::ReadResult::Status::Refused:
            state_ = State::Refused;
            result.done = false;
            result.notices.append(
                {monthfile::DataFileErrorTitle.toString(), monthfile::dataFileErrorText(path())});
            break;
        case monthfile::ReadResult::Status::Failed:
            state_ = State::Failed;
            result.fail(read.error);
            break;
        case monthfile::ReadResult::Status::Loaded:
            state_ = State::Loaded;
            break;
        case monthfile::ReadResult::Status::Damaged:
            state_ = State::Damaged;
            result.fail(monthfile::damagedMonthText(path(), read.damagedLines));
            break;
    }
    records_.assign(std::move(read.records));
    if (statistics::countOf(records_.records()).overflow && !toldOverflow_.contains(path())) {
        toldOverflow_.append(path());
        result.error(
            u"データファイル「%1」の当選額の合計が扱える範囲を超えています。\r\n"
            u"合計には範囲に収まるところまでを表示します。"_s.arg(
                QDir::toNativeSeparators(path())));
    }
    return result;
}

void MonthBook::clear() {
    state_ = State::None;
    expenses_ = Currency();
    records_.clear();
}

Result MonthBook::writable() const {
    Result result;
    if (state_ == State::None) {
        result.done = false;
        return result;
    }
    const bool unreadable =
        state_ == State::Refused || state_ == State::Failed || state_ == State::Damaged;
    if (unreadable && QFile::exists(path())) {
        result.fail(u"データファイル「%1」を読み込めなかったため、この月には保存できません。"_s.arg(
            QDir::toNativeSeparators(path())));
    }
    return result;
}

Result MonthBook::save(const QString& storedPassword) {
    Result result = writable();
    if (!result.done) {
        return result;
    }
    const diskfile::WriteResult written =
        monthfile::write(path(), records_.records(), storedPassword);
    if (!written.ok()) {
        result.fail(written.error);
        return result;
    }
    state_ = records_.count() > 0 ? State::Loaded : State::Missing;
    return result;
}

}  // namespace diary
