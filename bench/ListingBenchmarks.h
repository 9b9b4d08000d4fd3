#pragma once

#include "RatioReporter.h"

#include <vector>

namespace quillmere::bench {

// Listing a folder with the service, next to a bare readdir + fstatat loop over the
// same folder: the least any listing of names, kinds, sizes and dates can cost.
class ListingBenchmarks final {
public:
    // Registers the pair for a folder of `count` entries and adds it to `pairs`.
    static void registerFor(int count, std::vector<RatioReporter::Pair>& pairs);
};

} // namespace quillmere::bench
