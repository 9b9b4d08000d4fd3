#include "views/content/ContentView.h"

#include "models/commands/CommandCatalog.h"
#include "models/errors/OperationErrorText.h"
#include "models/navigation/Navigator.h"
#include "models/operations/OperationQueue.h"
#include "models/paths/FileName.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "models/transfer/TransferPlanner.h"
#include "models/volumes/MountedVolumes.h"
#include "services/desktop/Clipboard.h"
#include "services/desktop/FileOpener.h"
#include "services/desktop/Logger.h"
#include "services/filesystem/FileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/AppSettingsStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/terminal/TerminalService.h"
#include "services/terminal/TerminalServiceError.h"
#include "views/chooser/FolderChooser.h"
#include "views/common/Alert.h"
#include "views/common/SystemIcon.h"
#include "views/content/AddressBarView.h"
#include "views/content/ProgressStripView.h"
#include "views/content/ToastView.h"
#include "views/keyboard/KeyEventMonitor.h"
#include "views/sheets/BatchRenameSheet.h"
#include "views/sheets/ConflictResolutionSheet.h"
#include "views/sheets/CreateItemSheet.h"
#include "views/sheets/DeleteConfirmSheet.h"
#include "views/sheets/RenameSheet.h"
#include "views/table/FileTableView.h"
#include "views/table/OpenWithMenu.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>

#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// The error's own description: the platform's errors carry the system's text.
QString messageOf(const std::exception& error) {
    if (const auto* terminal = dynamic_cast<const TerminalServiceError*>(&error))
        return terminal->description();
    return QString::fromUtf8(error.what());
}

// Not a lambda: a coroutine's captures die with the lambda, which the sheet may drop first.
// The observer hands the queued operation to the sheet, which steps aside if it turns long.
// A cut taken from the clipboard (clipboard and cut given) is cleared from it once moved.
QCoro::Task<std::optional<QString>> resolveTransfer(AppState& appState, bool move, QStringList sources,
                                                    QString destination,
                                                    QList<ConflictResolution> resolutions,
                                                    QueuedOperationObserver observer, Clipboard* clipboard,
                                                    std::optional<FilesOnClipboard> cut) {
    try {
        if (move)
            co_await appState.movePaths(sources, destination, resolutions, observer);
        else
            co_await appState.copyPaths(sources, destination, resolutions, observer);
        if (clipboard && cut)
            clipboard->clearFiles(*cut);
    } catch (const TransferError& error) {
        co_return OperationErrorText::of(error);
    } catch (const std::exception& error) {
        co_return messageOf(error);
    }
    co_return std::nullopt;
}

QCoro::Task<std::optional<QString>> applyBatchRename(AppState& appState, BatchRenameRule rule,
                                                     QueuedOperationObserver observer) {
    try {
        co_await appState.batchRename(rule, observer);
    } catch (const BatchRenameError& error) {
        co_return OperationErrorText::of(error);
    } catch (const std::exception& error) {
        co_return messageOf(error);
    }
    co_return std::nullopt;
}

} // namespace

