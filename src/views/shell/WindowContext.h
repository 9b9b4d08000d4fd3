#pragma once

namespace quillmere {

class AppSettingsStore;
class AppState;
class BookmarkStore;
class Clipboard;
class CommandPaletteStore;
class FileOpener;
class FileSystemService;
class FolderChooser;
class FolderSettingsStore;
class LanguageEnvironment;
class MountedVolumes;
class SessionStore;
class TerminalService;
class UndoRunner;

// What the window's views are built with: the models and stores the application owns
// and the services they reach the desktop through. Views hold these references and
// never own them.
struct WindowContext {
    AppState& appState;
    AppSettingsStore& appSettingsStore;
    BookmarkStore& bookmarkStore;
    FolderSettingsStore& folderSettingsStore;
    SessionStore& sessionStore;
    CommandPaletteStore& commandPaletteStore;
    LanguageEnvironment& languageEnvironment;
    FileSystemService& fileSystemService;
    TerminalService& terminal;
    Clipboard& clipboard;
    FileOpener& fileOpener;
    FolderChooser& folderChooser;
    UndoRunner& undoRunner;
    MountedVolumes& mountedVolumes;
};

} // namespace quillmere
