#include "DefaultClipboard.h"

#include "models/paths/FileName.h"
#include "views/common/FileMimeData.h"

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

void DefaultClipboard::setFiles(const FilesOnClipboard& files) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->setMimeData(FileMimeData::make(files), QClipboard::Clipboard); // it takes ownership
}

std::optional<FilesOnClipboard> DefaultClipboard::files() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return FileMimeData::read(clipboard ? clipboard->mimeData(QClipboard::Clipboard) : nullptr,
                              FileMimeData::PlainText::accepted);
}

void DefaultClipboard::clearFiles(const FilesOnClipboard& files) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard && this->files() == files)
        clipboard->clear(QClipboard::Clipboard);
}

} // namespace quillmere
