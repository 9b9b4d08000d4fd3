#include "VolumeScan.h"

#include "DiskLabels.h"
#include "PathCodec.h"

#include <QHash>

namespace quillmere {
namespace {

bool isAtOrBelow(const QByteArray& path, const QByteArray& folder) {
    return path == folder || (path.startsWith(folder) && path[folder.size()] == '/');
}

bool isBelowRoot(const QByteArray& mountPoint, const QList<QByteArray>& roots) {
    for (const QByteArray& root : roots)
        if (mountPoint.size() > root.size() && mountPoint.startsWith(root))
            return true;
    return false;
}

// Folders the system mounts its own file systems on; a share mounted there (an
// automounted /home, a package cache over NFS) is not something the user opens as a volume.
bool isSystemPlace(const QByteArray& mountPoint) {
    if (mountPoint == "/" || mountPoint == "/home")
        return true;
    static const QList<QByteArray> systemFolders{"/proc",  "/sys",   "/dev", "/run", "/boot", "/efi",
                                                 "/usr",   "/var",   "/etc", "/bin", "/sbin", "/lib",
                                                 "/lib32", "/lib64", "/opt", "/srv", "/snap"};
    for (const QByteArray& folder : systemFolders)
        if (isAtOrBelow(mountPoint, folder))
            return true;
    return false;
}

bool isShown(const Mount& mount, const QList<QByteArray>& roots) {
    if (mount.hasOption("x-gvfs-hide"))
        return false;
    // /run/media/USER/... sits below /run, so the roots are asked first.
    if (mount.hasOption("x-gvfs-show") || isBelowRoot(mount.mountPoint, roots))
        return true;
    return VolumeScan::isNetworkFileSystem(mount.fileSystemType) && !isSystemPlace(mount.mountPoint);
}

QString lastName(const QByteArray& mountPoint) {
    const qsizetype slash = mountPoint.lastIndexOf('/');
    const QByteArray name = mountPoint.mid(slash + 1);
    return PathCodec::decode(name.isEmpty() ? mountPoint : name);
}

} // namespace

QList<QByteArray> VolumeScan::defaultRoots() {
    return {"/media/", "/run/media/", "/mnt/"};
}

bool VolumeScan::isNetworkFileSystem(const QByteArray& fileSystemType) {
    static const QList<QByteArray> network{
        "nfs",          "nfs4",          "cifs",           "smb3",           "smbfs",
        "ncpfs",        "afs",           "ceph",           "glusterfs",      "davfs",
        "fuse.sshfs",   "fuse.rclone",   "fuse.davfs2",    "fuse.s3fs",      "fuse.curlftpfs",
        "fuse.gcsfuse", "fuse.smbnetfs", "fuse.glusterfs", "fuse.ceph-fuse", "fuse.sshfs-mux"};
    return network.contains(fileSystemType);
}

QList<VisibleVolume> VolumeScan::visibleVolumes(const MountTable& table, const LabelLookup& labelFor,
                                                const QList<QByteArray>& roots) {
    const QList<Mount>& mounts = table.mounts();
    // A later mount on the same point covers the earlier ones, shown or not.
    QHash<QByteArray, qsizetype> topmost;
    for (qsizetype i = 0; i < mounts.size(); ++i)
        topmost.insert(mounts[i].mountPoint, i);

    QList<VisibleVolume> volumes;
    for (qsizetype i = 0; i < mounts.size(); ++i) {
        const Mount& mount = mounts[i];
        if (topmost.value(mount.mountPoint) != i || !isShown(mount, roots))
            continue;
        std::optional<QString> label = labelFor ? labelFor(mount.source) : std::nullopt;
        if (!label || label->isEmpty())
            label = lastName(mount.mountPoint);
        volumes.append({mount.mountPoint, *label, isNetworkFileSystem(mount.fileSystemType)});
    }
    return volumes;
}

QList<VisibleVolume> VolumeScan::scan(const QList<QByteArray>& roots) {
    const DiskLabels labels = DiskLabels::read();
    return visibleVolumes(
        MountTable::current(), [&labels](const QByteArray& source) { return labels.labelFor(source); },
        roots);
}

} // namespace quillmere
