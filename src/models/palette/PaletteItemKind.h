#pragma once

#include "models/commands/KeyCommand.h"

#include <QString>
#include <QUuid>

#include <optional>
#include <variant>

namespace quillmere {

// What one row of the command palette stands for, and so what choosing it does:
// run a command, open a recently visited or bookmarked folder, or cancel the file
// operation that is running (offered only while one runs; it has no key).
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

    std::variant<Command, RecentFolder, Bookmark, CancelOperation> value;

    const Command* command() const { return std::get_if<Command>(&value); }
    bool isCancelOperation() const { return std::holds_alternative<CancelOperation>(value); }
    // The folder a recent-folder or bookmark row opens.
    std::optional<QString> folderURL() const {
        if (const auto* folder = std::get_if<RecentFolder>(&value))
            return folder->url;
        if (const auto* bookmark = std::get_if<Bookmark>(&value))
            return bookmark->url;
        return std::nullopt;
    }

    bool operator==(const PaletteItemKind&) const = default;
};

} // namespace quillmere
