#include "app/QuillmereApp.h"

#include "models/commands/KeyTrigger.h"
#include "models/operations/OperationText.h"
#include "models/tabs/AppState.h"
#include "models/undo/UndoRunner.h"
#include "models/volumes/MountedVolumes.h"
#include "platform/HomeFolder.h"
#include "platform/PathCodec.h"
#include "platform/SystemCalls.h"
#include "platform/TerminationSignals.h"
#include "services/desktop/DefaultFileOpener.h"
#include "services/desktop/DefaultVolumeMonitor.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/AppSettingsStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/persistence/DefaultPersistenceService.h"
#include "services/persistence/FolderSettingsStore.h"
#include "services/persistence/SessionStore.h"
#include "services/terminal/DefaultTerminalService.h"
#include "views/chooser/DefaultFolderChooser.h"
#include "views/content/ContentView.h"
#include "views/desktop/DefaultClipboard.h"
#include "views/settings/SettingsView.h"
#include "views/shell/AppShellView.h"
#include "views/shell/MainWindow.h"
#include "views/shell/UndoPresenter.h"
#include "views/trash/TrashView.h"

#include <QCoreApplication>
#include <QCoroTimer>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <cstdio>

namespace quillmere {

AppServices::AppServices() = default;
AppServices::AppServices(AppServices&&) noexcept = default;
AppServices& AppServices::operator=(AppServices&&) noexcept = default;
AppServices::~AppServices() = default;

AppServices AppServices::defaults() {
    AppServices services;
    services.persistence = std::make_unique<DefaultPersistenceService>(
        DefaultPersistenceService::configurationFolder(DefaultPersistenceService::environmentConfigHome()));
    services.fileSystem = std::make_unique<DefaultFileSystemService>(
        SystemCalls::real(), DefaultFileSystemService::defaultJournalFolder());
    services.terminal = std::make_unique<DefaultTerminalService>();
    services.clipboard = std::make_unique<DefaultClipboard>();
    services.fileOpener = std::make_unique<DefaultFileOpener>();
    services.volumeMonitor = std::make_unique<DefaultVolumeMonitor>();
    services.homeFolder = HomeFolder::path();
    return services;
}

QuillmereApp::QuillmereApp(AppServices services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services)) {
    if (!m_services.folderChooser)
        m_services.folderChooser = std::make_unique<DefaultFolderChooser>(*m_services.fileSystem);
    m_appSettingsStore = std::make_unique<AppSettingsStore>(*m_services.persistence, m_services.saveDelay);
    m_languageEnvironment = std::make_unique<LanguageEnvironment>();
    m_bookmarkStore =
        std::make_unique<BookmarkStore>(*m_services.persistence, PathProbe(), m_services.saveDelay);
    m_mountedVolumes = std::make_unique<MountedVolumes>(m_services.volumeMonitor.get());
    m_appDelegate.appSettingsStore = m_appSettingsStore.get();
    m_appDelegate.bookmarkStore = m_bookmarkStore.get();
    // The language follows the setting, at once and after every change.
    connect(m_appSettingsStore.get(), &AppSettingsStore::settingsChanged, this,
            [this] { m_languageEnvironment->follow(m_appSettingsStore->settings().language()); });

    // Menu commands do nothing until start-up has made what they act on.
    const auto withState = [this](auto action) {
        return [this, action] {
            if (m_bootstrapped)
                action(*m_bootstrapped);
        };
    };
    MainWindow::MenuActions actions;
    actions.newTab = withState([](BootstrapResult& result) { result.appState->newTab(); });
    actions.closeTab = withState(
        [](BootstrapResult& result) { result.appState->closeTab(result.appState->activeTabIndex()); });
    actions.selectTab = [this](int index) {
        if (m_bootstrapped)
            m_bootstrapped->appState->selectTab(index);
    };
    actions.bookmarks = withState(
        [this](BootstrapResult&) { m_bookmarkStore->setShowPopover(!m_bookmarkStore->showPopover()); });
    actions.commandPalette = withState([](BootstrapResult& result) { result.commandPaletteStore->open(); });
    actions.settings = [this] { showSettings(); };
    actions.quit = [this] { requestTermination(); };
    // Files through the desktop clipboard, in a folder tab.
    const auto inFolderTab = [this](void (*action)(ContentView&)) {
        return [this, action] {
            AppShellView* shellView = shell();
            if (m_bootstrapped && shellView && m_bootstrapped->appState->activeTab() &&
                !m_bootstrapped->appState->activeTab()->isTrash())
                action(shellView->contentView());
        };
    };
    actions.cutFiles = inFolderTab([](ContentView& content) { content.copyFilesToClipboard(true); });
    actions.copyFiles = inFolderTab([](ContentView& content) { content.copyFilesToClipboard(false); });
    actions.pasteFiles = inFolderTab([](ContentView& content) { content.pasteFiles(); });
    actions.undo = [this] { runWindowAction(WindowAction::Which::undo); };
    actions.redo = [this] { runWindowAction(WindowAction::Which::redo); };
    actions.showTrash = [this] { runWindowAction(WindowAction::Which::showTrash); };
    actions.emptyTrash = [this] { runWindowAction(WindowAction::Which::emptyTrash); };
    m_window = std::make_unique<MainWindow>(std::move(actions));
    connect(m_window.get(), &MainWindow::closeRequested, this, &QuillmereApp::requestTermination);
    m_signals = std::make_unique<TerminationSignals>();
    connect(m_signals.get(), &TerminationSignals::requested, this, &QuillmereApp::requestTermination);
}

