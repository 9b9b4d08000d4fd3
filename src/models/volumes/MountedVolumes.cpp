#include "models/volumes/MountedVolumes.h"

#include "services/desktop/VolumeMonitor.h"

#include <QPointer>

namespace quillmere {

MountedVolumes::MountedVolumes(VolumeMonitor* monitor, QObject* parent)
    : QObject(parent)
    , m_monitor(monitor) {}

void MountedVolumes::start() {
    if (m_started || !m_monitor)
        return;
    m_started = true;
    connect(m_monitor, &VolumeMonitor::mountsChanged, this,
            [this] { [[maybe_unused]] auto reading = refresh(); });
    [[maybe_unused]] auto reading = refresh();
}

QCoro::Task<> MountedVolumes::refresh() {
    if (!m_monitor)
        co_return;
    if (m_reading) {
        m_readAgain = true;
        co_return;
    }
    const QPointer<MountedVolumes> self(this);
    const QPointer<VolumeMonitor> monitor(m_monitor);
    m_reading = true;
    QList<Volume> volumes;
    do {
        m_readAgain = false;
        volumes = co_await monitor->volumes();
        if (!self || !monitor)
            co_return;
    } while (m_readAgain);
    m_reading = false;
    if (volumes == m_volumes)
        co_return;
    m_volumes = std::move(volumes);
    Q_EMIT volumesChanged();
}

} // namespace quillmere
