#pragma once

#include <QString>

namespace quillmere {

// Puts a text on the system clipboard, replacing whatever was there. Nothing is
// reported: a clipboard that refuses the text is silent.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual void copy(const QString& text) = 0;
};

} // namespace quillmere
