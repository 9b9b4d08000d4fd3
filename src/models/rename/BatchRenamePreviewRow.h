#pragma once

#include "models/rename/Validity.h"

#include <QString>

namespace quillmere {

// One entry of the batch rename preview: its location, the name the rule gives it
// (its present name when the rule's pattern does not compile) and the verdict.
struct BatchRenamePreviewRow {
    QString source;
    QString newName;
    Validity validity = Validity::ok;

    bool operator==(const BatchRenamePreviewRow&) const = default;
};

} // namespace quillmere
