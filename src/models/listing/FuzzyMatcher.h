#pragma once

#include "models/listing/FileItem.h"

#include <QList>

#include <optional>

namespace quillmere {

// The fuzzy subsequence score of a candidate for a query, over user-perceived
// characters; no value when the query's characters do not all appear in order.
// Case is ignored, and canonically equivalent texts (decomposed "e" and accent,
// precomposed "é") are equal.
// A match at the start scores 11, after a separator ("._- /") or on an upper-case
// letter 6, elsewhere 1, with 3 more when it directly follows the previous match.
std::optional<int> fuzzyScore(QStringView candidate, QStringView query);

// The items whose names match, best score first, equal scores by name in code point
// order. An empty query returns the items unchanged. A caller that filters one
// listing for many queries keeps a FuzzyIndex instead, which gives the same result.
QList<FileItem> fuzzyFilter(const QList<FileItem>& items, QStringView query);

} // namespace quillmere
