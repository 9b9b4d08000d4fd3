#pragma once

#include <QLabel>
#include <QTimer>

namespace quillmere {

// A short confirmation at the bottom of its parent, gone after a moment. Showing it
// again restarts the moment.
class ToastView final : public QLabel {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultDuration{1500};

    explicit ToastView(QWidget* parent, std::chrono::milliseconds duration = defaultDuration);

    void showMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QTimer m_timer;
};

} // namespace quillmere
