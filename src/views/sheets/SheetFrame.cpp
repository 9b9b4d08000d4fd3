#include "views/sheets/SheetFrame.h"

#include "models/paths/FileName.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

// The red the platform uses for destructive and failed states, readable on light and dark.
const QColor errorRed(0xd7, 0x26, 0x1e);

} // namespace

SheetFrame::SheetFrame(QDialog& sheet, int sheetWidth, const QString& title, const QString& cancelText,
                       const QString& confirmText)
    : m_sheet(&sheet) {
    sheet.setWindowModality(Qt::WindowModal);
    sheet.setWindowTitle(title);
    sheet.setFixedWidth(sheetWidth);

    auto* column = new QVBoxLayout(&sheet);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(spacing);

    auto* heading = new QLabel(title, &sheet);
    heading->setObjectName(u"sheetTitle"_s);
    heading->setTextFormat(Qt::PlainText);
    QFont headline = heading->font();
    headline.setBold(true);
    headline.setPointSizeF(headline.pointSizeF() * 1.15);
    heading->setFont(headline);
    column->addWidget(heading);

    m_content = new QVBoxLayout;
    m_content->setSpacing(spacing);
    column->addLayout(m_content);

    m_error = calloutLabel(&sheet, true);
    m_error->setObjectName(u"sheetError"_s);
    m_error->hide();
    column->addWidget(m_error);

    auto* buttons = new QHBoxLayout;
    m_progress = new QProgressBar(&sheet);
    m_progress->setObjectName(u"progress"_s);
    m_progress->setAccessibleName(title);
    m_progress->setRange(0, 0); // no known end: the indicator only says "working"
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(80);
    m_progress->hide();
    buttons->addWidget(m_progress);
    buttons->addStretch();
    m_cancel = new QPushButton(cancelText, &sheet);
    m_cancel->setObjectName(u"cancelButton"_s);
    m_cancel->setAccessibleName(cancelText);
    m_confirm = new QPushButton(confirmText, &sheet);
    m_confirm->setObjectName(u"confirmButton"_s);
    m_confirm->setAccessibleName(confirmText);
    m_confirm->setDefault(true);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_confirm);
    column->addLayout(buttons);

    QObject::connect(m_cancel, &QPushButton::clicked, &sheet, &QDialog::reject);
}

QLabel* SheetFrame::calloutLabel(QWidget* parent, bool isError) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont callout = label->font();
    callout.setPointSizeF(callout.pointSizeF() * 0.92);
    label->setFont(callout);
    if (isError) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, errorColor());
        label->setPalette(palette);
    }
    return label;
}

QColor SheetFrame::errorColor() {
    return errorRed;
}

void SheetFrame::showError(const std::optional<QString>& message) {
    // Messages name items, and an item's name may hold escaped bytes.
    const QString text = FileName::displayText(message.value_or(QString()));
    m_error->setText(text);
    m_error->setAccessibleName(text);
    m_error->setVisible(message.has_value());
}

std::optional<QString> SheetFrame::error() const {
    if (m_error->isHidden())
        return std::nullopt;
    return m_error->text();
}

void SheetFrame::setBusy(bool busy) {
    // Disabling the focused button sends the focus elsewhere (onto Cancel, once it is
    // enabled again); it comes back afterwards, so Return retries rather than cancels.
    if (busy) {
        // A new attempt starts clean: the last one's message goes.
        showError(std::nullopt);
        m_focusBeforeBusy = m_confirm->window()->focusWidget();
    }
    m_progress->setVisible(busy);
    m_cancel->setEnabled(!busy);
    m_confirm->setEnabled(!busy);
    if (!busy && m_focusBeforeBusy && m_focusBeforeBusy->isEnabled())
        m_focusBeforeBusy->setFocus(Qt::OtherFocusReason);
}

void SheetFrame::finish(const std::optional<QString>& failure) {
    if (failure)
        showError(failure);
    else if (m_sheet)
        m_sheet->accept();
}

QueuedOperationObserver SheetFrame::operationObserver() const {
    return [sheet = m_sheet, handedOff = m_handedOff](const std::shared_ptr<QueuedOperation>& operation) {
        if (!sheet || !operation)
            return;
        const auto stepAside = [sheet, handedOff, watched = std::weak_ptr<QueuedOperation>(operation)] {
            const std::shared_ptr<QueuedOperation> live = watched.lock();
            if (!sheet || *handedOff || !live || live->state() == QueuedOperation::State::finished)
                return;
            *handedOff = true;
            live->leaveOutcomeToWindow();
            // Past the sheet's own refusal to close while busy.
            sheet->done(QDialog::Accepted);
        };
        if (operation->isLong())
            QMetaObject::invokeMethod(sheet, stepAside, Qt::QueuedConnection);
        else
            QObject::connect(operation.get(), &QueuedOperation::becameLong, sheet, stepAside);
    };
}

} // namespace quillmere
