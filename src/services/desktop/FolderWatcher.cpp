#include "services/desktop/FolderWatcher.h"

#include "platform/InotifyWatch.h"

#include <QCoroFuture>
#include <QPointer>
#include <QSocketNotifier>
#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

// The notifier goes before the descriptor it listens on.
struct FolderWatcher::Source {
    std::shared_ptr<InotifyWatch> watch;
    std::unique_ptr<QSocketNotifier> notifier;
};

FolderWatcher::FolderWatcher(std::chrono::milliseconds debounceInterval, QObject* parent)
    : QObject(parent)
    , m_debouncer(debounceInterval) {}

FolderWatcher::~FolderWatcher() = default;

void FolderWatcher::watch(const QString& folder, ChangeHandler onChange) {
    stop();
    m_onChange = std::move(onChange);
    m_starting = true;
    [[maybe_unused]] auto starting = setUp(folder, m_generation);
}

QCoro::Task<> FolderWatcher::setUp(QString folder, quint64 generation) {
    const QPointer<FolderWatcher> self(this);
    // A named future: GCC 12 destroys a temporary closure in a co_await twice. A set-up
    // that arrives after the watcher is gone closes its descriptor with the result.
    auto making = QtConcurrent::run([folder] { return std::make_shared<InotifyWatch>(folder); });
    const std::shared_ptr<InotifyWatch> made = co_await making;
    if (!self || generation != m_generation)
        co_return;
    m_starting = false;
    if (!made->isValid())
        co_return;
    auto source = std::make_unique<Source>();
    source->watch = made;
    source->notifier = std::make_unique<QSocketNotifier>(made->descriptor(), QSocketNotifier::Read);
    connect(source->notifier.get(), &QSocketNotifier::activated, this, &FolderWatcher::eventsArrived);
    m_current = std::move(source);
}

void FolderWatcher::stop() {
    ++m_generation;
    m_starting = false;
    m_current.reset();
}

void FolderWatcher::eventsArrived() {
    if (!m_current || !m_current->watch->drainEvents())
        return;
    // The call belongs to the watch whose event it was, even if another watch starts meanwhile.
    m_debouncer.schedule([handler = m_onChange] { return callHandler(handler); });
}

QCoro::Task<> FolderWatcher::callHandler(ChangeHandler handler) {
    // Taken by value: the frame keeps the handler (and a coroutine lambda's captures)
    // alive while it runs, whatever happens to the debouncer's copy.
    if (handler)
        co_await handler();
}

} // namespace quillmere
