#pragma once

#include "MountTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace quillmere {

// A mounted file system the user would call a drive or a share.
struct VisibleVolume {
    QByteArray mountPoint; // the folder to open
    QString label;         // the file system's label, else the mount point's last name
    bool isNetwork = false;
    bool operator==(const VisibleVolume&) const = default;
};

// Picks, from a mount table, the mounts a user thinks of as volumes: whatever is mounted
// below the places removable drives and the administrator's extra disks go (/media,
// /run/media, /mnt), network file systems wherever they were mounted except the system's
// own folders, and any mount marked x-gvfs-show; never one marked x-gvfs-hide. A mount
// that a later one covers (on its folder or on a folder above it) is not offered, nor a
// drive another user mounted in a folder of their own (/media/NAME/..., /run/media/NAME/...).
namespace VolumeScan {

using LabelLookup = std::function<std::optional<QString>(const QByteArray& source)>;

// The folders whose subfolders hold volumes, each with its trailing "/".
QList<QByteArray> defaultRoots();
bool isNetworkFileSystem(const QByteArray& fileSystemType);

// In mount order. userName: this user's login name, which owns the per-user folders.
QList<VisibleVolume> visibleVolumes(const MountTable& table, const LabelLookup& labelFor,
                                    const QList<QByteArray>& roots, const QByteArray& userName);
// This process's mounts, labelled from /dev/disk/by-label. Reads the system: call it off
// the user-interface thread.
QList<VisibleVolume> scan(const QList<QByteArray>& roots);

} // namespace VolumeScan

} // namespace quillmere