ContentView::ContentView(const WindowContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(u"contentView"_s);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_addressBar = new AddressBarView(context.appState, context.bookmarkStore, context.clipboard, this);
    column->addWidget(m_addressBar);

    auto* tools = new QWidget(this);
    tools->setObjectName(u"toolButtons"_s);
    auto* toolRow = new QHBoxLayout(tools);
    toolRow->setContentsMargins(8, 2, 8, 2);
    toolRow->setSpacing(2);
    using C = KeyCommand::Case;
    toolRow->addWidget(addToolButton(C::goBack, "tool.goBack"));
    toolRow->addWidget(addToolButton(C::goForward, "tool.goForward"));
    toolRow->addWidget(addToolButton(C::toggleHidden, "tool.toggleHidden"));
    toolRow->addWidget(addToolButton(C::copyPath, "tool.copyPath"));
    toolRow->addWidget(addToolButton(C::openInTerminal, "tool.openInTerminal"));
    toolRow->addWidget(addToolButton(C::showHelp, "tool.showHelp"));
    toolRow->addStretch(1);
    column->addWidget(tools);
    m_notice = new NoticeView(this);
    column->addWidget(m_notice);

    m_table = new FileTableView(context.appSettingsStore, context.clipboard, context.fileOpener, this);
    column->addWidget(m_table, 1);
    connect(m_table, &FileTableView::contextMenuCommand, this, &ContentView::dispatch);
    const auto drop = [this](const QStringList& sources, const QString& destination,
                             FileDrop::Choice choice) {
        [[maybe_unused]] auto dropping = dropFiles(sources, destination, choice);
    };
    connect(m_table, &FileTableView::filesDropped, this, drop);
    connect(m_addressBar, &AddressBarView::filesDropped, this, drop);
    m_strip = new ProgressStripView(context.appState.operationQueue(), this);
    column->addWidget(m_strip);
    m_toast = new ToastView(this);
    const auto focusTable = [this] { m_table->setFocus(Qt::OtherFocusReason); };
    connect(m_strip, &ProgressStripView::hidFocused, this, focusTable);
    connect(m_notice, &NoticeView::dismissedFocused, this, focusTable);
    connect(&context.appState.operationQueue(), &OperationQueue::operationFinished, this,
            &ContentView::operationFinished);
    connect(&context.fileOpener, &FileOpener::openFailed, this,
            [this](const QString& path, FileOpener::Failure failure, const QString& reason) {
                const QString name = FileName::displayText(FilePath::lastComponent(path));
                QString text = failure == FileOpener::Failure::noApplication
                                   ? qtTrId("content.error.noApplication").arg(name)
                                   : qtTrId("content.error.openFailed").arg(name);
                if (!reason.isEmpty())
                    text += u"\n"_s + reason;
                showAlert(text);
            });

    m_keyMonitor = new KeyEventMonitor(
        *this, [this](const KeyCommand& command) { dispatch(command); },
        [this] { return m_navigator && !m_navigator->markedItemIDs().isEmpty(); }, this);
    m_keyMonitor->leaveKeysTo(*m_strip);
    m_keyMonitor->leaveKeysTo(*m_notice);
    m_context.commandPaletteStore.setKeyCommandDispatch(
        [self = QPointer<ContentView>(this)](const KeyCommand& command) {
            if (self)
                self->dispatch(command);
        });
    m_terminalLaunches.setMaxThreadCount(1);
    connect(&context.appState, &AppState::isHelpPanelVisibleChanged, this, &ContentView::updateToolButtons);
    retranslate();
}

ContentView::~ContentView() {
    m_terminalLaunches.waitForDone();
}

QToolButton* ContentView::addToolButton(const KeyCommand& command, const char* objectName) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, command] { dispatch(command); });
    m_toolButtons.append({button, command});
    return button;
}

void ContentView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The view is built before it has its window, and the focus it chose then is lost; a
    // window that starts with nothing focused would ignore the arrow keys.
    if (!window()->focusWidget() && !(m_navigator && m_navigator->isSearchActive()))
        m_table->setFocus(Qt::OtherFocusReason);
}

void ContentView::retranslate() {
    for (const auto& [button, command] : std::as_const(m_toolButtons)) {
        const QString help = CommandCatalog::helpText(command);
        button->setToolTip(help);
        button->setAccessibleName(help);
    }
    updateToolButtons();
}

void ContentView::updateToolButtons() {
    using S = SystemIcon::Symbol;
    for (const auto& [button, command] : std::as_const(m_toolButtons)) {
        switch (command.command()) {
        case KeyCommand::Case::goBack:
            button->setIcon(SystemIcon::icon(S::chevronLeft));
            button->setEnabled(m_navigator && m_navigator->canGoBack());
            break;
        case KeyCommand::Case::goForward:
            button->setIcon(SystemIcon::icon(S::chevronRight));
            button->setEnabled(m_navigator && m_navigator->canGoForward());
            break;
        case KeyCommand::Case::toggleHidden:
            button->setIcon(SystemIcon::icon(
                m_navigator && m_navigator->effectiveSettings().dotFilesVisible ? S::eye : S::eyeSlash));
            break;
        case KeyCommand::Case::copyPath: button->setIcon(SystemIcon::icon(S::copy)); break;
        case KeyCommand::Case::openInTerminal: button->setIcon(SystemIcon::icon(S::terminal)); break;
        case KeyCommand::Case::showHelp:
            button->setIcon(SystemIcon::icon(S::help));
            button->setCheckable(true);
            button->setChecked(m_context.appState.isHelpPanelVisible());
            break;
        default: break;
        }
    }
}

