#pragma once

#include "services/desktop/Clipboard.h"

namespace quillmere {

// The desktop clipboard through QClipboard, plain text only. It lives with the views
// because the clipboard needs the GUI application, which the core does not link.
class DefaultClipboard final : public Clipboard {
public:
    void copy(const QString& text) override;
};

} // namespace quillmere
