#pragma once

#include "models/operations/OperationDescription.h"
#include "models/operations/RecoveryReport.h"

#include <QString>

namespace quillmere {

// The interface's words for file operations: what one is doing ("Copying 3 items to
// “Photos”") and what start-up recovered of the ones the last run left unfinished.
// Looked up with qtTrId, so they follow the interface language; names are shown with
// their undecodable bytes escaped.
namespace OperationText {

QString describe(const OperationDescription& description);
// The operation as a thing done, for the undo menu and toasts: "move 3 items to “Photos”".
QString name(const OperationDescription& description);
// One line for the whole report; empty when there is nothing to tell.
QString recoveryNotice(const RecoveryReport& report);

} // namespace OperationText

} // namespace quillmere
