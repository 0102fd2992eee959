// The search over 240,000 stored records (20 years of 12 months of 1,000
// records), for a text in the prize name, as a user runs it in the search
// window, beside the sqlite3 shell running the same LIKE query over the same
// rows in a database file.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeView>

#include "benchwindows.h"
#include "diary/search.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Years = 20;
constexpr int RecordsPerMonth = 1000;
const QString Wanted = u"温泉"_s;

QList<PrizeEntry> realisticMonth(int year, int month) {
    static const QStringList sites = {u"ネット懸賞ひろば"_s, u"はがき"_s, u"スーパー店頭"_s,
                                      u"雑誌の読者プレゼント"_s};
    static const QStringList presents = {
        u"図書カード1000円分"_s, u"お米10kg（新潟県産こしひかり）"_s, u"箱根温泉ペア宿泊券"_s,
        u"液晶テレビ32型"_s, u"有名店のスイーツ詰め合わせ"_s};
    static const QStringList results = {u"応募済み"_s, u"落選"_s, u"小物当選"_s, u"不明"_s};
    QList<PrizeEntry> records;
    for (int i = 0; i < RecordsPerMonth; ++i) {
        const int n = (year * 12 + month) * RecordsPerMonth + i;
        records.append({u"%1/%2/%3"_s.arg(year)
                            .arg(month, 2, 10, QChar(u'0'))
                            .arg(i % 28 + 1, 2, 10, QChar(u'0')),
                        QString::number(n), sites[n % 4], u"http://example.jp/c/%1"_s.arg(n),
                        u"商品券・図書カード"_s, presents[n % 5], results[n % 4],
                        QString::number((n % 4) * 500), u"%1名様"_s.arg(n % 50 + 1),
                        u"%1/%2/28"_s.arg(year).arg(month, 2, 10, QChar(u'0')), u"----/--/--"_s,
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

Data& data() {
    static Data instance;
    return instance;
}

void BM_SearchWindow(benchmark::State& state) {
    Data& d = data();
    Desktop desktop;
    frmMain* window = startProgram(desktop, d.folder.path());
    control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(3);
    QWidget* search = openWindow(u"frmDataSearch"_s);
    control<QLineEdit>(search, u"txtPresent"_s)->setText(Wanted);
    auto* results = control<QTreeView>(window, u"lvwSearch"_s);
    for (auto _ : state) {
        desktop.prompter.expect(platform::MessageAnswer::Ok, u"検索終了"_s,
                                u"検索が終了しました"_s);
        control<QPushButton>(search, u"cmdSearch"_s)->click();
    }
    state.counters["found"] = results->model()->rowCount();
    state.counters["MB_enciphered"] = double(d.bytes) / 1e6;
    control<QPushButton>(window, u"cmdEnd"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_SearchWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The search alone, without the window and its list.
void BM_SearchCore(benchmark::State& state) {
    Data& d = data();
    search::Conditions wanted;
    wanted.present = Wanted;
    qint64 found = 0;
    for (auto _ : state) {
        search::Search walk(DataPaths(d.folder.path()), QString());
        found = walk.run(wanted, {})->size();
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_SearchCore)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same rows in a database file, and the same question asked of the
// sqlite3 shell: every row whose prize name holds the text.
void BM_Sqlite3Shell(benchmark::State& state) {
    Data& d = data();
    const QString shell = QStandardPaths::findExecutable(u"sqlite3"_s);
    if (shell.isEmpty()) {
        state.SkipWithError("sqlite3 is not installed");
        return;
    }
    if (!QFile::exists(d.database)) {
        QProcess load;
        load.start(shell, {d.database});
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
    const QString query = u"SELECT * FROM entries WHERE c5 LIKE '%%1%';"_s.arg(Wanted);
    qint64 found = 0;
    for (auto _ : state) {
        QProcess run;
        run.start(shell, {d.database, query});
        run.waitForFinished(-1);
        found = run.readAllStandardOutput().count('\n');
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_Sqlite3Shell)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
