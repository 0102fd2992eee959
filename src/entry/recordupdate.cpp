#include "entry/recordupdate.h"

#include "mainwindow/listmodel.h"
#include "storage/prizeentry.h"

using namespace Qt::StringLiterals;

namespace recordupdate {

namespace {

std::optional<qint64> wholeNumber(const QString& text) {
    bool ok = false;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !std::all_of(trimmed.cbegin(), trimmed.cend(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const qint64 value = trimmed.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

}  // namespace

QString ReplaceQuotes(QString text) {
    for (QChar& c : text) {
        if (c == u'"') {
            c = u' ';
        } else if (c == u'\u201C' || c == u'\u201D') {
            c = u'\u3000';
        }
    }
    return text;
}

void SortMonthRows(ListModel& rows) {
    rows.sortRowsBy(ID, Qt::AscendingOrder, ListModel::compareWholeNumbersFirst);
    // Stable: within a date the ID order stays.
    rows.sortRowsBy(FilingDate, Qt::AscendingOrder, ListModel::compareText);
    rows.plainWholeNumbers(ID);
}

QString numberOfWinners(const QString& choice, const QString& typed) {
    if (choice == u"全員"_s) {
        return u"全員"_s;
    }
    const std::optional<qint64> number = wholeNumber(typed);
    return number ? QString::number(*number) + u"名様"_s : QString();
}

QString prizeAmount(const QString& typed) {
    const std::optional<qint64> amount = wholeNumber(typed);
    return amount ? QString::number(*amount) : QString();
}

QString Description::text() const {
    return QStringList{
        u"ＩＤ番号 ＝ "_s + id,    u"締切日 ＝ "_s + deadline,      u"応募先 ＝ "_s + site,
        u"ＵＲＬ ＝ "_s + url,     u"ジャンル ＝ "_s + genre,       u"賞品名 ＝ "_s + present,
        u"当選数 ＝ "_s + number,  u"応募形式 ＝ "_s + oboKeishiki, u"選考方法 ＝ "_s + senkoWay,
        u"サイクル ＝ "_s + cycle, u"応募方法 ＝ "_s + oboWay}
        .join(u"\r\n"_s);
}

}  // namespace recordupdate
