#pragma once

#include "services/persistence/PersistenceService.h"

#include <exception>

namespace quillmere {

// Runs one of the persistence service's saves and swallows its failure: a store keeps
// its state in memory, and its next change schedules another attempt.
template <typename Value>
QCoro::Task<> saveIgnoringFailure(PersistenceService* service,
                                  QCoro::Task<> (PersistenceService::*save)(Value), Value value) {
    try {
        co_await (service->*save)(std::move(value));
    } catch (const std::exception&) {
    }
}

} // namespace quillmere
