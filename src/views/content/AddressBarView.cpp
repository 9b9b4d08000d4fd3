#include "views/content/AddressBarView.h"

#include "models/navigation/BreadcrumbSegment.h"
#include "models/navigation/Navigator.h"
#include "models/paths/FileName.h"
#include "models/tabs/AppState.h"
#include "services/desktop/Clipboard.h"
#include "services/persistence/BookmarkStore.h"
#include "views/common/SystemIcon.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

QLabel* iconLabel(SystemIcon::Symbol symbol, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(SystemIcon::icon(symbol).pixmap(14, 14));
    return label;
}

QFont captionFont(const QFont& base, bool monospaced) {
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * 0.9);
    if (monospaced)
        font.setStyleHint(QFont::Monospace), font.setFamilies({u"monospace"_s});
    return font;
}

} // namespace

AddressBarView::AddressBarView(AppState& appState, BookmarkStore& bookmarkStore, Clipboard& clipboard,
                               QWidget* parent)
    : QWidget(parent)
    , m_appState(appState)
    , m_bookmarkStore(bookmarkStore)
    , m_clipboard(clipboard) {
    setObjectName(u"addressBar"_s);
    setAutoFillBackground(true);
    connect(&m_dropTarget, &FolderDropTarget::filesDropped, this, &AddressBarView::filesDropped);
    m_modes = new QStackedLayout(this);

    auto* breadcrumbs = new QWidget(this);
    auto* row = new QHBoxLayout(breadcrumbs);
    row->setContentsMargins(12, 4, 12, 4);
    row->setSpacing(4);
    row->addWidget(iconLabel(SystemIcon::Symbol::folder, breadcrumbs));
    m_breadcrumbArea = new QScrollArea(breadcrumbs);
    m_breadcrumbArea->setObjectName(u"addressBar.breadcrumbs"_s);
    m_breadcrumbArea->setFrameShape(QFrame::NoFrame);
    m_breadcrumbArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_breadcrumbArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_breadcrumbArea->setWidgetResizable(true);
    m_breadcrumbArea->setFocusPolicy(Qt::NoFocus);
    m_segments = new QWidget(m_breadcrumbArea);
    m_segmentRow = new QHBoxLayout(m_segments);
    m_segmentRow->setContentsMargins(4, 0, 4, 0);
    m_segmentRow->setSpacing(2);
    m_breadcrumbArea->setWidget(m_segments);
    m_breadcrumbArea->setFixedHeight(fontMetrics().height() + 14);
    row->addWidget(m_breadcrumbArea, 1);
    m_loading = new QLabel(breadcrumbs);
    m_loading->setObjectName(u"addressBar.loading"_s);
    m_loading->hide();
    row->addWidget(m_loading);
    m_markedCount = new QLabel(breadcrumbs);
    m_markedCount->setObjectName(u"addressBar.markedCount"_s);
    m_markedCount->setFont(captionFont(font(), false));
    m_markedCount->setForegroundRole(QPalette::Highlight);
    row->addWidget(m_markedCount);
    m_itemCount = new QLabel(breadcrumbs);
    m_itemCount->setObjectName(u"addressBar.itemCount"_s);
    m_itemCount->setFont(captionFont(font(), false));
    m_itemCount->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(m_itemCount);
    m_modes->addWidget(breadcrumbs);

    auto* filter = new QWidget(this);
    auto* filterRow = new QHBoxLayout(filter);
    filterRow->setContentsMargins(12, 4, 12, 4);
    filterRow->setSpacing(4);
    filterRow->addWidget(iconLabel(SystemIcon::Symbol::search, filter));
    m_field = new QLineEdit(filter);
    m_field->setObjectName(u"addressBar.filter"_s);
    m_field->setClearButtonEnabled(false);
    m_field->installEventFilter(this);
    filterRow->addWidget(m_field, 1);
    m_filterCount = new QLabel(filter);
    m_filterCount->setObjectName(u"addressBar.filterCount"_s);
    m_filterCount->setFont(captionFont(font(), false));
    m_filterCount->setForegroundRole(QPalette::PlaceholderText);
    filterRow->addWidget(m_filterCount);
    m_modes->addWidget(filter);

    connect(m_field, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_navigator)
            m_navigator->setFilterQuery(text);
    });
    QEvent retranslate(QEvent::LanguageChange);
    changeEvent(&retranslate);
}

void AddressBarView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    m_field->setPlaceholderText(qtTrId("addressbar.filterPlaceholder"));
    m_field->setAccessibleName(qtTrId("addressbar.filterPlaceholder"));
    m_loading->setText(qtTrId("addressbar.loading"));
    updateCounts();
}

void AddressBarView::setNavigator(Navigator* navigator) {
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_navigator = navigator;
    if (navigator) {
        m_connections = {
            connect(navigator, &Navigator::currentPathChanged, this, &AddressBarView::rebuildSegments),
            connect(navigator, &Navigator::isSearchActiveChanged, this, &AddressBarView::showMode),
            connect(navigator, &Navigator::itemsChanged, this, &AddressBarView::updateCounts),
            connect(navigator, &Navigator::markedItemIDsChanged, this, &AddressBarView::updateCounts),
            connect(navigator, &Navigator::filterQueryChanged, this,
                    [this](const QString& query) {
                        if (m_field->text() != query)
                            m_field->setText(query);
                        updateCounts();
                    }),
            connect(navigator, &Navigator::isLoadingChanged, m_loading, &QWidget::setVisible),
        };
        m_field->setText(navigator->filterQuery());
        m_loading->setVisible(navigator->isLoading());
    }
    rebuildSegments();
    updateCounts();
    showMode();
}

