#pragma once

#include <QString>

#include <array>
#include <optional>

namespace quillmere {

// What a listing is sorted by; stored by its raw text.
enum class SortKey { name, dateModified, size, kind };

inline constexpr std::array allSortKeys = {SortKey::name, SortKey::dateModified, SortKey::size,
                                           SortKey::kind};

QString rawText(SortKey key);
std::optional<SortKey> sortKeyFromRawText(QStringView text);

} // namespace quillmere
