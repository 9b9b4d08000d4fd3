#include "views/bookmarks/BookmarkPopoverView.h"

#include "models/commands/KeyTrigger.h"
#include "models/listing/FuzzyMatcher.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/persistence/BookmarkStore.h"
#include "views/common/SystemIcon.h"
#include "views/help/KeyHintBarView.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

constexpr int idRole = Qt::UserRole;

QString folderName(const Bookmark& bookmark) {
    return FilePath::lastComponent(bookmark.url);
}

// The bookmark symbol with a stroke across it, for the list with nothing in it.
QPixmap crossedOutBookmark(const QWidget& widget, int size) {
    QPixmap pixmap = SystemIcon::icon(SystemIcon::Symbol::bookmark).pixmap(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(widget.palette().color(QPalette::PlaceholderText), size / 12.0, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    const qreal inset = size / 8.0;
    const qreal side = pixmap.deviceIndependentSize().width();
    painter.drawLine(QPointF(inset, inset), QPointF(side - inset, side - inset));
    return pixmap;
}

QLabel* centredLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

BookmarkPopoverView::BookmarkPopoverView(BookmarkStore& bookmarkStore, AppState& appState, QWidget* parent)
    : QDialog(parent)
    , m_store(bookmarkStore)
    , m_appState(appState) {
    setObjectName(u"bookmarkPopover"_s);
    setWindowModality(Qt::WindowModal);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(u"bookmarkPopover.filter"_s);
    m_filter->setClearButtonEnabled(true);
    m_filter->addAction(SystemIcon::icon(SystemIcon::Symbol::search), QLineEdit::LeadingPosition);

    // The filter keeps the focus, so the list never takes it: a click only highlights.
    m_list = new QListWidget(this);
    m_list->setObjectName(u"bookmarkPopover.list"_s);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setUniformItemSizes(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    // The highlight shows in the accent colour although the list is never focused.
    QPalette listPalette = m_list->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        listPalette.setColor(QPalette::Inactive, role, listPalette.color(QPalette::Active, role));
    m_list->setPalette(listPalette);

    m_empty = new QWidget(this);
    m_empty->setObjectName(u"bookmarkPopover.empty"_s);
    auto* emptyColumn = new QVBoxLayout(m_empty);
    emptyColumn->addStretch(1);
    m_emptyIcon = centredLabel(m_empty);
    m_emptyIcon->setPixmap(crossedOutBookmark(*this, 40));
    m_emptyTitle = centredLabel(m_empty);
    m_emptyTitle->setObjectName(u"bookmarkPopover.emptyTitle"_s);
    QFont headline = m_emptyTitle->font();
    headline.setWeight(QFont::DemiBold);
    m_emptyTitle->setFont(headline);
    m_emptyHint = centredLabel(m_empty);
    m_emptyHint->setObjectName(u"bookmarkPopover.emptyHint"_s);
    m_emptyHint->setForegroundRole(QPalette::PlaceholderText);
    for (QLabel* label : {m_emptyIcon, m_emptyTitle, m_emptyHint})
        emptyColumn->addWidget(label);
    emptyColumn->addStretch(1);

    m_noMatch = centredLabel(this);
    m_noMatch->setObjectName(u"bookmarkPopover.noMatch"_s);
    m_noMatch->setForegroundRole(QPalette::PlaceholderText);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_list);
    m_pages->addWidget(m_empty);
    m_pages->addWidget(m_noMatch);

    auto* hints =
        new KeyHintBarView({{u"\u2191\u2193"_s, QT_TRID_NOOP("bookmark.hint.move")},
                            {u"\u23ce"_s, QT_TRID_NOOP("bookmark.hint.open")},
                            {KeyTrigger::commandShortcutHint(u"D"), QT_TRID_NOOP("bookmark.hint.delete")},
                            {u"esc"_s, QT_TRID_NOOP("bookmark.hint.close")}},
                           this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 0);
    column->setSpacing(6);
    column->addWidget(m_filter);
    column->addWidget(m_pages, 1);
    column->addWidget(hints);

    m_filter->installEventFilter(this);
    connect(m_filter, &QLineEdit::textChanged, this, [this] { refresh(false); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < m_shown.size())
            m_selectedID = m_shown[row].id;
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { openSelected(); });
    connect(m_list, &QListWidget::customContextMenuRequested, this, &BookmarkPopoverView::showContextMenu);
    connect(&m_store, &BookmarkStore::bookmarksChanged, this, [this] { refresh(true); });
    connect(&m_store, &BookmarkStore::showPopoverChanged, this, [this](bool shown) {
        if (!shown && isVisible())
            reject();
    });

    retranslate();
    refresh(false);
    resize(380, 420);
}

BookmarkPopoverView::~BookmarkPopoverView() = default;

QString BookmarkPopoverView::filterQuery() const {
    return m_filter->text();
}

QList<Bookmark> BookmarkPopoverView::filteredBookmarks() const {
    const QList<Bookmark>& bookmarks = m_store.bookmarks();
    const QString query = filterQuery();
    if (query.isEmpty())
        return bookmarks;
    struct Match {
        int score;
        QString name;
        const Bookmark* bookmark;
    };
    QList<Match> matches;
    for (const Bookmark& bookmark : bookmarks) {
        // Matched as shown: the user types what the list displays.
        const QString name = FileName::displayText(folderName(bookmark));
        const std::optional<int> byName = fuzzyScore(name, query);
        const std::optional<int> byPath = fuzzyScore(FileName::displayText(bookmark.url), query);
        if (!byName && !byPath)
            continue;
        matches.append({std::max(byName.value_or(0), byPath.value_or(0)), folderName(bookmark), &bookmark});
    }
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        return a.score != b.score ? a.score > b.score : a.name < b.name;
    });
    QList<Bookmark> filtered;
    filtered.reserve(matches.size());
    for (const Match& match : std::as_const(matches))
        filtered.append(*match.bookmark);
    return filtered;
}

