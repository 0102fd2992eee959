// Start-up of the main window on an empty data folder, and loading a month of
// 32,767 records into the month list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "entry/frmdatainput.h"
#include "mainwindow/frmmain.h"
#include "platform/clock.h"
#include "platform/instancelock.h"
#include "platform/scripteddialogs.h"
#include "platform/scriptedprompter.h"
#include "platform/shortcut.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace {

struct Desktop {
    platform::ScriptedPrompter prompter;
    platform::ScriptedDialogs dialogs;
    platform::ScriptedShell shell;
    platform::FixedClock clock{QDate(2010, 1, 15)};
    platform::ScriptedDesktopShortcut shortcut;
    platform::ScriptedInstanceLock instanceLock;
    Platform platform{prompter, dialogs, shell, clock, shortcut, instanceLock};
};

// Starts the program on a folder; a first start answers its question No.
frmMain* startProgram(Desktop& desktop, const QString& folder) {
    desktop.prompter.expect(platform::MessageAnswer::No, u"きらび帳初回起動"_s,
                            u"デスクトップ上にショートカットを作成しますか？"_s);
    return StartProgram(desktop.platform, folder);
}

void endProgram(frmMain* window) {
    window->cmdEnd_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_StartOnEmptyFolder(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        Desktop desktop;
        state.ResumeTiming();
        frmMain* window = startProgram(desktop, folder.path());
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window == nullptr || !window->isVisible()) {
            state.SkipWithError("the window did not show");
            break;
        }
        endProgram(window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartOnEmptyFolder)->Unit(benchmark::kMillisecond)->Iterations(20);

bool writeBigMonth(const DataPaths& paths) {
    QList<PrizeEntry> records;
    for (int i = 0; i < 32767; ++i) {
        records.append({u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')),
                        QString::number(100000 + i), u"ネット"_s,
                        u"http://example.jp/c/%1"_s.arg(100000 + i), u"商品券"_s,
                        u"お米10kg（新潟県産こしひかり）"_s, i % 3 ? QString() : u"小物当選"_s,
                        QString::number((i % 4) * 500), u"5名様"_s, u"2010/02/15"_s,
                        i % 5 ? u"----/--/--"_s : u"2010/01/15"_s, u"アンケート"_s, u"抽選"_s,
                        u"不定期"_s, u"ネット応募"_s, u"メモ"_s, QString()});
    }
    return monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), records, QString()).ok();
}

void BM_LoadMonthOf32767(benchmark::State& state) {
    QTemporaryDir folder;
    if (!writeBigMonth(DataPaths(folder.path()))) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    for (auto _ : state) {
        window->LoadMonthFile();
        QCoreApplication::processEvents();
        if (window->lvwMonth->count() != 32767) {
            state.SkipWithError("records missing");
        }
    }
    endProgram(window);
}
BENCHMARK(BM_LoadMonthOf32767)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Marking the rows of a month of 32,767 records and filling the panel.
void BM_StatisticsOf32767(benchmark::State& state) {
    QTemporaryDir folder;
    if (!writeBigMonth(DataPaths(folder.path()))) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    for (auto _ : state) {
        window->ListViewStatistics();
        QCoreApplication::processEvents();
    }
    state.counters["wins"] = window->MonthWinCount;
    endProgram(window);
}
BENCHMARK(BM_StatisticsOf32767)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The year and total update after a month save, with 20 years in the total
// file (the month file itself is not part of it).
void BM_SummariesWith20Years(benchmark::State& state) {
    QTemporaryDir folder;
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    for (int year = 1991; year <= 2010; ++year) {
        window->ShownYear = QString::number(year);
        window->MonthEntryCount = 40;
        window->MonthWinCount = 3;
        window->MonthWinMoney = *Currency::fromYen(1500);
        window->SaveYearFile();
    }
    for (auto _ : state) {
        window->SaveYearFile();
    }
    endProgram(window);
}
BENCHMARK(BM_SummariesWith20Years)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One record update in a month of 5,000 records: sort, month file,
// statistics, year and total rows.
void BM_UpdateIn5000(benchmark::State& state) {
    QTemporaryDir folder;
    const DataPaths paths(folder.path());
    QList<PrizeEntry> records;
    for (int i = 0; i < 5000; ++i) {
        records.append({u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0')), QString::number(i),
                        u"ネット"_s, QString(), u"現金"_s, u"賞品%1"_s.arg(i),
                        i % 3 ? u"落選"_s : u"小物当選"_s, u"500"_s, u"5名様"_s, u"2010/02/15"_s,
                        u"----/--/--"_s, u"アンケート"_s, u"抽選"_s, u"不定期"_s, u"ネット応募"_s,
                        QString(), QString()});
    }
    if (!monthfile::write(paths.monthFile(u"2010"_s, u"01"_s), records, QString()).ok()) {
        state.SkipWithError("cannot write the month");
        return;
    }
    Desktop desktop;
    frmMain* window = startProgram(desktop, folder.path());
    window->SelectedIndex = 2500;
    window->SelectedCount = 1;
    window->cmdHensyu_Click();
    frmDataInput* editor = window->editor();
    int n = 0;
    for (auto _ : state) {
        editor->txtMsg->setText(QString::number(++n));
        editor->cmdKoshin_Click();
    }
    if (window->lvwMonth->count() != 5000) {
        state.SkipWithError("records lost");
    }
    editor->cmdClose_Click();
    endProgram(window);
}
BENCHMARK(BM_UpdateIn5000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
