#pragma once

#include "services/desktop/Clipboard.h"

namespace quillmere {

// The desktop clipboard through QClipboard, text or files. It lives with the views
// because the clipboard needs the GUI application, which the core does not link.
class DefaultClipboard final : public Clipboard {
public:
    void copy(const QString& text) override;
    void setFiles(const FilesOnClipboard& files) override;
    std::optional<FilesOnClipboard> files() const override;
    void clearFiles(const FilesOnClipboard& files) override;
};

} // namespace quillmere
