#include "views/shell/AppShellView.h"

#include "models/navigation/Navigator.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/filesystem/FileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/persistence/SessionStore.h"
#include "views/bookmarks/BookmarkPopoverView.h"
#include "views/content/ContentView.h"
#include "views/help/HelpPanelView.h"
#include "views/palette/CommandPaletteView.h"
#include "views/shell/SidebarTabView.h"
#include "views/shell/UndoPresenter.h"
#include "views/trash/TrashView.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace quillmere {

AppShellView::AppShellView(const WindowContext& context, std::chrono::milliseconds watcherDelay,
                           QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_watcher(watcherDelay) {
    setObjectName(u"appShell"_s);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_sidebar = new SidebarTabView(context.appState, this);
    row->addWidget(m_sidebar);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    row->addWidget(divider);
    auto* contentArea = new QWidget(this);
    m_contentStack = new QStackedLayout(contentArea);
    m_content = new ContentView(context, contentArea);
    connect(m_sidebar, &SidebarTabView::filesDropped, this,
            [this](const QStringList& sources, const QString& destination, FileDrop::Choice choice) {
                [[maybe_unused]] auto dropping = m_content->dropFiles(sources, destination, choice);
            });
    m_contentStack->addWidget(m_content);
    m_noTab = new QLabel(contentArea);
    m_noTab->setAlignment(Qt::AlignCenter);
    m_contentStack->addWidget(m_noTab);
    m_trash = new TrashView(context, contentArea);
    m_contentStack->addWidget(m_trash);
    // Commands chosen in the palette go to whichever view the active tab shows.
    context.commandPaletteStore.setKeyCommandDispatch(
        [self = QPointer<AppShellView>(this)](const KeyCommand& command) {
            if (!self)
                return;
            const BrowserTab* tab = self->m_context.appState.activeTab();
            if (tab && tab->isTrash())
                self->m_trash->dispatch(command);
            else
                self->m_content->dispatch(command);
        });
    row->addWidget(contentArea, 1);
    m_undo = new UndoPresenter(context.undoRunner, contentArea);
    m_help = new HelpPanelView(this);
    row->addWidget(m_help);

    // Laid over the whole shell while the palette store is presented.
    new CommandPaletteView(context.commandPaletteStore, this);
    // The bookmark popover follows the store's flag, from the menu or anywhere else.
    connect(&context.bookmarkStore, &BookmarkStore::showPopoverChanged, this, [this](bool shown) {
        if (!shown)
            return;
        if (!m_bookmarkPopover)
            m_bookmarkPopover =
                new BookmarkPopoverView(m_context.bookmarkStore, m_context.appState, window());
        m_bookmarkPopover->open();
    });

    m_sessionCheck.setSingleShot(true);
    m_sessionCheck.setInterval(0);
    connect(&m_sessionCheck, &QTimer::timeout, this, &AppShellView::sessionMayHaveChanged);

    AppState& appState = context.appState;
    connect(&appState, &AppState::activeTabIndexChanged, this, &AppShellView::activeTabChanged);
    connect(&appState, &AppState::tabsChanged, this, [this] {
        if (m_context.appState.activeTab() != m_activeTab)
            activeTabChanged();
        watchSession();
    });
    connect(&appState, &AppState::isHelpPanelVisibleChanged, this, [this] {
        updateWindow();
        m_sessionCheck.start();
    });
    QEvent retranslate(QEvent::LanguageChange);
    changeEvent(&retranslate);
    activeTabChanged();
    watchSession();
    m_lastSession = appState.makeSession();
}

bool AppShellView::event(QEvent* event) {
    // The title and the minimum size belong to whichever window holds the shell.
    if (event->type() == QEvent::ParentChange)
        updateWindow();
    return QWidget::event(event);
}

void AppShellView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        m_noTab->setText(qtTrId("appshell.noTab"));
        m_noTab->setAccessibleName(m_noTab->text());
        // The trash tab's title is a translated word.
        updateWindow();
    }
}

