#pragma once

#include <QByteArray>

namespace quillmere {

// The processes running on this machine, as /proc shows them.
namespace ProcessTable {

// True when a live process (not a zombie) of this user has the command name
// `name`. The kernel keeps only the first 15 bytes of a command name; compare
// against a name that fits.
bool isRunningForCurrentUser(const QByteArray& name);

} // namespace ProcessTable

} // namespace quillmere
