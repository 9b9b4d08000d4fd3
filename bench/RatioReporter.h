#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace quillmere::bench {

// The console output, followed by each figure divided by its reference from the same
// run: on a shared machine only ratios measured side by side mean much.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    struct Pair {
        std::string figure;
        std::string reference; // empty: target is a time in milliseconds
        double target;         // the ratio (or time) to stay at or below; 0 when there is none
    };

    explicit RatioReporter(std::vector<Pair> pairs);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<Pair> m_pairs;
    std::map<std::string, double> m_milliseconds;
};

} // namespace quillmere::bench
