#pragma once

#include <QByteArray>

struct stat;

namespace quillmere {

class SystemCalls;

// Opening an entry that a walk has just listed, without trusting its name twice.
namespace ListedEntry {

// Opens name in the folder open at folderFd without following a link (O_NOFOLLOW is
// added to flags) and checks that what opened is the entry listed as `listed` (device,
// inode and type). Returns the descriptor. Throws PlatformError naming path; another
// item in its place is PlatformError::replaced.
int open(SystemCalls& calls, int folderFd, const QByteArray& name, const QByteArray& path,
         const struct stat& listed, int flags);

} // namespace ListedEntry
} // namespace quillmere
