#include "views/common/SystemIcon.h"

#include <QApplication>
#include <QStandardPaths>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

struct Source {
    QStringList themeNames;
    QStyle::StandardPixmap fallback;
};

Source sourceOf(SystemIcon::Symbol symbol) {
    using S = SystemIcon::Symbol;
    switch (symbol) {
    case S::folder: return {{u"folder"_s}, QStyle::SP_DirIcon};
    case S::drive: return {{u"drive-harddisk"_s}, QStyle::SP_DriveHDIcon};
    case S::networkDrive: return {{u"folder-remote"_s, u"network-server"_s}, QStyle::SP_DriveNetIcon};
    case S::document: return {{u"text-x-generic"_s}, QStyle::SP_FileIcon};
    case S::chevronLeft: return {{u"go-previous"_s}, QStyle::SP_ArrowBack};
    case S::chevronRight: return {{u"go-next"_s}, QStyle::SP_ArrowForward};
    case S::close: return {{u"window-close"_s}, QStyle::SP_TitleBarCloseButton};
    case S::plus: return {{u"list-add"_s, u"tab-new"_s}, QStyle::SP_FileDialogNewFolder};
    case S::search: return {{u"edit-find"_s, u"system-search"_s}, QStyle::SP_FileDialogContentsView};
    case S::eye: return {{u"view-reveal-symbolic"_s, u"view-visible"_s}, QStyle::SP_DialogYesButton};
    case S::eyeSlash: return {{u"view-conceal-symbolic"_s, u"view-hidden"_s}, QStyle::SP_DialogNoButton};
    case S::copy: return {{u"edit-copy"_s}, QStyle::SP_FileDialogDetailedView};
    case S::terminal: return {{u"utilities-terminal"_s}, QStyle::SP_ComputerIcon};
    case S::help: return {{u"help-browser-symbolic"_s, u"help-contents"_s}, QStyle::SP_MessageBoxQuestion};
    case S::command: return {{u"system-run"_s, u"utilities-terminal"_s}, QStyle::SP_CommandLink};
    case S::clock: return {{u"document-open-recent"_s, u"appointment-soon"_s}, QStyle::SP_BrowserReload};
    case S::bookmark:
        return {{u"user-bookmarks-symbolic"_s, u"user-bookmarks"_s, u"bookmark-new"_s},
                QStyle::SP_DirLinkIcon};
    case S::gear:
        return {{u"preferences-system-symbolic"_s, u"preferences-system"_s, u"emblem-system"_s},
                QStyle::SP_FileDialogDetailedView};
    case S::checkmarkCircle:
        return {{u"emblem-ok-symbolic"_s, u"emblem-default"_s, u"checkbox-checked"_s},
                QStyle::SP_DialogApplyButton};
    case S::stop: return {{u"process-stop-symbolic"_s, u"process-stop"_s}, QStyle::SP_BrowserStop};
    case S::trash: return {{u"user-trash-symbolic"_s, u"user-trash"_s}, QStyle::SP_TrashIcon};
    }
    return {{}, QStyle::SP_FileIcon};
}

} // namespace

QIcon SystemIcon::icon(Symbol symbol) {
    const Source source = sourceOf(symbol);
    for (const QString& name : source.themeNames) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return QApplication::style()->standardIcon(source.fallback);
}

void SystemIcon::ensureTheme() {
    // Platforms without a desktop theme (offscreen, minimal) search only Qt's resources.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, u"icons"_s,
                                                           QStandardPaths::LocateDirectory)) {
        if (!paths.contains(folder))
            paths.append(folder);
    }
    QIcon::setThemeSearchPaths(paths);
    if (!QIcon::themeName().isEmpty() && QIcon::themeName() != u"hicolor"_s)
        return;
    QIcon::setThemeName(u"Adwaita"_s);
    if (!QIcon::hasThemeIcon(u"folder"_s))
        QIcon::setThemeName(u"hicolor"_s);
}

} // namespace quillmere
