#pragma once

#include "models/operations/ProgressRate.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QList>
#include <QTimer>

#include <chrono>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace quillmere {

class OperationQueue;

// The running file operation at the bottom of the content view, without stopping the
// user: what it does, a progress bar (bytes when there are bytes, else items), how much
// is done and how fast, the time left and a cancel button; below it each operation that
// waits its turn, with a button that takes it out of the queue.
//
// It shows only what the queue counts as long (running past the delay, or queued), and
// hides once the queue is empty. The worker's counts are read ten times a second, which
// is all the updates the window gets. Escape anywhere in the strip cancels the running
// operation; once cancelled it says so, and while the worker rolls back, that it is
// putting things back.
class ProgressStripView final : public QFrame {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds pollInterval{100};
    // Waiting operations shown one per row; the rest are counted.
    static constexpr int waitingRowLimit = 3;

    explicit ProgressStripView(OperationQueue& queue, QWidget* parent = nullptr);
    ~ProgressStripView() override;

Q_SIGNALS:
    // The strip went away while it had the keyboard focus: the view gives it a home.
    void hidFocused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refresh();
    void showRunning();
    void rebuildWaiting();
    QString progressDetail(qint64 done, qint64 total, bool bytes);
    bool holdsFocus() const;
    bool cancelHasFocus() const;
    void keepFocusInStrip();

    OperationQueue& m_queue;
    QLabel* m_title;
    QProgressBar* m_bar;
    QLabel* m_detail;
    QPushButton* m_cancel;
    QVBoxLayout* m_waitingRows;
    QList<quint64> m_waitingShown;
    QTimer m_poll;
    // The operation the figures below belong to.
    quint64 m_shownId = 0;
    QElapsedTimer m_clock;
    ProgressRate m_rate;
};

} // namespace quillmere
