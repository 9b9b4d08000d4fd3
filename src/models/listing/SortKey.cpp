#include "models/listing/SortKey.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString rawText(SortKey key) {
    switch (key) {
    case SortKey::name: return u"name"_s;
    case SortKey::dateModified: return u"dateModified"_s;
    case SortKey::size: return u"size"_s;
    case SortKey::kind: return u"kind"_s;
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
