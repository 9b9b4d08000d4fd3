#include "services/persistence/AppSettingsStore.h"

#include "services/persistence/SaveIgnoringFailure.h"

namespace quillmere {
AppSettingsStore::AppSettingsStore(PersistenceService& service, std::chrono::milliseconds saveDelay,
                                   QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_debouncer(saveDelay) {}

void AppSettingsStore::setSettings(const AppSettings& settings) {
    if (settings == m_settings)
        return;
    m_settings = settings;
    Q_EMIT settingsChanged();
}

void AppSettingsStore::change(const AppSettings& settings) {
    setSettings(settings);
    m_debouncer.schedule([service = &m_service, snapshot = m_settings] {
        return saveIgnoringFailure(service, &PersistenceService::saveAppSettings, snapshot);
    });
}

void AppSettingsStore::setMarkGlyph(const QString& glyph) {
    change(m_settings.withMarkGlyph(glyph));
}

void AppSettingsStore::setMarkColorHex(const std::optional<QString>& hex) {
    change(m_settings.withMarkColorHex(hex));
}

void AppSettingsStore::setTerminalApp(TerminalApp app) {
    change(m_settings.withTerminalApp(app));
}

void AppSettingsStore::setTerminalOpenMode(TerminalOpenMode mode) {
    change(m_settings.withTerminalOpenMode(mode));
}

void AppSettingsStore::setLanguage(std::optional<AppLanguage> language) {
    change(m_settings.withLanguage(language));
}

void AppSettingsStore::resetToDefaults() {
    change(AppSettings());
}

QCoro::Task<> AppSettingsStore::flush() {
    m_debouncer.cancel();
    co_await saveIgnoringFailure(&m_service, &PersistenceService::saveAppSettings, m_settings);
}

} // namespace quillmere
