#pragma once

#include <QByteArray>

#include <cstdint>

namespace quillmere {

class OperationControl;
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

// A cancel request on control ends the scan with ECANCELED.
Totals of(SystemCalls& calls, const QByteArray& path, const OperationControl* control = nullptr);

} // namespace TreeMeasure

} // namespace quillmere
