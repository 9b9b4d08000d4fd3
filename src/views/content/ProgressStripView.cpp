#include "views/content/ProgressStripView.h"

#include "models/operations/OperationQueue.h"
#include "models/operations/OperationText.h"
#include "views/common/SystemIcon.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// The bar counts in thousandths, fine enough for any width it is drawn at.
constexpr int barSteps = 1000;

QString sizeText(qint64 bytes) {
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QString timeLeftText(qint64 seconds) {
    if (seconds < 60)
        return qtTrId("progress.timeLeft.seconds", int(std::max<qint64>(seconds, 1)));
    if (seconds < 60 * 60)
        return qtTrId("progress.timeLeft.minutes", int((seconds + 59) / 60));
    return qtTrId("progress.timeLeft.hours", int((seconds + 60 * 60 - 1) / (60 * 60)));
}

void setPlainLabel(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
}

} // namespace

ProgressStripView::ProgressStripView(OperationQueue& queue, QWidget* parent)
    : QFrame(parent)
    , m_queue(queue) {
    setObjectName(u"progressStrip"_s);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 8, 12, 8);
    column->setSpacing(4);

    auto* top = new QHBoxLayout;
    m_title = new QLabel(this);
    m_title->setObjectName(u"progressStrip.title"_s);
    m_title->setTextFormat(Qt::PlainText);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    top->addWidget(m_title, 1);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(u"progressStrip.cancel"_s);
    m_cancel->setIcon(SystemIcon::icon(SystemIcon::Symbol::stop));
    m_cancel->setFocusPolicy(Qt::StrongFocus);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_queue.cancelRunning(); });
    top->addWidget(m_cancel);
    column->addLayout(top);

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(u"progressStrip.bar"_s);
    m_bar->setTextVisible(false);
    m_bar->setMaximumHeight(10);
    column->addWidget(m_bar);

    m_detail = new QLabel(this);
    m_detail->setObjectName(u"progressStrip.detail"_s);
    m_detail->setTextFormat(Qt::PlainText);
    m_detail->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(m_detail);

    m_waitingRows = new QVBoxLayout;
    m_waitingRows->setSpacing(2);
    column->addLayout(m_waitingRows);

    m_poll.setInterval(pollInterval);
    connect(&m_poll, &QTimer::timeout, this, &ProgressStripView::showRunning);
    connect(&m_queue, &OperationQueue::operationsChanged, this, &ProgressStripView::refresh);
    hide();
    refresh();
}

ProgressStripView::~ProgressStripView() = default;

void ProgressStripView::refresh() {
    if (!m_queue.hasLongOperation()) {
        m_poll.stop();
        m_shownId = 0;
        if (!isHidden()) {
            const bool focused = holdsFocus();
            hide();
            if (focused)
                Q_EMIT hidFocused();
        }
        return;
    }
    setAccessibleName(qtTrId("progress.strip"));
    m_cancel->setText(qtTrId("progress.cancel"));
    rebuildWaiting();
    showRunning();
    show();
    m_poll.start();
}

void ProgressStripView::showRunning() {
    const std::shared_ptr<QueuedOperation> running = m_queue.running();
    if (!running)
        return;
    if (running->id() != m_shownId) {
        m_shownId = running->id();
        m_clock.start();
        m_rate.reset();
    }
    const QString description = OperationText::describe(running->description());
    setPlainLabel(m_title, description);
    m_bar->setAccessibleName(description);
    m_cancel->setAccessibleName(qtTrId("progress.cancelRunning").arg(description));

    const OperationControl::Progress progress = running->control()->progress();
    const bool cancelled = running->isCancelRequested();
    const bool cancellable = !cancelled && progress.phase != OperationControl::Phase::rollingBack;
    if (!cancellable && cancelHasFocus())
        keepFocusInStrip();
    m_cancel->setEnabled(cancellable);
    const bool bytes = progress.bytesTotal > 0;
    const qint64 done = bytes ? progress.bytesDone : progress.itemsDone;
    const qint64 total = bytes ? progress.bytesTotal : progress.itemsTotal;
    if (progress.phase == OperationControl::Phase::rollingBack) {
        m_bar->setRange(0, 0);
        setPlainLabel(m_detail, qtTrId("progress.rollingBack"));
    } else if (cancelled) {
        m_bar->setRange(0, 0);
        setPlainLabel(m_detail, qtTrId("progress.cancelling"));
    } else if (progress.phase == OperationControl::Phase::measuring || total <= 0) {
        m_bar->setRange(0, 0);
        setPlainLabel(m_detail, qtTrId("progress.measuring"));
    } else {
        m_bar->setRange(0, barSteps);
        m_bar->setValue(int(std::clamp<qint64>(done * barSteps / total, 0, barSteps)));
        m_rate.add(m_clock.elapsed(), done);
        setPlainLabel(m_detail, progressDetail(done, total, bytes));
    }
}

