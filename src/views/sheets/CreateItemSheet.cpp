#include "views/sheets/CreateItemSheet.h"

#include "models/navigation/Navigator.h"
#include "models/tabs/AppState.h"
#include "views/sheets/SheetFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

QString titleOf(CreateItemKind kind) {
    return kind == CreateItemKind::file ? qtTrId("create.title.file") : qtTrId("create.title.folder");
}

QSet<QString> listedNames(const Navigator* navigator) {
    QSet<QString> names;
    if (!navigator)
        return names;
    names.reserve(navigator->items().size());
    for (const FileItem& item : navigator->items())
        names.insert(item.name);
    return names;
}

} // namespace

CreateItemSheet::CreateItemSheet(CreateItemKind kind, AppState& appState, Navigator& navigator,
                                 QWidget* parent)
    : QDialog(parent)
    , m_kind(kind)
    , m_appState(appState)
    , m_navigator(&navigator)
    , m_existingNames(listedNames(&navigator))
    , m_frame(std::make_unique<SheetFrame>(*this, SheetFrame::width, titleOf(kind),
                                           qtTrId("create.button.cancel"), qtTrId("create.button.create"))) {
    m_field = new QLineEdit(this);
    m_field->setObjectName(u"nameField"_s);
    m_field->setPlaceholderText(qtTrId("create.field.name"));
    m_field->setAccessibleName(qtTrId("create.field.name"));
    m_frame->content()->addWidget(m_field);
    m_checkMessage = SheetFrame::calloutLabel(this, true);
    m_checkMessage->setObjectName(u"nameCheck"_s);
    m_checkMessage->hide();
    m_frame->content()->addWidget(m_checkMessage);
    setTabOrder(m_field, m_frame->cancelButton());
    setTabOrder(m_frame->cancelButton(), m_frame->confirmButton());

    // A listing that arrives while the sheet is open (the folder watcher's reload) is
    // what the name has to be checked against from then on.
    connect(&navigator, &Navigator::itemsChanged, this, [this] {
        m_existingNames = listedNames(m_navigator);
        updateCheck();
    });
    connect(m_field, &QLineEdit::textChanged, this, &CreateItemSheet::updateCheck);
    connect(m_frame->confirmButton(), &QPushButton::clicked, this, &CreateItemSheet::confirm);
    updateCheck();
    m_field->setFocus();
}

CreateItemSheet::~CreateItemSheet() = default;

CreateNameCheck CreateItemSheet::check() const {
    return createNameCheck(m_field->text(), m_existingNames);
}

void CreateItemSheet::updateCheck() {
    const CreateNameCheck result = check();
    std::optional<QString> message;
    if (result == CreateNameCheck::invalidCharacter)
        message = qtTrId("create.error.invalidChar");
    else if (result == CreateNameCheck::alreadyExists)
        message = qtTrId("create.error.alreadyExists");
    m_checkMessage->setText(message.value_or(QString()));
    m_checkMessage->setAccessibleName(message.value_or(QString()));
    m_checkMessage->setVisible(message.has_value());
    m_frame->confirmButton()->setEnabled(result == CreateNameCheck::ok);
}

void CreateItemSheet::confirm() {
    if (check() == CreateNameCheck::ok)
        create(m_field->text());
}

QCoro::Task<> CreateItemSheet::create(QString name) {
    QPointer<CreateItemSheet> self(this);
    std::optional<QString> failure;
    try {
        if (m_kind == CreateItemKind::file)
            co_await m_appState.createFile(name);
        else
            co_await m_appState.createFolder(name);
    } catch (const std::exception& error) {
        // The platform's description of the failure ("File exists", "Permission denied").
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = qtTrId("create.error.failed");
    }
    if (!self)
        co_return;
    self->m_frame->finish(failure);
}

} // namespace quillmere
