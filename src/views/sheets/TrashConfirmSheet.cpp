#include "views/sheets/TrashConfirmSheet.h"

#include "views/sheets/CallerAction.h"
#include "views/sheets/SheetFrame.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

TrashConfirmSheet::TrashConfirmSheet(const QString& title, const QString& message, const QString& confirmText,
                                     Action action, QWidget* parent)
    : QDialog(parent)
    , m_action(std::move(action))
    , m_frame(std::make_unique<SheetFrame>(*this, SheetFrame::width, title, qtTrId("delete.button.cancel"),
                                           confirmText)) {
    setObjectName(u"trashConfirmSheet"_s);
    auto* text = new QLabel(message, this);
    text->setObjectName(u"message"_s);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAccessibleName(message);
    m_frame->content()->addWidget(text);
    connect(m_frame->confirmButton(), &QPushButton::clicked, this, [this] {
        if (!m_isDeleting)
            run();
    });
    m_frame->cancelButton()->setFocus();
}

TrashConfirmSheet::~TrashConfirmSheet() = default;

void TrashConfirmSheet::reject() {
    // Escape and the window's close button too: what was started has to finish first.
    if (!m_isDeleting)
        QDialog::reject();
}

QCoro::Task<> TrashConfirmSheet::run() {
    QPointer<TrashConfirmSheet> self(this);
    m_isDeleting = true;
    m_frame->setBusy(true);
    const std::optional<QString> failure = co_await awaitCallerAction<QueuedOperationObserver>(
        m_action, m_frame->operationObserver(), qtTrId("trash.error.deleteFailed"));
    // A sheet that stepped aside leaves the outcome to the window.
    if (!self || m_frame->isHandedOff())
        co_return;
    m_isDeleting = false;
    m_frame->setBusy(false);
    m_frame->finish(failure);
}

} // namespace quillmere