QString ProgressStripView::progressDetail(qint64 done, qint64 total, bool bytes) {
    QStringList parts;
    if (bytes) {
        parts.append(qtTrId("progress.bytes").arg(sizeText(done), sizeText(total)));
        if (const std::optional<double> rate = m_rate.perSecond())
            parts.append(qtTrId("progress.rate").arg(sizeText(qint64(*rate))));
    } else {
        parts.append(qtTrId("progress.items", int(total)).arg(QLocale().toString(done)));
    }
    if (const std::optional<qint64> seconds = m_rate.secondsFor(total - done))
        parts.append(timeLeftText(*seconds));
    return parts.join(u" \u00B7 "_s);
}

void ProgressStripView::rebuildWaiting() {
    const QList<std::shared_ptr<QueuedOperation>> waiting = m_queue.waiting();
    QList<quint64> ids;
    for (const auto& operation : waiting)
        ids.append(operation->id());
    if (ids == m_waitingShown)
        return;
    m_waitingShown = ids;
    if (holdsFocus() && !cancelHasFocus())
        keepFocusInStrip();
    while (QLayoutItem* item = m_waitingRows->takeAt(0)) {
        if (QWidget* row = item->widget())
            row->deleteLater();
        delete item;
    }
    for (qsizetype i = 0; i < waiting.size() && i < waitingRowLimit; ++i) {
        const std::weak_ptr<QueuedOperation> operation = waiting[i];
        auto* row = new QWidget(this);
        row->setObjectName(u"progressStrip.waiting"_s);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        const QString description = OperationText::describe(waiting[i]->description());
        auto* label = new QLabel(row);
        label->setTextFormat(Qt::PlainText);
        setPlainLabel(label, qtTrId("progress.waiting").arg(description));
        line->addWidget(label, 1);
        auto* cancel = new QToolButton(row);
        cancel->setObjectName(u"progressStrip.cancelWaiting"_s);
        cancel->setIcon(SystemIcon::icon(SystemIcon::Symbol::close));
        cancel->setAutoRaise(true);
        cancel->setFocusPolicy(Qt::StrongFocus);
        cancel->setToolTip(qtTrId("progress.cancelWaiting").arg(description));
        cancel->setAccessibleName(cancel->toolTip());
        connect(cancel, &QToolButton::clicked, this, [this, operation] {
            if (const std::shared_ptr<QueuedOperation> live = operation.lock())
                m_queue.cancel(live);
        });
        line->addWidget(cancel);
        m_waitingRows->addWidget(row);
    }
    if (waiting.size() > waitingRowLimit) {
        auto* more = new QLabel(this);
        more->setObjectName(u"progressStrip.moreWaiting"_s);
        setPlainLabel(more, qtTrId("progress.moreWaiting", int(waiting.size() - waitingRowLimit)));
        m_waitingRows->addWidget(more);
    }
}

bool ProgressStripView::holdsFocus() const {
    // The window's own focus, which a modal alert in front of it does not take away.
    const QWidget* focused = window()->focusWidget();
    return focused && (focused == this || isAncestorOf(focused));
}

bool ProgressStripView::cancelHasFocus() const {
    return window()->focusWidget() == m_cancel;
}

void ProgressStripView::keepFocusInStrip() {
    // A focused button that is disabled or goes would send the focus to whatever comes
    // next in the window; the strip keeps it, so Escape still cancels and the focus goes
    // back to the table when the strip goes.
    if (!holdsFocus())
        return;
    if (m_cancel->isEnabled() && !cancelHasFocus())
        m_cancel->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void ProgressStripView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_queue.cancelRunning();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ProgressStripView::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        // Every text is rebuilt in the new language.
        m_waitingShown.clear();
        refresh();
    }
}

} // namespace quillmere
