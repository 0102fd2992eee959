#include "platform/filefilter.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Both separators: a path may come in the platform's own form.
QString fileNameOf(const QString& path) {
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}

}  // namespace

QList<FileFilter> parseFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<FileFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters.append({parts[i], parts[i + 1].split(u';', Qt::SkipEmptyParts)});
    }
    return filters;
}

QString qtNameFilter(const FileFilter& filter) {
    return filter.description + u" ("_s + filter.patterns.join(u' ') + u')';
}

QString defaultSuffix(const FileFilter& filter) {
    if (filter.patterns.isEmpty()) {
        return {};
    }
    const QString& pattern = filter.patterns.first();
    if (!pattern.startsWith(u"*."_s)) {
        return {};
    }
    const QString suffix = pattern.mid(2);
    static const QRegularExpression plain(u"^[^*?\\[\\]]+$"_s);
    return plain.match(suffix).hasMatch() ? suffix : QString();
}

qsizetype filterIndexForName(const QList<FileFilter>& filters, const QString& name) {
    const QString fileName = fileNameOf(name);
    for (qsizetype i = 0; i < filters.size(); ++i) {
        for (const QString& pattern : filters[i].patterns) {
            const QRegularExpression matcher(
                QRegularExpression::wildcardToRegularExpression(pattern),
                QRegularExpression::CaseInsensitiveOption);
            if (matcher.match(fileName).hasMatch()) {
                return i;
            }
        }
    }
    return 0;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    const QString fileName = fileNameOf(path);
    if (suffix.isEmpty() || fileName.isEmpty() || fileName.contains(u'.')) {
        return path;
    }
    return path + u'.' + suffix;
}

}  // namespace platform