void AppShellView::activeTabChanged() {
    for (const QMetaObject::Connection& connection : std::as_const(m_activeConnections))
        disconnect(connection);
    m_activeConnections.clear();
    BrowserTab* tab = m_context.appState.activeTab();
    m_activeTab = tab;
    const bool trash = tab && tab->isTrash();
    // The trash tab's Navigator is never listed or watched.
    m_activeNavigator = tab && !trash ? &tab->navigator() : nullptr;
    m_contentStack->setCurrentWidget(trash ? static_cast<QWidget*>(m_trash)
                                     : tab ? static_cast<QWidget*>(m_content)
                                           : m_noTab);
    m_content->setNavigator(m_activeNavigator);
    if (trash) {
        m_trash->table().setFocus(Qt::OtherFocusReason);
        // The trash is listed whenever its tab becomes the active one.
        [[maybe_unused]] auto listing = m_trash->reload();
    }
    if (m_activeNavigator) {
        m_activeConnections.append(connect(m_activeNavigator, &Navigator::currentPathChanged, this,
                                           &AppShellView::followActiveFolder));
        m_activeConnections.append(
            connect(m_activeNavigator, &Navigator::currentPathChanged, this, &AppShellView::updateWindow));
        // A tab is listed whenever it becomes the active one.
        [[maybe_unused]] auto listing = m_activeNavigator->reload();
    }
    followActiveFolder();
    updateWindow();
    m_sessionCheck.start();
}

void AppShellView::updateWindow() {
    BrowserTab* tab = m_context.appState.activeTab();
    QWidget* window = this->window();
    window->setWindowTitle(tab ? FileName::displayText(tab->title()) : u"Quillmere"_s);
    const bool help = m_context.appState.isHelpPanelVisible();
    m_help->setVisible(help);
    window->setMinimumSize(help ? minimumWidthWithHelp : minimumSize.width(), minimumSize.height());
}

void AppShellView::followActiveFolder() {
    if (!m_activeNavigator) {
        m_watcher.stop();
        return;
    }
    [[maybe_unused]] auto checking = checkActiveFolder(m_activeNavigator);
}

QCoro::Task<> AppShellView::checkActiveFolder(QPointer<Navigator> navigator) {
    const QPointer<AppShellView> self(this);
    const QString folder = navigator->currentPath();
    const bool present = co_await m_context.fileSystemService.exists(folder);
    // The answer counts only while that folder is still the one shown.
    if (!self || !navigator || navigator != m_activeNavigator || navigator->currentPath() != folder)
        co_return;
    if (present) {
        m_watcher.watch(folder, [this, navigator] { return watchedFolderChanged(navigator); });
        co_return;
    }
    m_watcher.stop();
    const QString parent = FilePath::parent(folder);
    if (parent == folder)
        co_return;
    navigator->navigate(parent);
    [[maybe_unused]] auto listing = navigator->reload();
}

QCoro::Task<> AppShellView::watchedFolderChanged(QPointer<Navigator> navigator) {
    const QPointer<AppShellView> self(this);
    if (!navigator)
        co_return;
    co_await navigator->reload();
    // The folder itself may be what went away.
    if (self && navigator && navigator == m_activeNavigator)
        followActiveFolder();
}

void AppShellView::watchSession() {
    for (const QMetaObject::Connection& connection : std::as_const(m_sessionConnections))
        disconnect(connection);
    m_sessionConnections.clear();
    const auto changed = [this] { m_sessionCheck.start(); };
    for (BrowserTab* tab : m_context.appState.tabs()) {
        const Navigator* navigator = &tab->navigator();
        m_sessionConnections.append(connect(navigator, &Navigator::currentPathChanged, this, changed));
        m_sessionConnections.append(connect(navigator, &Navigator::historyChanged, this, changed));
        m_sessionConnections.append(connect(navigator, &Navigator::historyIndexChanged, this, changed));
        m_sessionConnections.append(connect(navigator, &Navigator::selectedItemIDChanged, this, changed));
        m_sessionConnections.append(connect(navigator, &Navigator::scrollOffsetChanged, this, changed));
    }
    m_sessionCheck.start();
}

void AppShellView::sessionMayHaveChanged() {
    Session session = m_context.appState.makeSession();
    if (m_lastSession && *m_lastSession == session)
        return;
    m_lastSession = session;
    m_context.sessionStore.scheduleSave(session);
}

} // namespace quillmere
