#include "views/help/KeyHintBarView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace quillmere {

KeyHintBarView::KeyHintBarView(QList<Hint> hints, QWidget* parent)
    : QWidget(parent)
    , m_hints(std::move(hints))
    , m_row(new QHBoxLayout(this)) {
    setObjectName(u"keyHints"_s);
    m_row->setContentsMargins(12, 6, 12, 6);
    m_row->setSpacing(12);
    rebuild();
}

void KeyHintBarView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        rebuild();
}

void KeyHintBarView::rebuild() {
    qDeleteAll(findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
    while (QLayoutItem* item = m_row->takeAt(0))
        delete item;
    QFont caption = font();
    caption.setPointSizeF(caption.pointSizeF() * 0.9);
    QFont keyFont = caption;
    keyFont.setFamilies({u"monospace"_s});
    keyFont.setStyleHint(QFont::Monospace);
    QStringList spoken;
    for (const Hint& hint : std::as_const(m_hints)) {
        auto* key = new QLabel(hint.key, this);
        key->setFont(keyFont);
        key->setForegroundRole(QPalette::PlaceholderText);
        auto* label = new QLabel(qtTrId(hint.labelKey), this);
        label->setFont(caption);
        label->setForegroundRole(QPalette::PlaceholderText);
        auto* pair = new QHBoxLayout();
        pair->setSpacing(4);
        pair->addWidget(key);
        pair->addWidget(label);
        m_row->addLayout(pair);
        spoken.append(hint.key + u' ' + label->text());
    }
    m_row->addStretch(1);
    setAccessibleName(spoken.join(u", "_s));
}

} // namespace quillmere
