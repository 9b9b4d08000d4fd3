#pragma once

#include <QString>

namespace quillmere {

// The user's answer for one item whose name is taken in the destination folder.
struct ConflictResolution {
    enum class Kind { rename, overwrite, skip };

    Kind kind = Kind::skip;
    QString newName; // only for rename

    static ConflictResolution rename(QString to) { return {Kind::rename, std::move(to)}; }
    static ConflictResolution overwrite() { return {Kind::overwrite, {}}; }
    static ConflictResolution skip() { return {Kind::skip, {}}; }

    bool operator==(const ConflictResolution&) const = default;
};

} // namespace quillmere
