#include "TreeMeasure.h"

#include "Descriptor.h"
#include "FolderNameReader.h"
#include "PlatformError.h"
#include "SystemCalls.h"

#include <fcntl.h>

namespace quillmere {
namespace {

void addFolder(SystemCalls& calls, int parent, const QByteArray& name, const QByteArray& path,
               const std::atomic<bool>& stop, TreeMeasure::Totals& totals) {
    if (stop.load(std::memory_order_relaxed))
        return;
    Descriptor folder(calls, calls.openAt(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
    if (!folder.isOpen())
        return;
    std::vector<QByteArray> names;
    try {
        names = FolderNameReader::readAt(calls, folder.get(), path);
    } catch (const PlatformError&) {
        return;
    }
    for (const QByteArray& child : names) {
        struct stat status;
        if (calls.statAt(folder.get(), child.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        ++totals.items;
        if (S_ISREG(status.st_mode))
            totals.bytes += status.st_size;
        else if (S_ISDIR(status.st_mode))
            addFolder(calls, folder.get(), child, path + '/' + child, stop, totals);
    }
}

} // namespace

TreeMeasure::Totals TreeMeasure::of(SystemCalls& calls, const QByteArray& path,
                                    const std::atomic<bool>& stop) {
    Totals totals;
    struct stat status;
    if (calls.statAt(AT_FDCWD, path.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return totals;
    totals.items = 1;
    if (S_ISREG(status.st_mode))
        totals.bytes = status.st_size;
    else if (S_ISDIR(status.st_mode))
        addFolder(calls, AT_FDCWD, path, path, stop, totals);
    return totals;
}

TreeMeasure::Totals TreeMeasure::of(SystemCalls& calls, const QByteArray& path) {
    const std::atomic<bool> never{false};
    return of(calls, path, never);
}

} // namespace quillmere
