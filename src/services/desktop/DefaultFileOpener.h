#pragma once

#include "services/desktop/FileOpener.h"

namespace quillmere {

// Opens files with the desktop's default application for their content type.
class DefaultFileOpener final : public FileOpener {
public:
    // Launches off the calling thread: looking up the file's type and its application
    // reads the disk.
    void open(const QString& path) override;
    QList<Application> applications(const QString& path) override;
    void openWith(const QString& path, const QString& applicationId) override;
};

} // namespace quillmere
