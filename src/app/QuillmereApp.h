#pragma once

#include "app/AppDelegate.h"
#include "models/operations/OperationQueue.h"
#include "models/palette/PaletteItemKind.h"
#include "services/desktop/FolderWatcher.h"

#include <QCoroTask>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>

namespace quillmere {

class AppSettingsStore;
class AppShellView;
class AppState;
class BookmarkStore;
class Clipboard;
class CommandPaletteStore;
class FileOpener;
class FileSystemService;
class FolderChooser;
class FolderSettingsStore;
class LanguageEnvironment;
class MainWindow;
class MountedVolumes;
class PersistenceService;
class SessionStore;
class SettingsView;
class TerminalService;
class TerminationSignals;
class UndoRunner;
class VolumeMonitor;

// What the application reaches the desktop through. The defaults are the real
// services; tests hand in fakes or real services over a temporary tree.
struct AppServices {
    std::unique_ptr<PersistenceService> persistence;
    std::unique_ptr<FileSystemService> fileSystem;
    std::unique_ptr<TerminalService> terminal;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<FileOpener> fileOpener;
    std::unique_ptr<FolderChooser> folderChooser; // null: the keyboard-first chooser
    // null: no volumes are offered (tests do not see the machine's own mounts).
    std::unique_ptr<VolumeMonitor> volumeMonitor;
    QString homeFolder;
    // Store saves and watcher reactions wait this long after the last change.
    std::chrono::milliseconds saveDelay{500};
    std::chrono::milliseconds watcherDelay = FolderWatcher::defaultDebounceInterval;
    // A file operation shows in the progress strip once it has run this long.
    std::chrono::milliseconds progressDelay = OperationQueue::defaultLongAfter;
    // How long quitting waits for cancelled operations to put everything back; what is
    // still unfinished then is left to the next start's recovery.
    std::chrono::milliseconds quitRollbackLimit{10000};

    static AppServices defaults();

    AppServices();
    AppServices(AppServices&&) noexcept;
    AppServices& operator=(AppServices&&) noexcept;
    ~AppServices();
};

// The application: the stores and the language that exist before any window, the
// start-up that finishes or rolls back what an interrupted run left half-done, reads the
// saved state and rebuilds the tabs, the main window with its menus, and the orderly
// end (AppDelegate) on quit, on closing the window, and on SIGTERM or SIGINT. Ending
// first cancels the file operations under way and lets them put everything back.
class QuillmereApp final : public QObject {
    Q_OBJECT

public:
    // What start-up made; absent until it has finished.
    struct BootstrapResult {
        std::unique_ptr<SessionStore> sessionStore;
        std::unique_ptr<FolderSettingsStore> folderSettingsStore;
        std::unique_ptr<AppState> appState;
        std::unique_ptr<CommandPaletteStore> commandPaletteStore;
        std::unique_ptr<UndoRunner> undoRunner;
    };

    explicit QuillmereApp(AppServices services, QObject* parent = nullptr);
    ~QuillmereApp() override;

    MainWindow& window() const { return *m_window; }
    AppSettingsStore& appSettingsStore() const { return *m_appSettingsStore; }
    LanguageEnvironment& languageEnvironment() const { return *m_languageEnvironment; }
    BookmarkStore& bookmarkStore() const { return *m_bookmarkStore; }
    MountedVolumes& mountedVolumes() const { return *m_mountedVolumes; }
    const std::optional<BootstrapResult>& bootstrapped() const { return m_bootstrapped; }
    AppShellView* shell() const;
    // The settings window, made on first use and raised when it is open already.
    void showSettings();
    SettingsView* settingsWindow() const { return m_settings.get(); }

    // Reads the saved state and shows the window shell; runs once.
    QCoro::Task<> start();
    // Saves everything in order, then emits terminated(); later calls do nothing.
    QCoro::Task<> terminate();
    // Opens each folder in a new tab after those start-up made, the last one shown; for
    // the folders named on the command line. What is not a folder is left out and
    // reported on standard error. Does nothing before start() has finished.
    QCoro::Task<> openFolders(QStringList folders);

Q_SIGNALS:
    void started();
    void terminated();

private:
    using WindowAction = PaletteItemKind::WindowAction;
    void requestTermination();
    // The window's own actions the palette offers now, and running one of them; the
    // menus run them too.
    QList<WindowAction> windowActions() const;
    void runWindowAction(WindowAction::Which which);
    QCoro::Task<> stopOperations();

    AppServices m_services;
    std::unique_ptr<AppSettingsStore> m_appSettingsStore;
    std::unique_ptr<LanguageEnvironment> m_languageEnvironment;
    std::unique_ptr<BookmarkStore> m_bookmarkStore;
    std::unique_ptr<MountedVolumes> m_mountedVolumes;
    std::optional<BootstrapResult> m_bootstrapped;
    AppDelegate m_appDelegate;
    bool m_terminating = false;
    // SIGTERM and SIGINT end the application like Quit does.
    std::unique_ptr<TerminationSignals> m_signals;
    // Destroyed first: the windows' views hold references to everything above.
    std::unique_ptr<SettingsView> m_settings;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace quillmere
