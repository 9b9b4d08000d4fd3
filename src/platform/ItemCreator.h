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

    // Never replaces anything: an existing item of any kind, a dangling link among them,
    // fails with EEXIST, and a link is never written through.
    void createFile(const QString& path) const;
    // Missing parent folders are not created; an existing item fails with EEXIST.
    void createFolder(const QString& path) const;
    // Creates the folder and any missing parents with the given mode; an existing folder is fine.
    void createFolderWithParents(const QString& path, mode_t mode) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
