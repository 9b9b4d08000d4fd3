#pragma once

#include "services/desktop/VolumeMonitor.h"

#include <QByteArray>

#include <memory>

class QSocketNotifier;

namespace quillmere {

class MountTableWatch;

// The volumes of this process's mount table, watched through /proc/self/mountinfo.
class DefaultVolumeMonitor final : public VolumeMonitor {
    Q_OBJECT

public:
    // roots: the folders whose subfolders are volumes; the desktop's own by default.
    explicit DefaultVolumeMonitor(QList<QByteArray> roots = {}, QObject* parent = nullptr);
    ~DefaultVolumeMonitor() override;

    QCoro::Task<QList<Volume>> volumes() override;
    // False where the mount table cannot be watched; the list is then read only on demand.
    bool isWatching() const;

private:
    QList<QByteArray> m_roots;
    std::unique_ptr<MountTableWatch> m_watch;
    std::unique_ptr<QSocketNotifier> m_notifier; // after the watch: it goes before the descriptor
};

} // namespace quillmere
