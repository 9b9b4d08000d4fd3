#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace quillmere {

class SystemCalls;

// Copies an item, a folder with all its contents, to a location that must not exist.
//
// Nothing is ever overwritten: every destination item is created exclusively, and that
// creation is the only existence check, so a clean-up can only ever remove what this copy
// made. The walk goes through open folder descriptors (O_NOFOLLOW, device and inode
// checked), so a source folder swapped for a link mid-copy is refused, not followed.
// Symbolic links are copied as links, FIFOs and devices are recreated, never opened.
// Regular files are cloned where the file system can, else copied in the kernel, else
// read and written; holes stay holes. Mode, times, extended attributes (POSIX ACLs among
// them), ownership where the process may change it, and hard links within the tree are
// kept, as `cp -a` does. A file stays unreadable to others and a folder writable by its
// owner until its contents are complete; the source's mode comes last. When the copy
// fails part-way, everything it created is removed again before the error is thrown;
// what cannot be removed is named by the error's leftBehind().
class TreeCopier final {
public:
    // What the copy could not carry over because the destination or the process would
    // not take it. A copy is complete without them; a move should say so.
    struct Outcome {
        FileIdentity source; // the item that was copied
        FileIdentity copy;   // the item that was created
        int droppedAttributes = 0;
        int droppedOwners = 0;

        bool droppedAnything() const { return droppedAttributes > 0 || droppedOwners > 0; }
    };

    explicit TreeCopier(std::shared_ptr<SystemCalls> calls);

    // Throws PlatformError.
    Outcome copy(const QString& source, const QString& destination) const;
    Outcome copyBytes(const QByteArray& source, const QByteArray& destination) const;

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
