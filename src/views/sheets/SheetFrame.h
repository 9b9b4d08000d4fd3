#pragma once

#include "models/operations/QueuedOperation.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class QColor;
class QDialog;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace quillmere {

// The layout every sheet shares, top to bottom: title, the sheet's own rows, an error
// line in red, then the buttons with a busy indicator beside them. The confirming
// button is the default one, so Return presses it wherever the focus is (a focused
// Cancel button takes Return for itself); Escape rejects the dialog.
//
// The frame only builds widgets, all children of the sheet; the sheet keeps the logic.
// Texts that may hold file names are plain text, never rich text.
class SheetFrame {
public:
    static constexpr int width = 360;
    static constexpr int margin = 20;
    static constexpr int spacing = 12;

    SheetFrame(QDialog& sheet, int sheetWidth, const QString& title, const QString& cancelText,
               const QString& confirmText);

    // Where the sheet adds its rows, between the title and the error line.
    QVBoxLayout* content() const { return m_content; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* confirmButton() const { return m_confirm; }

    void showError(const std::optional<QString>& message);
    std::optional<QString> error() const;
    // Clears the error, shows the indicator and disables both buttons; leaving the busy
    // state enables them again (and gives the focus back), and a sheet with its own rule
    // for the confirming button applies it afterwards.
    void setBusy(bool busy);

    // Follows the file operation the sheet started. The sheet is modal, but the user goes
    // on browsing while long work runs: once the operation turns long (it waits behind
    // another, or runs past the progress strip's delay) the sheet closes and leaves the
    // outcome to the window. One that ends sooner is reported in place as before.
    QueuedOperationObserver operationObserver() const;
    // Whether the sheet closed that way; the sheet then shows nothing more.
    bool isHandedOff() const { return *m_handedOff; }
    // The outcome of an operation that ended in place: the failure is shown and the
    // sheet stays for another try, or the sheet closes as accepted.
    void finish(const std::optional<QString>& failure);

    // A label in the callout type: smaller than the body text, red when it reports a problem.
    static QLabel* calloutLabel(QWidget* parent, bool isError);
    // The red of problems, readable on light and dark backgrounds.
    static QColor errorColor();

private:
    QVBoxLayout* m_content;
    QLabel* m_error;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QPushButton* m_confirm;
    QPointer<QWidget> m_focusBeforeBusy;
    QPointer<QDialog> m_sheet;
    std::shared_ptr<bool> m_handedOff = std::make_shared<bool>(false);
};

} // namespace quillmere
