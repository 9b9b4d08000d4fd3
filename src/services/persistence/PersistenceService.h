#pragma once

#include "models/settings/AppSettings.h"
#include "models/settings/Bookmark.h"
#include "models/tabs/Session.h"
#include "services/persistence/FolderSettingsJson.h"

#include <QCoroTask>
#include <QList>

#include <optional>

namespace quillmere {

// Loads and saves the four state files. A load never fails: a file that is missing,
// unreadable or unusable gives nothing, and the caller starts from its defaults.
// A save throws the file system's error (PlatformError).
class PersistenceService {
public:
    virtual ~PersistenceService() = default;

    virtual QCoro::Task<std::optional<AppSettings>> loadAppSettings() = 0;
    virtual QCoro::Task<std::optional<QList<Bookmark>>> loadBookmarks() = 0;
    virtual QCoro::Task<std::optional<FolderSettingsMap>> loadFolderSettings() = 0;
    virtual QCoro::Task<std::optional<Session>> loadSession() = 0;

    virtual QCoro::Task<> saveAppSettings(AppSettings settings) = 0;
    virtual QCoro::Task<> saveBookmarks(QList<Bookmark> bookmarks) = 0;
    virtual QCoro::Task<> saveFolderSettings(FolderSettingsMap folders) = 0;
    virtual QCoro::Task<> saveSession(Session session) = 0;
};

} // namespace quillmere
