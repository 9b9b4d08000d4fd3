#pragma once

#include "platform/GioLauncher.h"
#include "services/desktop/FileOpener.h"

#include <QCoroTask>
#include <QFuture>

namespace quillmere {

// Opens files with the desktop's default application for their content type, or with
// an application the user chose.
class DefaultFileOpener final : public FileOpener {
    Q_OBJECT

public:
    // Both launch off the calling thread: looking up the file's type and its application
    // reads the disk.
    void open(const QString& path) override;
    QList<Application> applications(const QString& path) override;
    void openWith(const QString& path, const QString& applicationId) override;

private:
    // Waits for a launch running on a worker and reports it when it failed.
    QCoro::Task<> reportFailure(QString path, QFuture<GioLauncher::Launch> launching);
};

} // namespace quillmere
