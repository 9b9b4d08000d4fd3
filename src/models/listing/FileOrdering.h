#pragma once

#include "models/listing/FileItem.h"
#include "models/listing/SortDirection.h"
#include "models/listing/SortKey.h"

#include <QCollator>
#include <QList>

namespace quillmere {

// The comparison that orders names and kinds the way people expect: case-insensitive,
// digits compared as numbers, following the user's locale. Where the locale is the
// plain "C" locale (which has no collation of its own and would compare code units),
// the root collation of the Unicode collation algorithm is used instead.
QCollator makeNameCollator();

// True when a sorts before b under key and direction. Folders are not grouped: they
// sort among the files. An absent date is the earliest date, an absent size is 0.
bool areInIncreasingOrder(const FileItem& a, const FileItem& b, SortKey key, SortDirection direction);

// Sorts a whole listing in the order areInIncreasingOrder gives; items whose keys are
// equal keep their listing order.
void sortItems(QList<FileItem>& items, SortKey key, SortDirection direction);

} // namespace quillmere
