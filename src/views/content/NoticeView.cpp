#include "views/content/NoticeView.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace quillmere {

NoticeView::NoticeView(QWidget* parent)
    : QFrame(parent) {
    setObjectName(u"notice"_s);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 8, 6);
    m_text = new QLabel(this);
    m_text->setObjectName(u"notice.text"_s);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setForegroundRole(QPalette::ToolTipText);
    row->addWidget(m_text, 1);
    m_dismiss = new QPushButton(this);
    m_dismiss->setObjectName(u"notice.dismiss"_s);
    m_dismiss->setFocusPolicy(Qt::StrongFocus);
    connect(m_dismiss, &QPushButton::clicked, this, &NoticeView::dismiss);
    row->addWidget(m_dismiss);
    retranslate();
    hide();
}

void NoticeView::showNotice(Compose compose) {
    m_compose = std::move(compose);
    retranslate();
    show();
}

QString NoticeView::text() const {
    return isHidden() ? QString() : m_text->text();
}

void NoticeView::dismiss() {
    const bool focused = isAncestorOf(window()->focusWidget());
    hide();
    if (focused)
        Q_EMIT dismissedFocused();
}

void NoticeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        dismiss();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void NoticeView::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void NoticeView::retranslate() {
    m_dismiss->setText(qtTrId("notice.dismiss"));
    m_dismiss->setAccessibleName(m_dismiss->text());
    const QString text = m_compose ? m_compose() : QString();
    m_text->setText(text);
    m_text->setAccessibleName(text);
    setAccessibleName(text);
}

} // namespace quillmere
