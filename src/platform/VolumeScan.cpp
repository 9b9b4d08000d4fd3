#include "VolumeScan.h"

#include "DiskLabels.h"
#include "PathCodec.h"

#include <QHash>
#include <QSet>

#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace quillmere {
namespace {

bool isAtOrBelow(const QByteArray& path, const QByteArray& folder) {
    if (folder == "/")
        return path.startsWith('/');
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

// Below /media/ and /run/media/, desktops mount each user's drives in a folder named
// after the user; another user's are not this user's to open.
bool isAnotherUsersDrive(const QByteArray& mountPoint, const QByteArray& userName) {
    for (const char* root : {"/media/", "/run/media/"}) {
        const qsizetype length = qsizetype(std::strlen(root));
        if (!mountPoint.startsWith(root))
            continue;
        const qsizetype slash = mountPoint.indexOf('/', length);
        return slash > 0 && !userName.isEmpty() && mountPoint.mid(length, slash - length) != userName;
    }
    return false;
}

bool isShown(const Mount& mount, const QList<QByteArray>& roots, const QByteArray& userName) {
    if (mount.hasOption("x-gvfs-hide") || isAnotherUsersDrive(mount.mountPoint, userName))
        return false;
    // /run/media/USER/... sits below /run, so the roots are asked first.
    if (mount.hasOption("x-gvfs-show") || isBelowRoot(mount.mountPoint, roots))
        return true;
    return VolumeScan::isNetworkFileSystem(mount.fileSystemType) && !isSystemPlace(mount.mountPoint);
}

// Whether another mount hides this one from every path: one made later on the same folder,
// or on a folder above it, that this mount does not sit on. The mount tree (parent ids)
// tells which is on top.
bool isCovered(qsizetype index, const QList<Mount>& mounts, const QHash<int, qsizetype>& byId) {
    const Mount& mount = mounts[index];
    QSet<int> beneath;
    for (auto parent = byId.constFind(mount.parentId);
         parent != byId.constEnd() && !beneath.contains(mounts[*parent].id);
         parent = byId.constFind(mounts[*parent].parentId))
        beneath.insert(mounts[*parent].id);
    for (qsizetype i = 0; i < mounts.size(); ++i) {
        const Mount& other = mounts[i];
        if (i == index || beneath.contains(other.id) || !isAtOrBelow(mount.mountPoint, other.mountPoint))
            continue;
        // Two mounts side by side on one folder (mount propagation can do that): the later is on top.
        if (other.mountPoint == mount.mountPoint && i < index)
            continue;
        return true;
    }
    return false;
}

QByteArray currentUserName() {
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_name ? QByteArray(entry->pw_name) : QByteArray();
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
                                                const QList<QByteArray>& roots, const QByteArray& userName) {
    const QList<Mount>& mounts = table.mounts();
    QHash<int, qsizetype> byId;
    for (qsizetype i = 0; i < mounts.size(); ++i)
        byId.insert(mounts[i].id, i);

    QList<VisibleVolume> volumes;
    for (qsizetype i = 0; i < mounts.size(); ++i) {
        const Mount& mount = mounts[i];
        if (!isShown(mount, roots, userName) || isCovered(i, mounts, byId))
            continue;
        // A share's source names a server, never a local device ("//host/share" is no path).
        const bool network = isNetworkFileSystem(mount.fileSystemType);
        std::optional<QString> label = labelFor && !network ? labelFor(mount.source) : std::nullopt;
        if (!label || label->isEmpty())
            label = lastName(mount.mountPoint);
        volumes.append({mount.mountPoint, *label, network});
    }
    return volumes;
}

QList<VisibleVolume> VolumeScan::scan(const QList<QByteArray>& roots) {
    const DiskLabels labels = DiskLabels::read();
    return visibleVolumes(
        MountTable::current(), [&labels](const QByteArray& source) { return labels.labelFor(source); }, roots,
        currentUserName());
}

} // namespace quillmere