void ContentView::setNavigator(Navigator* navigator) {
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_navigator = navigator;
    m_addressBar->setNavigator(navigator);
    m_table->setNavigator(navigator);
    if (navigator) {
        m_connections = {
            connect(navigator, &Navigator::historyIndexChanged, this, &ContentView::updateToolButtons),
            connect(navigator, &Navigator::historyChanged, this, &ContentView::updateToolButtons),
            connect(navigator, &Navigator::effectiveSettingsChanged, this, &ContentView::updateToolButtons),
            // Focus goes back to the table when the filter field closes.
            connect(navigator, &Navigator::isSearchActiveChanged, this,
                    [this](bool active) {
                        if (!active)
                            QMetaObject::invokeMethod(
                                m_table, [table = m_table] { table->setFocus(Qt::OtherFocusReason); },
                                Qt::QueuedConnection);
                    }),
        };
    }
    updateToolButtons();
    if (!navigator || !navigator->isSearchActive())
        m_table->setFocus(Qt::OtherFocusReason);
}

void ContentView::reloadAfter() {
    if (m_navigator) [[maybe_unused]]
        auto reloading = m_navigator->reload();
}

void ContentView::showToast(const char* key) {
    m_toast->showMessage(qtTrId(key));
}

void ContentView::showAlert(const QString& message) {
    quillmere::showAlert(window(), message);
}

void ContentView::operationFinished(const QueuedOperation* operation) {
    // The sheet that started it closed while it ran; success needs no word.
    if (operation->isOutcomeForWindow() && operation->failureMessage())
        showAlert(*operation->failureMessage());
}

void ContentView::showNotice(NoticeView::Compose compose) {
    m_notice->showNotice(std::move(compose));
}

void ContentView::dispatch(const KeyCommand& command) {
    QUILLMERE_LOG(logUI(), LogLevel::debug, u"dispatch "_s + command.text());
    Navigator* navigator = m_navigator;
    if (!navigator)
        return;
    using C = KeyCommand::Case;
    switch (command.command()) {
    case C::sortBy: navigator->sortBy(command.sortKey()); break;
    case C::goToParent: navigator->goToParent(), reloadAfter(); break;
    case C::openSelection: navigator->openSelection(), reloadAfter(); break;
    case C::goBack: navigator->goBack(), reloadAfter(); break;
    case C::goForward: navigator->goForward(), reloadAfter(); break;
    case C::toggleHidden: navigator->toggleHidden(), reloadAfter(); break;
    case C::copyPath:
        m_context.clipboard.copy(navigator->currentPath());
        showToast(QT_TRID_NOOP("content.toast.pathCopied"));
        break;
    case C::openInTerminal: openInTerminal(); break;
    case C::renameSelection: openRename(); break;
    case C::toggleMark:
        if (navigator->selectedItemID())
            navigator->toggleMark(*navigator->selectedItemID());
        break;
    case C::clearMarks: navigator->clearMarks(); break;
    case C::deleteMarked: openDelete(); break;
    case C::moveMarked:
        if (!navigator->markedItemIDs().isEmpty()) [[maybe_unused]]
            auto transfer = runTransfer(TransferMode::move);
        break;
    case C::copyMarked:
        if (!navigator->markedItemIDs().isEmpty()) [[maybe_unused]]
            auto transfer = runTransfer(TransferMode::copy);
        break;
    case C::startFuzzySearch: navigator->setSearchActive(true); break;
    case C::addBookmark: {
        const FileItem* item =
            navigator->selectedItemID() ? navigator->itemWithID(*navigator->selectedItemID()) : nullptr;
        if (item && (item->isDirectory || item->isLinkToFolder)) {
            m_context.bookmarkStore.add(item->url);
            showToast(QT_TRID_NOOP("content.toast.bookmarkAdded"));
        }
        break;
    }
    case C::prevTab: m_context.appState.prevTab(); break;
    case C::nextTab: m_context.appState.nextTab(); break;
    case C::createFile: openCreate(false); break;
    case C::createFolder: openCreate(true); break;
    case C::openContextMenu: {
        [[maybe_unused]] auto menu = openContextMenu();
        break;
    }
    case C::showHelp: m_context.appState.setHelpPanelVisible(!m_context.appState.isHelpPanelVisible()); break;
    }
}

