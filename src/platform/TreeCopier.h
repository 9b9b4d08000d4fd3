#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct stat;

namespace quillmere {

class SystemCalls;

// Copies an item, a folder with all its contents, to a location that must not exist.
//
// Nothing is ever overwritten: every destination item is created exclusively.
// Symbolic links are copied as links, FIFOs and devices are recreated, never opened.
// Regular files are cloned where the file system can, else copied in the kernel,
// else read and written; holes stay holes. Mode and modification time are kept, and
// a file stays unreadable to others until it is complete. When the copy fails
// part-way, everything it created is removed again before the error is thrown.
class TreeCopier final {
public:
    explicit TreeCopier(std::shared_ptr<SystemCalls> calls);

    // Throws PlatformError.
    void copy(const QString& source, const QString& destination) const;
    void copyBytes(const QByteArray& source, const QByteArray& destination) const;

private:
    void copyNode(const QByteArray& source, const QByteArray& destination, const struct stat& status) const;
    void copyFolder(const QByteArray& source, const QByteArray& destination, const struct stat& status) const;
    void copyFile(const QByteArray& source, const QByteArray& destination, const struct stat& status) const;
    void copyContents(int in, int out, const struct stat& status, const QByteArray& source) const;
    void copyRange(int in, int out, off_t from, off_t to, bool& kernelCopy, const QByteArray& source) const;
    void copySymlink(const QByteArray& source, const QByteArray& destination,
                     const struct stat& status) const;

    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
