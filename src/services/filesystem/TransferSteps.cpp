#include "services/filesystem/TransferSteps.h"

#include "models/paths/FilePath.h"
#include "platform/OperationControl.h"
#include "platform/PathCodec.h"

namespace quillmere {

CopyOptions TransferSteps::copyOptions(const QString& temporary, OperationControl* control,
                                       std::function<void(const FileIdentity&)> completed) {
    return {temporary.isEmpty() ? QByteArray() : PathCodec::encode(FilePath::lastComponent(temporary)),
            control, std::move(completed)};
}

TrashedPlace TransferSteps::trashItemInTheWay(const FreedesktopTrash& trash, OperationRun& run, int index,
                                              const QString& destination) {
    OperationJournal& journal = run.journal();
    const QString trashed = trash.trash(
        destination, [&journal, index](const QString& target) { journal.trashed(index, target); });
    run.undo().record([&trash, trashed, destination] { trash.restore(trashed, destination); }, destination);
    return {destination, trashed};
}

TreeCopier::Outcome TransferSteps::move(FilePrimitives& primitives, OperationRun& run, int index,
                                        const JournalRecord::Item& item, const QString& source,
                                        const QString& destination, const QString& stranded) {
    OperationJournal& journal = run.journal();
    OperationControl* control = run.control();
    const TreeCopier::Outcome moved = primitives.mover.move(
        source, destination,
        copyOptions(item.temporary, control,
                    [&journal, index](const FileIdentity& copy) { journal.copied(index, copy); }));
    if (moved.copy.inode == 0)
        advanceItems(control);
    run.undo().record(
        [&primitives, &journal, source, destination, index, back = item.returnTemporary] {
            primitives.mover.move(destination, source,
                                  copyOptions(back, nullptr, [&journal, index](const FileIdentity& copy) {
                                      journal.returned(index, copy);
                                  }));
        },
        stranded);
    return moved;
}

} // namespace quillmere
