#pragma once

#include "TreeCopier.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace quillmere {

class SystemCalls;

// Moves an item to a location that must not exist; an existing item is never replaced.
//
// The rename asks the kernel not to replace (RENAME_NOREPLACE). File systems that do
// not know that flag (FUSE, some network file systems) answer EINVAL; then a file is
// linked and unlinked, and anything else is renamed after checking the name is free.
class ItemMover final {
public:
    explicit ItemMover(std::shared_ptr<SystemCalls> calls);

    // A rename within one file system. Throws PlatformError (EXDEV across file systems).
    void rename(const QString& from, const QString& to) const;
    void renameBytes(const QByteArray& from, const QByteArray& to) const;

    // A rename that, across file systems, copies the tree and then removes the source.
    // A copy that fails part-way is removed again and the source is left as it was; so is
    // a complete copy when not one item of the source can be removed. Returns what the
    // copy could not carry over (nothing for a rename).
    // options say how the copy across file systems is made.
    TreeCopier::Outcome move(const QString& from, const QString& to, const CopyOptions& options = {}) const;

private:
    void renameWithoutKernelSupport(const QByteArray& from, const QByteArray& to) const;

    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
