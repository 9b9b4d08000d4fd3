#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace quillmere {

// One mounted file system, from /proc/self/mountinfo, with its /etc/fstab options and
// those mount(8) keeps for it in /run/mount/utab (the x- options given when mounting).
struct Mount {
    int id = 0;
    int parentId = 0; // the mount this one sits on
    QByteArray mountPoint;
    QByteArray fileSystemType; // "ext4", "fuse.fusefat", "fuseblk", ...
    QByteArray source;         // "/dev/sdb1", "server:/export", "//host/share", "tmpfs", ...
    QList<QByteArray> options;
    QList<QByteArray> tableOptions; // the fstab and utab options, where the mount point is listed there

    bool hasOption(const QByteArray& option) const;
};

// The mounts of this process's mount namespace.
class MountTable final {
public:
    static MountTable current();
    static MountTable parse(const QByteArray& mountInfo, const QByteArray& fstab,
                            const QByteArray& utab = {});

    // The mount that holds path: the one with the longest mount point that contains it.
    std::optional<Mount> mountContaining(const QByteArray& path) const;
    const QList<Mount>& mounts() const { return m_mounts; }

private:
    QList<Mount> m_mounts;
};

} // namespace quillmere
