#pragma once

#include "FileTime.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace quillmere {

// One entry of a folder as the platform reports it, links not followed.
struct DirectoryEntry {
    QString name;
    QString path;
    bool isDirectory = false;
    bool isLinkToFolder = false; // a symbolic link whose target (followed to the end) is a folder
    std::optional<int64_t> size; // absent for folders
    std::optional<FileTime> modificationDate;

    bool operator==(const DirectoryEntry&) const = default;
};

} // namespace quillmere
