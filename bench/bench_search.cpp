// The search over 240,000 stored records (20 years of 12 months of 1,000
// records), for a text in the prize name, as a user runs it in the search
// window, beside the sqlite3 shell running the same LIKE query over the same
// rows in a database file; and the same search over the same records in the
// sealed files of a sealed diary, with the ratio of the two.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <map>
#include <string>

#include "benchdata.h"
#include "benchwindows.h"
#include "diary/search.h"

using namespace Qt::StringLiterals;

namespace {

const QString Wanted = u"温泉"_s;
using benchdata::Data;
using benchdata::data;
using benchdata::SealedData;
using benchdata::sealedData;

// The designed files refuse to open while a data key is set.
bool noKeySet(benchmark::State& state) {
    if (diskfile::dataKey()) {
        state.SkipWithError("a data key is still set");
        return false;
    }
    return true;
}

// Answers the log-in of a sealed diary once its dialog is up.
void logInWhenAsked(const QString& password) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, password] {
        QWidget* logIn = openWindow(u"frmStartPassword"_s);
        if (logIn == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        control<QLineEdit>(logIn, u"txtStartPassword"_s)->setText(password);
        control<QPushButton>(logIn, u"cmdOk"_s)->click();
    });
    timer->start();
}

// Runs the search in the search window of the program as the user does.
void searchInWindow(benchmark::State& state, Desktop& desktop, frmMain* window) {
    control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(int(diary::Tab::Search));
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
    control<QPushButton>(window, u"cmdEnd"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_SearchWindow(benchmark::State& state) {
    Data& d = data();
    if (!noKeySet(state)) {
        return;
    }
    Desktop desktop;
    searchInWindow(state, desktop, startProgram(desktop, d.folder.path()));
    state.counters["MB_enciphered"] = double(d.bytes) / 1e6;
}
BENCHMARK(BM_SearchWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same in a sealed diary, after the log-in has opened its data key.
void BM_SearchWindowSealed(benchmark::State& state) {
    SealedData& d = sealedData();
    if (!d.key || !noKeySet(state)) {
        state.SkipWithError("no sealed diary");
        return;
    }
    Desktop desktop;
    logInWhenAsked(benchdata::SealedPassword);
    QElapsedTimer started;
    started.start();
    frmMain* window = startProgram(desktop, d.folder.path());
    // The start with its log-in: the key derivation and the first month.
    state.counters["start_ms"] = double(started.elapsed());
    if (window == nullptr || !diskfile::dataKey()) {
        state.SkipWithError("the log-in did not open the sealed diary");
        return;
    }
    searchInWindow(state, desktop, window);
    state.counters["MB_sealed"] = double(d.bytes) / 1e6;
}
BENCHMARK(BM_SearchWindowSealed)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The search alone, without the window and its list.
void searchCore(benchmark::State& state, const QString& folder) {
    search::Conditions wanted;
    wanted.present = Wanted;
    qint64 found = 0;
    for (auto _ : state) {
        search::Search walk{DataPaths(folder), QString()};
        found = walk.run(wanted, {})->size();
    }
    state.counters["found"] = double(found);
}

void BM_SearchCore(benchmark::State& state) {
    if (noKeySet(state)) {
        searchCore(state, data().folder.path());
    }
}
BENCHMARK(BM_SearchCore)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_SearchCoreSealed(benchmark::State& state) {
    SealedData& d = sealedData();
    if (!d.key || !noKeySet(state)) {
        state.SkipWithError("no sealed diary");
        return;
    }
    diskfile::setDataKey(d.key);
    searchCore(state, d.folder.path());
    diskfile::setDataKey(nullptr);
}
BENCHMARK(BM_SearchCoreSealed)->Unit(benchmark::kMillisecond)->MinTime(3.0);

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

// Prints the usual table and keeps each benchmark's time and finds for the
// ratios: the median of its repetitions when it was repeated.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) {
                continue;
            }
            const std::string& name = run.run_name.function_name;
            times[name] = run.GetAdjustedRealTime();
            const auto found = run.counters.find("found");
            finds[name] = found != run.counters.end() ? found->second.value : -1;
        }
    }
    // Sealed against designed; a sealed search that found other records
    // than the designed one is no comparison.
    void printRatio(const char* what, const std::string& sealed, const std::string& designed) {
        if (times.count(sealed) == 0 || times.count(designed) == 0) {
            return;
        }
        if (finds[sealed] != finds[designed]) {
            std::printf("%s: the sealed search found %.0f records, the designed one %.0f\n", what,
                        finds[sealed], finds[designed]);
            return;
        }
        std::printf("%s: sealed %.1f ms, designed %.1f ms, sealed/designed = %.2f\n", what,
                    times[sealed], times[designed], times[sealed] / times[designed]);
    }

  private:
    std::map<std::string, double> times;
    std::map<std::string, double> finds;
};

}  // namespace

int main(int argc, char** argv) {
    RatioReporter reporter;
    const int ended = runBenchmarks(argc, argv, &reporter);
    std::printf("\n");
    reporter.printRatio("search window", "BM_SearchWindowSealed", "BM_SearchWindow");
    reporter.printRatio("search alone", "BM_SearchCoreSealed", "BM_SearchCore");
    return ended;
}
