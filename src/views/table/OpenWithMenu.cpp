#include "views/table/OpenWithMenu.h"

#include <QAction>
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
    if (applications.isEmpty()) {
        // Said rather than left out, so the user knows why the file does not open.
        QAction* none = menu.addAction(qtTrId("menu.openAs.none"));
        none->setObjectName(QStringLiteral("menu.openAs.none"));
        none->setEnabled(false);
        return;
    }
    QMenu* submenu = menu.addMenu(qtTrId("Open as..."));
    submenu->menuAction()->setObjectName(QStringLiteral("menu.openAs"));
    for (const FileOpener::Application& application : applications) {
        const QString id = application.id;
        submenu->addAction(application.name, &menu,
                           [&fileOpener, path, id] { fileOpener.openWith(path, id); });
    }
}

} // namespace quillmere
