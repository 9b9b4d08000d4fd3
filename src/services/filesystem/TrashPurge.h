#pragma once

#include <QStringList>

namespace quillmere {

struct FilePrimitives;
class OperationControl;

// Deletes trashed items for good: named files/ entries of the trash folders the listing
// reads, or everything in every trash folder the user can write (items, entries without a
// record, records without an entry, and the directorysizes cache).
//
// Each entry goes through descriptors opened without following links: the trash folder,
// its files/ and info/, and the entry's tree (TreeRemover), so a link in the trash is
// removed itself and a link swapped in for a trash folder is refused. An entry goes
// first, then its record, then its line in directorysizes. Nothing is rolled back: on a
// failure or a cancel (taken before the next item) what is gone stays gone, and
// PermanentDeleteError says so, naming items by their original names.
namespace TrashPurge {

// Refuses every path (nothing deleted) unless each is a files/ entry of a trash folder.
void remove(FilePrimitives& primitives, const QStringList& trashedPaths, OperationControl* control = nullptr);
void empty(FilePrimitives& primitives, OperationControl* control = nullptr);

} // namespace TrashPurge

} // namespace quillmere
