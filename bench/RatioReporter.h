#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::bench {

/// The console table, then ratios between benchmarks of the same run, so a
/// figure is always read against a baseline measured on the same machine at
/// the same time. With --benchmark_repetitions the median stands for a
/// benchmark: single runs on a shared machine jitter.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    using Summary = std::function<void(RatioReporter&)>;

    explicit RatioReporter(Summary summary) : summary_(std::move(summary)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median"
                                                  : real_.count(name) == 0) {
                real_[name] = run.GetAdjustedRealTime();
                cpu_[name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        summary_(*this);
    }

    /// Prints "measured / baseline: real time R, CPU time C (at most L)";
    /// a limit of 0 means the ratio is for information only.
    void ratio(const std::string& measured, const std::string& baseline, double limit = 0) {
        if (real_.count(measured) == 0 || real_.count(baseline) == 0) {
            return;
        }
        GetOutputStream() << measured << " / " << baseline << ": real time "
                          << real_[measured] / real_[baseline] << ", CPU time "
                          << cpu_[measured] / cpu_[baseline];
        printLimit(limit);
    }

    /// Prints the time per item of NAME/large over that of NAME/small, which
    /// stays near 1 while the work grows linearly; a limit of 0 means the
    /// figure is for information only.
    void perItem(const std::string& name, long large, long small, double limit) {
        const double value = growth(name, large, small);
        if (value <= 0) {
            return;
        }
        GetOutputStream() << "per item " << name << "/" << large << " / " << name << "/" << small
                          << " = " << value;
        printLimit(limit);
    }

    /// Prints the per-item growth of NAME over that of BASELINE between the
    /// same sizes: near 1 when NAME slows down with size no more than the
    /// baseline's walk over the same input does.
    void relativeGrowth(const std::string& name, const std::string& baseline, long large,
                        long small, double limit) {
        const double measured = growth(name, large, small);
        const double base = growth(baseline, large, small);
        if (measured <= 0 || base <= 0) {
            return;
        }
        GetOutputStream() << "growth " << name << " / growth " << baseline << " (" << small
                          << " to " << large << ") = " << measured / base;
        printLimit(limit);
    }

private:
    // Time per item at `large` over time per item at `small`; 0 when either
    // was not run.
    double growth(const std::string& name, long large, long small) {
        const std::string big = name + "/" + std::to_string(large);
        const std::string little = name + "/" + std::to_string(small);
        if (real_.count(big) == 0 || real_.count(little) == 0) {
            return 0;
        }
        return (real_[big] / static_cast<double>(large)) /
               (real_[little] / static_cast<double>(small));
    }

    void printLimit(double limit) {
        if (limit > 0) {
            GetOutputStream() << " (at most " << limit << ")";
        }
        GetOutputStream() << "\n";
    }

    Summary summary_;
    std::map<std::string, double> real_;
    std::map<std::string, double> cpu_;
};

/// Runs the benchmarks selected on the command line with a RatioReporter.
inline int runWithRatios(int argc, char** argv, RatioReporter::Summary summary) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(summary));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace ostrel::bench
