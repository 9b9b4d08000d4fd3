#pragma once

#include <QIcon>

namespace quillmere {

// The symbols the window draws, taken from the desktop's icon theme with a style icon
// behind each, so that no button is ever blank on a desktop without a theme.
namespace SystemIcon {

enum class Symbol {
    folder,
    drive,
    networkDrive,
    document,
    chevronLeft,
    chevronRight,
    close,
    plus,
    search,
    eye,
    eyeSlash,
    copy,
    terminal,
    help,
    command,
    clock,
    bookmark,
    gear,
    checkmarkCircle,
    stop,
    trash,
};

QIcon icon(Symbol symbol);
// Chooses an installed theme when the desktop set none (headless and minimal sessions).
void ensureTheme();

} // namespace SystemIcon

} // namespace quillmere
