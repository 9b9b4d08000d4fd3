#pragma once

#include <chrono>

namespace quillmere {

// A point in time as file systems keep it: nanoseconds since the Unix epoch.
using FileTime = std::chrono::sys_time<std::chrono::nanoseconds>;

} // namespace quillmere
