#include "views/chooser/DefaultFolderChooser.h"

#include "views/chooser/FolderChooserDialog.h"

#include <QCoroFuture>
#include <QPointer>
#include <QPromise>

#include <memory>

namespace quillmere {

DefaultFolderChooser::DefaultFolderChooser(FileSystemService& fileSystem)
    : m_fileSystem(fileSystem) {}

QCoro::Task<std::optional<QString>> DefaultFolderChooser::chooseFolder(QWidget* parent,
                                                                       FolderChoiceRequest request) {
    const bool hasParent = parent != nullptr;
    QPointer<QWidget> owner(parent);
    QPointer<FolderChooserDialog> dialog =
        new FolderChooserDialog(m_fileSystem, std::move(request), parent ? parent->window() : nullptr);

    // The dialog dies with its parent window without finishing; either way ends the wait.
    // The answer arrives through the event loop, never from inside a destructor.
    auto settled = std::make_shared<QPromise<void>>();
    settled->start();
    const auto settle = [settled] {
        if (!settled->future().isFinished())
            settled->finish();
    };
    QObject::connect(dialog, &QDialog::finished, settle);
    QObject::connect(dialog, &QObject::destroyed, settle);
    dialog->open();
    co_await settled->future();

    if (!dialog)
        co_return std::nullopt;
    const std::optional<QString> chosen =
        dialog->result() == QDialog::Accepted ? dialog->chosenPath() : std::nullopt;
    dialog->deleteLater();
    if (hasParent && !owner)
        co_return std::nullopt;
    co_return chosen;
}

} // namespace quillmere
