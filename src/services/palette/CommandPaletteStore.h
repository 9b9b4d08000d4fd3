#pragma once

#include "models/commands/KeyCommand.h"
#include "models/palette/PaletteItem.h"
#include "platform/PathProbe.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace quillmere {

class AppState;
class BookmarkStore;
class LanguageEnvironment;

// The command palette's model: one query over the key commands, the active tab's
// recent folders, the bookmarks and the mounted volumes. Every assignment of the query rebuilds the rows
// and puts the selection back on the first; so does a change of language, on the
// next turn of the event loop. Changes to the history, the bookmarks or the recent
// commands alone show on the next open() or query change.
//
// Commands chosen here run through keyCommandDispatch, set by the content view, so
// they behave exactly like key presses. The recent commands live in memory only. While
// a file operation runs, a row that cancels it is offered too.
class CommandPaletteStore final : public QObject {
    Q_OBJECT

public:
    using Dispatch = std::function<void(const KeyCommand&)>;
    using WindowAction = PaletteItemKind::WindowAction;
    // The window's actions available now, and what runs the one chosen; set by the shell.
    using WindowActionSource = std::function<QList<WindowAction>()>;
    using WindowActionDispatch = std::function<void(WindowAction::Which)>;
    // The mounted volumes to offer now; set by the application.
    using VolumeSource = std::function<QList<PaletteItemKind::Volume>()>;

    // languageEnvironment may be null (no rebuild on language changes); the probe tells
    // whether a chosen folder is still there.
    CommandPaletteStore(BookmarkStore& bookmarkStore, AppState& appState,
                        LanguageEnvironment* languageEnvironment, PathProbe probe = PathProbe(),
                        QObject* parent = nullptr);

    bool isPresented() const { return m_isPresented; }
    void setPresented(bool presented);
    const QString& query() const { return m_query; }
    void setQuery(const QString& query);
    qsizetype selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(qsizetype index);
    const QList<PaletteItem>& items() const { return m_items; }
    const std::optional<QString>& navigationErrorMessage() const { return m_navigationErrorMessage; }
    const Dispatch& keyCommandDispatch() const { return m_keyCommandDispatch; }
    void setKeyCommandDispatch(Dispatch dispatch);
    void setWindowActions(WindowActionSource source, WindowActionDispatch dispatch);
    void setVolumes(VolumeSource source);
    const QList<KeyCommand>& recentCommandKeys() const { return m_recentCommandKeys; }

    // Empties the query, selects the first row and shows the palette.
    void open();
    // Both wrap around; with no rows they do nothing.
    void moveSelectionDown();
    void moveSelectionUp();
    // Runs the selected row (a command through dispatch, a folder in the active tab),
    // then closes the palette, also when nothing is selected.
    void executeSelected(const Dispatch& dispatch);
    void recordRecentCommand(const KeyCommand& command);
    // Shows the folder in the active tab, or sets navigationErrorMessage when it is gone;
    // whether it is there is asked off the calling thread.
    QCoro::Task<> openFolder(QString url);
    void rebuildItems();
    // While the palette is shown, a volume that comes or goes shows at once; the selection
    // stays on its row when that row is still there.
    void volumesChanged();

Q_SIGNALS:
    void isPresentedChanged(bool presented);
    void queryChanged(const QString& query);
    void selectedIndexChanged(qsizetype index);
    void itemsChanged();
    void navigationErrorMessageChanged();
    void recentCommandKeysChanged();

private:
    BookmarkStore& m_bookmarkStore;
    AppState& m_appState;
    PathProbe m_probe;
    WindowActionSource m_windowActionSource;
    WindowActionDispatch m_windowActionDispatch;
    VolumeSource m_volumeSource;

    bool m_isPresented = false;
    QString m_query;
    qsizetype m_selectedIndex = 0;
    QList<PaletteItem> m_items;
    std::optional<QString> m_navigationErrorMessage;
    Dispatch m_keyCommandDispatch;
    QList<KeyCommand> m_recentCommandKeys;
};

} // namespace quillmere
