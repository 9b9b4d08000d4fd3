#pragma once

#include <QByteArray>

#include <atomic>
#include <cstdint>

namespace quillmere {

class SystemCalls;

// The quick scan before a copy: how many items a tree holds (itself included) and how
// many bytes its regular files hold, counted the way a copy writes them (once per name).
// The walk goes through open folder descriptors and never follows a link. What cannot be
// read is left out of the count; the copy itself will report it.
namespace TreeMeasure {

struct Totals {
    std::int64_t items = 0;
    std::int64_t bytes = 0;
};

// Ends early, with what it has counted, once stop is set.
Totals of(SystemCalls& calls, const QByteArray& path, const std::atomic<bool>& stop);
Totals of(SystemCalls& calls, const QByteArray& path);

} // namespace TreeMeasure

} // namespace quillmere
