#include "services/desktop/DefaultFileOpener.h"

#include "platform/GioLauncher.h"

#include <QCoroFuture>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

void DefaultFileOpener::open(const QString& path) {
    [[maybe_unused]] auto reporting = reportFailure(
        path, QtConcurrent::run([path] { return GioLauncher::openWithDefaultApplication(path); }));
}

QList<FileOpener::Application> DefaultFileOpener::applications(const QString& path) {
    QList<Application> found;
    for (const GioLauncher::Application& application : GioLauncher::applicationsFor(path))
        found.append({application.id, application.name});
    return found;
}

void DefaultFileOpener::openWith(const QString& path, const QString& applicationId) {
    [[maybe_unused]] auto reporting = reportFailure(path, QtConcurrent::run([path, applicationId] {
                                                        return GioLauncher::openWith(path, applicationId);
                                                    }));
}

QCoro::Task<> DefaultFileOpener::reportFailure(QString path, QFuture<GioLauncher::Launch> launching) {
    const QPointer<DefaultFileOpener> self(this);
    const GioLauncher::Launch outcome = co_await launching;
    // Told on this object's thread, and not at all once it is gone.
    if (!self || outcome.launched())
        co_return;
    Q_EMIT openFailed(path,
                      outcome.result == GioLauncher::Launch::Result::noApplication ? Failure::noApplication
                                                                                   : Failure::launchFailed,
                      outcome.reason);
}

} // namespace quillmere
