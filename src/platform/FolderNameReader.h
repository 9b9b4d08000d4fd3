#pragma once

#include <QByteArray>

#include <vector>

namespace quillmere {

class SystemCalls;

// The raw names in a folder, without "." and "..". Throws PlatformError.
namespace FolderNameReader {

std::vector<QByteArray> read(SystemCalls& calls, const QByteArray& folder);
// The names in the folder open at folderFd, which stays open; folder names it in errors.
std::vector<QByteArray> readAt(SystemCalls& calls, int folderFd, const QByteArray& folder);

} // namespace FolderNameReader

} // namespace quillmere
