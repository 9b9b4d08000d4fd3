#pragma once

#include <QString>

namespace quillmere {

struct FilePrimitives;

// Gives one item a new name in its folder and returns its new location. A change of
// letter case only, refused because the volume ignores case, goes through a
// temporary name. Throws RenameError.
namespace ItemRenamer {

QString rename(FilePrimitives& primitives, const QString& path, const QString& newName);

// newName + "." + UUID + ".tmp", with newName shortened so the whole fits in 255 bytes.
QString temporaryName(const QString& newName);

} // namespace ItemRenamer

} // namespace quillmere
