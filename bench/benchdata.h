#pragma once

// The stored data the benchmarks over many years share: 240,000 records (20
// years of 12 months of 1,000 records) in their month files, and beside them
// the same rows as CSV for a database file of the sqlite3 shell; the same
// months sealed, as a sealed diary keeps them.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "storage/datafolder.h"
#include "storage/diskfile.h"
#include "storage/monthfile.h"
#include "storage/seal.h"
#include "storage/settingsfile.h"

namespace benchdata {

using namespace Qt::StringLiterals;

constexpr int Years = 20;
constexpr int RecordsPerMonth = 1000;

inline QList<PrizeEntry> realisticMonth(int year, int month) {
    static const QStringList sites = {u"ネット懸賞ひろば"_s, u"はがき"_s, u"スーパー店頭"_s,
                                      u"雑誌の読者プレゼント"_s};
    static const QStringList presents = {
        u"図書カード1000円分"_s, u"お米10kg（新潟県産こしひかり）"_s, u"箱根温泉ペア宿泊券"_s,
        u"液晶テレビ32型"_s, u"有名店のスイーツ詰め合わせ"_s};
    static const QStringList results = {u"応募済み"_s, u"落選"_s, u"小物当選"_s, u"不明"_s};
    QList<PrizeEntry> records;
    for (int i = 0; i < RecordsPerMonth; ++i) {
        const int n = (year * 12 + month) * RecordsPerMonth + i;
        // Deadlines lie up to six weeks after the application.
        const QDate applied(year, month, i % 28 + 1);
        records.append({applied.toString(u"yyyy/MM/dd"_s), QString::number(n), sites[n % 4],
                        u"http://example.jp/c/%1"_s.arg(n), u"商品券・図書カード"_s,
                        presents[n % 5], results[n % 4], QString::number((n % 4) * 500),
                        u"%1名様"_s.arg(n % 50 + 1),
                        applied.addDays(n % 43 + 1).toString(u"yyyy/MM/dd"_s), u"----/--/--"_s,
                        u"アンケート"_s, u"抽選"_s, u"不定期"_s, u"ネット応募"_s,
                        u"メモ：締切間近"_s, QString()});
    }
    return records;
}

// The data folder and, beside it, the same rows as CSV for the database.
struct Data {
    QTemporaryDir folder;
    qint64 bytes = 0;
    QString csv;
    QString database;

    Data() {
        const DataPaths paths(folder.path());
        csv = folder.filePath(u"rows.csv"_s);
        database = folder.filePath(u"rows.db"_s);
        QFile rows(csv);
        rows.open(QIODevice::WriteOnly);
        for (int year = 1991; year < 1991 + Years; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const QList<PrizeEntry> records = realisticMonth(year, month);
                const QString path =
                    paths.monthFile(QString::number(year), u"%1"_s.arg(month, 2, 10, QChar(u'0')));
                monthfile::write(path, records, QString());
                bytes += QFileInfo(path).size();
                rows.write(monthfile::format(records, QString()).toUtf8());
            }
        }
    }
};

inline Data& data() {
    static Data instance;
    return instance;
}

// The same months in a sealed diary whose start password is SealedPassword:
// every file sealed under a data key of its own, which the settings file
// keeps under the password. Reading them needs the key set in diskfile.
inline const QString SealedPassword = u"pw"_s;

struct SealedData {
    QTemporaryDir folder;
    seal::Key key = seal::DataKey::generate();
    qint64 bytes = 0;

    SealedData() {
        if (!key) {
            return;
        }
        const DataPaths paths(folder.path());
        settingsfile::Settings settings;
        settings.startPassword = true;
        settings.seal = true;
        settings.sealKey = seal::sealKeyText(SealedPassword, *key);
        QDir().mkpath(paths.iniFolder());
        settingsfile::write(paths.settingsFile(), settings);
        diskfile::setDataKey(key);
        for (int year = 1991; year < 1991 + Years; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const QString path =
                    paths.monthFile(QString::number(year), u"%1"_s.arg(month, 2, 10, QChar(u'0')));
                monthfile::write(path, realisticMonth(year, month), QString());
                bytes += QFileInfo(path).size();
            }
        }
        diskfile::setDataKey(nullptr);
    }
};

inline SealedData& sealedData() {
    static SealedData instance;
    return instance;
}

// The same months with every record not yet sent: each one a candidate of
// the deadlines, their slowest case.
struct NotAppliedData {
    QTemporaryDir folder;
    NotAppliedData() {
        const DataPaths paths(folder.path());
        for (int year = 1991; year < 1991 + Years; ++year) {
            for (int month = 1; month <= 12; ++month) {
                QList<PrizeEntry> records = realisticMonth(year, month);
                for (PrizeEntry& e : records) {
                    e[Kekka] = u"未応募"_s;
                }
                monthfile::write(
                    paths.monthFile(QString::number(year), u"%1"_s.arg(month, 2, 10, QChar(u'0'))),
                    records, QString());
            }
        }
    }
};

inline NotAppliedData& notAppliedData() {
    static NotAppliedData instance;
    return instance;
}

// The sqlite3 shell, or "" when it is not installed.
inline QString sqlite3Shell() {
    return QStandardPaths::findExecutable(u"sqlite3"_s);
}

// Runs SQL in the sqlite3 shell on the database of the data; returns what it printed.
inline QByteArray runSqlite3(const QString& database, const QString& sql) {
    QProcess run;
    run.start(sqlite3Shell(), {database, sql});
    run.waitForFinished(-1);
    return run.readAllStandardOutput();
}

// Loads the rows into the database file once.
inline void loadDatabase(const Data& d) {
    if (QFile::exists(d.database)) {
        return;
    }
    QProcess load;
    load.start(sqlite3Shell(), {d.database});
    load.waitForStarted();
    QStringList columns;
    for (int c = 0; c < PrizeEntryFieldCount; ++c) {
        columns.append(u"c%1 TEXT"_s.arg(c));
    }
    load.write(u"CREATE TABLE entries(%1);\n.mode csv\n.import %2 entries\n"_s
                   .arg(columns.join(u", "_s), d.csv)
                   .toUtf8());
    load.closeWriteChannel();
    load.waitForFinished(-1);
}

}  // namespace benchdata