void ContentView::openInTerminal() {
    if (!m_navigator)
        return;
    const QString folder = m_navigator->currentPath();
    const AppSettings settings = m_context.appSettingsStore.settings();
    TerminalService& terminal = m_context.terminal;
    m_terminalLaunches.start([&terminal, folder, settings] {
        try {
            terminal.open(folder, settings.terminalApp(), settings.terminalOpenMode());
        } catch (const std::exception& error) {
            QUILLMERE_LOG(logTerminal(), LogLevel::error, u"Terminal error: "_s + messageOf(error));
        }
    });
}

void ContentView::openRename() {
    if (m_navigator->markedItemIDs().size() >= 2) {
        [[maybe_unused]] auto opening = openBatchRename();
        return;
    }
    if (!m_navigator->selectedItemID())
        return;
    auto* sheet = new RenameSheet(*m_navigator->selectedItemID(), m_context.appState,
                                  m_context.fileSystemService, window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

QCoro::Task<> ContentView::openBatchRename() {
    const QPointer<ContentView> self(this);
    const QPointer<Navigator> navigator(m_navigator);
    const QList<FileItem> items = navigator->markedItems();
    // Every name of the folder, hidden ones too, as it is when the sheet opens.
    const QSet<QString> existing = co_await m_context.appState.existingNames(navigator->currentPath());
    if (!self || !navigator)
        co_return;
    AppState& appState = m_context.appState;
    // Filled in once the sheet exists; the action runs only after that.
    auto observer = std::make_shared<QueuedOperationObserver>();
    auto onConfirm = [&appState, observer](BatchRenameRule rule) {
        return applyBatchRename(appState, std::move(rule), *observer);
    };
    auto* sheet = new BatchRenameSheet(items, existing, onConfirm, window());
    *observer = sheet->operationObserver();
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

void ContentView::openDelete() {
    const qsizetype marked = m_navigator->markedItemIDs().size();
    if (marked == 0)
        return;
    auto* sheet = new DeleteConfirmSheet(marked, m_context.appState, window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

void ContentView::openCreate(bool folder) {
    auto* sheet = new CreateItemSheet(folder ? CreateItemKind::folder : CreateItemKind::file,
                                      m_context.appState, *m_navigator, window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

QCoro::Task<> ContentView::runTransfer(TransferMode mode) {
    const QPointer<ContentView> self(this);
    const QPointer<Navigator> navigator(m_navigator);
    const bool move = mode == TransferMode::move;

    FolderChoiceRequest request;
    request.startFolder = navigator->currentPath();
    request.message = move ? qtTrId("content.panel.moveMessage") : qtTrId("content.panel.copyMessage");
    request.confirmText = move ? qtTrId("content.panel.movePrompt") : qtTrId("content.panel.copyPrompt");
    // Other tabs' folders first, then bookmarks, mounted volumes, and the folders this
    // tab went through.
    QSet<QString> offered;
    const auto offerLabelled = [&request, &offered](const QString& label, const QString& path) {
        if (!offered.contains(path)) {
            offered.insert(path);
            request.quickDestinations.append({FileName::displayText(label), path});
        }
    };
    const auto offer = [&offerLabelled](const QString& path) {
        offerLabelled(FilePath::lastComponent(path), path);
    };
    for (BrowserTab* tab : m_context.appState.tabs()) {
        if (&tab->navigator() != navigator.data() && !tab->isTrash())
            offer(tab->navigator().currentPath());
    }
    for (const Bookmark& bookmark : m_context.bookmarkStore.bookmarks())
        offer(bookmark.url);
    for (const Volume& volume : m_context.mountedVolumes.volumes())
        offerLabelled(volume.label, volume.path);
    const QStringList history = navigator->history();
    for (qsizetype i = history.size() - 1; i >= 0; --i) {
        if (history[i] != navigator->currentPath())
            offer(history[i]);
    }

    const std::optional<QString> chosen = co_await m_context.folderChooser.chooseFolder(window(), request);
    if (!self || !navigator || !chosen)
        co_return;
    const QString destination = FilePath::standardised(*chosen);
    if (move && destination == FilePath::standardised(navigator->currentPath())) {
        showAlert(qtTrId("content.error.sameFolderMove"));
        co_return;
    }
    QStringList sources;
    for (const FileItem& item : navigator->markedItems())
        sources.append(item.url);
    co_await transferTo(mode, sources, destination, std::nullopt);
}

QCoro::Task<> ContentView::transferTo(TransferMode mode, QStringList sources, QString destination,
                                      std::optional<FilesOnClipboard> cut) {
    const QPointer<ContentView> self(this);
    const QSet<QString> existing = co_await m_context.appState.existingNames(destination);
    if (!self)
        co_return;
    const QStringList conflicts = detectConflicts(sources, existing);
    if (!conflicts.isEmpty()) {
        showConflicts(mode, sources, destination, conflicts, cut);
        co_return;
    }
    const std::optional<QString> failure =
        co_await resolveTransfer(m_context.appState, mode == TransferMode::move, sources, destination, {}, {},
                                 &m_context.clipboard, cut);
    if (self && failure)
        self->showAlert(*failure);
}

void ContentView::copyFilesToClipboard(bool cut) {
    if (!m_navigator)
        return;
    QStringList paths;
    for (const FileItem& item : m_navigator->markedItems())
        paths.append(item.url);
    if (paths.isEmpty() && m_navigator->selectedItemID())
        paths.append(*m_navigator->selectedItemID());
    if (paths.isEmpty())
        return;
    m_context.clipboard.setFiles({paths, cut});
    showToast(cut ? QT_TRID_NOOP("content.toast.filesCut") : QT_TRID_NOOP("content.toast.filesCopied"));
}

void ContentView::pasteFiles() {
    if (!m_navigator)
        return;
    const std::optional<FilesOnClipboard> files = m_context.clipboard.files();
    if (!files)
        return;
    const QString destination = FilePath::standardised(m_navigator->currentPath());
    QStringList sources;
    for (const QString& path : files->paths)
        sources.append(FilePath::standardised(path));
    // Cut here and pasted here: nothing to move.
    if (files->cut && std::all_of(sources.begin(), sources.end(), [&destination](const QString& source) {
            return FilePath::parent(source) == destination;
        })) {
        showAlert(qtTrId("content.error.sameFolderMove"));
        return;
    }
    [[maybe_unused]] auto transfer = transferTo(files->cut ? TransferMode::move : TransferMode::copy, sources,
                                                destination, files->cut ? files : std::nullopt);
}

QCoro::Task<> ContentView::dropFiles(QStringList sources, QString destination, FileDrop::Choice choice) {
    const QPointer<ContentView> self(this);
    destination = FilePath::standardised(destination);
    QStringList standardised;
    for (const QString& source : sources)
        standardised.append(FilePath::standardised(source));
    // Dropped into the folder they are in: nothing to do. A folder dropped on itself goes on
    // and is refused like any folder put inside itself.
    if (std::all_of(standardised.begin(), standardised.end(), [&destination](const QString& source) {
            return FilePath::parent(source) == destination;
        }))
        co_return;
    bool move = choice == FileDrop::Choice::move;
    if (choice == FileDrop::Choice::automatic) {
        // The file systems are asked off this thread: a source may sit on a slow mount.
        QStringList places{destination, standardised.first()};
        const QList<std::optional<ItemState>> states =
            co_await m_context.fileSystemService.itemStates(places);
        if (!self)
            co_return;
        move = states.value(0) && states.value(1) &&
               states.value(0)->identity.device == states.value(1)->identity.device;
    }
    co_await transferTo(move ? TransferMode::move : TransferMode::copy, standardised, destination,
                        std::nullopt);
}

void ContentView::showConflicts(TransferMode mode, QStringList sources, QString destination,
                                QStringList conflicts, std::optional<FilesOnClipboard> cut) {
    AppState& appState = m_context.appState;
    Clipboard* clipboard = &m_context.clipboard;
    const bool move = mode == TransferMode::move;
    // Filled in once the sheet exists; the action runs only after that.
    auto observer = std::make_shared<QueuedOperationObserver>();
    auto onResolve = [&appState, move, sources, destination, observer, clipboard,
                      cut](QList<ConflictResolution> resolutions) {
        return resolveTransfer(appState, move, sources, destination, std::move(resolutions), *observer,
                               clipboard, cut);
    };
    auto* sheet =
        new ConflictResolutionSheet(conflicts, FilePath::lastComponent(destination), onResolve, window());
    *observer = sheet->operationObserver();
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

void ContentView::copyPathsOf(const QString& selectedID, bool multiple) {
    QStringList paths;
    if (multiple) {
        for (const FileItem& item : m_navigator->markedItems())
            paths.append(item.url);
    } else {
        paths.append(selectedID);
    }
    m_context.clipboard.copy(paths.join(u'\n'));
    showToast(QT_TRID_NOOP("content.toast.pathCopied"));
}

QCoro::Task<> ContentView::openContextMenu() {
    const QPointer<ContentView> self(this);
    const QPointer<Navigator> navigator(m_navigator);
    const std::optional<QString> selected = navigator->selectedItemID();
    const FileItem* found = selected ? navigator->itemWithID(*selected) : nullptr;
    const std::optional<FileItem> entry = found ? std::optional<FileItem>(*found) : std::nullopt;
    QList<FileOpener::Application> applications;
    // Folders, and links to them, are entered rather than opened.
    const bool isFile = entry && !entry->isDirectory && !entry->isLinkToFolder;
    if (isFile)
        applications = co_await OpenWithMenu::lookUp(m_context.fileOpener, entry->url);
    if (!self || !navigator)
        co_return;
    const bool multiple = navigator->markedItemIDs().size() >= 2;

    QMenu menu(this);
    menu.setObjectName(u"contentView.menu"_s);
    using C = KeyCommand::Case;
    menu.addAction(qtTrId("content.menu.newFile"), this, [this] { dispatch(C::createFile); });
    menu.addAction(qtTrId("content.menu.newFolder"), this, [this] { dispatch(C::createFolder); });
    if (entry) {
        const QString id = entry->id;
        const auto markingThen = [this, id, multiple](C command) {
            return [this, id, multiple, command] {
                if (!m_navigator)
                    return;
                if (!multiple && !m_navigator->markedItemIDs().contains(id)) {
                    m_navigator->clearMarks();
                    m_navigator->toggleMark(id);
                }
                dispatch(command);
            };
        };
        menu.addSeparator();
        if (isFile)
            OpenWithMenu::add(menu, m_context.fileOpener, entry->url, applications);
        menu.addSeparator();
        menu.addAction(qtTrId("content.menu.copyPath"), this,
                       [this, id, multiple] { copyPathsOf(id, multiple); });
        menu.addSeparator();
        menu.addAction(qtTrId("content.menu.rename"), this, [this, id, multiple] {
            if (!m_navigator)
                return;
            if (!multiple)
                m_navigator->setSelectedItemID(id);
            dispatch(C::renameSelection);
        });
        menu.addAction(qtTrId("content.menu.move"), this, markingThen(C::moveMarked));
        menu.addAction(qtTrId("content.menu.copy"), this, markingThen(C::copyMarked));
        menu.addSeparator();
        menu.addAction(qtTrId("content.menu.moveToTrash"), this, markingThen(C::deleteMarked));
    }
    // At the selected row, a little to the right; else where the pointer is.
    QPoint at = QCursor::pos();
    const QModelIndex current = m_table->currentIndex();
    if (current.isValid()) {
        const QRect row = m_table->visualRect(current);
        at = m_table->viewport()->mapToGlobal(row.topLeft() + QPoint(8, 0));
    }
    menu.exec(at);
}

} // namespace quillmere
