#include "CopyTrees.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillmere::bench {
namespace {

constexpr std::int64_t largeTotal = 1'000'000'000;
constexpr int largeFiles = 2000;
constexpr int manyEntries = 100'000;
constexpr int manyFolders = 7000;
constexpr int manyLinks = 700;
constexpr int manyHardLinks = 50;
constexpr int manyMaxDepth = 8;
// 2015-01-01 to 2025-01-01, so copied times are not the time of the copy.
constexpr std::int64_t earliest = 1420070400;
constexpr std::int64_t latest = 1735689600;

[[noreturn]] void fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "%s %s: %s\n", what, path.c_str(), std::strerror(errno));
    std::exit(1);
}

// Incompressible bytes to write from, at an offset that differs from file to file.
const std::vector<char>& pattern() {
    static const std::vector<char> bytes = [] {
        std::vector<char> data(std::size_t(8) << 20);
        std::mt19937_64 random(7);
        for (std::size_t at = 0; at < data.size(); at += 8) {
            const std::uint64_t word = random();
            std::memcpy(data.data() + at, &word, 8);
        }
        return data;
    }();
    return bytes;
}

void setTimes(const std::string& path, std::int64_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    if (utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        fail("utimensat", path);
}

void makeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) != 0)
        fail("mkdir", path);
}

void makeFile(const std::string& path, std::int64_t size, mode_t mode, std::int64_t modified) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        fail("create", path);
    const std::vector<char>& bytes = pattern();
    std::size_t offset = std::size_t(std::hash<std::string>{}(path) % (bytes.size() / 2)) & ~std::size_t(7);
    for (std::int64_t left = size; left > 0;) {
        const std::size_t chunk =
            std::size_t(std::min<std::int64_t>(left, std::int64_t(bytes.size() - offset)));
        const ssize_t written = write(fd, bytes.data() + offset, chunk);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail("write", path);
        }
        left -= written;
        offset = 0;
    }
    if (fchmod(fd, mode) != 0)
        fail("chmod", path);
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    if (futimens(fd, times) != 0)
        fail("futimens", path);
    if (close(fd) != 0)
        fail("close", path);
}

int removeOne(const char* path, const struct stat*, int, FTW*) {
    if (::remove(path) != 0)
        fail("remove", path);
    return 0;
}

int truncateOne(const char* path, const struct stat* status, int type, FTW*) {
    if (type == FTW_F && S_ISREG(status->st_mode) && status->st_size > 0 && truncate(path, 0) != 0)
        fail("truncate", path);
    return 0;
}

} // namespace

CopyTrees::Summary CopyTrees::makeLarge(const QByteArray& top) {
    std::mt19937_64 random(20240301);
    const std::string root = top.toStdString();
    struct Folder {
        const char* path;
        const char* stem;
        const char* extension;
    };
    const Folder folders[] = {
        {"DCIM", "IMG_", ".JPG"},
        {"DCIM/100CANON", "IMG_", ".CR3"},
        {"DCIM/101CANON", "IMG_", ".JPG"},
        {"Documents", "Scan ", ".pdf"},
        {"Documents/Reports 2024", "Report 2024-", ".pdf"},
        {"Music", "Track ", ".flac"},
        {"Music/Album (2019)", "", " - Live.ogg"},
        {"Videos", "Clip ", ".mp4"},
    };
    Summary summary;
    makeFolder(root);
    for (const Folder& folder : folders) {
        makeFolder(root + '/' + folder.path);
        ++summary.folders;
    }

    // A few clips of 40 to 60 MB, then sizes spread evenly on a logarithmic scale and
    // scaled so that everything together is exactly the total.
    constexpr int videos = 4;
    std::vector<std::int64_t> sizes;
    std::int64_t videoBytes = 0;
    for (int i = 0; i < videos; ++i) {
        sizes.push_back(std::uniform_int_distribution<std::int64_t>(40'000'000, 60'000'000)(random));
        videoBytes += sizes.back();
    }
    std::uniform_real_distribution<double> logarithm(std::log(300.0), std::log(6'000'000.0));
    std::vector<double> weights;
    double weightSum = 0;
    for (int i = videos; i < largeFiles; ++i) {
        weights.push_back(std::exp(logarithm(random)));
        weightSum += weights.back();
    }
    const double scale = double(largeTotal - videoBytes) / weightSum;
    std::int64_t assigned = videoBytes;
    for (double weight : weights) {
        sizes.push_back(std::max<std::int64_t>(1, std::int64_t(weight * scale)));
        assigned += sizes.back();
    }
    *std::max_element(sizes.begin() + videos, sizes.end()) += largeTotal - assigned;

    std::uniform_int_distribution<std::int64_t> when(earliest, latest);
    std::vector<int> counters(std::size(folders), 0);
    for (int i = 0; i < largeFiles; ++i) {
        const std::size_t folderIndex =
            i < videos ? std::size(folders) - 1 : std::size_t(random() % (std::size(folders) - 1));
        const Folder& folder = folders[folderIndex];
        char name[64];
        std::snprintf(name, sizeof name, "%s%04d%s", folder.stem, ++counters[folderIndex], folder.extension);
        makeFile(root + '/' + folder.path + '/' + name, sizes[std::size_t(i)], 0644, when(random));
        ++summary.files;
        summary.bytes += sizes[std::size_t(i)];
    }
    for (const Folder& folder : folders)
        setTimes(root + '/' + folder.path, when(random));
    return summary;
}

