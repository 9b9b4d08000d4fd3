#include "models/listing/SortDirection.h"

using namespace Qt::StringLiterals;

namespace quillmere {

QString rawText(SortDirection direction) {
    return direction == SortDirection::ascending ? u"ascending"_s : u"descending"_s;
}

std::optional<SortDirection> sortDirectionFromRawText(QStringView text) {
    if (text == u"ascending")
        return SortDirection::ascending;
    if (text == u"descending")
        return SortDirection::descending;
    return std::nullopt;
}

} // namespace quillmere
