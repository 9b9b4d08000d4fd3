#pragma once

#include <QByteArray>

#include <vector>

namespace quillmere {

class SystemCalls;

// The raw names in a folder, without "." and "..". Throws PlatformError.
class FolderNames final {
public:
    static std::vector<QByteArray> read(SystemCalls& calls, const QByteArray& folder);
};

} // namespace quillmere
