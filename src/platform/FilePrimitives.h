#pragma once

#include "AtomicFileWriter.h"
#include "FolderReader.h"
#include "FreedesktopTrash.h"
#include "ItemCreator.h"
#include "ItemMover.h"
#include "PathProbe.h"
#include "SystemCalls.h"
#include "TreeCopier.h"
#include "TreeRemover.h"
#include "VolumeCaseProbe.h"
#include "WholeFileReader.h"

#include <memory>

namespace quillmere {

// The platform's file primitives, all making their calls through one SystemCalls,
// so that a test can make any step of any operation fail.
struct FilePrimitives {
    explicit FilePrimitives(std::shared_ptr<SystemCalls> systemCalls = SystemCalls::real())
        : calls(std::move(systemCalls))
        , reader(calls)
        , mover(calls)
        , copier(calls)
        , remover(calls)
        , trash(calls)
        , caseProbe(calls)
        , creator(calls)
        , writer(calls)
        , fileReader(calls)
        , probe(calls) {}

    std::shared_ptr<SystemCalls> calls;
    FolderReader reader;
    ItemMover mover;
    TreeCopier copier;
    TreeRemover remover;
    FreedesktopTrash trash;
    VolumeCaseProbe caseProbe;
    ItemCreator creator;
    AtomicFileWriter writer;
    WholeFileReader fileReader;
    PathProbe probe;
};

} // namespace quillmere
