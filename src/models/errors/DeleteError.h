#pragma once

#include "models/errors/ItemOperationError.h"

namespace quillmere {

struct DeleteErrorTag {
    static constexpr const char* name = "DeleteError";
};

// The error of moving items to the trash.
using DeleteError = ItemOperationError<DeleteErrorTag>;

} // namespace quillmere
