#pragma once

#include <QByteArray>

#include <dirent.h>

#include <vector>

namespace quillmere {

class SystemCalls;

// The raw names in a folder, without "." and "..". Throws PlatformError.
class FolderNames final {
public:
    static std::vector<QByteArray> read(SystemCalls& calls, const QByteArray& folder);
    // The names in the folder open at folderFd, which stays open; folder names it in errors.
    static std::vector<QByteArray> readAt(SystemCalls& calls, int folderFd, const QByteArray& folder);

private:
    static std::vector<QByteArray> drain(SystemCalls& calls, DIR* directory, const QByteArray& folder);
};

} // namespace quillmere
