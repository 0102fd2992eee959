// The analysis tab's table over 240,000 stored records (20 years of 12
// months of 1,000 records): every month file read and its records counted by
// one field, as entering the tab for all years does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "benchdata.h"
#include "diary/analysis.h"

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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
