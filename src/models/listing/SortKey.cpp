#include "models/listing/SortKey.h"

namespace quillmere {

QString rawText(SortKey key) {
    switch (key) {
    case SortKey::name: return QStringLiteral("name");
    case SortKey::dateModified: return QStringLiteral("dateModified");
    case SortKey::size: return QStringLiteral("size");
    case SortKey::kind: return QStringLiteral("kind");
    }
    return {};
}

std::optional<SortKey> sortKeyFromRawText(QStringView text) {
    for (SortKey key : allSortKeys)
        if (rawText(key) == text)
            return key;
    return std::nullopt;
}

} // namespace quillmere
