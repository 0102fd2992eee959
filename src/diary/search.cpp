#include "diary/search.h"

using namespace Qt::StringLiterals;

namespace search {

namespace {

bool within(const std::optional<Range<QString>>& range, const QString& value) {
    return range->from <= value && value <= range->to;
}

bool within(const std::optional<Range<Currency>>& range, const QString& value) {
    const std::optional<Currency> number = Currency::parse(value);
    return number && range->from <= *number && *number <= range->to;
}

bool contains(const QString& field, const QString& wanted, bool caseSensitive) {
    return caseSensitive ? field.contains(wanted) : field.toLower().contains(wanted.toLower());
}

bool winners(const QString& field, const Range<QString>& bounds) {
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

// Each condition that is set, in the order of the columns, says whether the
// record meets it.
template <typename Visit>
void forEachCondition(const PrizeEntry& r, const Conditions& c, Visit&& visit) {
    if (c.id) {
        visit(within(c.id, r[ID]));
    }
    if (!c.site.isEmpty()) {
        visit(contains(r[Site], c.site, c.caseSensitive));
    }
    if (!c.url.isEmpty()) {
        visit(contains(r[URL], c.url, c.caseSensitive));
    }
    if (!c.genre.isEmpty()) {
        visit(r[Genre].contains(c.genre));
    }
    if (!c.present.isEmpty()) {
        visit(contains(r[Present], c.present, c.caseSensitive));
    }
    if (!c.kekka.isEmpty()) {
        visit(r[Kekka].contains(c.kekka));
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
            visit(r[field].contains(*wanted));
        }
    }
    if (!c.msg.isEmpty()) {
        visit(r[Msg].contains(c.msg));  // the comment always by its exact letters
    }
    if (!c.picture.isEmpty()) {
        visit(contains(r[PicturePath], c.picture, c.caseSensitive));
    }
}

}  // namespace

bool Conditions::isEmpty() const {
    bool any = false;
    forEachCondition(PrizeEntry(), *this, [&](bool) { any = true; });
    return !any;
}

QString resultCondition(const QString& chosen) {
    return chosen == u"全当選"_s ? u"当選"_s : chosen;
}

bool matches(const PrizeEntry& record, const Conditions& conditions) {
    if (conditions.filingDate && !within(conditions.filingDate, record[FilingDate])) {
        return false;
    }
    int set = 0;
    int met = 0;
    forEachCondition(record, conditions, [&](bool holds) {
        ++set;
        met += holds;
    });
    return conditions.anyCondition ? set == 0 || met > 0 : met == set;
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
    QList<PrizeEntry> found;
    qint64 examined = 0;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    bool stopped = false;
    const auto keepGoing = [&] {
        if (sinceEvents.elapsed() >= 15) {
            sinceEvents.restart();
            stopped = hooks.interrupted && hooks.interrupted(examined);
        }
        return !stopped;
    };
    walker_.walk(walkOf(conditions), [&](const diary::StoredMonth& month) {
        if (!monthfile::passwordFits(month.content, password_)) {
            if (hooks.refused) {
                hooks.refused(month.path);
            }
            return keepGoing();
        }
        for (const PrizeEntry& record : month.content.records) {
            if (matches(record, conditions)) {
                found.append(record);
            }
            ++examined;
            if ((examined & 0xFF) == 0 && !keepGoing()) {
                return false;
            }
        }
        return keepGoing();
    });
    if (stopped || (hooks.interrupted && hooks.interrupted(examined))) {
        return std::nullopt;
    }
    return found;
}

}  // namespace search
