#include "views/table/OpenWithMenu.h"

#include <QCoroFuture>
#include <QMenu>
#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

QCoro::Task<QList<FileOpener::Application>> OpenWithMenu::lookUp(FileOpener& fileOpener, QString path) {
    // The future is a named local: GCC 12 destroys a temporary closure in a co_await twice.
    auto asking = QtConcurrent::run([&fileOpener, path] { return fileOpener.applications(path); });
    co_return co_await asking;
}

void OpenWithMenu::add(QMenu& menu, FileOpener& fileOpener, const QString& path,
                       const QList<FileOpener::Application>& applications) {
    if (applications.isEmpty())
        return;
    QMenu* submenu = menu.addMenu(qtTrId("Open as..."));
    submenu->menuAction()->setObjectName(QStringLiteral("menu.openAs"));
    for (const FileOpener::Application& application : applications) {
        const QString id = application.id;
        submenu->addAction(application.name, &menu,
                           [&fileOpener, path, id] { fileOpener.openWith(path, id); });
    }
}

} // namespace quillmere
