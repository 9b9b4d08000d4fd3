#pragma once

#include "models/listing/FileItem.h"
#include "models/paths/PathMapping.h"
#include "models/rename/BatchRenamePreviewRow.h"
#include "models/rename/BatchRenameRule.h"

#include <QList>
#include <QSet>

#include <optional>

namespace quillmere {

// The proposed name and verdict of every item under rule, in item order, which is
// also the order of numbering. existingNames holds every name in the folder, the
// items' own included. A proposed name is given as the listing will report it once
// written to disk (FileName::asListed), and judged so. Names compare exactly, after
// canonical Unicode normalisation.
QList<BatchRenamePreviewRow> previewBatchRename(const QList<FileItem>& items, const BatchRenameRule& rule,
                                                const QSet<QString>& existingNames);

// The renames the preview proposes, from each item's standardised path to its new
// one, in item order; nothing when any row is not ok.
std::optional<QList<PathMapping>> batchRenameMappings(const QList<FileItem>& items,
                                                      const BatchRenameRule& rule,
                                                      const QSet<QString>& existingNames);

} // namespace quillmere
