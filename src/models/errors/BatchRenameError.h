#pragma once

#include "models/errors/ItemOperationError.h"

namespace quillmere {

struct BatchRenameErrorTag {
    static constexpr const char* name = "BatchRenameError";
};

// The error of renaming several items by one rule.
using BatchRenameError = ItemOperationError<BatchRenameErrorTag>;

} // namespace quillmere
