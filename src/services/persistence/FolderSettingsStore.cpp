#include "services/persistence/FolderSettingsStore.h"

#include "models/paths/FilePath.h"
#include "models/paths/PathMapper.h"
#include "platform/PlatformError.h"
#include "services/persistence/SaveIgnoringFailure.h"

namespace quillmere {
FolderSettingsStore::FolderSettingsStore(PersistenceService& service, std::chrono::milliseconds saveDelay,
                                         QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_debouncer(saveDelay) {}

QString FolderSettingsStore::folderKey(const QString& folder) {
    return FilePath::standardised(folder);
}

void FolderSettingsStore::setAll(FolderSettingsMap all) {
    if (all == m_all)
        return;
    m_all = std::move(all);
    Q_EMIT settingsChanged();
}

std::optional<FolderSettings> FolderSettingsStore::settings(const QString& folder) const {
    const auto it = m_all.constFind(folderKey(folder));
    if (it == m_all.constEnd())
        return std::nullopt;
    return *it;
}

void FolderSettingsStore::set(const FolderSettings& settings, const QString& folder) {
    m_all.insert(folderKey(folder), settings);
    Q_EMIT settingsChanged();
    scheduleSave();
}

void FolderSettingsStore::remap(const QList<PathMapping>& mappings) {
    FolderSettingsMap result;
    bool changed = false;
    for (auto it = m_all.constBegin(); it != m_all.constEnd(); ++it) {
        const std::optional<QString> moved = PathMapper::mapped(it.key(), mappings);
        changed = changed || moved.has_value();
        result.insert(moved.value_or(it.key()), it.value());
    }
    if (!changed)
        return;
    m_all = std::move(result);
    Q_EMIT settingsChanged();
    scheduleSave();
}

QCoro::Task<> FolderSettingsStore::flush() {
    m_debouncer.cancel();
    co_await saveIgnoringFailure(&m_service, &PersistenceService::saveFolderSettings, m_all);
}

void FolderSettingsStore::scheduleSave() {
    m_debouncer.schedule([service = &m_service, snapshot = m_all] {
        return saveIgnoringFailure(service, &PersistenceService::saveFolderSettings, snapshot);
    });
}

} // namespace quillmere
