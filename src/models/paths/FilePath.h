#pragma once

#include <QString>

namespace quillmere {

// Lexical operations on absolute path texts. Nothing here touches the file system,
// so symbolic links are never resolved.
namespace FilePath {

// No ".", "..", repeated or trailing "/"; ".." above the root stays at the root.
QString standardised(QStringView path);
QString lastComponent(QStringView path);
QString parent(QStringView path);
QString appending(QStringView folder, QStringView name);
// True when path is folder itself or lies inside it (whole components only).
bool isSameOrInside(QStringView path, QStringView folder);

} // namespace FilePath

} // namespace quillmere
