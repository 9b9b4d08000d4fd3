#pragma once

#include "models/commands/KeyCommand.h"

#include <optional>

class QKeyEvent;

namespace quillmere {

// Reads a Qt key press for the key mapping: the key code, the modifiers and the text
// the press produced (Shift applied) decide the command.
namespace KeyMapping {

std::optional<KeyCommand> from(const QKeyEvent& event, bool isTextInputActive);

} // namespace KeyMapping

} // namespace quillmere
