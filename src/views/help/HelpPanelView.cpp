#include "views/help/HelpPanelView.h"

#include "models/commands/CommandCatalog.h"
#include "services/desktop/LanguageEnvironment.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

HelpPanelView::HelpPanelView(QWidget* parent)
    : QWidget(parent) {
    setObjectName(u"helpPanel"_s);
    setFixedWidth(width);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_title = new QLabel(this);
    QFont headline = font();
    headline.setWeight(QFont::DemiBold);
    headline.setPointSizeF(headline.pointSizeF() * 1.1);
    m_title->setFont(headline);
    m_title->setContentsMargins(12, 10, 12, 10);
    column->addWidget(m_title);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* content = new QWidget(scroll);
    m_list = new QVBoxLayout(content);
    m_list->setContentsMargins(12, 8, 12, 8);
    m_list->setSpacing(4);
    scroll->setWidget(content);
    column->addWidget(scroll, 1);
    rebuild();
}

void HelpPanelView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        rebuild();
}

void HelpPanelView::rebuild() {
    m_title->setText(qtTrId("help.title"));
    setAccessibleName(m_title->text());
    QWidget* content = m_list->parentWidget();
    qDeleteAll(content->findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
    while (QLayoutItem* item = m_list->takeAt(0))
        delete item;
    QFont section = font();
    section.setWeight(QFont::DemiBold);
    QFont keyFont(u"monospace"_s);
    keyFont.setStyleHint(QFont::Monospace);
    for (const CommandCatalog::Category& category : CommandCatalog::categories()) {
        auto* title = new QLabel(LanguageEnvironment::text(category.titleKey), content);
        title->setFont(section);
        title->setForegroundRole(QPalette::PlaceholderText);
        title->setContentsMargins(0, 8, 0, 2);
        m_list->addWidget(title);
        auto* grid = new QGridLayout();
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(2);
        grid->setColumnMinimumWidth(0, 56);
        grid->setColumnStretch(1, 1);
        int row = 0;
        for (const CommandCatalog::Entry& entry : category.entries) {
            auto* key = new QLabel(entry.keyHint, content);
            key->setFont(keyFont);
            auto* label = new QLabel(LanguageEnvironment::text(entry.labelKey), content);
            label->setWordWrap(true);
            grid->addWidget(key, row, 0, Qt::AlignLeft | Qt::AlignTop);
            grid->addWidget(label, row, 1);
            ++row;
        }
        m_list->addLayout(grid);
    }
    m_list->addStretch(1);
}

} // namespace quillmere
