#pragma once

#include <QString>

namespace quillmere {

// Where one item went in the trash: its place before, and its files/NAME entry since.
struct TrashedPlace {
    QString original;
    QString trashed;

    bool operator==(const TrashedPlace&) const = default;
};

} // namespace quillmere
