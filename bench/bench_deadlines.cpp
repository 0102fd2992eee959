// The deadlines over 240,000 stored records (20 years of 12 months of 1,000
// records): the reminder count at start-up must stay well under 50 ms, as it
// reads only the months that can hold a deadline of the coming week.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "benchdata.h"
#include "diary/deadlines.h"

namespace {

using namespace Qt::StringLiterals;

// A day in the last stored year, so that the year before is stored too.
const QDate Today(2010, 6, 10);

QString keyLabel(bool filedByDeadline) {
    return filedByDeadline ? u"filed by deadline"_s : u"filed by application date"_s;
}

void BM_ReminderCount(benchmark::State& state) {
    const bool filedByDeadline = state.range(0) != 0;
    const bool allNotApplied = state.range(1) != 0;
    const QString folder =
        allNotApplied ? benchdata::notAppliedData().folder.path() : benchdata::data().folder.path();
    int count = 0;
    for (auto _ : state) {
        count = deadlines::reminderCount(DataPaths(folder), Today, filedByDeadline, QString());
    }
    state.SetLabel((keyLabel(filedByDeadline) +
                    (allNotApplied ? u", every record 未応募"_s : u", results as stored"_s))
                       .toStdString());
    state.counters["count"] = count;
}
BENCHMARK(BM_ReminderCount)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The tab's list: every result, for a week and for a month.
void BM_FindAllResults(benchmark::State& state) {
    const bool filedByDeadline = state.range(0) != 0;
    const int days = int(state.range(1));
    const DataPaths paths(benchdata::data().folder.path());
    deadlines::Found found;
    for (auto _ : state) {
        found = deadlines::find(paths, {Today, days, true, filedByDeadline}, QString());
    }
    state.SetLabel(keyLabel(filedByDeadline).toStdString());
    state.counters["records"] = double(found.records.size());
}
BENCHMARK(BM_FindAllResults)
    ->Args({0, 6})
    ->Args({1, 6})
    ->Args({0, 30})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
