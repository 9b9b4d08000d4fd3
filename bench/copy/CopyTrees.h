#pragma once

#include <QByteArray>

#include <cstdint>

namespace quillmere::bench {

// The two trees the copy benchmark copies, generated deterministically (same seed, same
// tree) with real, incompressible contents: no holes, so every byte is copied.
namespace CopyTrees {

struct Summary {
    std::int64_t files = 0;
    std::int64_t folders = 0; // below the top folder
    std::int64_t links = 0;   // symbolic links
    std::int64_t hardLinks = 0;
    std::int64_t bytes = 0;
};

// 2,000 files of varied sizes totalling exactly 1 GB (10^9 bytes) in a few folders:
// a handful of videos of 40 to 60 MB, the rest spread from a few hundred bytes to a few
// megabytes, the way a folder of photos, documents and clips looks.
Summary makeLarge(const QByteArray& path);

// 100,000 entries below the top folder: small files (a median of 4 KB, a few of up to
// 2 MB, some empty) in about 7,000 nested folders, with a few symbolic links and hard
// links, the way a source tree or a photo library with thumbnails looks.
Summary makeMany(const QByteArray& path);

// Removes a tree this benchmark made (or copied). Exits the program on failure.
void remove(const QByteArray& path);

// Gives back the disk space of a copy without removing anything: every regular file is
// truncated to nothing, and the names and inodes stay until remove().
void hollow(const QByteArray& path);

// The mean time to create an empty file in a new folder at path, over 2,000 files that are
// kept: far above the usual tens of microseconds, the file system is still skipping the
// inodes of a recent large removal and every figure will be inflated.
double creationMicroseconds(const QByteArray& path);

// Flushes the file system holding path, so the next run does not pay for the last one's
// writeback.
void flush(const QByteArray& path);

} // namespace CopyTrees

} // namespace quillmere::bench