CopyTrees::Summary CopyTrees::makeMany(const QByteArray& top) {
    std::mt19937_64 random(20250117);
    const std::string root = top.toStdString();
    static const char* const folderStems[] = {"src",    "include", "tests", "docs",      "assets", "module",
                                              "thumbs", "2023-07", "lib",   "resources", "icons",  "Album"};
    static const char* const fileStems[] = {"main",   "widget", "IMG_", "README",
                                            "config", "index",  "DSC",  "util"};
    static const char* const extensions[] = {".cpp", ".h", ".txt", ".json", ".jpg", ".png", ".md", ".py"};

    struct Folder {
        std::string path;
        int depth;
        int children = 0;
    };
    std::vector<Folder> folders{{root, 0}};
    Summary summary;
    makeFolder(root);
    while (int(folders.size()) <= manyFolders) {
        const std::size_t parent = std::size_t(random() % folders.size());
        if (folders[parent].depth >= manyMaxDepth)
            continue;
        const std::string name = std::string(folderStems[random() % std::size(folderStems)]) + '_' +
                                 std::to_string(folders[parent].children++);
        folders.push_back({folders[parent].path + '/' + name, folders[parent].depth + 1});
        makeFolder(folders.back().path);
        ++summary.folders;
    }

    std::uniform_int_distribution<std::int64_t> when(earliest, latest);
    std::lognormal_distribution<double> size(std::log(4096.0), 1.2);
    struct File {
        std::size_t folder;
        std::string name;
    };
    std::vector<File> files;
    const int fileCount = manyEntries - manyFolders - manyLinks - manyHardLinks;
    for (int i = 0; i < fileCount; ++i) {
        const std::size_t folder = std::size_t(random() % folders.size());
        const std::string name = std::string(fileStems[random() % std::size(fileStems)]) +
                                 std::to_string(folders[folder].children++) +
                                 extensions[random() % std::size(extensions)];
        const std::int64_t bytes =
            random() % 50 == 0 ? 0 : std::min<std::int64_t>(std::int64_t(size(random)), 2'000'000);
        const int kind = int(random() % 100);
        const mode_t mode = kind < 3 ? 0755 : kind < 4 ? 0600 : 0644;
        makeFile(folders[folder].path + '/' + name, bytes, mode, when(random));
        files.push_back({folder, name});
        ++summary.files;
        summary.bytes += bytes;
    }
    // Links to a file beside them, or up and over to a name that may not exist there.
    for (int i = 0; i < manyLinks; ++i) {
        const File& target = files[std::size_t(random() % files.size())];
        const std::string path = folders[target.folder].path + "/link-" + std::to_string(i);
        const std::string pointsTo = i % 4 == 0 ? "../" + target.name : target.name;
        if (symlink(pointsTo.c_str(), path.c_str()) != 0)
            fail("symlink", path);
        setTimes(path, when(random));
        ++summary.links;
    }
    for (int i = 0; i < manyHardLinks; ++i) {
        const File& target = files[std::size_t(random() % files.size())];
        const std::string existing = folders[target.folder].path + '/' + target.name;
        const std::string path =
            folders[target.folder].path + "/same-" + std::to_string(i) + '-' + target.name;
        if (link(existing.c_str(), path.c_str()) != 0)
            fail("link", path);
        ++summary.hardLinks;
    }
    for (const Folder& folder : folders)
        setTimes(folder.path, when(random));
    return summary;
}

void CopyTrees::remove(const QByteArray& path) {
    struct stat status;
    if (lstat(path.constData(), &status) != 0 && errno == ENOENT)
        return;
    if (nftw(path.constData(), removeOne, 64, FTW_DEPTH | FTW_PHYS) != 0)
        fail("remove", path.toStdString());
}

void CopyTrees::hollow(const QByteArray& path) {
    if (nftw(path.constData(), truncateOne, 64, FTW_PHYS) != 0)
        fail("truncate in", path.toStdString());
}

double CopyTrees::creationMicroseconds(const QByteArray& path) {
    constexpr int files = 2000;
    const std::string folder = path.toStdString();
    makeFolder(folder);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < files; ++i) {
        const std::string file = folder + "/empty-" + std::to_string(i);
        const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            fail("create", file);
        close(fd);
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
           files;
}

void CopyTrees::flush(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail("open", path.toStdString());
    if (syncfs(fd) != 0)
        fail("syncfs", path.toStdString());
    close(fd);
}

} // namespace quillmere::bench
