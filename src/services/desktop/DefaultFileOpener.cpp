#include "services/desktop/DefaultFileOpener.h"

#include "platform/GioLauncher.h"

#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

void DefaultFileOpener::open(const QString& path) {
    launchOffThread(path, [path] { return GioLauncher::openWithDefaultApplication(path); });
}

QList<FileOpener::Application> DefaultFileOpener::applications(const QString& path) {
    QList<Application> found;
    for (const GioLauncher::Application& application : GioLauncher::applicationsFor(path))
        found.append({application.id, application.name});
    return found;
}

void DefaultFileOpener::openWith(const QString& path, const QString& applicationId) {
    launchOffThread(path, [path, applicationId] { return GioLauncher::openWith(path, applicationId); });
}

void DefaultFileOpener::launchOffThread(const QString& path, std::function<GioLauncher::Launch()> launch) {
    // The outcome comes back on this object's thread, and not at all once it is gone.
    (void)QtConcurrent::run(std::move(launch)).then(this, [this, path](const GioLauncher::Launch& outcome) {
        if (outcome.launched())
            return;
        Q_EMIT openFailed(path,
                          outcome.result == GioLauncher::Launch::Result::noApplication
                              ? Failure::noApplication
                              : Failure::launchFailed,
                          outcome.reason);
    });
}

} // namespace quillmere
