#pragma once

#include <QString>

namespace quillmere {

// Rules for one file name, a single path component: where its extension starts and
// whether a folder can hold an entry under it.
namespace FileName {

// The most bytes Linux file systems hold in one name.
inline constexpr qsizetype maximumBytes = 255;

// The text after the last dot; none when that dot is the first or the last character.
QStringView extension(QStringView name);
// The name without "." and extension; the whole name when it has no extension.
QStringView stem(QStringView name);
// False for a name that addresses no entry of the folder or an entry elsewhere ("",
// ".", "..", a "/" or a NUL), and for one too long for a file system to store.
bool isUsable(QStringView name);
// The name a listing reports for an entry given this name: its bytes decoded again.
// Escaped bytes that end up next to each other can form valid UTF-8 (U+DCC3 U+DCA9
// lists as "é"), and a lone surrogate that escapes no byte is written as U+FFFD.
QString asListed(QStringView name);
// The name as the window shows it and the clipboard receives it: every byte that is
// not valid UTF-8 becomes U+FFFD.
QString displayText(QStringView name);

} // namespace FileName

} // namespace quillmere
