// How the text of a file is compared with the lines a scenario expects.
#include <QRegularExpression>

#include "scenario.h"

using namespace Qt::StringLiterals;

namespace scenario {

bool lineMatches(const QString& pattern, const QString& line) {
    static const QString wildcard = u"{\u2026}"_s;
    if (!pattern.contains(wildcard)) {
        return pattern == line;
    }
    QStringList parts = pattern.split(wildcard);
    for (QString& part : parts) {
        part = QRegularExpression::escape(part);
    }
    const QRegularExpression expression(QRegularExpression::anchoredPattern(parts.join(u".*"_s)),
                                        QRegularExpression::DotMatchesEverythingOption);
    return expression.match(line).hasMatch();
}

namespace {

// The lines of a file around its first difference, for the failure report.
QStringList linesAround(const QStringList& found, qsizetype difference) {
    constexpr qsizetype ContextLines = 30;
    QStringList context{u"the file has %1 lines:"_s.arg(found.size())};
    const qsizetype first = std::max<qsizetype>(0, difference - ContextLines / 3);
    const qsizetype end = std::min(found.size(), first + ContextLines);
    if (first > 0) {
        context.append(u"  ... %1 lines before"_s.arg(first));
    }
    for (qsizetype i = first; i < end; ++i) {
        context.append(u"  %1: %2"_s.arg(i + 1).arg(quoted(found[i])));
    }
    if (end < found.size()) {
        context.append(u"  ... and %1 more"_s.arg(found.size() - end));
    }
    return context;
}

}  // namespace

std::optional<Mismatch> compareLines(const QString& text, const QStringList& expected) {
    if (text.isEmpty() && expected.isEmpty()) {
        return std::nullopt;
    }
    QStringList found;
    if (!text.isEmpty()) {
        found = text.split(u"\r\n"_s);
        if (text.endsWith(u"\r\n"_s)) {
            found.removeLast();
        }
    }
    if (!text.isEmpty() && !text.endsWith(u"\r\n"_s)) {
        return Mismatch{u"every line ended by CR LF"_s,
                        u"the last line is not: "_s + quoted(found.last()),
                        linesAround(found, found.size() - 1)};
    }
    for (qsizetype i = 0; i < std::max(found.size(), expected.size()); ++i) {
        if (i >= found.size() || i >= expected.size() || !lineMatches(expected[i], found[i])) {
            return Mismatch{u"line %1: "_s.arg(i + 1) +
                                (i < expected.size() ? quoted(expected[i]) : u"no more lines"_s),
                            u"line %1: "_s.arg(i + 1) +
                                (i < found.size() ? quoted(found[i]) : u"the file ends"_s),
                            linesAround(found, i)};
        }
    }
    return std::nullopt;
}

}  // namespace scenario
