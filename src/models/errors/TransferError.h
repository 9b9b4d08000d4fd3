#pragma once

#include "models/errors/ItemOperationError.h"

namespace quillmere {

struct TransferErrorTag {
    static constexpr const char* name = "TransferError";
};

// The error of copying or moving items.
using TransferError = ItemOperationError<TransferErrorTag>;

} // namespace quillmere
