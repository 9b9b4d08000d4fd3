#pragma once

#include <QCoroTask>
#include <QPointer>

namespace quillmere {

class AppSettingsStore;
class AppState;
class BookmarkStore;
class FolderSettingsStore;
class SessionStore;

// Ends the application in order: the session, the folder settings, the application
// settings and the bookmarks are written, each awaited before the next, and only
// then may the process end. A write that fails does not stop the others. Each
// reference is empty until start-up has made what it names.
class AppDelegate final {
public:
    AppState* appState = nullptr;
    SessionStore* sessionStore = nullptr;
    FolderSettingsStore* folderSettingsStore = nullptr;
    AppSettingsStore* appSettingsStore = nullptr;
    BookmarkStore* bookmarkStore = nullptr;

    // Closing the last window ends the application.
    static constexpr bool terminatesAfterLastWindowClosed = true;

    QCoro::Task<> applicationShouldTerminate();
};

} // namespace quillmere
