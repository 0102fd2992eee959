// Sealed files: unlocking the data key with the password, and opening a
// month-sized file against the designed file cipher and memcpy of it.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ratioreporter.h"
#include "storage/binarycipher.h"
#include "storage/seal.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MonthSize = 64 * 1024;

const QByteArray& plainMonth() {
    static const QByteArray bytes = [] {
        QByteArray b(MonthSize, '\0');
        for (qsizetype i = 0; i < b.size(); ++i) {
            b[i] = char(i * 131 + (i >> 9));
        }
        return b;
    }();
    return bytes;
}

const seal::DataKey& dataKey() {
    static const seal::Key key = [] {
        seal::Key k = seal::initialize() ? seal::DataKey::generate() : nullptr;
        if (!k) {
            std::fprintf(stderr, "libsodium does not start\n");
            std::exit(1);
        }
        return k;
    }();
    return *key;
}

void BM_OpenSealKey(benchmark::State& state) {
    const QString password = u"きらび帳 pass"_s;
    const QString text = seal::sealKeyText(password, dataKey());
    for (auto _ : state) {
        seal::Key key = seal::openSealKey(password, text);
        if (!key) {
            state.SkipWithError("the seal key does not open");
            break;
        }
        benchmark::DoNotOptimize(key);
    }
}
BENCHMARK(BM_OpenSealKey)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Memcpy(benchmark::State& state) {
    const QByteArray& source = plainMonth();
    QByteArray target(MonthSize, '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), source.constData(), MonthSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * MonthSize);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);

void BM_CipherBuffer(benchmark::State& state) {
    QByteArray bytes = plainMonth();
    bytes.detach();
    for (auto _ : state) {
        mdlBinaryCipher::CipherBuffer(bytes);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * MonthSize);
}
BENCHMARK(BM_CipherBuffer)->Unit(benchmark::kMicrosecond);

void BM_OpenData(benchmark::State& state) {
    const QByteArray file = seal::sealData(plainMonth(), dataKey(), u"2010/01.log"_s);
    for (auto _ : state) {
        std::optional<QByteArray> plain = seal::openData(file, dataKey(), u"2010/01.log"_s);
        if (!plain) {
            state.SkipWithError("the sealed month does not open");
            break;
        }
        benchmark::DoNotOptimize(plain->data());
    }
    state.SetBytesProcessed(state.iterations() * MonthSize);
}
BENCHMARK(BM_OpenData)->Unit(benchmark::kMicrosecond);

void BM_SealData(benchmark::State& state) {
    for (auto _ : state) {
        QByteArray file = seal::sealData(plainMonth(), dataKey(), u"2010/01.log"_s);
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(state.iterations() * MonthSize);
}
BENCHMARK(BM_SealData)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double copy = reporter.rates["BM_Memcpy"];
    const double cipher = reporter.rates["BM_CipherBuffer"];
    const double open = reporter.rates["BM_OpenData"];
    if (copy > 0 && cipher > 0 && open > 0) {
        std::printf(
            "\n64 KiB month: memcpy %.0f MB/s, file cipher %.0f MB/s, openData %.0f MB/s;"
            " openData/cipher = %.2f, openData/memcpy = %.3f\n",
            copy / 1e6, cipher / 1e6, open / 1e6, open / cipher, open / copy);
    }
    benchmark::Shutdown();
    return 0;
}
