<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en">
<context>
    <name></name>
    <message id="addressbar.filterPlaceholder">
        <source>Filter by name</source>
        <translation>Filter by name</translation>
    </message>
    <message id="addressbar.markedCount" numerus="yes">
        <source>%n marked</source>
        <translation>
            <numerusform>%n marked</numerusform>
            <numerusform>%n marked</numerusform>
        </translation>
    </message>
    <message id="app.menu.bookmarks">
        <source>Bookmarks</source>
        <translation>Bookmarks</translation>
    </message>
    <message id="app.menu.closeTab">
        <source>Close tab</source>
        <translation>Close tab</translation>
    </message>
    <message id="app.menu.commandPalette">
        <source>Command palette</source>
        <translation>Command palette</translation>
    </message>
    <message id="app.menu.newTab">
        <source>New tab</source>
        <translation>New tab</translation>
    </message>
    <message id="appshell.noTab">
        <source>No tab is open</source>
        <translation>No tab is open</translation>
    </message>
    <message id="batchRename.button.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="batchRename.button.rename">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="batchRename.count" numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message id="batchRename.error.conflict">
        <source>Name already in use</source>
        <translation>Name already in use</translation>
    </message>
    <message id="batchRename.error.duplicate">
        <source>Duplicate name</source>
        <translation>Duplicate name</translation>
    </message>
    <message id="batchRename.error.emptyName">
        <source>Name is empty</source>
        <translation>Name is empty</translation>
    </message>
    <message id="batchRename.error.failed">
        <source>The items could not be renamed.</source>
        <translation>The items could not be renamed.</translation>
    </message>
    <message id="batchRename.error.invalidName">
        <source>Name cannot be used</source>
        <translation>Name cannot be used</translation>
    </message>
    <message id="batchRename.error.invalidRegex">
        <source>Invalid regular expression</source>
        <translation>Invalid regular expression</translation>
    </message>
    <message id="batchRename.field.baseName">
        <source>Base name</source>
        <translation>Base name</translation>
    </message>
    <message id="batchRename.field.digits">
        <source>Digits</source>
        <translation>Digits</translation>
    </message>
    <message id="batchRename.field.findString">
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message id="batchRename.field.prefix">
        <source>Prefix</source>
        <translation>Prefix</translation>
    </message>
    <message id="batchRename.field.regexPattern">
        <source>Pattern</source>
        <translation>Pattern</translation>
    </message>
    <message id="batchRename.field.regexTemplate">
        <source>Replacement</source>
        <translation>Replacement</translation>
    </message>
    <message id="batchRename.field.replaceWith">
        <source>Replace with</source>
        <translation>Replace with</translation>
    </message>
    <message id="batchRename.field.startNumber">
        <source>Start at</source>
        <translation>Start at</translation>
    </message>
    <message id="batchRename.field.suffix">
        <source>Suffix</source>
        <translation>Suffix</translation>
    </message>
    <message id="batchRename.mode.affix">
        <source>Add text</source>
        <translation>Add text</translation>
    </message>
    <message id="batchRename.mode.regex">
        <source>Regular expression</source>
        <translation>Regular expression</translation>
    </message>
    <message id="batchRename.mode.replace">
        <source>Replace text</source>
        <translation>Replace text</translation>
    </message>
    <message id="batchRename.mode.sequential">
        <source>Numbering</source>
        <translation>Numbering</translation>
    </message>
    <message id="batchRename.preview">
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message id="batchRename.rule">
        <source>Rule</source>
        <translation>Rule</translation>
    </message>
    <message id="batchRename.title">
        <source>Rename items</source>
        <translation>Rename items</translation>
    </message>
    <message id="bookmark.button.delete">
        <source>Remove bookmark</source>
        <translation>Remove bookmark</translation>
    </message>
    <message id="bookmark.empty">
        <source>No bookmarks</source>
        <translation>No bookmarks</translation>
    </message>
    <message id="bookmark.emptyHint">
        <source>Press + in a folder to bookmark it.</source>
        <translation>Press + in a folder to bookmark it.</translation>
    </message>
    <message id="bookmark.filter.noMatch">
        <source>No matching bookmarks</source>
        <translation>No matching bookmarks</translation>
    </message>
    <message id="bookmark.filter.placeholder">
        <source>Filter bookmarks</source>
        <translation>Filter bookmarks</translation>
    </message>
    <message id="bookmark.hint.close">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="bookmark.hint.delete">
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message id="bookmark.hint.move">
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message id="bookmark.hint.open">
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message id="chooser.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="chooser.filter">
        <source>Filter destinations</source>
        <translation>Filter destinations</translation>
    </message>
    <message id="chooser.foldersTitle">
        <source>Folders</source>
        <translation>Folders</translation>
    </message>
    <message id="chooser.keyHints">
        <source>Return: choose · Esc: cancel · Tab: switch lists · →: open folder · ← or Backspace: parent folder · .: hidden folders</source>
        <translation>Return: choose · Esc: cancel · Tab: switch lists · →: open folder · ← or Backspace: parent folder · .: hidden folders</translation>
    </message>
    <message id="chooser.loading">
        <source>Loading…</source>
        <translation>Loading…</translation>
    </message>
    <message id="chooser.noFolders">
        <source>No folders here</source>
        <translation>No folders here</translation>
    </message>
    <message id="chooser.noMatches">
        <source>No destination matches</source>
        <translation>No destination matches</translation>
    </message>
    <message id="chooser.quickTitle">
        <source>Quick destinations</source>
        <translation>Quick destinations</translation>
    </message>
    <message id="chooser.shownFolder">
        <source>Shown folder</source>
        <translation>Shown folder</translation>
    </message>
    <message id="chooser.thisFolder">
        <source>This folder</source>
        <translation>This folder</translation>
    </message>
    <message id="chooser.title">
        <source>Choose a folder</source>
        <translation>Choose a folder</translation>
    </message>
    <message id="chooser.unreadable">
        <source>This folder cannot be read</source>
        <translation>This folder cannot be read</translation>
    </message>
    <message id="conflict.button.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="conflict.button.confirm">
        <source>Continue</source>
        <translation>Continue</translation>
    </message>
    <message id="conflict.choice.overwrite">
        <source>Replace</source>
        <translation>Replace</translation>
    </message>
    <message id="conflict.choice.rename">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="conflict.choice.skip">
        <source>Skip</source>
        <translation>Skip</translation>
    </message>
    <message id="conflict.error.failed">
        <source>The items could not be transferred.</source>
        <translation>The items could not be transferred.</translation>
    </message>
    <message id="conflict.field.newName">
        <source>New name</source>
        <translation>New name</translation>
    </message>
    <message id="conflict.message.withDest" numerus="yes">
        <source>%n items with the same names already exist in “%1”. Choose what to do with each.</source>
        <translation>
            <numerusform>%n item with the same name already exists in “%1”. Choose what to do with it.</numerusform>
            <numerusform>%n items with the same names already exist in “%1”. Choose what to do with each.</numerusform>
        </translation>
    </message>
    <message id="conflict.message.withoutDest" numerus="yes">
        <source>%n items with the same names already exist. Choose what to do with each.</source>
        <translation>
            <numerusform>%n item with the same name already exists. Choose what to do with it.</numerusform>
            <numerusform>%n items with the same names already exist. Choose what to do with each.</numerusform>
        </translation>
    </message>
    <message id="conflict.title">
        <source>Items already exist</source>
        <translation>Items already exist</translation>
    </message>
    <message id="content.error.sameFolderMove">
        <source>Items can’t be moved into the folder they are already in.</source>
        <translation>Items can’t be moved into the folder they are already in.</translation>
    </message>
    <message id="content.menu.copy">
        <source>Copy to…</source>
        <translation>Copy to…</translation>
    </message>
    <message id="content.menu.copyPath">
        <source>Copy path</source>
        <translation>Copy path</translation>
    </message>
    <message id="content.menu.move">
        <source>Move to…</source>
        <translation>Move to…</translation>
    </message>
    <message id="content.menu.moveToTrash">
        <source>Move to trash</source>
        <translation>Move to trash</translation>
    </message>
    <message id="content.menu.newFile">
        <source>New file</source>
        <translation>New file</translation>
    </message>
    <message id="content.menu.newFolder">
        <source>New folder</source>
        <translation>New folder</translation>
    </message>
    <message id="content.menu.rename">
        <source>Rename…</source>
        <translation>Rename…</translation>
    </message>
    <message id="content.panel.copyMessage">
        <source>Choose the folder to copy the marked items to</source>
        <translation>Choose the folder to copy the marked items to</translation>
    </message>
    <message id="content.panel.copyPrompt">
        <source>Copy here</source>
        <translation>Copy here</translation>
    </message>
    <message id="content.panel.moveMessage">
        <source>Choose the folder to move the marked items to</source>
        <translation>Choose the folder to move the marked items to</translation>
    </message>
    <message id="content.panel.movePrompt">
        <source>Move here</source>
        <translation>Move here</translation>
    </message>
    <message id="content.toast.bookmarkAdded">
        <source>Bookmark added</source>
        <translation>Bookmark added</translation>
    </message>
    <message id="content.toast.pathCopied">
        <source>Path copied</source>
        <translation>Path copied</translation>
    </message>
    <message id="create.button.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="create.button.create">
        <source>Create</source>
        <translation>Create</translation>
    </message>
    <message id="create.error.alreadyExists">
        <source>An item with this name already exists.</source>
        <translation>An item with this name already exists.</translation>
    </message>
    <message id="create.error.failed">
        <source>The item could not be created.</source>
        <translation>The item could not be created.</translation>
    </message>
    <message id="create.error.invalidChar">
        <source>Names can’t contain “/” or the null character.</source>
        <translation>Names can’t contain “/” or the null character.</translation>
    </message>
    <message id="create.field.name">
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message id="create.title.file">
        <source>New file</source>
        <translation>New file</translation>
    </message>
    <message id="create.title.folder">
        <source>New folder</source>
        <translation>New folder</translation>
    </message>
    <message id="delete.button.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="delete.button.delete">
        <source>Move to trash</source>
        <translation>Move to trash</translation>
    </message>
    <message id="delete.error.failed">
        <source>The items could not be moved to the trash.</source>
        <translation>The items could not be moved to the trash.</translation>
    </message>
    <message id="delete.message" numerus="yes">
        <source>Move %n marked items to the trash?</source>
        <translation>
            <numerusform>Move %n marked item to the trash?</numerusform>
            <numerusform>Move %n marked items to the trash?</numerusform>
        </translation>
    </message>
    <message id="delete.title">
        <source>Move to trash</source>
        <translation>Move to trash</translation>
    </message>
    <message id="help.command.selectTab">
        <source>Go to tab 1–9</source>
        <translation>Go to tab 1–9</translation>
    </message>
    <message id="help.command.settings">
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message id="help.section.app">
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message id="help.section.batch">
        <source>Marked items</source>
        <translation>Marked items</translation>
    </message>
    <message id="help.section.file">
        <source>Files</source>
        <translation>Files</translation>
    </message>
    <message id="help.section.help">
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message id="help.section.mark">
        <source>Marks</source>
        <translation>Marks</translation>
    </message>
    <message id="help.section.navigation">
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message id="help.section.tab">
        <source>Tabs and bookmarks</source>
        <translation>Tabs and bookmarks</translation>
    </message>
    <message id="help.section.view">
        <source>View</source>
        <translation>View</translation>
    </message>
    <message id="help.title">
        <source>Keyboard shortcuts</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message id="nav.addBookmark">
        <source>Add bookmark</source>
        <translation>Add bookmark</translation>
    </message>
    <message id="nav.clearMarks">
        <source>Clear marks</source>
        <translation>Clear marks</translation>
    </message>
    <message id="nav.copyMarked">
        <source>Copy marked items</source>
        <translation>Copy marked items</translation>
    </message>
    <message id="nav.copyPath">
        <source>Copy path</source>
        <translation>Copy path</translation>
    </message>
    <message id="nav.createFile">
        <source>New file</source>
        <translation>New file</translation>
    </message>
    <message id="nav.createFolder">
        <source>New folder</source>
        <translation>New folder</translation>
    </message>
    <message id="nav.deleteMarked">
        <source>Move marked items to trash</source>
        <translation>Move marked items to trash</translation>
    </message>
    <message id="nav.fuzzySearch">
        <source>Fuzzy search</source>
        <translation>Fuzzy search</translation>
    </message>
    <message id="nav.goBack">
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message id="nav.goForward">
        <source>Forward</source>
        <translation>Forward</translation>
    </message>
    <message id="nav.goToParent">
        <source>Parent folder</source>
        <translation>Parent folder</translation>
    </message>
    <message id="nav.moveMarked">
        <source>Move marked items</source>
        <translation>Move marked items</translation>
    </message>
    <message id="nav.nextTab">
        <source>Next tab</source>
        <translation>Next tab</translation>
    </message>
    <message id="nav.openContextMenu">
        <source>Show context menu</source>
        <translation>Show context menu</translation>
    </message>
    <message id="nav.openInTerminal">
        <source>Open in terminal</source>
        <translation>Open in terminal</translation>
    </message>
    <message id="nav.openSelection">
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message id="nav.prevTab">
        <source>Previous tab</source>
        <translation>Previous tab</translation>
    </message>
    <message id="nav.rename">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="nav.showHelp">
        <source>Show or hide help</source>
        <translation>Show or hide help</translation>
    </message>
    <message id="nav.sortByDate">
        <source>Sort by date modified</source>
        <translation>Sort by date modified</translation>
    </message>
    <message id="nav.sortByKind">
        <source>Sort by kind</source>
        <translation>Sort by kind</translation>
    </message>
    <message id="nav.sortByName">
        <source>Sort by name</source>
        <translation>Sort by name</translation>
    </message>
    <message id="nav.sortBySize">
        <source>Sort by size</source>
        <translation>Sort by size</translation>
    </message>
    <message id="nav.toggleHidden">
        <source>Show or hide hidden files</source>
        <translation>Show or hide hidden files</translation>
    </message>
    <message id="nav.toggleMark">
        <source>Mark or unmark</source>
        <translation>Mark or unmark</translation>
    </message>
    <message id="palette.errorNotFound">
        <source>“%1” no longer exists.</source>
        <translation>“%1” no longer exists.</translation>
    </message>
    <message id="palette.noResults">
        <source>No results</source>
        <translation>No results</translation>
    </message>
    <message id="palette.results">
        <source>Results</source>
        <translation>Results</translation>
    </message>
    <message id="palette.searchPlaceholder">
        <source>Search commands, folders and bookmarks</source>
        <translation>Search commands, folders and bookmarks</translation>
    </message>
    <message id="rename.button.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="rename.button.confirm">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="rename.error.failed">
        <source>The item could not be renamed.</source>
        <translation>The item could not be renamed.</translation>
    </message>
    <message id="rename.field.newName">
        <source>New name</source>
        <translation>New name</translation>
    </message>
    <message id="rename.title">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="settings.general.autoCheck">
        <source>Check for updates automatically</source>
        <translation>Check for updates automatically</translation>
    </message>
    <message id="settings.general.checkNow">
        <source>Check now</source>
        <translation>Check now</translation>
    </message>
    <message id="settings.general.language">
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message id="settings.general.languageSystem">
        <source>System default</source>
        <translation>System default</translation>
    </message>
    <message id="settings.general.updates">
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message id="settings.general.updatesByDistribution">
        <source>Quillmere is updated with your distribution&apos;s packages.</source>
        <translation>Quillmere is updated with your distribution&apos;s packages.</translation>
    </message>
    <message id="settings.mark.color">
        <source>Mark color</source>
        <translation>Mark color</translation>
    </message>
    <message id="settings.mark.color.accent">
        <source>Accent color</source>
        <translation>Accent color</translation>
    </message>
    <message id="settings.mark.color.black">
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message id="settings.mark.color.blue">
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message id="settings.mark.color.gray">
        <source>Gray</source>
        <translation>Gray</translation>
    </message>
    <message id="settings.mark.color.green">
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message id="settings.mark.color.orange">
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message id="settings.mark.color.purple">
        <source>Purple</source>
        <translation>Purple</translation>
    </message>
    <message id="settings.mark.color.red">
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message id="settings.mark.color.yellow">
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
    <message id="settings.mark.glyph">
        <source>Mark symbol</source>
        <translation>Mark symbol</translation>
    </message>
    <message id="settings.mark.preview">
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message id="settings.mark.previewFilename">
        <source>Document.txt</source>
        <translation>Document.txt</translation>
    </message>
    <message id="settings.mark.resetToDefault">
        <source>Restore defaults</source>
        <translation>Restore defaults</translation>
    </message>
    <message id="settings.tab.general">
        <source>General</source>
        <translation>General</translation>
    </message>
    <message id="settings.tab.mark">
        <source>Marks</source>
        <translation>Marks</translation>
    </message>
    <message id="settings.tab.terminal">
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message id="settings.terminal.app">
        <source>Terminal application</source>
        <translation>Terminal application</translation>
    </message>
    <message id="settings.terminal.checking">
        <source>Looking for installed terminals…</source>
        <translation>Looking for installed terminals…</translation>
    </message>
    <message id="settings.terminal.hint">
        <source>Press t in the file list to open the current folder in this terminal.</source>
        <translation>Press t in the file list to open the current folder in this terminal.</translation>
    </message>
    <message id="settings.terminal.noApp">
        <source>No supported terminal is installed.</source>
        <translation>No supported terminal is installed.</translation>
    </message>
    <message id="settings.terminal.openMode">
        <source>Open in</source>
        <translation>Open in</translation>
    </message>
    <message id="settings.terminal.tabNotSupported">
        <source>This terminal always opens a new window.</source>
        <translation>This terminal always opens a new window.</translation>
    </message>
    <message id="settings.terminal.test">
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message id="settings.terminal.testFailed">
        <source>The terminal could not be opened: %1</source>
        <translation>The terminal could not be opened: %1</translation>
    </message>
    <message id="sidebar.closeTab">
        <source>Close tab</source>
        <translation>Close tab</translation>
    </message>
    <message id="sidebar.newTab">
        <source>New tab</source>
        <translation>New tab</translation>
    </message>
    <message id="terminal.app.ghostty">
        <source>Ghostty</source>
        <translation>Ghostty</translation>
    </message>
    <message id="terminal.app.iterm2">
        <source>iTerm2</source>
        <translation>iTerm2</translation>
    </message>
    <message id="terminal.app.terminalApp">
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message id="terminal.app.warp">
        <source>Warp</source>
        <translation>Warp</translation>
    </message>
    <message id="terminal.app.wezterm">
        <source>WezTerm</source>
        <translation>WezTerm</translation>
    </message>
    <message id="terminal.openMode.newTab">
        <source>New tab</source>
        <translation>New tab</translation>
    </message>
    <message id="terminal.openMode.newWindow">
        <source>New window</source>
        <translation>New window</translation>
    </message>
    <message id="%lld / %lld">
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message id="%lld items" numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message id="Date Modified">
        <source>Date modified</source>
        <translation>Date modified</translation>
    </message>
    <message id="Kind">
        <source>Kind</source>
        <translation>Kind</translation>
    </message>
    <message id="Name">
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message id="Open as...">
        <source>Open with</source>
        <translation>Open with</translation>
    </message>
    <message id="Size">
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message id="Tab %lld">
        <source>Tab %1</source>
        <translation>Tab %1</translation>
    </message>
    <message id="Tabs">
        <source>Tabs</source>
        <translation>Tabs</translation>
    </message>
    <message id="コピー">
        <source>Copy to…</source>
        <translation>Copy to…</translation>
    </message>
    <message id="ゴミ箱に移動">
        <source>Move to trash</source>
        <translation>Move to trash</translation>
    </message>
    <message id="パスをコピー">
        <source>Copy path</source>
        <translation>Copy path</translation>
    </message>
    <message id="リネーム">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="新規ファイル">
        <source>New file</source>
        <translation>New file</translation>
    </message>
    <message id="新規フォルダ">
        <source>New folder</source>
        <translation>New folder</translation>
    </message>
    <message id="移動">
        <source>Move to…</source>
        <translation>Move to…</translation>
    </message>
    <message id="addressbar.loading">
        <source>Loading…</source>
        <translation>Loading…</translation>
    </message>
    <message id="app.menu.file">
        <source>File</source>
        <translation>File</translation>
    </message>
    <message id="app.menu.quit">
        <source>Quit Quillmere</source>
        <translation>Quit Quillmere</translation>
    </message>
    <message id="app.menu.view">
        <source>View</source>
        <translation>View</translation>
    </message>
    <message id="notice.dismiss">
        <source>Dismiss</source>
        <translation>Dismiss</translation>
    </message>
    <message id="palette.cancelOperation">
        <source>Cancel running operation</source>
        <translation>Cancel running operation</translation>
    </message>
    <message id="progress.batchRename" numerus="yes">
        <source>Renaming %Ln items</source>
        <translation>
            <numerusform>Renaming %Ln item</numerusform>
            <numerusform>Renaming %Ln items</numerusform>
        </translation>
    </message>
    <message id="progress.bytes">
        <source>%1 of %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message id="progress.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="progress.cancelRunning">
        <source>Cancel: %1</source>
        <translation>Cancel: %1</translation>
    </message>
    <message id="progress.cancelWaiting">
        <source>Take out of the queue: %1</source>
        <translation>Take out of the queue: %1</translation>
    </message>
    <message id="progress.cancelling">
        <source>Cancelling…</source>
        <translation>Cancelling…</translation>
    </message>
    <message id="progress.copy" numerus="yes">
        <source>Copying %Ln items to “%1”</source>
        <translation>
            <numerusform>Copying %Ln item to “%1”</numerusform>
            <numerusform>Copying %Ln items to “%1”</numerusform>
        </translation>
    </message>
    <message id="progress.items" numerus="yes">
        <source>%1 of %Ln items</source>
        <translation>
            <numerusform>%1 of %Ln item</numerusform>
            <numerusform>%1 of %Ln items</numerusform>
        </translation>
    </message>
    <message id="progress.measuring">
        <source>Counting items…</source>
        <translation>Counting items…</translation>
    </message>
    <message id="progress.moreWaiting" numerus="yes">
        <source>%Ln more waiting</source>
        <translation>
            <numerusform>%Ln more waiting</numerusform>
            <numerusform>%Ln more waiting</numerusform>
        </translation>
    </message>
    <message id="progress.move" numerus="yes">
        <source>Moving %Ln items to “%1”</source>
        <translation>
            <numerusform>Moving %Ln item to “%1”</numerusform>
            <numerusform>Moving %Ln items to “%1”</numerusform>
        </translation>
    </message>
    <message id="progress.rate">
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message id="progress.rollingBack">
        <source>Putting everything back…</source>
        <translation>Putting everything back…</translation>
    </message>
    <message id="progress.strip">
        <source>Running file operations</source>
        <translation>Running file operations</translation>
    </message>
    <message id="progress.timeLeft.hours" numerus="yes">
        <source>About %Ln hours left</source>
        <translation>
            <numerusform>About %Ln hour left</numerusform>
            <numerusform>About %Ln hours left</numerusform>
        </translation>
    </message>
    <message id="progress.timeLeft.minutes" numerus="yes">
        <source>About %Ln minutes left</source>
        <translation>
            <numerusform>About %Ln minute left</numerusform>
            <numerusform>About %Ln minutes left</numerusform>
        </translation>
    </message>
    <message id="progress.timeLeft.seconds" numerus="yes">
        <source>About %Ln seconds left</source>
        <translation>
            <numerusform>About %Ln second left</numerusform>
            <numerusform>About %Ln seconds left</numerusform>
        </translation>
    </message>
    <message id="progress.trash" numerus="yes">
        <source>Moving %Ln items to the trash</source>
        <translation>
            <numerusform>Moving %Ln item to the trash</numerusform>
            <numerusform>Moving %Ln items to the trash</numerusform>
        </translation>
    </message>
    <message id="progress.waiting">
        <source>Waiting: %1</source>
        <translation>Waiting: %1</translation>
    </message>
    <message id="recovery.batchRename">
        <source>Recovered an interrupted batch rename</source>
        <translation>Recovered an interrupted batch rename</translation>
    </message>
    <message id="recovery.completed" numerus="yes">
        <source>%Ln items completed</source>
        <translation>
            <numerusform>%Ln item completed</numerusform>
            <numerusform>%Ln items completed</numerusform>
        </translation>
    </message>
    <message id="recovery.copy">
        <source>Recovered an interrupted copy</source>
        <translation>Recovered an interrupted copy</translation>
    </message>
    <message id="recovery.move">
        <source>Recovered an interrupted move</source>
        <translation>Recovered an interrupted move</translation>
    </message>
    <message id="recovery.nothingChanged">
        <source>nothing had been changed</source>
        <translation>nothing had been changed</translation>
    </message>
    <message id="recovery.restored" numerus="yes">
        <source>%Ln items put back</source>
        <translation>
            <numerusform>%Ln item put back</numerusform>
            <numerusform>%Ln items put back</numerusform>
        </translation>
    </message>
    <message id="recovery.sentence">
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message id="recovery.separator">
        <source>, </source>
        <translation>, </translation>
    </message>
    <message id="recovery.trash">
        <source>Recovered an interrupted move to the trash</source>
        <translation>Recovered an interrupted move to the trash</translation>
    </message>
    <message id="recovery.undecided">
        <source>left as found, since changed meanwhile: %1</source>
        <translation>left as found, since changed meanwhile: %1</translation>
    </message>
    <message id="app.menu.edit">
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message id="app.menu.undo">
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message id="app.menu.redo">
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message id="app.menu.undoNamed">
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message id="app.menu.redoNamed">
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message id="app.menu.showTrash">
        <source>Show Trash</source>
        <translation>Show Trash</translation>
    </message>
    <message id="app.menu.emptyTrash">
        <source>Empty Trash…</source>
        <translation>Empty Trash…</translation>
    </message>
    <message id="progress.restore" numerus="yes">
        <source>Restoring %Ln items from the trash</source>
        <translation>
            <numerusform>Restoring %Ln item from the trash</numerusform>
            <numerusform>Restoring %Ln items from the trash</numerusform>
        </translation>
    </message>
    <message id="progress.deleteForGood" numerus="yes">
        <source>Deleting %Ln items for good</source>
        <translation>
            <numerusform>Deleting %Ln item for good</numerusform>
            <numerusform>Deleting %Ln items for good</numerusform>
        </translation>
    </message>
    <message id="progress.emptyTrash">
        <source>Emptying the trash</source>
        <translation>Emptying the trash</translation>
    </message>
    <message id="trash.tabTitle">
        <source>Trash</source>
        <translation>Trash</translation>
    </message>
    <message id="trash.column.originalLocation">
        <source>Original Location</source>
        <translation>Original Location</translation>
    </message>
    <message id="trash.column.deleted">
        <source>Date Deleted</source>
        <translation>Date Deleted</translation>
    </message>
    <message id="trash.hints">
        <source>Return: restore · Delete or d: delete permanently · E: empty trash · s: filter · 1–4: sort · Space: mark</source>
        <translation>Return: restore · Delete or d: delete permanently · E: empty trash · s: filter · 1–4: sort · Space: mark</translation>
    </message>
    <message id="trash.summary" numerus="yes">
        <source>%n items, %1</source>
        <translation>
            <numerusform>%n item, %1</numerusform>
            <numerusform>%n items, %1</numerusform>
        </translation>
    </message>
    <message id="trash.summary.noSize" numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message id="trash.summary.empty">
        <source>The trash is empty</source>
        <translation>The trash is empty</translation>
    </message>
    <message id="trash.menu.restore">
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message id="trash.menu.deleteForGood">
        <source>Delete Permanently…</source>
        <translation>Delete Permanently…</translation>
    </message>
    <message id="trash.delete.title">
        <source>Delete Permanently</source>
        <translation>Delete Permanently</translation>
    </message>
    <message id="trash.delete.confirm">
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message id="trash.delete.message" numerus="yes">
        <source>Delete %n items (%1) for good? This cannot be undone.</source>
        <translation>
            <numerusform>Delete %n item (%1) for good? This cannot be undone.</numerusform>
            <numerusform>Delete %n items (%1) for good? This cannot be undone.</numerusform>
        </translation>
    </message>
    <message id="trash.delete.messageNoSize" numerus="yes">
        <source>Delete %n items for good? This cannot be undone.</source>
        <translation>
            <numerusform>Delete %n item for good? This cannot be undone.</numerusform>
            <numerusform>Delete %n items for good? This cannot be undone.</numerusform>
        </translation>
    </message>
    <message id="trash.empty.title">
        <source>Empty Trash</source>
        <translation>Empty Trash</translation>
    </message>
    <message id="trash.empty.confirm">
        <source>Empty Trash</source>
        <translation>Empty Trash</translation>
    </message>
    <message id="trash.empty.message" numerus="yes">
        <source>Empty the trash? Its %n items (%1) will be deleted for good. This cannot be undone.</source>
        <translation>
            <numerusform>Empty the trash? Its %n item (%1) will be deleted for good. This cannot be undone.</numerusform>
            <numerusform>Empty the trash? Its %n items (%1) will be deleted for good. This cannot be undone.</numerusform>
        </translation>
    </message>
    <message id="trash.empty.messageNoSize" numerus="yes">
        <source>Empty the trash? Its %n items will be deleted for good. This cannot be undone.</source>
        <translation>
            <numerusform>Empty the trash? Its %n item will be deleted for good. This cannot be undone.</numerusform>
            <numerusform>Empty the trash? Its %n items will be deleted for good. This cannot be undone.</numerusform>
        </translation>
    </message>
    <message id="trash.empty.already">
        <source>The trash is already empty.</source>
        <translation>The trash is already empty.</translation>
    </message>
    <message id="trash.error.deleteFailed">
        <source>The items could not be deleted.</source>
        <translation>The items could not be deleted.</translation>
    </message>
    <message id="palette.action.showTrash">
        <source>Show trash</source>
        <translation>Show trash</translation>
    </message>
    <message id="palette.action.emptyTrash">
        <source>Empty trash…</source>
        <translation>Empty trash…</translation>
    </message>
    <message id="recovery.restore">
        <source>Recovered an interrupted restore from the trash</source>
        <translation>Recovered an interrupted restore from the trash</translation>
    </message>
    <message id="deleteForGood.permissionDenied">
        <source>Could not delete “%1” for good: permission denied. What was deleted before it is gone for good; the rest is still in the trash.</source>
        <translation>Could not delete “%1” for good: permission denied. What was deleted before it is gone for good; the rest is still in the trash.</translation>
    </message>
    <message id="deleteForGood.failed">
        <source>Could not delete “%1” for good. What was deleted before it is gone for good; the rest is still in the trash.</source>
        <translation>Could not delete “%1” for good. What was deleted before it is gone for good; the rest is still in the trash.</translation>
    </message>
    <message id="deleteForGood.failedBecause">
        <source>Could not delete “%1” for good: %2. What was deleted before it is gone for good; the rest is still in the trash.</source>
        <translation>Could not delete “%1” for good: %2. What was deleted before it is gone for good; the rest is still in the trash.</translation>
    </message>
    <message id="deleteForGood.notDeleted">
        <source>Could not delete these items for good: %1. They are still in the trash.</source>
        <translation>Could not delete these items for good: %1. They are still in the trash.</translation>
    </message>
    <message id="deleteForGood.cancelled">
        <source>Deleting for good was stopped. What was deleted before the stop is gone for good; the rest is still in the trash.</source>
        <translation>Deleting for good was stopped. What was deleted before the stop is gone for good; the rest is still in the trash.</translation>
    </message>
    <message id="trash.notInTrash">
        <source>it is not an item in the trash</source>
        <translation>it is not an item in the trash</translation>
    </message>
    <message id="trash.noRecord">
        <source>its trash record is missing or cannot be read</source>
        <translation>its trash record is missing or cannot be read</translation>
    </message>
    <message id="progress.undo">
        <source>Undoing: %1</source>
        <translation>Undoing: %1</translation>
    </message>
    <message id="progress.redo">
        <source>Redoing: %1</source>
        <translation>Redoing: %1</translation>
    </message>
    <message id="progress.rename">
        <source>Renaming “%1” to “%2”</source>
        <translation>Renaming “%1” to “%2”</translation>
    </message>
    <message id="progress.create">
        <source>Creating “%1”</source>
        <translation>Creating “%1”</translation>
    </message>
    <message id="operation.trash" numerus="yes">
        <source>move %Ln items to the trash</source>
        <translation>
            <numerusform>move %Ln item to the trash</numerusform>
            <numerusform>move %Ln items to the trash</numerusform>
        </translation>
    </message>
    <message id="operation.move" numerus="yes">
        <source>move %Ln items to “%1”</source>
        <translation>
            <numerusform>move %Ln item to “%1”</numerusform>
            <numerusform>move %Ln items to “%1”</numerusform>
        </translation>
    </message>
    <message id="operation.copy" numerus="yes">
        <source>copy %Ln items to “%1”</source>
        <translation>
            <numerusform>copy %Ln item to “%1”</numerusform>
            <numerusform>copy %Ln items to “%1”</numerusform>
        </translation>
    </message>
    <message id="operation.batchRename" numerus="yes">
        <source>rename %Ln items</source>
        <translation>
            <numerusform>rename %Ln item</numerusform>
            <numerusform>rename %Ln items</numerusform>
        </translation>
    </message>
    <message id="operation.restore" numerus="yes">
        <source>restore %Ln items from the trash</source>
        <translation>
            <numerusform>restore %Ln item from the trash</numerusform>
            <numerusform>restore %Ln items from the trash</numerusform>
        </translation>
    </message>
    <message id="operation.deleteForGood" numerus="yes">
        <source>delete %Ln items for good</source>
        <translation>
            <numerusform>delete %Ln item for good</numerusform>
            <numerusform>delete %Ln items for good</numerusform>
        </translation>
    </message>
    <message id="operation.emptyTrash">
        <source>empty the trash</source>
        <translation>empty the trash</translation>
    </message>
    <message id="operation.rename">
        <source>rename “%1” to “%2”</source>
        <translation>rename “%1” to “%2”</translation>
    </message>
    <message id="operation.createFile">
        <source>create file “%1”</source>
        <translation>create file “%1”</translation>
    </message>
    <message id="operation.createFolder">
        <source>create folder “%1”</source>
        <translation>create folder “%1”</translation>
    </message>
    <message id="undo.done">
        <source>Undid: %1</source>
        <translation>Undid: %1</translation>
    </message>
    <message id="undo.redone">
        <source>Redid: %1</source>
        <translation>Redid: %1</translation>
    </message>
    <message id="undo.nothingToUndo">
        <source>Nothing to undo</source>
        <translation>Nothing to undo</translation>
    </message>
    <message id="undo.nothingToRedo">
        <source>Nothing to redo</source>
        <translation>Nothing to redo</translation>
    </message>
    <message id="undo.refused.others" numerus="yes">
        <source>(and %Ln more)</source>
        <translation>
            <numerusform>(and %Ln more)</numerusform>
            <numerusform>(and %Ln more)</numerusform>
        </translation>
    </message>
    <message id="undo.refused.nothingChanged">
        <source>Nothing was changed.</source>
        <translation>Nothing was changed.</translation>
    </message>
    <message id="palette.undo">
        <source>Undo: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message id="palette.redo">
        <source>Redo: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message id="undo.refused.missing">
        <source>Cannot undo %1: “%2” is no longer where it was left.</source>
        <translation>Cannot undo %1: “%2” is no longer where it was left.</translation>
    </message>
    <message id="undo.refused.changed">
        <source>Cannot undo %1: “%2” has changed since.</source>
        <translation>Cannot undo %1: “%2” has changed since.</translation>
    </message>
    <message id="undo.refused.taken">
        <source>Cannot undo %1: something else is now at “%2”.</source>
        <translation>Cannot undo %1: something else is now at “%2”.</translation>
    </message>
    <message id="redo.refused.missing">
        <source>Cannot redo %1: “%2” is no longer where it was left.</source>
        <translation>Cannot redo %1: “%2” is no longer where it was left.</translation>
    </message>
    <message id="redo.refused.changed">
        <source>Cannot redo %1: “%2” has changed since.</source>
        <translation>Cannot redo %1: “%2” has changed since.</translation>
    </message>
    <message id="redo.refused.taken">
        <source>Cannot redo %1: something else is now at “%2”.</source>
        <translation>Cannot redo %1: something else is now at “%2”.</translation>
    </message>
    <message id="undo.cancelled">
        <source>Cancelled %1 before it began. Nothing was changed.</source>
        <translation>Cancelled %1 before it began. Nothing was changed.</translation>
    </message>
    <message id="app.menu.cutFiles">
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message id="app.menu.copyFiles">
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message id="app.menu.pasteFiles">
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message id="content.toast.filesCut">
        <source>Cut to the clipboard</source>
        <translation>Cut to the clipboard</translation>
    </message>
    <message id="content.toast.filesCopied">
        <source>Copied to the clipboard</source>
        <translation>Copied to the clipboard</translation>
    </message>
    <message id="menu.openAs.none">
        <source>No application can open this file</source>
        <translation>No application can open this file</translation>
    </message>
    <message id="content.error.noApplication">
        <source>No application is registered to open “%1”.</source>
        <translation>No application is registered to open “%1”.</translation>
    </message>
    <message id="content.error.openFailed">
        <source>“%1” could not be opened.</source>
        <translation>“%1” could not be opened.</translation>
    </message>
</context>
</TS>
