#include "FilterBenchmarks.h"

#include "BenchmarkFolders.h"
#include "models/listing/FuzzyIndex.h"
#include "models/listing/FuzzyMatcher.h"

#include <benchmark/benchmark.h>

#include <array>
#include <map>
#include <memory>

namespace quillmere::bench {
namespace {

// Queries a user types while narrowing a large folder: one to four characters.
constexpr std::array<const char16_t*, 4> queries = {u"r", u"im", u"rpt", u"dsc1"};

const FuzzyIndex& indexFor(int count) {
    static std::map<int, std::unique_ptr<FuzzyIndex>> indexes;
    auto& index = indexes[count];
    if (!index)
        index = std::make_unique<FuzzyIndex>(BenchmarkFolders::shared().listing(count));
    return *index;
}

void buildIndex(benchmark::State& state, int count) {
    const QList<FileItem>& items = BenchmarkFolders::shared().listing(count);
    for (auto _ : state) {
        FuzzyIndex index(items);
        benchmark::DoNotOptimize(&index);
    }
}

void filterWithIndex(benchmark::State& state, int count, QStringView query) {
    const FuzzyIndex& index = indexFor(count);
    int64_t matches = 0;
    for (auto _ : state) {
        QList<FileItem> shown = index.filter(query);
        matches = shown.size();
        benchmark::DoNotOptimize(shown.data());
    }
    state.counters["matches"] = double(matches);
}

// The positions alone, for a caller that shows the listing through them instead of
// copying the matching items.
void matchWithIndex(benchmark::State& state, int count, QStringView query) {
    const FuzzyIndex& index = indexFor(count);
    for (auto _ : state) {
        std::vector<qsizetype> positions = index.matchingPositions(query);
        benchmark::DoNotOptimize(positions.data());
    }
}

void filterPlain(benchmark::State& state, int count, QStringView query) {
    const QList<FileItem>& items = BenchmarkFolders::shared().listing(count);
    for (auto _ : state) {
        QList<FileItem> shown = fuzzyFilter(items, query);
        benchmark::DoNotOptimize(shown.data());
    }
}

} // namespace

void FilterBenchmarks::registerFor(int count, std::vector<RatioReporter::Pair>& pairs) {
    const std::string size = std::to_string(count);
    benchmark::RegisterBenchmark(("fuzzy_index_build/" + size).c_str(), buildIndex, count)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    pairs.push_back({"fuzzy_index_build/" + size, "", 0.0});
    for (const char16_t* query : queries) {
        const QStringView view(query);
        const std::string label = std::to_string(view.size()) + "char/" + size;
        const std::string figure = "fuzzy_index_" + label;
        const std::string reference = "fuzzyFilter_" + label;
        // The plain filter over a million names costs seconds per query; it is the
        // reference at the smaller sizes only.
        if (count < 1000000)
            benchmark::RegisterBenchmark(reference.c_str(), filterPlain, count, view)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        benchmark::RegisterBenchmark(figure.c_str(), filterWithIndex, count, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("fuzzy_positions_" + label).c_str(), matchWithIndex, count, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        const double limit = count >= 1000000 ? 160.0 : count >= 100000 ? 16.0 : 0.0;
        if (limit > 0) {
            pairs.push_back({figure, "", limit});
            pairs.push_back({"fuzzy_positions_" + label, "", limit});
        }
        if (count < 1000000)
            pairs.push_back({figure, reference, 0.0});
    }
}

} // namespace quillmere::bench
