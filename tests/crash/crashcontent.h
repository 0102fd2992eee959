#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "storage/datafolder.h"
#include "storage/prizeentry.h"

// The content the crash writer writes in each round: every file tells by its
// content which round wrote it, and a file that mixes rounds is torn.
namespace crash {

inline const QString Year = QStringLiteral("2010");
inline QString monthPath(const DataPaths& paths) {
    return paths.monthFile(Year, QStringLiteral("01"));
}

// Even rounds write a password line, odd ones none.
inline QString password(int version) {
    return version % 2 == 0 ? QStringLiteral("pw") : QString();
}

// 1 to 40 records, each naming the round; the 40th round of a cycle makes a
// file of some 10 KB, so that writes take time worth interrupting.
inline QList<PrizeEntry> monthRecords(int version) {
    QList<PrizeEntry> records;
    for (int i = 0; i <= version % 40; ++i) {
        PrizeEntry e;
        e[FilingDate] = QStringLiteral("2010/01/%1").arg(i % 28 + 1, 2, 10, QChar(u'0'));
        e[ID] = QString::number(version);
        e[Present] = QStringLiteral("round %1 賞品 %2").arg(version).arg(i);
        e[Msg] = QString(200, QChar(u'a' + version % 26));
        records.append(e);
    }
    return records;
}

inline QList<QStringList> yearRows(int version) {
    QList<QStringList> rows;
    for (int month = 1; month <= 12; ++month) {
        rows.append({QString::number(month), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("0"), QStringLiteral("0"), QString::number(version),
                     QStringLiteral("0.00"), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("0")});
    }
    return rows;
}

inline QList<QStringList> totalRows(int version) {
    return {{Year, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
             QStringLiteral("0"), QString::number(version), QStringLiteral("0.00"),
             QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
             QString::number(-version)}};
}

}  // namespace crash
