#pragma once

#include "models/listing/SortDirection.h"
#include "models/listing/SortKey.h"
#include "models/trash/TrashedItem.h"

#include <QList>
#include <QString>

namespace quillmere {

// How the trash view orders and filters trashed items. An item is known by the name it
// had (the last component of its original path) and the folder it was in. The folder
// keys sort the trash too: name, date (of deletion), size, and kind, which here stands
// for the original location.
namespace TrashOrdering {

QString nameOf(const TrashedItem& item);
QString originalFolderOf(const TrashedItem& item);

// Names compare as in folders (case-insensitive, digits as numbers); a missing date is
// the earliest, an unknown size 0; the original location compares folder first, then
// name. Items equal under the key keep name order, whatever the direction.
void sortItems(QList<TrashedItem>& items, SortKey key, SortDirection direction);

// The positions of the items whose names match the query, best match first, equal
// scores in list order; every position, in order, for an empty query.
QList<qsizetype> matching(const QList<TrashedItem>& items, QStringView query);

} // namespace TrashOrdering

} // namespace quillmere
