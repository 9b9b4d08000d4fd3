#pragma once

#include "models/commands/KeyCommand.h"
#include "models/commands/KeyTrigger.h"

#include <QList>

#include <optional>

namespace quillmere {

// The one table of the main window's bindings, in the order help shows them: each
// row's category, label, key and command feed the key mapping, the command catalog,
// the help text, the key hints and the palette. Rows without a command are menu
// shortcuts, listed so that help can show them.
namespace CommandTable {

struct Row {
    const char* categoryKey;
    const char* labelKey;
    KeyTrigger trigger;
    std::optional<KeyCommand> command;
    // Fixed English words the palette matches besides the translated label, so
    // "trash" finds delete whatever the interface language.
    const char* searchKeywords;
};

const QList<Row>& rows();
// The row of a command; every command has exactly one.
const Row* rowFor(const KeyCommand& command);
// The command whose key the press matches, ignoring modifiers and focus.
std::optional<KeyCommand> commandFor(const KeyPress& press);

} // namespace CommandTable

} // namespace quillmere
