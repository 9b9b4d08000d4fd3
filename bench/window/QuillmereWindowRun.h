#pragma once

namespace quillmere::bench {

// One measured start of the real application in this process, built the way the
// program's main() builds it; the environment (HOME, XDG_CONFIG_HOME, ...) comes from
// the driver. `scenario` is "home" (the home folder holds the large folder, which is
// then entered with Return) or "session" (a saved tab on the large folder is
// restored). Prints its figures to stdout.
int runQuillmereWindow(int argc, char* argv[], const char* scenario, int expectedRows);

} // namespace quillmere::bench
