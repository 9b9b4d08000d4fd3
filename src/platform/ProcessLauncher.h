#pragma once

#include "ProcessStart.h"

#include <sys/types.h>

namespace quillmere {

// Starts a program without waiting for it and without a shell: the program, every
// argument and the working directory go to the kernel as the exact bytes of their
// paths. The child gets its own session, so a signal meant for Quillmere's terminal
// does not reach it, and it is reaped when it ends, so no zombie is left behind.
namespace ProcessLauncher {

// Throws PlatformError when the program cannot be started (missing program, no
// permission, working directory that cannot be entered). Returns the child's id.
pid_t start(const ProcessStart& process);

} // namespace ProcessLauncher

} // namespace quillmere
