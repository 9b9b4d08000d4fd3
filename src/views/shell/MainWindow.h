#pragma once

#include <QMainWindow>

#include <functional>
#include <optional>

class QMenu;
class QStackedWidget;

namespace quillmere {

// The one main window: a progress indicator while start-up runs, then the window
// shell. Its menus hold the Ctrl shortcuts (tabs, undo and redo, bookmarks, palette,
// the trash, settings, quit); their actions come from the application and do nothing until it is ready.
// Closing the window asks the application to quit, which saves first.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    struct MenuActions {
        std::function<void()> newTab;
        std::function<void()> closeTab;
        std::function<void(int)> selectTab; // 0 for the first tab
        std::function<void()> bookmarks;
        std::function<void()> commandPalette;
        std::function<void()> settings;
        std::function<void()> quit;
        std::function<void()> cutFiles;
        std::function<void()> copyFiles;
        std::function<void()> pasteFiles;
        std::function<void()> undo;
        std::function<void()> redo;
        std::function<void()> showTrash;
        std::function<void()> emptyTrash;
    };

    explicit MainWindow(MenuActions actions, QWidget* parent = nullptr);

    // Replaces the progress indicator; the window owns the shell from then on.
    void showShell(QWidget* shell);
    QWidget* shell() const { return m_shell; }
    // Lets the next close through: the application has saved and is ending.
    void allowClose() { m_closeAllowed = true; }
    // What Undo and Redo would take back or do again, as the menu names it; none disables
    // the item.
    void setUndoRedo(std::optional<QString> undo, std::optional<QString> redo);

Q_SIGNALS:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    MenuActions m_actions;
    QStackedWidget* m_pages;
    QWidget* m_shell = nullptr;
    QMenu* m_fileMenu;
    QMenu* m_tabsMenu;
    QMenu* m_viewMenu;
    QMenu* m_editMenu;
    QAction* m_undo;
    QAction* m_redo;
    std::optional<QString> m_undoName;
    std::optional<QString> m_redoName;
    QList<std::pair<QAction*, const char*>> m_labelled;
    QList<QAction*> m_tabActions;
    bool m_closeAllowed = false;
};

} // namespace quillmere
