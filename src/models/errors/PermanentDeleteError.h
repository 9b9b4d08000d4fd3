#pragma once

#include "models/errors/ItemOperationError.h"

namespace quillmere {

struct PermanentDeleteErrorTag {
    static constexpr const char* name = "PermanentDeleteError";
};

// The error of deleting trashed items for good (one by one, or by emptying the trash).
// Nothing is rolled back: what was deleted before the failure or the cancel stays gone.
using PermanentDeleteError = ItemOperationError<PermanentDeleteErrorTag>;

} // namespace quillmere
