#include "services/persistence/SessionStore.h"

#include "services/persistence/SaveIgnoringFailure.h"

namespace quillmere {
SessionStore::SessionStore(PersistenceService& service, std::chrono::milliseconds saveDelay, QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_debouncer(saveDelay) {}

void SessionStore::scheduleSave(const Session& session) {
    m_debouncer.schedule([service = &m_service, session] {
        return saveIgnoringFailure(service, &PersistenceService::saveSession, session);
    });
}

QCoro::Task<> SessionStore::flush(Session session) {
    m_debouncer.cancel();
    co_await saveIgnoringFailure(&m_service, &PersistenceService::saveSession, std::move(session));
}

} // namespace quillmere
