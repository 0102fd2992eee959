// The search over 240,000 stored records (20 years of 12 months of 1,000
// records), for a text in the prize name, as a user runs it in the search
// window, beside the sqlite3 shell running the same LIKE query over the same
// rows in a database file.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>

#include "benchdata.h"
#include "benchwindows.h"
#include "diary/search.h"

using namespace Qt::StringLiterals;

namespace {

const QString Wanted = u"温泉"_s;
using benchdata::Data;
using benchdata::data;

void BM_SearchWindow(benchmark::State& state) {
    Data& d = data();
    Desktop desktop;
    frmMain* window = startProgram(desktop, d.folder.path());
    control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(3);
    QWidget* search = openWindow(u"frmDataSearch"_s);
    control<QLineEdit>(search, u"txtPresent"_s)->setText(Wanted);
    auto* results = control<QTreeView>(window, u"lvwSearch"_s);
    auto* start = control<QPushButton>(search, u"cmdSearch"_s);
    for (auto _ : state) {
        desktop.prompter.expect(platform::MessageAnswer::Ok, u"検索終了"_s,
                                u"検索が終了しました"_s);
        start->click();
        // The search runs beside the window: it is over once its closing
        // message was answered and the button is back.
        while (desktop.prompter.pending() != 0 || !start->isEnabled()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
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
    if (benchdata::sqlite3Shell().isEmpty()) {
        state.SkipWithError("sqlite3 is not installed");
        return;
    }
    benchdata::loadDatabase(d);
    const QString query = u"SELECT * FROM entries WHERE c5 LIKE '%%1%';"_s.arg(Wanted);
    qint64 found = 0;
    for (auto _ : state) {
        found = benchdata::runSqlite3(d.database, query).count('\n');
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_Sqlite3Shell)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
