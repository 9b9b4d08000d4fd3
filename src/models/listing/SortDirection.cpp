#include "models/listing/SortDirection.h"

namespace quillmere {

QString rawText(SortDirection direction) {
    return direction == SortDirection::ascending ? QStringLiteral("ascending") : QStringLiteral("descending");
}

std::optional<SortDirection> sortDirectionFromRawText(QStringView text) {
    if (text == u"ascending")
        return SortDirection::ascending;
    if (text == u"descending")
        return SortDirection::descending;
    return std::nullopt;
}

} // namespace quillmere
