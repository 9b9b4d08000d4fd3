#pragma once

#include <QString>

#include <memory>

#include <sys/types.h>

namespace quillmere {

class SystemCalls;

// Creates one empty file or one folder. Throws PlatformError.
class ItemCreator final {
public:
    explicit ItemCreator(std::shared_ptr<SystemCalls> calls);

    // An existing file of that name is truncated to empty, as a plain write would.
    void createFile(const QString& path) const;
    // Missing parent folders are not created.
    void createFolder(const QString& path) const;
    // Creates the folder and any missing parents with the given mode; an existing folder is fine.
    void createFolderWithParents(const QString& path, mode_t mode) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
