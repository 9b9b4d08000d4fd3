#pragma once

#include "services/persistence/PersistenceService.h"

#include <QJsonObject>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace quillmere {

using namespace Qt::StringLiterals;

struct FilePrimitives;
class SystemCalls;

// The state files in the configuration folder ("quillmere" in $XDG_CONFIG_HOME, else
// in ~/.config). Loads follow one rule: missing or unreadable gives nothing and leaves
// the file alone; undecodable is moved aside as NAME.broken-TIME; a newer schema is
// moved aside as NAME.unknown-version-TIME. Saves create the folder (mode 0700 for
// folders it makes) and write atomically. The file work runs on the service's own
// worker, one piece at a time in the order asked, never on the calling thread.
class DefaultPersistenceService final : public PersistenceService {
public:
    static inline const QString appSettingsFile = u"app-settings.json"_s;
    static inline const QString bookmarkFile = u"bookmark.json"_s;
    static inline const QString folderSettingsFile = u"folder-settings.json"_s;
    static inline const QString sessionFile = u"session.json"_s;

    explicit DefaultPersistenceService(QString baseFolder, std::shared_ptr<SystemCalls> calls = nullptr);
    ~DefaultPersistenceService() override;

    const QString& baseFolder() const { return m_baseFolder; }

    QCoro::Task<std::optional<AppSettings>> loadAppSettings() override;
    QCoro::Task<std::optional<QList<Bookmark>>> loadBookmarks() override;
    QCoro::Task<std::optional<FolderSettingsMap>> loadFolderSettings() override;
    QCoro::Task<std::optional<Session>> loadSession() override;

    QCoro::Task<> saveAppSettings(AppSettings settings) override;
    QCoro::Task<> saveBookmarks(QList<Bookmark> bookmarks) override;
    QCoro::Task<> saveFolderSettings(FolderSettingsMap folders) override;
    QCoro::Task<> saveSession(Session session) override;

    // Copies session, folder settings and app settings from the legacy folder where the
    // configuration folder has none. Never fails; never changes the legacy folder.
    QCoro::Task<> migrateLegacyFiles(std::optional<QString> legacyFolder = std::nullopt);

    // Renames an unusable file to NAME.SUFFIX-2025-03-04T05-06-07Z (UTC), never replacing.
    void moveAside(const QString& file, const QString& suffix) const;
    void writeAtomically(const QByteArray& data, const QString& file) const;
    void ensureBaseFolder() const;

    // $XDG_CONFIG_HOME/quillmere when the variable is set and not empty, else ~/.config/quillmere.
    static QString configurationFolder(const std::optional<QString>& xdgConfigHome);
    static std::optional<QString> environmentConfigHome();

private:
    template <typename T>
    std::optional<T> load(const QString& name, const std::function<T(const QJsonObject&)>& decode) const;
    void save(const QString& name, const QJsonObject& record) const;
    QCoro::Task<> saveInOrder(QString name, QJsonObject record);
    void copyMissing(const QString& legacyFolder) const;
    QString fileAt(const QString& name) const;

    QString m_baseFolder;
    std::shared_ptr<FilePrimitives> m_primitives;
    // The file work, off the caller's thread and one piece at a time in the order asked,
    // so a save never lands before one asked for earlier. Last: waits for its work first.
    std::unique_ptr<QThreadPool> m_files;
};

} // namespace quillmere
