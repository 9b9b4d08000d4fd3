#include "services/desktop/DefaultFileOpener.h"

#include "platform/GioLauncher.h"

namespace quillmere {

void DefaultFileOpener::open(const QString& path) {
    GioLauncher::openWithDefaultApplication(path);
}

} // namespace quillmere
