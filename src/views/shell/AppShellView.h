#pragma once

#include "models/navigation/Navigator.h"
#include "models/tabs/Session.h"
#include "services/desktop/FolderWatcher.h"
#include "views/shell/WindowContext.h"

#include <QCoroTask>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QStackedLayout;

namespace quillmere {

class ContentView;
class HelpPanelView;
class SidebarTabView;
class UndoPresenter;

// The window's content once start-up is done: the tabs at the side, the active tab's
// content view and, when shown, the help panel. It lists a tab when it becomes
// active, keeps the folder watcher on the active folder (moving the tab up when its
// folder disappears), names the window after the active folder and hands every
// change of the session to the session store.
class BookmarkPopoverView;

class AppShellView final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize minimumSize{720, 480};
    static constexpr int minimumWidthWithHelp = 981;

    AppShellView(const WindowContext& context,
                 std::chrono::milliseconds watcherDelay = FolderWatcher::defaultDebounceInterval,
                 QWidget* parent = nullptr);

    ContentView& contentView() const { return *m_content; }
    UndoPresenter& undoPresenter() const { return *m_undo; }

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void activeTabChanged();
    void followActiveFolder();
    QCoro::Task<> checkActiveFolder(QPointer<Navigator> navigator);
    QCoro::Task<> watchedFolderChanged(QPointer<Navigator> navigator);
    void updateWindow();
    void watchSession();
    void sessionMayHaveChanged();

    WindowContext m_context;
    SidebarTabView* m_sidebar;
    QStackedLayout* m_contentStack;
    ContentView* m_content;
    QLabel* m_noTab;
    HelpPanelView* m_help;
    UndoPresenter* m_undo;
    QPointer<BookmarkPopoverView> m_bookmarkPopover;
    FolderWatcher m_watcher;
    QPointer<Navigator> m_activeNavigator;
    QList<QMetaObject::Connection> m_activeConnections;
    QList<QMetaObject::Connection> m_sessionConnections;
    QTimer m_sessionCheck;
    std::optional<Session> m_lastSession;
};

} // namespace quillmere
