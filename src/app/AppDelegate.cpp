#include "app/AppDelegate.h"

#include "models/tabs/AppState.h"
#include "services/persistence/AppSettingsStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/persistence/FolderSettingsStore.h"
#include "services/persistence/SessionStore.h"

namespace quillmere {

QCoro::Task<> AppDelegate::applicationShouldTerminate() {
    // The stores swallow their own write failures; nothing here may keep the
    // application from ending.
    try {
        if (appState && sessionStore)
            co_await sessionStore->flush(appState->makeSession());
    } catch (...) {
    }
    try {
        if (folderSettingsStore)
            co_await folderSettingsStore->flush();
    } catch (...) {
    }
    try {
        if (appSettingsStore)
            co_await appSettingsStore->flush();
    } catch (...) {
    }
    try {
        if (bookmarkStore)
            co_await bookmarkStore->flush();
    } catch (...) {
    }
}

} // namespace quillmere
