#pragma once

#include <QObject>

class QSocketNotifier;

namespace quillmere {

// Turns SIGTERM and SIGINT into a Qt signal on the thread that made this object. The
// signal handler only writes one byte into a pipe; the event loop reads it and emits
// requested(), so the shutdown runs as ordinary code, never inside the handler. One
// instance per process; destroying it restores the default handlers.
class TerminationSignals final : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void requested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace quillmere
