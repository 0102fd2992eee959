#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints the usual table and keeps each run's throughput, so that a
// benchmark can print the ratios of its runs at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) {
                rates[run.run_name.function_name] = it->second.value;
            }
        }
    }
    std::map<std::string, double> rates;
};
