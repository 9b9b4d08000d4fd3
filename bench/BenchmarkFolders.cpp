#include "BenchmarkFolders.h"

#include "NameGenerator.h"
#include "platform/FilePrimitives.h"
#include "platform/PathCodec.h"
#include "services/filesystem/DefaultFileSystemService.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace quillmere::bench {
namespace {

void fail(const char* what, const QByteArray& path) {
    std::fprintf(stderr, "%s %s: %s\n", what, path.constData(), std::strerror(errno));
    std::exit(1);
}

void createEntry(int folderFd, const GeneratedEntry& entry) {
    const timespec times[2] = {{entry.modifiedSeconds, 0}, {entry.modifiedSeconds, 0}};
    if (entry.isFolder) {
        if (mkdirat(folderFd, entry.name.constData(), 0755) != 0)
            fail("mkdir", entry.name);
        utimensat(folderFd, entry.name.constData(), times, 0);
        return;
    }
    const int fd = openat(folderFd, entry.name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        fail("create", entry.name);
    if (entry.size > 0 && ftruncate(fd, entry.size) != 0) // sparse: a size without the blocks
        fail("truncate", entry.name);
    futimens(fd, times);
    close(fd);
}

// The generated folders hold only files and empty folders, so one level of removal does.
void removeFolder(const QByteArray& path) {
    DIR* directory = opendir(path.constData());
    if (!directory)
        return;
    const int fd = dirfd(directory);
    while (dirent* record = readdir(directory)) {
        const char* name = record->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        if (unlinkat(fd, name, 0) != 0 && errno == EISDIR)
            unlinkat(fd, name, AT_REMOVEDIR);
    }
    closedir(directory);
    rmdir(path.constData());
}

} // namespace

BenchmarkFolders::BenchmarkFolders() {
    QByteArray pattern = PathCodec::encode(QDir::tempPath()) + "/quillmere-bench-XXXXXX";
    if (!mkdtemp(pattern.data()))
        fail("mkdtemp", pattern);
    m_root = pattern;
}

BenchmarkFolders::~BenchmarkFolders() {
    m_listings.clear();
    for (const auto& [count, path] : m_folders)
        removeFolder(path);
    rmdir(m_root.constData());
}

BenchmarkFolders& BenchmarkFolders::shared() {
    static BenchmarkFolders folders;
    return folders;
}

QByteArray BenchmarkFolders::create(int count) {
    const QByteArray path = m_root + "/entries-" + QByteArray::number(count);
    std::fprintf(stderr, "Creating %d entries in %s ...\n", count, path.constData());
    if (mkdir(path.constData(), 0755) != 0)
        fail("mkdir", path);
    const int fd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    NameGenerator generator;
    for (int i = 0; i < count; ++i)
        createEntry(fd, generator.entry(i));
    close(fd);
    return path;
}

QString BenchmarkFolders::folder(int count) {
    auto found = m_folders.find(count);
    if (found == m_folders.end())
        found = m_folders.emplace(count, create(count)).first;
    return PathCodec::decode(found->second);
}

const QList<FileItem>& BenchmarkFolders::listing(int count) {
    auto found = m_listings.find(count);
    if (found == m_listings.end()) {
        FilePrimitives primitives;
        found =
            m_listings.emplace(count, DefaultFileSystemService::list(primitives, folder(count), true)).first;
    }
    return found->second;
}

QString BenchmarkFolders::fileSystemType() const {
    struct statfs info;
    if (statfs(m_root.constData(), &info) != 0)
        return u"unknown"_s;
    switch (info.f_type) {
    case EXT4_SUPER_MAGIC: return u"ext4"_s;
    case TMPFS_MAGIC: return u"tmpfs"_s;
    case BTRFS_SUPER_MAGIC: return u"btrfs"_s;
    case XFS_SUPER_MAGIC: return u"xfs"_s;
    case OVERLAYFS_SUPER_MAGIC: return u"overlayfs"_s;
    default: return u"0x"_s + QString::number(uint64_t(info.f_type), 16);
    }
}

} // namespace quillmere::bench
