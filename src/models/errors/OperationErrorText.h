#pragma once

#include "models/errors/BatchRenameError.h"
#include "models/errors/DeleteError.h"
#include "models/errors/PermanentDeleteError.h"
#include "models/errors/RenameError.h"
#include "models/errors/TransferError.h"

#include <QString>

namespace quillmere {

// The one place that turns the file operations' errors into the user's message.
// The texts are fixed Japanese sentences, not translated, except those of deleting for
// good, which speak the interface's language.
namespace OperationErrorText {

QString of(const DeleteError& error);
QString of(const TransferError& error);
QString of(const BatchRenameError& error);
QString of(const RenameError& error);
QString of(const PermanentDeleteError& error);

} // namespace OperationErrorText

} // namespace quillmere
