// The file cipher over a 64 MiB buffer against memcpy of the same buffer.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <cstdio>
#include <cstring>

#include "ratioreporter.h"
#include "storage/binarycipher.h"

namespace {

constexpr qsizetype BufferSize = 64 * 1024 * 1024;

QByteArray& buffer() {
    static QByteArray bytes = [] {
        QByteArray b(BufferSize, '\0');
        for (qsizetype i = 0; i < b.size(); ++i) {
            b[i] = char(i * 131 + (i >> 9));
        }
        return b;
    }();
    return bytes;
}

void BM_Memcpy(benchmark::State& state) {
    QByteArray& source = buffer();
    QByteArray target(BufferSize, '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), source.constData(), BufferSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * BufferSize);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_CipherBuffer(benchmark::State& state) {
    QByteArray& bytes = buffer();
    bytes.detach();
    for (auto _ : state) {
        mdlBinaryCipher::CipherBuffer(bytes);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * BufferSize);
}
BENCHMARK(BM_CipherBuffer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double copy = reporter.rates["BM_Memcpy"];
    const double cipher = reporter.rates["BM_CipherBuffer"];
    if (copy > 0 && cipher > 0) {
        std::printf("\nmemcpy %.0f MB/s, cipher %.0f MB/s, cipher/memcpy = %.2f (target >= 0.33)\n",
                    copy / 1e6, cipher / 1e6, cipher / copy);
    }
    benchmark::Shutdown();
    return 0;
}
