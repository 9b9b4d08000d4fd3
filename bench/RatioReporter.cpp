#include "RatioReporter.h"

#include <cstdio>

namespace quillmere::bench {

RatioReporter::RatioReporter(std::vector<Pair> pairs)
    : benchmark::ConsoleReporter(OO_Tabular)
    , m_pairs(std::move(pairs)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred)
            continue;
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        // Pairs name the benchmarks without the options Google Benchmark appends.
        std::string name = run.benchmark_name();
        for (const char* option : {"/real_time", "/iterations:"}) {
            const size_t at = name.find(option);
            if (at != std::string::npos)
                name.resize(at);
        }
        m_milliseconds[name] = seconds * 1000.0;
    }
    ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-34s %12s  %-34s %12s  %7s  %s\n", "figure", "ms", "reference", "ms", "ratio", "target");
    for (const Pair& pair : m_pairs) {
        const auto figure = m_milliseconds.find(pair.figure);
        if (figure == m_milliseconds.end())
            continue;
        if (pair.reference.empty()) {
            char target[32] = "";
            if (pair.target > 0)
                std::snprintf(target, sizeof target, "<= %.0f ms %s", pair.target,
                              figure->second <= pair.target ? "met" : "MISSED");
            std::printf("%-34s %12.2f  %-34s %12s  %7s  %s\n", pair.figure.c_str(), figure->second,
                        "(absolute)", "", "", target);
            continue;
        }
        const auto reference = m_milliseconds.find(pair.reference);
        if (reference == m_milliseconds.end())
            continue;
        const double ratio = figure->second / reference->second;
        char target[32] = "";
        if (pair.target > 0)
            std::snprintf(target, sizeof target, "<= %.2f %s", pair.target,
                          ratio <= pair.target ? "met" : "MISSED");
        std::printf("%-34s %12.2f  %-34s %12.2f  %7.3f  %s\n", pair.figure.c_str(), figure->second,
                    pair.reference.c_str(), reference->second, ratio, target);
    }
    std::fflush(stdout);
}

} // namespace quillmere::bench
