#pragma once

#include "models/errors/BatchRenameError.h"
#include "models/errors/DeleteError.h"
#include "models/errors/RenameError.h"
#include "models/errors/TransferError.h"

#include <QString>

namespace quillmere {

// The one place that turns the file operations' errors into the user's message.
// The texts are fixed Japanese sentences, not translated.
class OperationErrorText final {
public:
    static QString of(const DeleteError& error);
    static QString of(const TransferError& error);
    static QString of(const BatchRenameError& error);
    static QString of(const RenameError& error);
};

} // namespace quillmere
