#pragma once

#include "models/volumes/Volume.h"

#include <QCoroTask>
#include <QList>
#include <QObject>

namespace quillmere {

class VolumeMonitor;

// The volumes mounted now, kept up to date from the monitor's change reports. Reports
// that arrive while a reading runs are answered by one more reading after it, so the
// list always ends as the last change left the mounts.
class MountedVolumes final : public QObject {
    Q_OBJECT

public:
    // Without a monitor the list stays empty.
    explicit MountedVolumes(VolumeMonitor* monitor, QObject* parent = nullptr);

    const QList<Volume>& volumes() const { return m_volumes; }
    // Reads the list now, and again after every change the monitor reports.
    void start();
    // Reads the list again; while a reading runs, once more after it.
    QCoro::Task<> refresh();

Q_SIGNALS:
    void volumesChanged();

private:
    VolumeMonitor* m_monitor;
    QList<Volume> m_volumes;
    bool m_started = false;
    bool m_reading = false;
    bool m_readAgain = false;
};

} // namespace quillmere
