// A month of 32,767 realistic records written and read back through the real
// month file functions (CP932, cipher, work file, rename).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "storage/datafolder.h"
#include "storage/monthfile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int RecordCount = 32767;

QList<PrizeEntry> realisticMonth() {
    const QStringList sites = {u"ネット"_s, u"はがき"_s, u"店頭"_s, u"雑誌"_s};
    const QStringList presents = {u"図書カード1000円分"_s, u"お米10kg（新潟県産こしひかり）"_s,
                                  u"温泉ペア宿泊券"_s, u"液晶テレビ32型"_s};
    const QStringList results = {QString(), u"小物当選"_s, u"落選"_s, u"中物当選"_s};
    QList<PrizeEntry> records;
    records.reserve(RecordCount);
    for (int i = 0; i < RecordCount; ++i) {
        const QString day = u"2010/01/%1"_s.arg(i % 28 + 1, 2, 10, QChar(u'0'));
        records.append({day, QString::number(100000 + i), sites[i % 4],
                        u"http://example.jp/c/%1"_s.arg(100000 + i), u"商品券"_s, presents[i % 4],
                        results[i % 4], QString::number((i % 4) * 500), u"%1名様"_s.arg(i % 50 + 1),
                        u"2010/02/15"_s, u"----/--/--"_s, u"アンケート"_s, u"抽選"_s, u"不定期"_s,
                        u"ネット応募"_s, u"メモ：締切間近"_s, QString()});
    }
    return records;
}

struct Fixture {
    QTemporaryDir dir;
    QString path = DataPaths(dir.path()).monthFile(u"2010"_s, u"01"_s);
    QList<PrizeEntry> records = realisticMonth();
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_WriteMonth(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        if (!monthfile::write(f.path, f.records, u"pw"_s).ok()) {
            state.SkipWithError("write failed");
        }
    }
    state.counters["file_bytes"] = double(QFileInfo(f.path).size());
    state.counters["records"] = RecordCount;
}
BENCHMARK(BM_WriteMonth)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadMonth(benchmark::State& state) {
    Fixture& f = fixture();
    if (!QFileInfo::exists(f.path)) {
        (void)monthfile::write(f.path, f.records, u"pw"_s);
    }
    for (auto _ : state) {
        const monthfile::ReadResult read = monthfile::read(f.path, u"pw"_s);
        if (read.records.size() != RecordCount) {
            state.SkipWithError("records missing");
        }
        benchmark::DoNotOptimize(read.records.data());
    }
    state.counters["records"] = RecordCount;
}
BENCHMARK(BM_ReadMonth)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
