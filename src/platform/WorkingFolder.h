#pragma once

#include <QString>

namespace quillmere {

// The process's working folder as a path text (through the lossless path codec), or
// empty when the kernel cannot tell it: the folder was removed, or lies outside the
// process's root.
namespace WorkingFolder {

QString path();

} // namespace WorkingFolder

} // namespace quillmere
