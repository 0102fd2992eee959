// The analysis tab over 240,000 stored records (20 years of 12 months of
// 1,000 records): every month file read and its records counted by one field,
// and the whole entry of the tab in the window, list and chart included.
#include <benchmark/benchmark.h>

#include <QRadioButton>
#include <QTabBar>
#include <QTreeView>

#include "benchdata.h"
#include "benchwindows.h"
#include "diary/analysis.h"
#include "diary/desk.h"

namespace {

void BM_AnalysisAllYears(benchmark::State& state) {
    benchdata::Data& d = benchdata::data();
    const auto kind = analysis::Kind(state.range(0));
    analysis::Table table;
    for (auto _ : state) {
        table = analysis::count(DataPaths(d.folder.path()), kind, {}, {});
    }
    state.SetLabel(analysis::kindCaption(kind).toStdString());
    state.counters["records"] = double(table.records);
    state.counters["rows"] = double(table.rows.size());
}
BENCHMARK(BM_AnalysisAllYears)
    ->Arg(int(analysis::Kind::Genre))
    ->Arg(int(analysis::Kind::Site))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

// The user clicks the tab with all years chosen: the time until the list
// and the chart are there.
void BM_EnterAnalysisTabAllYears(benchmark::State& state) {
    benchdata::Data& d = benchdata::data();
    Desktop desktop;
    frmMain* window = startProgram(desktop, d.folder.path());
    if (window == nullptr) {
        state.SkipWithError("the window did not show");
        return;
    }
    auto* tabs = control<QTabBar>(window, QStringLiteral("tabMain"));
    control<QRadioButton>(window, QStringLiteral("optAnalysisAll"))->setChecked(true);
    for (auto _ : state) {
        state.PauseTiming();
        tabs->setCurrentIndex(int(diary::Tab::Total));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        tabs->setCurrentIndex(int(diary::Tab::Analysis));
        QCoreApplication::processEvents();
    }
    state.counters["rows"] =
        double(control<QTreeView>(window, QStringLiteral("lvwAnalysis"))->model()->rowCount());
}
BENCHMARK(BM_EnterAnalysisTabAllYears)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
