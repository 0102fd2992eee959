// Applying the settings over 240,000 stored records (20 years of 12 months
// of 1,000 records): a change of filing key re-files every record, a change
// of password rewrites the 240 month files, and an apply with no change
// reads the head of each. Beside them, the sqlite3 shell swapping the two
// date columns of the same rows in a database file.
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "benchdata.h"
#include "benchwindows.h"
#include "diary/refiling.h"

using namespace Qt::StringLiterals;

namespace {

using benchdata::Data;
using benchdata::data;

constexpr int SettingsTab = int(diary::Tab::Setting);

// Applies the settings tab as the user does and checks the answer.
bool apply(benchmark::State& state, Desktop& desktop, frmMain* window) {
    desktop.prompter.expect(platform::MessageAnswer::Ok, u"完了"_s, u"設定を適用させました"_s);
    control<QPushButton>(window, u"cmdSetting"_s)->click();
    if (!desktop.prompter.faults().isEmpty() || desktop.prompter.pending() != 0) {
        state.SkipWithError(qPrintable(desktop.prompter.faults().join(u"; "_s)));
        return false;
    }
    return true;
}

// The filing key changed on the settings tab and applied: every record is
// read, moved to the month of its other date, and written with the year
// and total files, as one swap. Each round changes the key back.
void BM_RefileWindow(benchmark::State& state) {
    Data& d = data();
    Desktop desktop;
    frmMain* window = startProgram(desktop, d.folder.path());
    control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(SettingsTab);
    bool endDay = false;
    for (auto _ : state) {
        endDay = !endDay;
        control<QRadioButton>(window, endDay ? u"optEndDay"_s : u"optNowDay"_s)->click();
        if (!apply(state, desktop, window)) {
            break;
        }
    }
    state.counters["records"] = benchdata::Years * 12 * benchdata::RecordsPerMonth;
    control<QPushButton>(window, u"cmdEnd"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_RefileWindow)->Unit(benchmark::kMillisecond)->Iterations(4);

// The same change of the two date columns in the sqlite3 shell.
void BM_Sqlite3SwapDates(benchmark::State& state) {
    Data& d = data();
    if (benchdata::sqlite3Shell().isEmpty()) {
        state.SkipWithError("sqlite3 is not installed");
        return;
    }
    benchdata::loadDatabase(d);
    for (auto _ : state) {
        benchdata::runSqlite3(d.database, u"UPDATE entries SET c0 = c9, c9 = c0;"_s);
    }
}
BENCHMARK(BM_Sqlite3SwapDates)->Unit(benchmark::kMillisecond)->Iterations(4);

// A new password written into the 240 month files (each round the next of
// two passwords), without the window.
void BM_Rekey(benchmark::State& state) {
    Data& d = data();
    const DataPaths paths(d.folder.path());
    QString previous;
    for (auto _ : state) {
        const QString next = previous == u"a"_s ? u"b"_s : u"a"_s;
        const diary::Result result = refiling::rekey(paths, {previous, next, next}, nullptr);
        if (!result.notices.isEmpty()) {
            state.SkipWithError(qPrintable(result.notices[0].text));
            break;
        }
        previous = next;
    }
    // The files go back to no password for the benchmarks after this one.
    refiling::rekey(paths, {previous, QString(), QString()}, nullptr);
}
BENCHMARK(BM_Rekey)->Unit(benchmark::kMillisecond)->Iterations(4);

// An apply with nothing changed that the files carry: the head of every
// month file is read and none is written.
void BM_ApplyNoChange(benchmark::State& state) {
    Data& d = data();
    Desktop desktop;
    frmMain* window = startProgram(desktop, d.folder.path());
    control<QTabBar>(window, u"tabMain"_s)->setCurrentIndex(SettingsTab);
    auto* sort = window->findChild<QAbstractButton*>(u"chkSortOn"_s);
    for (auto _ : state) {
        state.PauseTiming();
        sort->click();  // any change enables the apply button
        sort->click();
        state.ResumeTiming();
        if (!apply(state, desktop, window)) {
            break;
        }
    }
    control<QPushButton>(window, u"cmdEnd"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_ApplyNoChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
