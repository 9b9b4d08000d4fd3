#include "services/desktop/DefaultFileOpener.h"

#include "platform/GioLauncher.h"

#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

void DefaultFileOpener::open(const QString& path) {
    (void)QtConcurrent::run([path] { GioLauncher::openWithDefaultApplication(path); });
}

QList<FileOpener::Application> DefaultFileOpener::applications(const QString& path) {
    QList<Application> found;
    for (const GioLauncher::Application& application : GioLauncher::applicationsFor(path))
        found.append({application.id, application.name});
    return found;
}

void DefaultFileOpener::openWith(const QString& path, const QString& applicationId) {
    (void)QtConcurrent::run([path, applicationId] { GioLauncher::openWith(path, applicationId); });
}

} // namespace quillmere
