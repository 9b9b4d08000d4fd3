#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

struct stat;

namespace quillmere {

class SystemCalls;

// Removes an item permanently: a folder with everything inside it, depth first.
//
// The walk goes through open folder descriptors and never follows a symbolic link:
// each folder is opened relative to its parent with O_NOFOLLOW and checked to be the
// folder that was listed (device and inode), so a folder that another program swaps
// for a link mid-walk stops that branch with an error instead of leading the removal
// out of the tree. Links are removed as links. Depth is not limited by PATH_MAX.
class TreeRemover final {
public:
    // Whose tree is removed. A tree this program created (a partial or rolled-back copy)
    // gets owner access back on its folders first, so a read-only folder copied from the
    // source cannot keep it from being cleaned up; the user's own folders keep their modes.
    enum class Owner { user, thisProgram };

    explicit TreeRemover(std::shared_ptr<SystemCalls> calls);

    // Throws PlatformError for the first item that cannot be removed.
    void remove(const QString& path, Owner owner = Owner::user) const;
    void removeBytes(const QByteArray& path) const;
    // The same, counting in removed the items that are gone, also when it throws; when
    // expected is given, the item must still be that file.
    void removeBytes(const QByteArray& path, int& removed, std::optional<FileIdentity> expected = {},
                     Owner owner = Owner::user) const;
    // Removes the entry name of the folder open at parentFd; path names it in errors.
    void removeAt(int parentFd, const QByteArray& name, const QByteArray& path, int& removed,
                  std::optional<FileIdentity> expected, Owner owner) const;

private:
    // Opens the listed folder and checks it is still that folder; returns the descriptor.
    int openFolder(int parentFd, const QByteArray& name, const QByteArray& path, const struct stat& status,
                   Owner owner) const;

    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
