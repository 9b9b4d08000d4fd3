#pragma once

#include <QCoroTask>
#include <QDialog>

#include <memory>

namespace quillmere {

class AppState;
class SheetFrame;

// Asks before the active tab's marked entries go to the trash, then trashes them. While
// the trash runs both buttons are disabled and the sheet cannot be dismissed; a failure
// (after the service has put back what it had moved) is shown in place. A trash that
// turns long closes the sheet and is followed in the window instead.
class DeleteConfirmSheet final : public QDialog {
    Q_OBJECT

public:
    DeleteConfirmSheet(qsizetype count, AppState& appState, QWidget* parent = nullptr);
    ~DeleteConfirmSheet() override;

    bool isDeleting() const { return m_isDeleting; }

public Q_SLOTS:
    void reject() override;

private:
    void confirm();
    QCoro::Task<> trash();

    AppState& m_appState;
    std::unique_ptr<SheetFrame> m_frame;
    bool m_isDeleting = false;
};

} // namespace quillmere
