#pragma once

#include <QString>

namespace quillmere {

class SystemCalls;

// Whether a folder holds a location, decided by device and inode numbers walking up from
// the location's parent, so links and bind mounts cannot hide that a folder would be
// copied or moved into itself.
namespace FolderAncestry {

// Throws PlatformError (EINVAL) when source is a folder and destination is the folder
// itself or lies anywhere inside it. A source that cannot be examined is left for the
// operation itself to report.
void refuseInsideItself(SystemCalls& calls, const QString& source, const QString& destination);

} // namespace FolderAncestry

} // namespace quillmere
