#pragma once

#include "services/desktop/FileOpener.h"

namespace quillmere {

// Opens files with the desktop's default application for their content type.
class DefaultFileOpener final : public FileOpener {
public:
    void open(const QString& path) override;
};

} // namespace quillmere
