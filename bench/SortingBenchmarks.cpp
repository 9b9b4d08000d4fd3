#include "SortingBenchmarks.h"

#include "BenchmarkFolders.h"
#include "models/listing/FileOrdering.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace quillmere::bench {
namespace {

// A private copy of the listing, made while the clock is stopped.
QList<FileItem> freshCopy(benchmark::State& state, int count) {
    state.PauseTiming();
    QList<FileItem> items = BenchmarkFolders::shared().listing(count);
    items.detach();
    state.ResumeTiming();
    return items;
}

void sortFast(benchmark::State& state, int count, SortKey key) {
    for (auto _ : state) {
        QList<FileItem> items = freshCopy(state, count);
        sortItems(items, key, SortDirection::ascending);
        benchmark::DoNotOptimize(items.data());
    }
}

void sortNaive(benchmark::State& state, int count, SortKey key) {
    const QCollator collator = makeNameCollator();
    for (auto _ : state) {
        QList<FileItem> items = freshCopy(state, count);
        switch (key) {
        case SortKey::name:
            std::stable_sort(items.begin(), items.end(), [&](const FileItem& a, const FileItem& b) {
                return collator.compare(a.name, b.name) < 0;
            });
            break;
        case SortKey::kind:
            std::stable_sort(items.begin(), items.end(), [&](const FileItem& a, const FileItem& b) {
                return collator.compare(a.kind, b.kind) < 0;
            });
            break;
        default:
            std::stable_sort(items.begin(), items.end(), [&](const FileItem& a, const FileItem& b) {
                return areInIncreasingOrder(a, b, key, SortDirection::ascending);
            });
        }
        benchmark::DoNotOptimize(items.data());
    }
}

} // namespace

void SortingBenchmarks::registerFor(int count, std::vector<RatioReporter::Pair>& pairs) {
    for (SortKey key : allSortKeys) {
        const std::string suffix = QString(rawText(key)).toStdString() + "/" + std::to_string(count);
        const std::string figure = "sort_" + suffix;
        const std::string reference = "sort_naive_" + suffix;
        // The naive name sort of a million names takes many seconds: one round is enough.
        const bool slow = count >= 1000000 && (key == SortKey::name || key == SortKey::kind);
        auto* naive = benchmark::RegisterBenchmark(reference.c_str(), sortNaive, count, key)
                          ->Unit(benchmark::kMillisecond)
                          ->UseRealTime();
        if (slow)
            naive->Iterations(1);
        benchmark::RegisterBenchmark(figure.c_str(), sortFast, count, key)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        pairs.push_back({figure, reference, key == SortKey::name && count == 100000 ? 0.3 : 0.0});
    }
}

} // namespace quillmere::bench
