#pragma once

class QString;
class QWidget;

namespace quillmere {

// The window's warning for a failed operation: modal to the window, closed with Return,
// its text read by screen readers. Names in the message may hold escaped bytes.
void showAlert(QWidget* window, const QString& message);

} // namespace quillmere
