#pragma once

#include "platform/FileIdentity.h"
#include "platform/FileTime.h"

#include <cstdint>

namespace quillmere {

// What an entry is at one moment, links not followed: enough to tell later whether it
// is still the same entry, unchanged.
struct ItemState {
    FileIdentity identity;
    bool isDirectory = false;
    std::int64_t size = 0;
    FileTime modified;

    bool operator==(const ItemState&) const = default;
};

} // namespace quillmere
