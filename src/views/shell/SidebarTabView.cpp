#include "views/shell/SidebarTabView.h"

#include "models/navigation/Navigator.h"
#include "models/paths/FileName.h"
#include "models/tabs/AppState.h"
#include "views/common/SystemIcon.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

const char* tabIndexProperty = "tabIndex";
const char* tabIDProperty = "tabID";

} // namespace

SidebarTabView::SidebarTabView(AppState& appState, QWidget* parent)
    : QWidget(parent)
    , m_appState(appState) {
    setObjectName(u"sidebar"_s);
    setFixedWidth(width);
    connect(&m_dropTarget, &FolderDropTarget::filesDropped, this, &SidebarTabView::filesDropped);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 6, 0, 0);
    column->setSpacing(0);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* list = new QWidget(scroll);
    m_rows = new QVBoxLayout(list);
    m_rows->setContentsMargins(4, 0, 4, 0);
    m_rows->setSpacing(1);
    scroll->setWidget(list);
    column->addWidget(scroll, 1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addWidget(line);
    m_newTab = new QToolButton(this);
    m_newTab->setObjectName(u"sidebar.newTab"_s);
    m_newTab->setAutoRaise(true);
    m_newTab->setFocusPolicy(Qt::NoFocus);
    m_newTab->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_newTab->setIcon(SystemIcon::icon(SystemIcon::Symbol::plus));
    m_newTab->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_newTab, &QToolButton::clicked, this, [this] { m_appState.newTab(); });
    column->addWidget(m_newTab);
    column->setContentsMargins(0, 6, 0, 8);

    connect(&appState, &AppState::tabsChanged, this, &SidebarTabView::rebuild);
    connect(&appState, &AppState::activeTabIndexChanged, this, &SidebarTabView::rebuild);
    QEvent retranslate(QEvent::LanguageChange);
    changeEvent(&retranslate);
}

void SidebarTabView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    m_newTab->setText(qtTrId("sidebar.newTab"));
    m_newTab->setAccessibleName(m_newTab->text());
    rebuild();
}

void SidebarTabView::rebuild() {
    for (const QMetaObject::Connection& connection : std::as_const(m_tabConnections))
        disconnect(connection);
    m_tabConnections.clear();
    QWidget* list = m_rows->parentWidget();
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        // Not deleted at once: the press that switched tabs may still be on its way through it.
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    const QList<BrowserTab*> tabs = m_appState.tabs();
    const bool several = tabs.size() > 1;
    for (qsizetype index = 0; index < tabs.size(); ++index) {
        BrowserTab* tab = tabs[index];
        const bool active = index == m_appState.activeTabIndex();
        const Navigator& navigator = tab->navigator();
        auto* row = new QWidget(list);
        row->setObjectName(u"sidebar.tab."_s + QString::number(index));
        row->setProperty(tabIndexProperty, index);
        row->setProperty(tabIDProperty, tab->id());
        row->setAttribute(Qt::WA_Hover);
        row->setAutoFillBackground(active);
        row->setBackgroundRole(QPalette::Midlight);
        row->installEventFilter(this);
        if (!tab->isTrash())
            m_dropTarget.watch(row, navigator.currentPath());
        row->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(row, &QWidget::customContextMenuRequested, this, [this, row, index](QPoint at) {
            QMenu menu(this);
            menu.addAction(qtTrId("sidebar.closeTab"), this, [this, index] { m_appState.closeTab(index); });
            menu.exec(row->mapToGlobal(at));
        });
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(6, 4, 4, 4);
        line->setSpacing(6);
        auto* icon = new QLabel(row);
        const bool root = navigator.currentPath() == u"/"_s;
        const SystemIcon::Symbol symbol = tab->isTrash() ? SystemIcon::Symbol::trash
                                          : root         ? SystemIcon::Symbol::drive
                                                         : SystemIcon::Symbol::folder;
        icon->setPixmap(SystemIcon::icon(symbol).pixmap(12, 12, active ? QIcon::Normal : QIcon::Disabled));
        line->addWidget(icon);
        QString title = FileName::displayText(tab->title());
        if (navigator.isLoading() && !tab->isTrash())
            title += u" \u2026"_s;
        auto* label = new QLabel(title, row);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * 0.95);
        font.setWeight(active ? QFont::DemiBold : QFont::Normal);
        label->setFont(font);
        label->setForegroundRole(active ? QPalette::WindowText : QPalette::PlaceholderText);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        line->addWidget(label, 1);
        row->setAccessibleName(title);
        row->setToolTip(tab->isTrash() ? title : FileName::displayText(navigator.currentPath()));
        auto* close = new QToolButton(row);
        close->setObjectName(u"sidebar.close."_s + QString::number(index));
        close->setAccessibleName(qtTrId("sidebar.closeTab"));
        close->setToolTip(close->accessibleName());
        close->setIcon(SystemIcon::icon(SystemIcon::Symbol::close));
        close->setIconSize(QSize(9, 9));
        close->setFixedSize(14, 14);
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setVisible(several && (active || m_hoveredTabID == tab->id()));
        connect(close, &QToolButton::clicked, this, [this, index] { m_appState.closeTab(index); });
        line->addWidget(close);
        m_rows->addWidget(row);

        // Titles and the loading mark follow each tab's folder.
        const auto refresh = [this] { QTimer::singleShot(0, this, &SidebarTabView::rebuild); };
        m_tabConnections.append(connect(&navigator, &Navigator::currentPathChanged, this, refresh));
        m_tabConnections.append(connect(&navigator, &Navigator::isLoadingChanged, this, refresh));
    }
    m_rows->addStretch(1);
}

bool SidebarTabView::eventFilter(QObject* watched, QEvent* event) {
    const QVariant index = watched->property(tabIndexProperty);
    if (!index.isValid())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_appState.selectTab(index.toLongLong());
            return true;
        }
        break;
    case QEvent::Enter: setHoveredTab(watched->property(tabIDProperty).toUuid()); break;
    case QEvent::Leave:
        if (m_hoveredTabID == watched->property(tabIDProperty).toUuid())
            setHoveredTab(std::nullopt);
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void SidebarTabView::setHoveredTab(const std::optional<QUuid>& id) {
    if (m_hoveredTabID == id)
        return;
    m_hoveredTabID = id;
    const QList<BrowserTab*> tabs = m_appState.tabs();
    const bool several = tabs.size() > 1;
    for (qsizetype index = 0; index < tabs.size(); ++index) {
        if (auto* close = findChild<QToolButton*>(u"sidebar.close."_s + QString::number(index)))
            close->setVisible(several &&
                              (index == m_appState.activeTabIndex() || m_hoveredTabID == tabs[index]->id()));
    }
}

} // namespace quillmere
