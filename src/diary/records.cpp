#include "diary/records.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace records {

namespace {

std::optional<qint64> typedWholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !std::all_of(trimmed.cbegin(), trimmed.cend(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    bool ok = false;
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

QString numberOfWinners(const QString& choice, const QString& typed) {
    if (choice == u"全員"_s) {
        return u"全員"_s;
    }
    const std::optional<qint64> number = typedWholeNumber(typed);
    return number ? QString::number(*number) + u"名様"_s : QString();
}

QString prizeAmount(const QString& typed) {
    const std::optional<qint64> amount = typedWholeNumber(typed);
    return amount ? QString::number(*amount) : QString();
}

std::optional<qint32> wholeNumber(const QString& text) {
    bool ok = false;
    const qint32 value = text.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

int compareText(const QString& a, const QString& b) {
    return a.compare(b);
}

int compareWholeNumbersFirst(const QString& a, const QString& b) {
    const std::optional<qint32> x = wholeNumber(a);
    const std::optional<qint32> y = wholeNumber(b);
    if (x && y) {
        return *x < *y ? -1 : (*x > *y ? 1 : 0);
    }
    if (x || y) {
        return x ? -1 : 1;
    }
    return a.compare(b);
}

QString Description::text() const {
    return QStringList{
        u"ＩＤ番号 ＝ "_s + id,    u"締切日 ＝ "_s + deadline,      u"応募先 ＝ "_s + site,
        u"ＵＲＬ ＝ "_s + url,     u"ジャンル ＝ "_s + genre,       u"賞品名 ＝ "_s + present,
        u"当選数 ＝ "_s + number,  u"応募形式 ＝ "_s + oboKeishiki, u"選考方法 ＝ "_s + senkoWay,
        u"サイクル ＝ "_s + cycle, u"応募方法 ＝ "_s + oboWay}
        .join(u"\r\n"_s);
}

Description describe(const PrizeEntry& r, bool filedByDeadline) {
    return {r[ID],       filedByDeadline ? r[FilingDate] : r[OtherDate],
            r[Site],     r[URL],
            r[Genre],    r[Present],
            r[Number],   r[OboKeishiki],
            r[SenkoWay], r[Cycle],
            r[OboWay]};
}

std::optional<QString> duplicateOf(const QList<PrizeEntry>& month, const Description& typed,
                                   bool filedByDeadline) {
    const QString wanted = typed.text();
    for (const PrizeEntry& record : month) {
        QString stored = describe(record, filedByDeadline).text();
        if (stored == wanted) {
            return stored;
        }
    }
    return std::nullopt;
}

}  // namespace records
