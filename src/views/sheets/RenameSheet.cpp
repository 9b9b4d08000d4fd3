#include "views/sheets/RenameSheet.h"

#include "models/errors/OperationErrorText.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/filesystem/FileSystemService.h"
#include "views/sheets/SheetFrame.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

RenameSheet::RenameSheet(QString targetPath, AppState& appState, FileSystemService& fileSystemService,
                         QWidget* parent)
    : QDialog(parent)
    , m_targetPath(std::move(targetPath))
    , m_currentName(FilePath::lastComponent(m_targetPath))
    , m_appState(appState)
    , m_fileSystemService(fileSystemService)
    , m_frame(std::make_unique<SheetFrame>(*this, SheetFrame::width, qtTrId("rename.title"),
                                           qtTrId("rename.button.cancel"), qtTrId("rename.button.confirm"))) {
    m_field = new QLineEdit(FileName::displayText(m_currentName), this);
    m_field->setObjectName(u"nameField"_s);
    m_field->setPlaceholderText(qtTrId("rename.field.newName"));
    m_field->setAccessibleName(qtTrId("rename.field.newName"));
    m_frame->content()->addWidget(m_field);
    setTabOrder(m_field, m_frame->cancelButton());
    setTabOrder(m_frame->cancelButton(), m_frame->confirmButton());

    connect(m_field, &QLineEdit::textChanged, this, &RenameSheet::updateConfirmButton);
    connect(m_frame->confirmButton(), &QPushButton::clicked, this, &RenameSheet::confirm);
    updateConfirmButton();

    // Typing replaces the whole name at once; the arrow keys keep it for editing.
    m_field->selectAll();
    m_field->setFocus();
}

RenameSheet::~RenameSheet() = default;

RenameNameCheck RenameSheet::check() const {
    // The field can only ever hold the display text, so that is what "unchanged" compares
    // with; for a name of valid UTF-8 it is the name itself.
    return renameNameCheck(m_field->text(), FileName::displayText(m_currentName));
}

void RenameSheet::updateConfirmButton() {
    const RenameNameCheck result = check();
    m_frame->confirmButton()->setEnabled(result != RenameNameCheck::empty &&
                                         result != RenameNameCheck::invalidCharacters);
}

void RenameSheet::confirm() {
    switch (check()) {
    case RenameNameCheck::empty:
    case RenameNameCheck::invalidCharacters: return;
    case RenameNameCheck::unchanged: accept(); return;
    case RenameNameCheck::valid: rename(m_field->text()); return;
    }
}

QCoro::Task<> RenameSheet::rename(QString newName) {
    // The sheet may be closed while the rename runs; the tabs must follow a rename that
    // happened all the same, so the models are taken now and the sheet only if it is left.
    QPointer<RenameSheet> self(this);
    AppState& appState = m_appState;
    const QString target = m_targetPath;
    QString renamed;
    std::optional<QString> failure;
    try {
        renamed = co_await m_fileSystemService.renameItem(target, newName);
    } catch (const RenameError& error) {
        failure = OperationErrorText::of(error);
    } catch (...) {
        failure = qtTrId("rename.error.failed");
    }
    if (failure) {
        if (self)
            self->m_frame->showError(failure);
        co_return;
    }
    try {
        co_await appState.didRename(target, renamed);
    } catch (...) {
        // The entry has its new name; a tab that could not be listed again shows that itself.
    }
    if (self)
        self->accept();
}

} // namespace quillmere