void AddressBarView::showMode() {
    const bool filtering = m_navigator && m_navigator->isSearchActive();
    m_modes->setCurrentIndex(filtering ? 1 : 0);
    if (filtering)
        m_field->setFocus(Qt::OtherFocusReason);
}

void AddressBarView::rebuildSegments() {
    while (QLayoutItem* item = m_segmentRow->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (!m_navigator)
        return;
    const QList<BreadcrumbSegment> segments = breadcrumbSegments(m_navigator->currentPath());
    const QFont font = captionFont(this->font(), true);
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const BreadcrumbSegment& segment = segments[i];
        const QString label = FileName::displayText(segment.label);
        const bool last = i == segments.size() - 1;
        QWidget* widget;
        if (last) {
            auto* text = new QLabel(label, m_segments);
            QFont bold = font;
            bold.setWeight(QFont::DemiBold);
            text->setFont(bold);
            widget = text;
        } else {
            auto* button = new QToolButton(m_segments);
            button->setText(label);
            button->setAutoRaise(true);
            button->setFont(font);
            button->setFocusPolicy(Qt::NoFocus);
            button->setForegroundRole(QPalette::PlaceholderText);
            const QString path = segment.path;
            connect(button, &QToolButton::clicked, this, [this, path] {
                if (!m_navigator)
                    return;
                m_navigator->navigate(path);
                [[maybe_unused]] auto reloading = m_navigator->reload();
            });
            widget = button;
        }
        widget->setObjectName(u"addressBar.segment."_s + QString::number(i));
        widget->setAccessibleName(label);
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        const QString path = segment.path;
        m_dropTarget.watch(widget, path);
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget, path](QPoint at) { showSegmentMenu(path, widget->mapToGlobal(at)); });
        m_segmentRow->addWidget(widget);
        if (!last) {
            auto* separator = new QLabel(u"/"_s, m_segments);
            separator->setFont(font);
            separator->setForegroundRole(QPalette::PlaceholderText);
            m_segmentRow->addWidget(separator);
        }
    }
    m_segmentRow->addStretch(1);
    // The deepest folders stay in view when the path is wider than the bar.
    QTimer::singleShot(0, this, [this] {
        m_breadcrumbArea->horizontalScrollBar()->setValue(m_breadcrumbArea->horizontalScrollBar()->maximum());
    });
}

void AddressBarView::updateCounts() {
    if (!m_navigator) {
        m_markedCount->hide();
        m_itemCount->clear();
        m_filterCount->clear();
        return;
    }
    const qsizetype marked = m_navigator->markedItemIDs().size();
    m_markedCount->setVisible(marked > 0);
    if (marked > 0)
        m_markedCount->setText(qtTrId("addressbar.markedCount", int(marked)));
    const qsizetype total = m_navigator->items().size();
    m_itemCount->setText(qtTrId("%lld items", int(total)));
    m_filterCount->setText(qtTrId("%lld / %lld").arg(m_navigator->visibleCount()).arg(total));
}

void AddressBarView::showSegmentMenu(const QString& path, QPoint globalPosition) {
    QMenu menu(this);
    menu.setObjectName(u"addressBar.menu"_s);
    menu.addAction(qtTrId("sidebar.newTab"), this, [this, path] { m_appState.newTab(path); });
    menu.addAction(qtTrId("content.menu.copyPath"), this, [this, path] { m_clipboard.copy(path); });
    menu.addSeparator();
    menu.addAction(qtTrId("nav.addBookmark"), this, [this, path] { m_bookmarkStore.add(path); });
    menu.exec(globalPosition);
}

bool AddressBarView::eventFilter(QObject* watched, QEvent* event) {
    // A line edit claims Ctrl+K ("delete to the end of the line"); in the filter field it
    // opens the palette like everywhere else in the window.
    if (watched == m_field && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_K && key->modifiers() == Qt::ControlModifier) {
            event->ignore();
            return true;
        }
    }
    if (watched == m_field && event->type() == QEvent::KeyPress && m_navigator)
        return handleFieldKey(*static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool AddressBarView::handleFieldKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Down: m_navigator->selectNext(); return true;
    case Qt::Key_Up: m_navigator->selectPrevious(); return true;
    case Qt::Key_Space:
        if (!m_navigator->selectedItemID())
            return false;
        m_navigator->toggleMark(*m_navigator->selectedItemID());
        return true;
    case Qt::Key_Return: {
        m_navigator->openSelection();
        [[maybe_unused]] auto reloading = m_navigator->reload();
        return true;
    }
    case Qt::Key_Escape:
        if (m_navigator->filterQuery().isEmpty())
            m_navigator->setSearchActive(false);
        else
            m_navigator->setFilterQuery(QString());
        return true;
    }
    return false;
}

} // namespace quillmere
