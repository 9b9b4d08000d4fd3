#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace quillmere {

// Opens a file in the application the desktop associates with it, or in one the user
// chose. Opening happens off the caller's thread; a file that cannot be opened is
// reported through openFailed, on the thread the opener lives in.
class FileOpener : public QObject {
    Q_OBJECT

public:
    ~FileOpener() override = default;

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

    enum class Failure {
        noApplication, // nothing is registered for the file's kind, or the chosen one is gone
        launchFailed,  // the file could not be examined or the application did not start
    };

Q_SIGNALS:
    // reason: the system's own words, when it gave any.
    void openFailed(const QString& path, quillmere::FileOpener::Failure failure, const QString& reason);
};

} // namespace quillmere
