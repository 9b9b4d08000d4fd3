#pragma once

#include "models/commands/KeyCommand.h"
#include "models/volumes/Volume.h"

#include <QString>
#include <QUuid>

#include <optional>
#include <variant>

namespace quillmere {

// What one row of the command palette stands for, and so what choosing it does:
// run a command, open a recently visited or bookmarked folder, cancel the file
// operation that is running (offered only while one runs; it has no key), one of
// the window's own actions that are no single-key command, or open a mounted volume.
struct PaletteItemKind {
    struct Command {
        KeyCommand command;
        QString label;
        std::optional<QString> shortcutHint;
        bool operator==(const Command&) const = default;
    };
    struct RecentFolder {
        QString url;
        bool operator==(const RecentFolder&) const = default;
    };
    struct Bookmark {
        QUuid id;
        QString url;
        QString displayName;
        bool operator==(const Bookmark&) const = default;
    };

    struct CancelOperation {
        QString label;
        QString operation; // what the running operation does, as the strip says it
        bool operator==(const CancelOperation&) const = default;
    };

    struct WindowAction {
        enum class Which { undo, redo, showTrash, emptyTrash };
        Which which = Which::undo;
        QString label;                       // e.g. "Undo: move 3 items to “Photos”"
        std::optional<QString> shortcutHint; // as the menu shows it, if it has one
        bool operator==(const WindowAction&) const = default;
    };

    using Volume = quillmere::Volume;

    std::variant<Command, RecentFolder, Bookmark, CancelOperation, WindowAction, Volume> value;

    const Command* command() const { return std::get_if<Command>(&value); }
    bool isCancelOperation() const { return std::holds_alternative<CancelOperation>(value); }
    const WindowAction* windowAction() const { return std::get_if<WindowAction>(&value); }
    // The folder a recent-folder, bookmark or volume row opens.
    std::optional<QString> folderURL() const {
        if (const auto* folder = std::get_if<RecentFolder>(&value))
            return folder->url;
        if (const auto* bookmark = std::get_if<Bookmark>(&value))
            return bookmark->url;
        if (const auto* volume = std::get_if<Volume>(&value))
            return volume->path;
        return std::nullopt;
    }

    bool operator==(const PaletteItemKind&) const = default;
};

} // namespace quillmere
