#pragma once

#include "models/paths/PathMapping.h"
#include "services/persistence/Debouncer.h"
#include "services/persistence/FolderSettingsJson.h"

#include <QObject>

#include <optional>

namespace quillmere {

class PersistenceService;

// Each folder's view settings, keyed by the folder's standardised path, saved once
// saveDelay (half a second by default) has passed since the last change. Records are
// never removed; moves and renames carry them along (remap).
class FolderSettingsStore final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultSaveDelay{500};

    explicit FolderSettingsStore(PersistenceService& service,
                                 std::chrono::milliseconds saveDelay = defaultSaveDelay,
                                 QObject* parent = nullptr);

    const FolderSettingsMap& all() const { return m_all; }
    // Replaces every record (start-up fills the store from the file this way); no save.
    void setAll(FolderSettingsMap all);

    std::optional<FolderSettings> settings(const QString& folder) const;
    void set(const FolderSettings& settings, const QString& folder);
    // Moves the records at or under each mapping's `from` to `to`, as PathMapper maps paths.
    void remap(const QList<PathMapping>& mappings);
    QCoro::Task<> flush();

    static QString folderKey(const QString& folder);

Q_SIGNALS:
    // A folder's record was set, or records were replaced or carried along by remap.
    void settingsChanged();

private:
    void scheduleSave();

    PersistenceService& m_service;
    Debouncer m_debouncer;
    FolderSettingsMap m_all;
};

} // namespace quillmere
