// The end of the program with its automatic backup of 240,000 records (20
// years of 12 months of 1,000 records), beside the same end without it and
// beside the copy a user would make by hand, cp -r of the data folder.
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "benchdata.h"
#include "benchwindows.h"

using namespace Qt::StringLiterals;

namespace {

using benchdata::data;

// The data of the benchmarks, with the automatic backup on or off.
void setAutoBackup(bool on, const QString& folder) {
    const DataPaths paths(data().folder.path());
    settingsfile::Settings settings;
    settings.autoBackup = on;
    settings.autoBackupFolder = folder;
    settings.autoBackupKeep = 3;
    QDir().mkpath(paths.iniFolder());
    settingsfile::write(paths.settingsFile(), settings);
}

void endProgram(benchmark::State& state, bool backUp) {
    QTemporaryDir backups;
    setAutoBackup(backUp, backups.path());
    for (auto _ : state) {
        state.PauseTiming();
        Desktop desktop;
        frmMain* window = startProgram(desktop, data().folder.path());
        state.ResumeTiming();
        control<QPushButton>(window, u"cmdEnd"_s)->click();
        state.PauseTiming();
        if (!desktop.prompter.faults().isEmpty() || !desktop.prompter.shown().isEmpty()) {
            state.SkipWithError("the end said something");
        }
        // Whatever the end posted is handled here, outside the timing, so that
        // the runs do not pile up events for each other.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["MB"] = double(data().bytes) / 1e6;
}

void BM_EndWithAutoBackup(benchmark::State& state) {
    endProgram(state, true);
}
BENCHMARK(BM_EndWithAutoBackup)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EndWithoutBackup(benchmark::State& state) {
    endProgram(state, false);
}
BENCHMARK(BM_EndWithoutBackup)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CpRecursive(benchmark::State& state) {
    const QString cp = QStandardPaths::findExecutable(u"cp"_s);
    if (cp.isEmpty()) {
        state.SkipWithError("no cp");
        return;
    }
    QTemporaryDir copies;
    const QString source = DataPaths(data().folder.path()).dataFolder();
    const QString target = copies.filePath(u"copy"_s);
    for (auto _ : state) {
        QProcess::execute(cp, {u"-r"_s, source, target});
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CpRecursive)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
