#include "WindowProbe.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace quillmere::bench {

double WindowProbe::now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

double WindowProbe::processStart() {
    if (const char* spawned = std::getenv("QUILLMERE_BENCH_SPAWNED_AT"))
        return std::strtod(spawned, nullptr);
    // Field 22 of /proc/self/stat: clock ticks since boot, which CLOCK_MONOTONIC also
    // counts from (it stops during suspend, which a benchmark run does not see).
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return now();
    const QByteArray line = stat.readAll();
    // The command name may hold spaces; the fields after it start at the last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields[19].toDouble() * 1e3 / double(sysconf(_SC_CLK_TCK)) : now();
}

long WindowProbe::residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void WindowProbe::report(const char* name, double value) {
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

void WindowProbe::settle(double ms) {
    QEventLoop loop;
    QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
    loop.exec();
}

PaintWatch::PaintWatch() {
    QCoreApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (m_delivering)
        return false;
    if (event->type() == QEvent::Expose && m_exposedAt < 0 && watched->isWindowType() &&
        static_cast<QWindow*>(watched)->isExposed() && static_cast<QWindow*>(watched)->isTopLevel()) {
        m_exposedAt = WindowProbe::now();
        // The window paints its first frame before the event loop runs again: every widget
        // paint until this timer fires belongs to it.
        m_inFirstFrame = true;
        QTimer::singleShot(0, this, [this] { m_inFirstFrame = false; });
        return false;
    }
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    // Handled here so that the time taken after it includes the painting.
    m_delivering = true;
    static_cast<QObject*>(watched)->event(event);
    m_delivering = false;
    const double end = WindowProbe::now();
    if (m_inFirstFrame)
        m_firstFrameAt = end;
    auto* view = qobject_cast<QAbstractItemView*>(watched->parent());
    if (view && view->viewport() == watched) {
        m_lastPaintEnd = end;
        m_lastView = view;
        ++m_paints;
        Q_EMIT painted();
    }
    return true;
}

bool PaintWatch::waitForPaint(const std::function<bool()>& done, double timeoutMs) {
    if (done())
        return true;
    QEventLoop loop;
    bool held = false;
    const QMetaObject::Connection connection = connect(this, &PaintWatch::painted, &loop, [&] {
        if (done()) {
            held = true;
            loop.quit();
        }
    });
    QTimer::singleShot(int(timeoutMs), &loop, &QEventLoop::quit);
    loop.exec();
    disconnect(connection);
    return held;
}

double PaintWatch::keyToPaint(QWidget& window, int key, const QString& text) {
    QWindow* handle = window.windowHandle();
    const int before = m_paints;
    const double pressed = WindowProbe::now();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(handle, &press);
    const bool seen = waitForPaint([this, before] { return m_paints > before; }, 1000);
    const double result = seen ? m_lastPaintEnd - pressed : -1;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(handle, &release);
    return result;
}

double median(std::vector<double> samples) {
    if (samples.empty())
        return -1;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

} // namespace quillmere::bench
