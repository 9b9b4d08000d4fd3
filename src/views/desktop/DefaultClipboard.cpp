#include "DefaultClipboard.h"

#include "models/paths/FileName.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quillmere {

void DefaultClipboard::copy(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear(QClipboard::Clipboard);
    // A path's escaped bytes are lone surrogates, which no other program can read;
    // they go out as U+FFFD, as the views show them.
    auto data = new QMimeData; // the clipboard takes ownership
    data->setText(FileName::displayText(text));
    clipboard->setMimeData(data, QClipboard::Clipboard);
}

} // namespace quillmere
