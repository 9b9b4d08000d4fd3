#include "services/palette/CommandPaletteStore.h"

#include "models/commands/CommandCatalog.h"
#include "models/operations/OperationText.h"
#include "models/palette/PaletteItemsBuilder.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/persistence/BookmarkStore.h"

#include <QCoroFuture>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace quillmere {
namespace {

QList<PaletteItemKind::Command> translatedCommands() {
    QList<PaletteItemKind::Command> commands;
    for (const CommandCatalog::Entry& entry : CommandCatalog::commandEntries())
        commands.append({*entry.command, qtTrId(entry.labelKey.toUtf8().constData()), entry.keyHint});
    return commands;
}

} // namespace

CommandPaletteStore::CommandPaletteStore(BookmarkStore& bookmarkStore, AppState& appState,
                                         LanguageEnvironment* languageEnvironment, PathProbe probe,
                                         QObject* parent)
    : QObject(parent)
    , m_bookmarkStore(bookmarkStore)
    , m_appState(appState)
    , m_probe(std::move(probe)) {
    // Queued, so the rows are built after every listener has seen the new language.
    if (languageEnvironment)
        connect(languageEnvironment, &LanguageEnvironment::languageChanged, this,
                &CommandPaletteStore::rebuildItems, Qt::QueuedConnection);
}

void CommandPaletteStore::setPresented(bool presented) {
    if (presented == m_isPresented)
        return;
    m_isPresented = presented;
    Q_EMIT isPresentedChanged(presented);
}

void CommandPaletteStore::setQuery(const QString& query) {
    const bool changed = query != m_query;
    m_query = query;
    if (changed)
        Q_EMIT queryChanged(m_query);
    rebuildItems();
}

void CommandPaletteStore::setSelectedIndex(qsizetype index) {
    if (index == m_selectedIndex)
        return;
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged(index);
}

void CommandPaletteStore::setKeyCommandDispatch(Dispatch dispatch) {
    m_keyCommandDispatch = std::move(dispatch);
}

void CommandPaletteStore::setWindowActions(WindowActionSource source, WindowActionDispatch dispatch) {
    m_windowActionSource = std::move(source);
    m_windowActionDispatch = std::move(dispatch);
}

void CommandPaletteStore::setVolumes(VolumeSource source) {
    m_volumeSource = std::move(source);
}

void CommandPaletteStore::volumesChanged() {
    if (!m_isPresented)
        return;
    std::optional<PaletteItemKind> selected;
    if (m_selectedIndex >= 0 && m_selectedIndex < m_items.size())
        selected = m_items[m_selectedIndex].kind;
    rebuildItems();
    for (qsizetype i = 0; selected && i < m_items.size(); ++i)
        if (m_items[i].kind == *selected) {
            setSelectedIndex(i);
            break;
        }
}

void CommandPaletteStore::open() {
    setQuery(QString());
    setSelectedIndex(0);
    setPresented(true);
}

void CommandPaletteStore::moveSelectionDown() {
    if (m_items.isEmpty())
        return;
    setSelectedIndex((m_selectedIndex + 1) % m_items.size());
}

void CommandPaletteStore::moveSelectionUp() {
    if (m_items.isEmpty())
        return;
    setSelectedIndex((m_selectedIndex - 1 + m_items.size()) % m_items.size());
}

void CommandPaletteStore::executeSelected(const Dispatch& dispatch) {
    if (m_selectedIndex >= 0 && m_selectedIndex < m_items.size()) {
        // A copy: running the row may rebuild the rows.
        const PaletteItemKind kind = m_items[m_selectedIndex].kind;
        if (const PaletteItemKind::Command* command = kind.command()) {
            if (dispatch)
                dispatch(command->command);
            recordRecentCommand(command->command);
        } else if (const std::optional<QString> folder = kind.folderURL()) {
            [[maybe_unused]] auto opening = openFolder(*folder);
        } else if (kind.isCancelOperation()) {
            // Whatever runs now; if the one the row named has ended, there is nothing to stop.
            m_appState.operationQueue().cancelRunning();
        } else if (const WindowAction* action = kind.windowAction()) {
            // Closed first: the action may open a sheet of its own.
            setPresented(false);
            if (m_windowActionDispatch)
                m_windowActionDispatch(action->which);
            return;
        }
    }
    setPresented(false);
}

void CommandPaletteStore::recordRecentCommand(const KeyCommand& command) {
    QList<KeyCommand> recent = m_recentCommandKeys;
    recent.removeAll(command);
    recent.prepend(command);
    if (recent.size() > PaletteItemsBuilder::recentCommandLimit)
        recent = recent.first(PaletteItemsBuilder::recentCommandLimit);
    if (recent == m_recentCommandKeys)
        return;
    m_recentCommandKeys = std::move(recent);
    Q_EMIT recentCommandKeysChanged();
}

QCoro::Task<> CommandPaletteStore::openFolder(QString url) {
    const QPointer<CommandPaletteStore> self(this);
    // Asked off the user-interface thread: the folder may sit on a slow or stalled mount.
    // The future is a named local: GCC 12 destroys a temporary closure in a co_await twice.
    auto asking = QtConcurrent::run([probe = m_probe, url] { return probe.exists(url); });
    const bool present = co_await asking;
    if (!self)
        co_return;
    if (!present) {
        m_navigationErrorMessage = qtTrId("palette.errorNotFound").arg(FilePath::lastComponent(url));
        Q_EMIT navigationErrorMessageChanged();
        co_return;
    }
    BrowserTab* tab = m_appState.activeTab();
    if (!tab)
        co_return;
    // The trash tab shows no folder: the folder gets a tab of its own.
    if (tab->isTrash()) {
        m_appState.newTab(url);
        co_return;
    }
    Navigator& navigator = tab->navigator();
    navigator.navigate(url);
    // Navigating only changes the folder; without a listing the tab would go on
    // showing the previous folder's entries under the new path.
    [[maybe_unused]] auto listing = navigator.reload();
}

void CommandPaletteStore::rebuildItems() {
    PaletteItemsBuilder::Sources sources;
    sources.commands = translatedCommands();
    sources.recentCommands = m_recentCommandKeys;
    if (const BrowserTab* tab = m_appState.activeTab(); tab && !tab->isTrash())
        sources.history = tab->navigator().history();
    sources.bookmarks = m_bookmarkStore.bookmarks();
    if (const std::shared_ptr<QueuedOperation> running = m_appState.operationQueue().running())
        sources.cancelOperation = PaletteItemKind::CancelOperation{
            qtTrId("palette.cancelOperation"), OperationText::describe(running->description())};
    if (m_windowActionSource)
        sources.windowActions = m_windowActionSource();
    if (m_volumeSource)
        sources.volumes = m_volumeSource();
    m_items = PaletteItemsBuilder::build(sources, m_query);
    Q_EMIT itemsChanged();
    setSelectedIndex(0);
}

} // namespace quillmere