QuillmereApp::~QuillmereApp() {
    m_window.reset();
    m_settings.reset();
}

AppShellView* QuillmereApp::shell() const {
    return qobject_cast<AppShellView*>(m_window->shell());
}

void QuillmereApp::showSettings() {
    if (!m_settings)
        m_settings = std::make_unique<SettingsView>(*m_appSettingsStore, *m_services.terminal, nullptr,
                                                    m_services.homeFolder);
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

QList<QuillmereApp::WindowAction> QuillmereApp::windowActions() const {
    QList<WindowAction> actions;
    if (!m_bootstrapped)
        return actions;
    const UndoRunner& undo = *m_bootstrapped->undoRunner;
    if (const std::optional<OperationDescription> next = undo.nextUndo())
        actions.append({WindowAction::Which::undo, qtTrId("palette.undo").arg(OperationText::name(*next)),
                        KeyTrigger::commandShortcutHint(u"Z")});
    if (const std::optional<OperationDescription> next = undo.nextRedo())
        actions.append({WindowAction::Which::redo, qtTrId("palette.redo").arg(OperationText::name(*next)),
                        KeyTrigger::commandShortcutHint(u"Shift+Z")});
    actions.append({WindowAction::Which::showTrash, qtTrId("palette.action.showTrash"),
                    KeyTrigger::commandShortcutHint(u"Shift+Delete")});
    actions.append({WindowAction::Which::emptyTrash, qtTrId("palette.action.emptyTrash"), std::nullopt});
    return actions;
}

void QuillmereApp::runWindowAction(WindowAction::Which which) {
    AppShellView* shellView = shell();
    if (!m_bootstrapped || !shellView)
        return;
    switch (which) {
    case WindowAction::Which::undo: shellView->undoPresenter().undo(); break;
    case WindowAction::Which::redo: shellView->undoPresenter().redo(); break;
    case WindowAction::Which::showTrash: m_bootstrapped->appState->showTrash(); break;
    case WindowAction::Which::emptyTrash: {
        [[maybe_unused]] auto asking = shellView->trashView().confirmEmptyTrash();
        break;
    }
    }
}

QCoro::Task<> QuillmereApp::start() {
    if (m_bootstrapped)
        co_return;
    const QPointer<QuillmereApp> self(this);
    PersistenceService& persistence = *m_services.persistence;
    auto sessionStore = std::make_unique<SessionStore>(persistence, m_services.saveDelay);
    auto folderSettingsStore = std::make_unique<FolderSettingsStore>(persistence, m_services.saveDelay);

    if (std::optional<AppSettings> settings = co_await persistence.loadAppSettings()) {
        m_appSettingsStore->setSettings(*settings);
        m_languageEnvironment->follow(settings->language());
    }
    // Before any folder is listed, so the tabs show what recovery made of the tree.
    const RecoveryReport recovered = co_await m_services.fileSystem->recoverInterruptedOperations();
    if (!self)
        co_return;
    // A settings file copied over here is read at the next start.
    if (auto* defaultPersistence = dynamic_cast<DefaultPersistenceService*>(&persistence))
        co_await defaultPersistence->migrateLegacyFiles();
    if (std::optional<QList<Bookmark>> bookmarks = co_await persistence.loadBookmarks())
        m_bookmarkStore->setBookmarks(*bookmarks);
    if (std::optional<FolderSettingsMap> folders = co_await persistence.loadFolderSettings())
        folderSettingsStore->setAll(*folders);
    const std::optional<Session> session = co_await persistence.loadSession();
    if (!self)
        co_return;

    FileSystemService& fileSystem = *m_services.fileSystem;
    FileOpener& fileOpener = *m_services.fileOpener;
    FolderSettingsStore* folders = folderSettingsStore.get();
    auto appState = std::make_unique<AppState>(
        [&fileSystem, &fileOpener, folders](const QString& folder) {
            return std::make_unique<Navigator>(folder, fileSystem, folders, fileOpener);
        },
        m_services.homeFolder, folders, fileSystem);
    appState->operationQueue().setLongAfter(m_services.progressDelay);
    if (session && session->schemaVersion <= Session::currentSchemaVersion) {
        std::vector<std::unique_ptr<BrowserTab>> tabs;
        for (const TabState& tab : session->tabs)
            tabs.push_back(appState->restoreTab(tab));
        appState->replaceTabs(std::move(tabs), session->activeTabIndex);
        appState->setHelpPanelVisible(session->helpPanelVisible);
    } else {
        appState->replaceTabs({}, 0);
        appState->setHelpPanelVisible(true);
    }

    m_appDelegate.appState = appState.get();
    m_appDelegate.sessionStore = sessionStore.get();
    m_appDelegate.folderSettingsStore = folders;
    m_window->setMinimumSize(AppShellView::minimumSize);
    auto paletteStore =
        std::make_unique<CommandPaletteStore>(*m_bookmarkStore, *appState, m_languageEnvironment.get());
    auto undoRunner = std::make_unique<UndoRunner>(*appState, fileSystem);
    paletteStore->setWindowActions([this] { return windowActions(); },
                                   [this](WindowAction::Which which) { runWindowAction(which); });
    paletteStore->setVolumes([this] { return m_mountedVolumes->volumes(); });
    connect(m_mountedVolumes.get(), &MountedVolumes::volumesChanged, paletteStore.get(),
            &CommandPaletteStore::volumesChanged);
    // The Edit menu names what Undo and Redo would do, in the language of the moment.
    const auto nameUndoRedo = [this] {
        if (!m_bootstrapped)
            return;
        const UndoRunner& runner = *m_bootstrapped->undoRunner;
        const auto named = [](const std::optional<OperationDescription>& next) {
            return next ? std::optional(OperationText::name(*next)) : std::nullopt;
        };
        m_window->setUndoRedo(named(runner.nextUndo()), named(runner.nextRedo()));
    };
    connect(appState.get(), &AppState::undoHistoryChanged, this, nameUndoRedo);
    connect(appState.get(), &AppState::pathsMoved, m_bookmarkStore.get(), &BookmarkStore::remap);
    connect(m_languageEnvironment.get(), &LanguageEnvironment::languageChanged, this, nameUndoRedo,
            Qt::QueuedConnection);
    m_bootstrapped = BootstrapResult{std::move(sessionStore), std::move(folderSettingsStore),
                                     std::move(appState), std::move(paletteStore), std::move(undoRunner)};

    BootstrapResult& result = *m_bootstrapped;
    const WindowContext context{*result.appState,
                                *m_appSettingsStore,
                                *m_bookmarkStore,
                                *result.folderSettingsStore,
                                *result.sessionStore,
                                *result.commandPaletteStore,
                                *m_languageEnvironment,
                                fileSystem,
                                *m_services.terminal,
                                *m_services.clipboard,
                                fileOpener,
                                *m_services.folderChooser,
                                *result.undoRunner,
                                *m_mountedVolumes};
    auto* shellView = new AppShellView(context, m_services.watcherDelay);
    m_window->showShell(shellView);
    m_mountedVolumes->start();
    if (!recovered.isEmpty())
        shellView->contentView().showNotice([recovered] { return OperationText::recoveryNotice(recovered); });
    Q_EMIT started();
}

QCoro::Task<> QuillmereApp::openFolders(QStringList folders) {
    if (!m_bootstrapped)
        co_return;
    const QPointer<QuillmereApp> self(this);
    FileSystemService& fileSystem = *m_services.fileSystem;
    QStringList found;
    for (const QString& folder : folders) {
        // With "/." appended only a folder, or a link to one, exists.
        const bool isFolder = co_await fileSystem.exists(folder + QStringLiteral("/."));
        if (!self)
            co_return;
        if (isFolder) {
            found.append(folder);
            continue;
        }
        const bool exists = co_await fileSystem.exists(folder);
        if (!self)
            co_return;
        const QByteArray shown = PathCodec::displayText(folder).toUtf8();
        std::fprintf(stderr, "quillmere: %s: %s\n", shown.constData(),
                     exists ? "not a folder; not opened" : "no such folder; not opened");
    }
    if (m_terminating)
        co_return;
    for (const QString& folder : found)
        m_bootstrapped->appState->newTab(folder);
}

void QuillmereApp::requestTermination() {
    [[maybe_unused]] auto ending = terminate();
}

QCoro::Task<> QuillmereApp::terminate() {
    if (m_terminating)
        co_return;
    m_terminating = true;
    const QPointer<QuillmereApp> self(this);
    co_await stopOperations();
    if (!self)
        co_return;
    co_await m_appDelegate.applicationShouldTerminate();
    if (!self)
        co_return;
    m_window->allowClose();
    Q_EMIT terminated();
}

QCoro::Task<> QuillmereApp::stopOperations() {
    if (!m_bootstrapped)
        co_return;
    const QPointer<QuillmereApp> self(this);
    OperationQueue& queue = m_bootstrapped->appState->operationQueue();
    for (const std::shared_ptr<QueuedOperation>& waiting : queue.waiting())
        queue.cancel(waiting);
    queue.cancelRunning();
    QElapsedTimer waited;
    waited.start();
    // The rollback ends at the worker's next chunk; a stalled disk must not keep the
    // program from ending, and its journal lets the next start finish the job.
    while (self && !queue.isEmpty() && waited.elapsed() < m_services.quitRollbackLimit.count()) {
        QTimer pause;
        pause.setSingleShot(true);
        pause.start(std::chrono::milliseconds(20));
        co_await pause;
    }
}

} // namespace quillmere
