#pragma once

#include "models/tabs/Session.h"
#include "services/persistence/Debouncer.h"

#include <QObject>

namespace quillmere {

class PersistenceService;

// Writes the session once saveDelay (half a second by default) has passed since the
// last request; keeps no copy of it.
class SessionStore final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultSaveDelay{500};

    explicit SessionStore(PersistenceService& service, std::chrono::milliseconds saveDelay = defaultSaveDelay,
                          QObject* parent = nullptr);

    void scheduleSave(const Session& session);
    // Drops the pending save and writes this session now.
    QCoro::Task<> flush(Session session);

private:
    PersistenceService& m_service;
    Debouncer m_debouncer;
};

} // namespace quillmere
