#pragma once

#include <QString>

#include <optional>

namespace quillmere {

enum class SortDirection { ascending, descending };

QString rawText(SortDirection direction);
std::optional<SortDirection> sortDirectionFromRawText(QStringView text);

} // namespace quillmere
