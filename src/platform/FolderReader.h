#pragma once

#include "DirectoryEntry.h"

#include <memory>
#include <vector>

namespace quillmere {

class SystemCalls;

// Lists a folder with one lstat per entry: name, kind, size and modification time;
// a symbolic link gets one more stat to learn whether it leads to a folder.
// Entries come in the order the kernel returns them. An entry that vanishes or
// cannot be examined between the directory read and its stat is left out.
class FolderReader final {
public:
    explicit FolderReader(std::shared_ptr<SystemCalls> calls);

    // Throws PlatformError when the folder itself cannot be read.
    std::vector<DirectoryEntry> read(const QString& folder, bool showHidden) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
