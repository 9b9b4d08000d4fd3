#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace quillmere {

class OperationControl;
class SystemCalls;

// How a copy is made beyond its source and destination.
struct CopyOptions {
    // When given, the copy is made under this name in the destination's folder and
    // renamed to the destination (never replacing) only once it is complete, so no
    // partial copy ever carries the final name.
    QByteArray temporaryName;
    // Counts every item created and every chunk of bytes written; a cancel request
    // ends the copy at the next item or chunk as a failure with ECANCELED.
    OperationControl* control = nullptr;
    // Hears which item the complete copy is just before it is renamed into place, so a
    // journal can tell it apart after a crash at any later moment.
    std::function<void(const FileIdentity& copy)> completed;
};

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
    Outcome copy(const QString& source, const QString& destination, const CopyOptions& options = {}) const;
    Outcome copyBytes(const QByteArray& source, const QByteArray& destination,
                      const CopyOptions& options = {}) const;

private:
    void renameIntoPlace(const QByteArray& temporaryPath, const QByteArray& path) const;

    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
