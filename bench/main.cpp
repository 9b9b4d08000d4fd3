#include "BatchRenameBenchmarks.h"
#include "BenchmarkFolders.h"
#include "ClipboardBenchmarks.h"
#include "FilterBenchmarks.h"
#include "ListingBenchmarks.h"
#include "RatioReporter.h"
#include "SortingBenchmarks.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

using namespace quillmere::bench;

namespace {

std::string cpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    std::vector<RatioReporter::Pair> pairs;
    for (int count : {10000, 100000, 1000000}) {
        ListingBenchmarks::registerFor(count, pairs);
        SortingBenchmarks::registerFor(count, pairs);
        FilterBenchmarks::registerFor(count, pairs);
    }
    for (int count : {10000, 100000}) {
        BatchRenameBenchmarks::registerFor(count, pairs);
        ClipboardBenchmarks::registerFor(count, pairs);
    }

    BenchmarkFolders& folders = BenchmarkFolders::shared();
    std::printf("CPU: %s, %u hardware threads; folders under %s (%s)\n", cpuModel().c_str(),
                std::thread::hardware_concurrency(), folders.root().constData(),
                folders.fileSystemType().toUtf8().constData());
    RatioReporter reporter(pairs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