void BookmarkPopoverView::refresh(bool keepSelection) {
    const std::optional<QUuid> previous = m_selectedID;
    m_shown = filteredBookmarks();
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        for (const Bookmark& bookmark : std::as_const(m_shown)) {
            auto* row = new QListWidgetItem(FileName::displayText(folderName(bookmark)), m_list);
            row->setToolTip(FileName::displayText(bookmark.url));
            row->setData(idRole, bookmark.id);
        }
    }
    if (m_store.bookmarks().isEmpty())
        m_pages->setCurrentWidget(m_empty);
    else if (m_shown.isEmpty())
        m_pages->setCurrentWidget(m_noMatch);
    else
        m_pages->setCurrentWidget(m_list);

    const bool stillShown = previous && std::any_of(m_shown.begin(), m_shown.end(),
                                                    [&](const Bookmark& b) { return b.id == *previous; });
    if (keepSelection && stillShown)
        select(previous);
    else
        select(m_shown.isEmpty() ? std::nullopt : std::optional(m_shown.first().id));
}

void BookmarkPopoverView::select(const std::optional<QUuid>& id) {
    m_selectedID = id;
    const QSignalBlocker quiet(m_list);
    for (int row = 0; row < m_shown.size(); ++row) {
        if (id && m_shown[row].id == *id) {
            m_list->setCurrentRow(row);
            m_list->scrollToItem(m_list->item(row));
            return;
        }
    }
    m_list->setCurrentRow(-1);
}

void BookmarkPopoverView::moveSelection(int delta) {
    if (m_shown.isEmpty()) {
        select(std::nullopt);
        return;
    }
    const qsizetype last = m_shown.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        if (m_selectedID && m_shown[i].id == *m_selectedID) {
            select(m_shown[std::clamp<qsizetype>(i + delta, 0, last)].id);
            return;
        }
    }
    select(m_shown[delta < 0 ? last : 0].id);
}

void BookmarkPopoverView::openSelected() {
    if (!m_selectedID)
        return;
    for (const Bookmark& bookmark : std::as_const(m_shown)) {
        if (bookmark.id == *m_selectedID) {
            m_appState.newTab(bookmark.url);
            accept();
            return;
        }
    }
}

void BookmarkPopoverView::deleteSelected() {
    if (!m_selectedID)
        return;
    m_store.remove(*m_selectedID);
    // The store's notice has already refreshed the list; the highlight starts over.
    refresh(false);
}

void BookmarkPopoverView::showContextMenu(const QPoint& position) {
    const QListWidgetItem* row = m_list->itemAt(position);
    if (!row)
        return;
    const QUuid id = row->data(idRole).toUuid();
    select(id);
    auto* menu = new QMenu(this);
    menu->setObjectName(u"bookmarkPopover.menu"_s);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* remove = menu->addAction(qtTrId("bookmark.button.delete"));
    remove->setObjectName(u"bookmarkPopover.menu.delete"_s);
    connect(remove, &QAction::triggered, this, [this, id] {
        m_store.remove(id);
        refresh(false);
    });
    menu->popup(m_list->viewport()->mapToGlobal(position));
}

bool BookmarkPopoverView::handleKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_D && modifiers == Qt::ControlModifier) {
        // With nothing highlighted Ctrl+D stays free for whoever else wants it.
        if (!m_selectedID)
            return false;
        deleteSelected();
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Up: moveSelection(-1); return true;
    case Qt::Key_Down: moveSelection(+1); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: openSelected(); return true;
    case Qt::Key_Escape:
        if (!filterQuery().isEmpty())
            m_filter->clear();
        else
            reject();
        return true;
    default: return false;
    }
}

bool BookmarkPopoverView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_filter && event->type() == QEvent::KeyPress)
        return handleKey(*static_cast<QKeyEvent*>(event));
    // The field would otherwise claim Ctrl+D as an editing shortcut first.
    if (watched == m_filter && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_D && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
            m_selectedID) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BookmarkPopoverView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void BookmarkPopoverView::retranslate() {
    setWindowTitle(qtTrId("app.menu.bookmarks"));
    setAccessibleName(windowTitle());
    m_filter->setPlaceholderText(qtTrId("bookmark.filter.placeholder"));
    m_filter->setAccessibleName(qtTrId("bookmark.filter.placeholder"));
    m_list->setAccessibleName(qtTrId("app.menu.bookmarks"));
    m_emptyTitle->setText(qtTrId("bookmark.empty"));
    m_emptyTitle->setAccessibleName(m_emptyTitle->text());
    m_emptyIcon->setAccessibleName(m_emptyTitle->text());
    m_emptyHint->setText(qtTrId("bookmark.emptyHint"));
    m_emptyHint->setAccessibleName(m_emptyHint->text());
    m_noMatch->setText(qtTrId("bookmark.filter.noMatch"));
    m_noMatch->setAccessibleName(m_noMatch->text());
}

void BookmarkPopoverView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    {
        const QSignalBlocker quiet(m_filter);
        m_filter->clear();
    }
    refresh(false);
    // Bookmarks whose folder has gone drop out when the answer comes back.
    m_store.pruneMissing();
    // Once the window is up, so the field does get the focus.
    QTimer::singleShot(0, this, [this] { m_filter->setFocus(Qt::PopupFocusReason); });
    m_filter->setFocus(Qt::PopupFocusReason);
}

void BookmarkPopoverView::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A minimised main window hides its dialogs without closing them.
    if (!event->spontaneous())
        m_store.setShowPopover(false);
}

} // namespace quillmere
