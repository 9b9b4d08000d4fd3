#pragma once

#include "services/desktop/FileOpener.h"

#include <QCoroTask>

class QMenu;

namespace quillmere {

// The "Open as..." submenu of the context menus: the applications that can open a file,
// the default one first.
namespace OpenWithMenu {

// Asks the desktop off the user-interface thread; its entries are files on disk.
QCoro::Task<QList<FileOpener::Application>> lookUp(FileOpener& fileOpener, QString path);
// Adds the submenu; when no application is known, a disabled line that says so.
void add(QMenu& menu, FileOpener& fileOpener, const QString& path,
         const QList<FileOpener::Application>& applications);

} // namespace OpenWithMenu

} // namespace quillmere
