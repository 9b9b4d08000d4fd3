#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace quillmere {

class SystemCalls;

// Tells whether a folder's volume keeps names that differ only in case apart.
// FAT, exFAT, NTFS, HFS and SMB volumes (also through FUSE) and folders with the
// ext4/f2fs casefold flag do not. An answer that cannot be had is empty.
class VolumeCaseProbe final {
public:
    explicit VolumeCaseProbe(std::shared_ptr<SystemCalls> calls);

    std::optional<bool> supportsCaseSensitiveNames(const QString& folder) const;

    static bool isCaseInsensitiveFuseType(const QByteArray& fileSystemType);

private:
    std::shared_ptr<SystemCalls> m_calls;
};

} // namespace quillmere
