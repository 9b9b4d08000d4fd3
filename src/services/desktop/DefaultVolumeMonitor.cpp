#include "services/desktop/DefaultVolumeMonitor.h"

#include "platform/MountTableWatch.h"
#include "platform/PathCodec.h"
#include "platform/VolumeScan.h"

#include <QCoroFuture>
#include <QSocketNotifier>
#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {

DefaultVolumeMonitor::DefaultVolumeMonitor(QList<QByteArray> roots, QObject* parent)
    : VolumeMonitor(parent)
    , m_roots(roots.isEmpty() ? VolumeScan::defaultRoots() : std::move(roots))
    , m_watch(std::make_unique<MountTableWatch>()) {
    if (!m_watch->isValid())
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_watch->descriptor(), QSocketNotifier::Exception);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &VolumeMonitor::mountsChanged);
}

DefaultVolumeMonitor::~DefaultVolumeMonitor() = default;

bool DefaultVolumeMonitor::isWatching() const {
    return m_notifier != nullptr;
}

QCoro::Task<QList<Volume>> DefaultVolumeMonitor::volumes() {
    // The future is a named local: GCC 12 destroys a temporary closure in a co_await twice.
    auto scanning = QtConcurrent::run([roots = m_roots] { return VolumeScan::scan(roots); });
    const QList<VisibleVolume> found = co_await scanning;
    QList<Volume> volumes;
    volumes.reserve(found.size());
    for (const VisibleVolume& volume : found)
        volumes.append({PathCodec::decode(volume.mountPoint), volume.label, volume.isNetwork});
    co_return volumes;
}

} // namespace quillmere
