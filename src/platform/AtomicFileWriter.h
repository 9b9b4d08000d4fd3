#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace quillmere {

class SystemCalls;

// Replaces a file's contents so that a reader, or the file after a crash, always sees
// either the old contents or the new ones, never a mixture or an empty file.
//
// The data goes to ".NAME.tmp-UUID" in the same folder, is flushed to the disk, and
// is renamed over the file; then the folder is flushed so the rename itself survives
// a crash. The old file is untouched until the rename. On any failure the temporary
// file is removed. A file that is a symbolic link stays a link: its final target is
// what gets replaced.
class AtomicFileWriter final {
public:
    explicit AtomicFileWriter(std::shared_ptr<SystemCalls> calls);

    // Throws PlatformError.
    void write(const QString& path, const QByteArray& data) const;

    static QString temporaryName(const QString& fileName);

private:
    QByteArray resolveLinks(const QByteArray& path) const;
    void writeAndSync(const QByteArray& temporary, const QByteArray& data, mode_t mode) const;

    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
