#include "VolumeCaseProbe.h"

#include "MountTable.h"
#include "PathCodec.h"
#include "SystemCalls.h"

#include <fcntl.h>

namespace quillmere {
namespace {

// statfs f_type values (linux/magic.h and the drivers).
constexpr long msdosMagic = 0x4d44;
constexpr long exfatMagic = 0x2011BAB0;
constexpr long ntfsMagic = 0x5346544e;
constexpr long ntfs3Magic = 0x7366746e;
constexpr long hfsMagic = 0x4244;
constexpr long hfsPlusMagic = 0x482b;
constexpr long cifsMagic = 0xFF534D42;
constexpr long smb2Magic = 0xFE534D42;
constexpr long smbMagic = 0x517B;
constexpr long fuseMagic = 0x65735546;
constexpr int caseFoldFlag = 0x40000000; // FS_CASEFOLD_FL

bool isCaseInsensitiveType(long type) {
    switch (type) {
    case msdosMagic:
    case exfatMagic:
    case ntfsMagic:
    case ntfs3Magic:
    case hfsMagic:
    case hfsPlusMagic:
    case cifsMagic:
    case smb2Magic:
    case smbMagic: return true;
    default: return false;
    }
}

} // namespace

VolumeCaseProbe::VolumeCaseProbe(std::shared_ptr<SystemCalls> calls)
    : m_calls(std::move(calls)) {}

bool VolumeCaseProbe::isCaseInsensitiveFuseType(const QByteArray& fileSystemType) {
    // FUSE mounts show as "fuse.SUBTYPE" or "fuseblk.SUBTYPE"; the subtype names the driver.
    const qsizetype dot = fileSystemType.indexOf('.');
    if (!fileSystemType.startsWith("fuse") || dot < 0)
        return false;
    static const QList<QByteArray> insensitive = {"fat",  "vfat",    "msdos",      "fusefat", "exfat",
                                                  "ntfs", "ntfs-3g", "lowntfs-3g", "hfs",     "hfsplus"};
    return insensitive.contains(fileSystemType.mid(dot + 1).toLower());
}

std::optional<bool> VolumeCaseProbe::supportsCaseSensitiveNames(const QString& folder) const {
    const QByteArray path = PathCodec::encode(folder);
    struct statfs volume;
    if (m_calls->statFileSystem(path.constData(), &volume) != 0)
        return std::nullopt;
    const long type = long(volume.f_type);
    if (isCaseInsensitiveType(type))
        return false;
    if (type == fuseMagic) {
        const std::optional<Mount> mount = MountTable::current().mountContaining(path);
        if (mount && isCaseInsensitiveFuseType(mount->fileSystemType))
            return false;
    }
    const int fd = m_calls->open(path.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        int flags = 0;
        const bool folded = m_calls->getFlags(fd, &flags) == 0 && (flags & caseFoldFlag);
        m_calls->close(fd);
        if (folded)
            return false;
    }
    return true;
}

} // namespace quillmere
