#pragma once

#include <QList>
#include <QString>

namespace quillmere {

// Opens a file in the application the desktop associates with it. Nothing is
// reported: a file that no application takes simply stays unopened.
class FileOpener {
public:
    virtual ~FileOpener() = default;

    virtual void open(const QString& path) = 0;

    struct Application {
        QString id;
        QString name;
        bool operator==(const Application&) const = default;
    };
    // The applications that can open the file, the default one first. Reads the
    // desktop's entries: call it off the user-interface thread.
    virtual QList<Application> applications(const QString& path) {
        Q_UNUSED(path);
        return {};
    }
    virtual void openWith(const QString& path, const QString& applicationId) {
        Q_UNUSED(path);
        Q_UNUSED(applicationId);
    }
};

} // namespace quillmere
