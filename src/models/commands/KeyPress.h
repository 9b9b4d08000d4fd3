#pragma once

#include <QString>
#include <Qt>

namespace quillmere {

// What the key mapping needs to know of a key press, free of any widget toolkit:
// the Qt key code, the modifiers held and the text the press produced.
struct KeyPress {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

} // namespace quillmere
