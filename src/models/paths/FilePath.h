#pragma once

#include <QString>

namespace quillmere {

// Lexical operations on absolute path texts. Nothing here touches the file system,
// so symbolic links are never resolved.
class FilePath final {
public:
    // No ".", "..", repeated or trailing "/"; ".." above the root stays at the root.
    static QString standardised(QStringView path);
    static QString lastComponent(QStringView path);
    static QString parent(QStringView path);
    static QString appending(QStringView folder, QStringView name);
    // True when path is folder itself or lies inside it (whole components only).
    static bool isSameOrInside(QStringView path, QStringView folder);
};

} // namespace quillmere
