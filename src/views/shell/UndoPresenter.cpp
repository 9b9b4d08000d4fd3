#include "views/shell/UndoPresenter.h"

#include "models/operations/OperationText.h"
#include "models/operations/OperationTurn.h"
#include "models/undo/UndoRunner.h"
#include "views/common/Alert.h"
#include "views/content/ToastView.h"

#include <QWidget>

namespace quillmere {

UndoPresenter::UndoPresenter(UndoRunner& runner, QWidget* host)
    : QObject(host)
    , m_runner(runner)
    , m_host(host)
    , m_toast(new ToastView(host, std::chrono::milliseconds(3000))) {
    m_toast->setObjectName(QStringLiteral("undoToast"));
}

void UndoPresenter::undo() {
    [[maybe_unused]] auto running = run(true);
}

void UndoPresenter::redo() {
    [[maybe_unused]] auto running = run(false);
}

QCoro::Task<> UndoPresenter::run(bool undo) {
    const QPointer<UndoPresenter> self(this);
    std::optional<OperationDescription> done;
    std::optional<QString> failure;
    try {
        if (undo)
            done = co_await m_runner.undo();
        else
            done = co_await m_runner.redo();
    } catch (...) {
        failure = OperationTurn::failureText();
    }
    if (!self || !m_host)
        co_return;
    if (failure) {
        showAlert(m_host->window(), *failure);
        co_return;
    }
    if (!done) {
        m_toast->showMessage(
            qtTrId(undo ? QT_TRID_NOOP("undo.nothingToUndo") : QT_TRID_NOOP("undo.nothingToRedo")));
        co_return;
    }
    m_toast->showMessage(qtTrId(undo ? QT_TRID_NOOP("undo.done") : QT_TRID_NOOP("undo.redone"))
                             .arg(OperationText::name(*done)));
}

} // namespace quillmere
