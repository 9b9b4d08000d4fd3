#pragma once

#include "RatioReporter.h"

#include <vector>

namespace quillmere::bench {

// Filtering a listing per keystroke through a FuzzyIndex for queries of one to four
// characters, next to fuzzyFilter over the same items, and the cost of building the
// index once per listing.
class FilterBenchmarks final {
public:
    static void registerFor(int count, std::vector<RatioReporter::Pair>& pairs);
};

} // namespace quillmere::bench
