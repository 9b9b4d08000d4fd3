#include "views/sheets/ConflictResolutionSheet.h"

#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/paths/NameChecks.h"
#include "views/sheets/CallerAction.h"
#include "views/sheets/SheetFrame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <exception>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

QString messageFor(const QString& destinationName, int count) {
    if (destinationName.isEmpty())
        return qtTrId("conflict.message.withoutDest", count);
    return qtTrId("conflict.message.withDest", count).arg(FileName::displayText(destinationName));
}

} // namespace

ConflictResolutionSheet::ConflictResolutionSheet(QStringList conflicts, QString destinationName,
                                                 OnResolve onResolve, QWidget* parent)
    : QDialog(parent)
    , m_onResolve(std::move(onResolve))
    , m_frame(std::make_unique<SheetFrame>(*this, width, qtTrId("conflict.title"),
                                           qtTrId("conflict.button.cancel"),
                                           qtTrId("conflict.button.confirm"))) {
    auto* message = SheetFrame::calloutLabel(this, false);
    message->setObjectName(u"message"_s);
    message->setText(messageFor(destinationName, int(conflicts.size())));
    m_frame->content()->addWidget(message);

    auto* rows = new QWidget;
    auto* rowsColumn = new QVBoxLayout(rows);
    rowsColumn->setContentsMargins(0, 0, 0, 0);
    rowsColumn->setSpacing(SheetFrame::spacing);
    for (qsizetype i = 0; i < conflicts.size(); ++i)
        addRow(i, conflicts[i], rows);
    rowsColumn->addStretch();
    m_list = new QScrollArea(this);
    m_list->setObjectName(u"conflictList"_s);
    m_list->setAccessibleName(qtTrId("conflict.title"));
    m_list->setWidgetResizable(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setWidget(rows);
    m_list->setMaximumHeight(maximumListHeight);
    m_frame->content()->addWidget(m_list);

    // Row by row, then the buttons; a hidden new-name field is left out of the chain by Qt.
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (const Row& row : m_rows) {
        chain(row.choice);
        chain(row.newName);
    }
    chain(m_frame->cancelButton());
    chain(m_frame->confirmButton());

    connect(m_frame->confirmButton(), &QPushButton::clicked, this, &ConflictResolutionSheet::confirm);
    updateControls();
    fitList();
    if (!m_rows.isEmpty())
        m_rows.first().choice->setFocus();
}

ConflictResolutionSheet::~ConflictResolutionSheet() = default;

void ConflictResolutionSheet::addRow(qsizetype index, const QString& path, QWidget* list) {
    const QString name = FilePath::lastComponent(path);
    const QString shown = FileName::displayText(name);
    const QString number = QString::number(index);

    auto* label = new QLabel(shown, list);
    label->setObjectName(u"conflict.name."_s + number);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);

    auto* choice = new QComboBox(list);
    choice->setObjectName(u"conflict.choice."_s + number);
    choice->setAccessibleName(shown);
    choice->addItem(qtTrId("conflict.choice.overwrite"), int(Choice::overwrite));
    choice->addItem(qtTrId("conflict.choice.skip"), int(Choice::skip));
    choice->addItem(qtTrId("conflict.choice.rename"), int(Choice::rename));
    choice->setCurrentIndex(choice->findData(int(Choice::skip)));

    auto* newName = new QLineEdit(shown, list);
    newName->setObjectName(u"conflict.newName."_s + number);
    newName->setPlaceholderText(qtTrId("conflict.field.newName"));
    newName->setAccessibleName(qtTrId("conflict.field.newName") + u": "_s + shown);
    newName->hide();

    auto* line = new QHBoxLayout;
    line->addWidget(label, 1);
    line->addWidget(choice);
    auto* column = qobject_cast<QVBoxLayout*>(list->layout());
    auto* row = new QVBoxLayout;
    row->setSpacing(6);
    row->addLayout(line);
    row->addWidget(newName);
    column->addLayout(row);

    connect(choice, &QComboBox::currentIndexChanged, this, [this, newName, index] {
        const bool renaming = choiceAt(index) == Choice::rename;
        newName->setVisible(renaming);
        fitList();
        updateControls();
    });
    connect(newName, &QLineEdit::textChanged, this, &ConflictResolutionSheet::updateControls);
    m_rows.append({name, choice, newName});
}

ConflictResolutionSheet::Choice ConflictResolutionSheet::choiceAt(qsizetype index) const {
    return Choice(m_rows[index].choice->currentData().toInt());
}

QList<ConflictResolution> ConflictResolutionSheet::resolutions() const {
    QList<ConflictResolution> result;
    result.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        switch (choiceAt(i)) {
        case Choice::overwrite: result.append(ConflictResolution::overwrite()); break;
        case Choice::skip: result.append(ConflictResolution::skip()); break;
        case Choice::rename: {
            const QString typed = trimmedBlanks(m_rows[i].newName->text());
            // The field holds the display text; left as it was, it stands for the name
            // itself, escaped bytes and all, rather than a new name with U+FFFD in it.
            const bool untouched = typed == FileName::displayText(m_rows[i].name);
            result.append(ConflictResolution::rename(untouched ? m_rows[i].name : typed));
            break;
        }
        }
    }
    return result;
}

bool ConflictResolutionSheet::canConfirm() const {
    if (m_rows.isEmpty() || m_isProcessing)
        return false;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (choiceAt(i) == Choice::rename && trimmedBlanks(m_rows[i].newName->text()).isEmpty())
            return false;
    }
    return true;
}

void ConflictResolutionSheet::updateControls() {
    m_frame->cancelButton()->setEnabled(!m_isProcessing);
    m_frame->confirmButton()->setEnabled(canConfirm());
    for (const Row& row : m_rows) {
        row.choice->setEnabled(!m_isProcessing);
        row.newName->setReadOnly(m_isProcessing);
    }
}

void ConflictResolutionSheet::fitList() {
    // As tall as the rows, up to the limit; beyond it the list scrolls.
    const int rowsHeight = m_list->widget()->sizeHint().height();
    m_list->setMinimumHeight(std::min(rowsHeight, maximumListHeight));
}

void ConflictResolutionSheet::reject() {
    if (!m_isProcessing)
        QDialog::reject();
}

void ConflictResolutionSheet::confirm() {
    if (canConfirm())
        resolve();
}

QCoro::Task<> ConflictResolutionSheet::resolve() {
    QPointer<ConflictResolutionSheet> self(this);
    const QList<ConflictResolution> chosen = resolutions();
    m_isProcessing = true;
    m_frame->setBusy(true);
    updateControls();
    const std::optional<QString> failure =
        co_await awaitCallerAction(m_onResolve, chosen, qtTrId("conflict.error.failed"));
    // A sheet that stepped aside leaves the outcome to the window.
    if (!self || m_frame->isHandedOff())
        co_return;
    m_isProcessing = false;
    m_frame->setBusy(false);
    updateControls();
    m_frame->finish(failure);
}

QueuedOperationObserver ConflictResolutionSheet::operationObserver() const {
    return m_frame->operationObserver();
}

} // namespace quillmere
