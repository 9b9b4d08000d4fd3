#pragma once

#include "services/persistence/PersistenceService.h"

#include <QList>

namespace quillmere::test {

// A persistence service that keeps every save in memory, and can be told to fail.
class RecordingPersistenceService final : public PersistenceService {
public:
    QList<AppSettings> appSettingsSaves;
    QList<QList<Bookmark>> bookmarkSaves;
    QList<FolderSettingsMap> folderSettingsSaves;
    QList<Session> sessionSaves;
    bool failSaves = false;

    qsizetype saveCount() const {
        return appSettingsSaves.size() + bookmarkSaves.size() + folderSettingsSaves.size() +
               sessionSaves.size();
    }

    QCoro::Task<std::optional<AppSettings>> loadAppSettings() override { co_return std::nullopt; }
    QCoro::Task<std::optional<QList<Bookmark>>> loadBookmarks() override { co_return std::nullopt; }
    QCoro::Task<std::optional<FolderSettingsMap>> loadFolderSettings() override { co_return std::nullopt; }
    QCoro::Task<std::optional<Session>> loadSession() override { co_return std::nullopt; }

    QCoro::Task<> saveAppSettings(AppSettings settings) override {
        record(appSettingsSaves, std::move(settings));
        co_return;
    }
    QCoro::Task<> saveBookmarks(QList<Bookmark> bookmarks) override {
        record(bookmarkSaves, std::move(bookmarks));
        co_return;
    }
    QCoro::Task<> saveFolderSettings(FolderSettingsMap folders) override {
        record(folderSettingsSaves, std::move(folders));
        co_return;
    }
    QCoro::Task<> saveSession(Session session) override {
        record(sessionSaves, std::move(session));
        co_return;
    }

private:
    template <typename T> void record(QList<T>& saves, T value) {
        if (failSaves)
            throw std::runtime_error("save failed");
        saves.append(std::move(value));
    }
};

} // namespace quillmere::test
