#pragma once

#include "services/persistence/Debouncer.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace quillmere {

class InotifyWatch;

// Watches one folder at a time and calls a change handler, debounced, when entries
// appear, disappear or are renamed, or when the folder itself is deleted or moved.
// Changes inside files or subfolders do not count. A burst of events calls the
// handler once, debounceInterval after the last event.
//
// The watch is set up off the calling thread (adding it resolves the path, which can
// hang on a dead network mount), so it starts a moment after watch() returns; events
// from then on are kept. At most one descriptor is kept: watch() closes the previous
// one at once, and one that arrives for a watch already replaced is closed on arrival.
// A folder that cannot be watched (missing, not a folder, no permission) leaves the
// watcher idle without a word. Destroying the watcher ends the watch and drops a
// pending call.
class FolderWatcher final : public QObject {
    Q_OBJECT

public:
    using ChangeHandler = std::function<QCoro::Task<>()>;

    static constexpr std::chrono::milliseconds defaultDebounceInterval{100};

    explicit FolderWatcher(std::chrono::milliseconds debounceInterval = defaultDebounceInterval,
                           QObject* parent = nullptr);
    ~FolderWatcher() override;

    void watch(const QString& folder, ChangeHandler onChange);
    void stop();

    bool isWatching() const { return m_current != nullptr; }
    // While the last watch() is still being set up.
    bool isStarting() const { return m_starting; }
    std::chrono::milliseconds debounceInterval() const { return m_debouncer.delay(); }

private:
    struct Source;

    QCoro::Task<> setUp(QString folder, quint64 generation);
    void eventsArrived();
    static QCoro::Task<> callHandler(ChangeHandler handler);

    std::unique_ptr<Source> m_current;
    quint64 m_generation = 0; // which watch() a set-up arriving now belongs to
    bool m_starting = false;
    ChangeHandler m_onChange;
    Debouncer m_debouncer;
};

} // namespace quillmere
