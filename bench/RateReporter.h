#pragma once
// The console report of Google Benchmark that also keeps one rate counter of every benchmark (the median of
// its repetitions when there are several), so that a program can print comparisons after its runs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace kvbench {

class RateReporter : public benchmark::ConsoleReporter {
public:
    // Plain columns without colours: the output is often kept in a file.
    explicit RateReporter(std::string counter) : ConsoleReporter(OO_Tabular), counter_(std::move(counter)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto found = run.counters.find(counter_);
            if (run.error_occurred || found == run.counters.end()) {
                continue;
            }
            if (run.aggregate_name == "median") {
                medians_[run.run_name.str()] = found->second.value;
            } else if (run.aggregate_name.empty()) {
                singles_[run.run_name.str()] = found->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median rate of the named benchmark, its single run's when it ran once, NaN when it did not run.
    double Rate(const std::string& name) const {
        if (const auto median = medians_.find(name); median != medians_.end()) {
            return median->second;
        }
        const auto single = singles_.find(name);
        return single != singles_.end() ? single->second : std::nan("");
    }

private:
    std::string counter_;
    std::map<std::string, double> medians_;
    std::map<std::string, double> singles_;
};

// Runs the benchmarks that the command line selects through reporter. False on an unknown argument.
inline bool RunBenchmarks(int argc, char** argv, RateReporter& reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return false;
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}

}  // namespace kvbench
