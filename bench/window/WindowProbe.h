#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAbstractItemView;
class QWidget;

namespace quillmere::bench {

// The in-process half of the window benchmark, shared by the Quillmere run and the
// minimal reference program: a clock both the driver and its children read, the
// resident memory, and an application-wide watch on the first exposure of a window and
// on the paints of table viewports. Results go to stdout as "name value" lines that the
// driver collects.
namespace WindowProbe {

// CLOCK_MONOTONIC in milliseconds: one clock for every process on the machine.
double now();
// When the driver started this process (its clock reading just before the spawn, from
// QUILLMERE_BENCH_SPAWNED_AT), else when the kernel says the process started.
double processStart();
// VmRSS of this process in KiB.
long residentKiB();
void report(const char* name, double value);

// Runs the event loop for `ms` milliseconds.
void settle(double ms);

} // namespace WindowProbe

// Watches, from the application's event filter, the first Expose of a top-level window
// and every paint of an item view's viewport. Times are taken after the event was
// handled, so they include the painting itself.
class PaintWatch final : public QObject {
    Q_OBJECT

public:
    PaintWatch();
    ~PaintWatch() override;

    // Window exposed (the Expose event arrived) and its first frame drawn (the event returned).
    double exposedAt() const { return m_exposedAt; }
    double firstFrameAt() const { return m_firstFrameAt; }
    // The last painted viewport's view, the end of its paint and the number of paints so far.
    QAbstractItemView* lastView() const { return m_lastView; }
    double lastPaintEnd() const { return m_lastPaintEnd; }
    int paints() const { return m_paints; }

    // Runs the event loop until `done` holds after a viewport paint, or `timeoutMs`
    // passes; returns whether it held.
    bool waitForPaint(const std::function<bool()>& done, double timeoutMs);
    // Sends a key press and release to `window`'s native window the way the platform
    // delivers them, and returns the milliseconds from the press to the end of the next
    // viewport paint (negative when nothing was painted within a second).
    double keyToPaint(QWidget& window, int key, const QString& text);

Q_SIGNALS:
    void painted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double m_exposedAt = -1;
    double m_firstFrameAt = -1;
    double m_lastPaintEnd = -1;
    QAbstractItemView* m_lastView = nullptr;
    int m_paints = 0;
    bool m_delivering = false;
    bool m_inFirstFrame = false;
};

// The median of the samples (the mean of the two middle ones for an even count).
double median(std::vector<double> samples);

} // namespace quillmere::bench
