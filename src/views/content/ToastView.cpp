#include "views/content/ToastView.h"

#include <QEvent>

using namespace Qt::StringLiterals;

namespace quillmere {

ToastView::ToastView(QWidget* parent, std::chrono::milliseconds duration)
    : QLabel(parent) {
    setObjectName(u"toast"_s);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setMargin(6);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    m_timer.setSingleShot(true);
    m_timer.setInterval(duration);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
    parent->installEventFilter(this);
}

void ToastView::showMessage(const QString& text) {
    setText(text);
    setAccessibleName(text);
    adjustSize();
    place();
    show();
    raise();
    m_timer.start();
}

void ToastView::place() {
    const QWidget* host = parentWidget();
    move((host->width() - width()) / 2, host->height() - height() - 16);
}

bool ToastView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QLabel::eventFilter(watched, event);
}

} // namespace quillmere
