#pragma once

#include "RatioReporter.h"

#include <vector>

namespace quillmere::bench {

// The batch rename preview of every marked entry, recomputed per keystroke in the
// sheet, for each kind of rule over a folder of generated names, all entries marked.
class BatchRenameBenchmarks final {
public:
    static void registerFor(int count, std::vector<RatioReporter::Pair>& pairs);
};

} // namespace quillmere::bench
