#pragma once

#include "models/operations/TrashedPlace.h"
#include "platform/FilePrimitives.h"
#include "services/filesystem/JournalRecord.h"
#include "services/filesystem/OperationRun.h"

#include <functional>

namespace quillmere {

// The steps a move-like operation (a transfer, a restore from the trash) takes for one
// item of its run, each noted in the journal first and recorded in the undo log.
namespace TransferSteps {

// How the copier writes one item: under the temporary name's last component (none for a
// plain name), reporting to control, and telling completed the copy it put in place.
CopyOptions copyOptions(const QString& temporary, OperationControl* control,
                        std::function<void(const FileIdentity&)> completed);

// Sends the item at destination to the trash before the run's item `index` takes its
// place: the journal hears where it goes first, and the undo log learns to bring it back.
TrashedPlace trashItemInTheWay(const FreedesktopTrash& trash, OperationRun& run, int index,
                               const QString& destination);

// Moves the run's item `index` from source to destination (across file systems through its
// temporary name, the journal hearing of the copy put in place), counts it when it was a
// rename, and records how to move it back (through its return temporary name); stranded
// names it if that fails.
TreeCopier::Outcome move(FilePrimitives& primitives, OperationRun& run, int index,
                         const JournalRecord::Item& item, const QString& source, const QString& destination,
                         const QString& stranded);

} // namespace TransferSteps

} // namespace quillmere
