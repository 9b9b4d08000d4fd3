#pragma once

#include "models/volumes/Volume.h"

#include <QCoroTask>
#include <QList>
#include <QObject>

namespace quillmere {

// Tells which drives and shares are mounted, and when that may have changed.
class VolumeMonitor : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The volumes mounted now, in mount order; reads the system off the calling thread.
    virtual QCoro::Task<QList<Volume>> volumes() = 0;

Q_SIGNALS:
    // Something was mounted or unmounted; volumes() may answer differently.
    void mountsChanged();
};

} // namespace quillmere
