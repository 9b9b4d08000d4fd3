#pragma once

#include "RatioReporter.h"

#include <vector>

namespace quillmere::bench {

// Putting marked entries on the clipboard (every format at once) and reading them back,
// against one frame (16 ms): Ctrl+C of 10,000 entries must not pause the window.
class ClipboardBenchmarks final {
public:
    static void registerFor(int count, std::vector<RatioReporter::Pair>& pairs);
};

} // namespace quillmere::bench
