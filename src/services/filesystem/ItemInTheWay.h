#pragma once

#include "models/operations/TrashedPlace.h"
#include "platform/FreedesktopTrash.h"
#include "services/filesystem/OperationRun.h"

namespace quillmere {

// Sends the item at destination to the trash before the run's item `index` takes its
// place: the journal hears where it goes first, and the undo log learns to bring it back.
inline TrashedPlace trashItemInTheWay(const FreedesktopTrash& trash, OperationRun& run, int index,
                                      const QString& destination) {
    OperationJournal& journal = run.journal();
    const QString trashed = trash.trash(
        destination, [&journal, index](const QString& target) { journal.trashed(index, target); });
    run.undo().record([&trash, trashed, destination] { trash.restore(trashed, destination); }, destination);
    return {destination, trashed};
}

} // namespace quillmere
