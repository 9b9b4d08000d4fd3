#include "KeyMapping.h"

#include "models/commands/KeyPress.h"

#include <QKeyEvent>

namespace quillmere {

std::optional<KeyCommand> KeyMapping::from(const QKeyEvent& event, bool isTextInputActive) {
    return KeyCommand::from(KeyPress{event.key(), event.modifiers(), event.text()}, isTextInputActive);
}

} // namespace quillmere
