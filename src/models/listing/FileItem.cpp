#include "models/listing/FileItem.h"

namespace quillmere {

bool FileItem::operator==(const FileItem& other) const {
    return id == other.id && url == other.url && name == other.name && isDirectory == other.isDirectory &&
           size == other.size && modificationDate == other.modificationDate && kind == other.kind;
}

size_t qHash(const FileItem& item, size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    seed = combine(seed, item.id);
    seed = combine(seed, item.url);
    seed = combine(seed, item.name);
    seed = combine(seed, item.isDirectory);
    seed = combine(seed, item.size ? qint64(*item.size) : qint64(-1));
    seed = combine(seed, item.size.has_value());
    seed = combine(seed, item.modificationDate ? qint64(item.modificationDate->seconds().count()) : 0);
    seed = combine(seed, item.modificationDate ? qint64(item.modificationDate->nanoseconds().count()) : 0);
    seed = combine(seed, item.modificationDate.has_value());
    seed = combine(seed, item.kind);
    return seed;
}

} // namespace quillmere
