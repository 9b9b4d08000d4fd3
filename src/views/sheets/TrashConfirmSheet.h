#pragma once

#include "models/operations/QueuedOperation.h"

#include <QCoroTask>
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

namespace quillmere {

class SheetFrame;

// Asks before trashed items are deleted for good (some of them, or the whole trash),
// naming how many and how much space. Cancel has the focus, so a stray Return deletes
// nothing. Confirming runs the action, which answers with the failure's message or
// nothing; while it runs both buttons are disabled and the sheet cannot be dismissed, a
// failure is shown in place, and an action that turns long closes the sheet and is
// followed in the window.
class TrashConfirmSheet final : public QDialog {
    Q_OBJECT

public:
    using Action = std::function<QCoro::Task<std::optional<QString>>(QueuedOperationObserver)>;

    TrashConfirmSheet(const QString& title, const QString& message, const QString& confirmText, Action action,
                      QWidget* parent = nullptr);
    ~TrashConfirmSheet() override;

    bool isDeleting() const { return m_isDeleting; }

public Q_SLOTS:
    void reject() override;

private:
    QCoro::Task<> run();

    Action m_action;
    std::unique_ptr<SheetFrame> m_frame;
    bool m_isDeleting = false;
};

} // namespace quillmere
