// Writes a calendar of known deadlines to the file named on the command line,
// for check_icalendar.py to read with another program's parser.
#include <QFile>
#include <QTimeZone>

#include "diary/icalendar.h"

using namespace Qt::StringLiterals;

namespace {

PrizeEntry contest(const QString& id, const QString& applied, const QString& deadline,
                   const QString& present, const QString& site, const QString& url) {
    PrizeEntry e;
    e[FilingDate] = applied;
    e[ID] = id;
    e[Site] = site;
    e[URL] = url;
    e[Present] = present;
    e[Kekka] = u"未応募"_s;
    e[OtherDate] = deadline;
    e[OboKeishiki] = u"アンケート"_s;
    e[OboWay] = u"はがき, 官製"_s;
    return e;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    // Over the year's end, a folded Japanese summary with a comma and a
    // semicolon, and one record without a URL.
    const QList<PrizeEntry> records{
        contest(u"1"_s, u"2024/12/20"_s, u"2024/12/31"_s, u"図書カード1000円分"_s,
                u"ネット懸賞ひろば"_s, u"https://example.jp/c/1"_s),
        contest(u"2"_s, u"2024/12/21"_s, u"2025/01/15"_s,
                u"有名店のスイーツ詰め合わせ, 箱根温泉ペア宿泊券; 液晶テレビ32型"_s,
                u"スーパー店頭"_s, QString()),
    };
    const QDateTime stamp(QDate(2024, 12, 22), QTime(8, 0), QTimeZone(9 * 3600));
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    return file.write(icalendar::calendar(records, false, stamp)) > 0 ? 0 : 1;
}
