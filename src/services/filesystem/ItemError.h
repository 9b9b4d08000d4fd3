#pragma once

#include "models/paths/FilePath.h"
#include "platform/PlatformError.h"

namespace quillmere {

// The item error of a failed step: refused for lack of permission, or failed with
// the platform's reason. The item is named by its last path component only.
template <typename Error> Error itemError(const PlatformError& error, const QString& location) {
    const QString name = FilePath::lastComponent(location);
    if (error.errorClass() == ErrorClass::permission)
        return Error::permissionDenied(name);
    return Error::failed(name, error.description());
}

} // namespace quillmere
