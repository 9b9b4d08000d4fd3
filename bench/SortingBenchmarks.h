#pragma once

#include "RatioReporter.h"

#include <vector>

namespace quillmere::bench {

// sortItems by each key, next to a plain std::stable_sort of the items with
// QCollator::compare (name, kind) or areInIncreasingOrder (date, size).
class SortingBenchmarks final {
public:
    static void registerFor(int count, std::vector<RatioReporter::Pair>& pairs);
};

} // namespace quillmere::bench
