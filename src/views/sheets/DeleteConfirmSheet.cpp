#include "views/sheets/DeleteConfirmSheet.h"

#include "models/errors/OperationErrorText.h"
#include "models/tabs/AppState.h"
#include "views/sheets/SheetFrame.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

DeleteConfirmSheet::DeleteConfirmSheet(qsizetype count, AppState& appState, QWidget* parent)
    : QDialog(parent)
    , m_appState(appState)
    , m_frame(std::make_unique<SheetFrame>(*this, SheetFrame::width, qtTrId("delete.title"),
                                           qtTrId("delete.button.cancel"), qtTrId("delete.button.delete"))) {
    auto* message = new QLabel(qtTrId("delete.message", int(count)), this);
    message->setObjectName(u"message"_s);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    m_frame->content()->addWidget(message);
    connect(m_frame->confirmButton(), &QPushButton::clicked, this, &DeleteConfirmSheet::confirm);
    m_frame->confirmButton()->setFocus();
}

DeleteConfirmSheet::~DeleteConfirmSheet() = default;

void DeleteConfirmSheet::reject() {
    // Escape and the window's close button end up here too: the trash has to finish (or
    // be rolled back) before the sheet may go.
    if (!m_isDeleting)
        QDialog::reject();
}

void DeleteConfirmSheet::confirm() {
    if (!m_isDeleting)
        trash();
}

QCoro::Task<> DeleteConfirmSheet::trash() {
    QPointer<DeleteConfirmSheet> self(this);
    m_isDeleting = true;
    m_frame->setBusy(true);
    std::optional<QString> failure;
    try {
        co_await m_appState.deleteMarked(m_frame->operationObserver());
    } catch (const DeleteError& error) {
        failure = OperationErrorText::of(error);
    } catch (...) {
        failure = qtTrId("delete.error.failed");
    }
    // A sheet that stepped aside leaves the outcome to the window.
    if (!self || m_frame->isHandedOff())
        co_return;
    m_isDeleting = false;
    m_frame->setBusy(false);
    m_frame->finish(failure);
}

} // namespace quillmere
