#pragma once

#include "models/settings/AppSettings.h"
#include "services/persistence/Debouncer.h"

#include <QObject>

namespace quillmere {

class PersistenceService;

// The user's global preferences, changed one field at a time and saved once saveDelay
// (half a second by default) has passed since the last change. Every setter saves,
// also when nothing changed.
class AppSettingsStore final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultSaveDelay{500};

    explicit AppSettingsStore(PersistenceService& service,
                              std::chrono::milliseconds saveDelay = defaultSaveDelay,
                              QObject* parent = nullptr);

    const AppSettings& settings() const { return m_settings; }
    // Start-up assigns the loaded settings this way; no save.
    void setSettings(const AppSettings& settings);

    void setMarkGlyph(const QString& glyph);
    void setMarkColorHex(const std::optional<QString>& hex);
    void setTerminalApp(TerminalApp app);
    void setTerminalOpenMode(TerminalOpenMode mode);
    void setLanguage(std::optional<AppLanguage> language);
    void resetToDefaults();
    QCoro::Task<> flush();

Q_SIGNALS:
    void settingsChanged();

private:
    void change(const AppSettings& settings);

    PersistenceService& m_service;
    Debouncer m_debouncer;
    AppSettings m_settings;
};

} // namespace quillmere
