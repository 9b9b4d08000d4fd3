#include "views/shell/MainWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

MainWindow::MainWindow(MenuActions actions, QWidget* parent)
    : QMainWindow(parent)
    , m_actions(std::move(actions)) {
    setObjectName(u"mainWindow"_s);
    setWindowTitle(u"Quillmere"_s);
    m_pages = new QStackedWidget(this);
    auto* starting = new QWidget(m_pages);
    auto* column = new QVBoxLayout(starting);
    auto* progress = new QProgressBar(starting);
    progress->setObjectName(u"startupProgress"_s);
    progress->setAccessibleName(u"Quillmere"_s);
    progress->setRange(0, 0);
    progress->setMaximumWidth(200);
    column->addStretch(1);
    column->addWidget(progress, 0, Qt::AlignCenter);
    column->addStretch(1);
    m_pages->addWidget(starting);
    setCentralWidget(m_pages);

    const auto add = [this](QMenu* menu, const char* key, const QKeySequence& shortcut,
                            const std::function<void()>& action) {
        QAction* item = menu->addAction(QString(), this, [action] {
            if (action)
                action();
        });
        item->setShortcut(shortcut);
        item->setObjectName(QString::fromLatin1(key));
        m_labelled.append({item, key});
        return item;
    };
    m_fileMenu = menuBar()->addMenu(QString());
    add(m_fileMenu, QT_TRID_NOOP("app.menu.newTab"), QKeySequence(Qt::CTRL | Qt::Key_T), m_actions.newTab);
    add(m_fileMenu, QT_TRID_NOOP("app.menu.closeTab"), QKeySequence(Qt::CTRL | Qt::Key_W),
        m_actions.closeTab);
    m_fileMenu->addSeparator();
    add(m_fileMenu, QT_TRID_NOOP("help.command.settings"), QKeySequence(Qt::CTRL | Qt::Key_Comma),
        m_actions.settings);
    m_fileMenu->addSeparator();
    add(m_fileMenu, QT_TRID_NOOP("app.menu.emptyTrash"), QKeySequence(), m_actions.emptyTrash);
    m_fileMenu->addSeparator();
    QAction* quit =
        add(m_fileMenu, QT_TRID_NOOP("app.menu.quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), m_actions.quit);
    quit->setMenuRole(QAction::QuitRole);

    m_editMenu = menuBar()->addMenu(QString());
    m_undo =
        add(m_editMenu, QT_TRID_NOOP("app.menu.undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), m_actions.undo);
    m_redo = add(m_editMenu, QT_TRID_NOOP("app.menu.redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                 m_actions.redo);
    m_undo->setEnabled(false);
    m_redo->setEnabled(false);
    m_editMenu->addSeparator();
    add(m_editMenu, QT_TRID_NOOP("app.menu.cutFiles"), QKeySequence(Qt::CTRL | Qt::Key_X),
        m_actions.cutFiles);
    add(m_editMenu, QT_TRID_NOOP("app.menu.copyFiles"), QKeySequence(Qt::CTRL | Qt::Key_C),
        m_actions.copyFiles);
    add(m_editMenu, QT_TRID_NOOP("app.menu.pasteFiles"), QKeySequence(Qt::CTRL | Qt::Key_V),
        m_actions.pasteFiles);

    m_tabsMenu = menuBar()->addMenu(QString());
    for (int n = 1; n <= 9; ++n) {
        QAction* item = m_tabsMenu->addAction(QString(), this, [this, n] {
            if (m_actions.selectTab)
                m_actions.selectTab(n - 1);
        });
        item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + n)));
        item->setObjectName(u"app.menu.tab."_s + QString::number(n));
        m_tabActions.append(item);
    }

    m_viewMenu = menuBar()->addMenu(QString());
    add(m_viewMenu, QT_TRID_NOOP("app.menu.bookmarks"), QKeySequence(Qt::CTRL | Qt::Key_B),
        m_actions.bookmarks);
    add(m_viewMenu, QT_TRID_NOOP("app.menu.commandPalette"), QKeySequence(Qt::CTRL | Qt::Key_K),
        m_actions.commandPalette);
    add(m_viewMenu, QT_TRID_NOOP("app.menu.showTrash"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
        m_actions.showTrash);
    retranslate();
}

void MainWindow::showShell(QWidget* shell) {
    m_shell = shell;
    m_pages->addWidget(shell);
    m_pages->setCurrentWidget(shell);
}

void MainWindow::setUndoRedo(std::optional<QString> undo, std::optional<QString> redo) {
    m_undoName = std::move(undo);
    m_redoName = std::move(redo);
    retranslate();
}

void MainWindow::retranslate() {
    m_fileMenu->setTitle(qtTrId("app.menu.file"));
    m_editMenu->setTitle(qtTrId("app.menu.edit"));
    m_tabsMenu->setTitle(qtTrId("Tabs"));
    m_viewMenu->setTitle(qtTrId("app.menu.view"));
    for (const auto& [action, key] : std::as_const(m_labelled))
        action->setText(qtTrId(key));
    // "Undo move 3 items to “Photos”": the item names what it would take back.
    m_undo->setEnabled(m_undoName.has_value());
    m_redo->setEnabled(m_redoName.has_value());
    if (m_undoName)
        m_undo->setText(qtTrId("app.menu.undoNamed").arg(*m_undoName));
    if (m_redoName)
        m_redo->setText(qtTrId("app.menu.redoNamed").arg(*m_redoName));
    for (qsizetype i = 0; i < m_tabActions.size(); ++i)
        m_tabActions[i]->setText(qtTrId("Tab %lld").arg(i + 1));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closeAllowed) {
        event->accept();
        return;
    }
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace quillmere
