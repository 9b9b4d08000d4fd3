#pragma once

#include "models/listing/SortDirection.h"
#include "models/listing/SortKey.h"

#include <QByteArray>

#include <optional>

namespace quillmere {

// How one folder was last shown. The default record is what a folder without a
// stored record uses: name, ascending, hidden entries not shown, no column layout.
struct FolderSettings {
    std::optional<QByteArray> columnLayout; // opaque to everything but the file table
    SortKey sortKey = SortKey::name;
    SortDirection sortDirection = SortDirection::ascending;
    bool dotFilesVisible = false;

    bool operator==(const FolderSettings&) const = default;
};

} // namespace quillmere
