<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name></name>
    <message id="addressbar.filterPlaceholder">
        <source>Filter by name</source>
        <translation>名前で絞り込み</translation>
    </message>
    <message id="addressbar.markedCount" numerus="yes">
        <source>%n marked</source>
        <translation>
            <numerusform>%n 件マーク中</numerusform>
        </translation>
    </message>
    <message id="app.menu.bookmarks">
        <source>Bookmarks</source>
        <translation>ブックマーク</translation>
    </message>
    <message id="app.menu.closeTab">
        <source>Close tab</source>
        <translation>タブを閉じる</translation>
    </message>
    <message id="app.menu.commandPalette">
        <source>Command palette</source>
        <translation>コマンドパレット</translation>
    </message>
    <message id="app.menu.newTab">
        <source>New tab</source>
        <translation>新規タブ</translation>
    </message>
    <message id="appshell.noTab">
        <source>No tab is open</source>
        <translation>開いているタブはありません</translation>
    </message>
    <message id="batchRename.button.cancel">
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message id="batchRename.button.rename">
        <source>Rename</source>
        <translation>名前を変更</translation>
    </message>
    <message id="batchRename.count" numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n 件の項目</numerusform>
        </translation>
    </message>
    <message id="batchRename.error.conflict">
        <source>Name already in use</source>
        <translation>同じ名前の項目があります</translation>
    </message>
    <message id="batchRename.error.duplicate">
        <source>Duplicate name</source>
        <translation>名前が重複しています</translation>
    </message>
    <message id="batchRename.error.emptyName">
        <source>Name is empty</source>
        <translation>名前が空です</translation>
    </message>
    <message id="batchRename.error.failed">
        <source>The items could not be renamed.</source>
        <translation>名前を変更できませんでした。</translation>
    </message>
    <message id="batchRename.error.invalidName">
        <source>Name cannot be used</source>
        <translation>使用できない名前です</translation>
    </message>
    <message id="batchRename.error.invalidRegex">
        <source>Invalid regular expression</source>
        <translation>正規表現が正しくありません</translation>
    </message>
    <message id="batchRename.field.baseName">
        <source>Base name</source>
        <translation>基本の名前</translation>
    </message>
    <message id="batchRename.field.digits">
        <source>Digits</source>
        <translation>桁数</translation>
    </message>
    <message id="batchRename.field.findString">
        <source>Find</source>
        <translation>検索する文字列</translation>
    </message>
    <message id="batchRename.field.prefix">
        <source>Prefix</source>
        <translation>前に付ける文字</translation>
    </message>
    <message id="batchRename.field.regexPattern">
        <source>Pattern</source>
        <translation>パターン</translation>
    </message>
    <message id="batchRename.field.regexTemplate">
        <source>Replacement</source>
        <translation>置換後の名前</translation>
    </message>
    <message id="batchRename.field.replaceWith">
        <source>Replace with</source>
        <translation>置換後の文字列</translation>
    </message>
    <message id="batchRename.field.startNumber">
        <source>Start at</source>
        <translation>開始番号</translation>
    </message>
    <message id="batchRename.field.suffix">
        <source>Suffix</source>
        <translation>後ろに付ける文字</translation>
    </message>
    <message id="batchRename.mode.affix">
        <source>Add text</source>
        <translation>文字を追加</translation>
    </message>
    <message id="batchRename.mode.regex">
        <source>Regular expression</source>
        <translation>正規表現</translation>
    </message>
    <message id="batchRename.mode.replace">
        <source>Replace text</source>
        <translation>文字を置換</translation>
    </message>
    <message id="batchRename.mode.sequential">
        <source>Numbering</source>
        <translation>連番</translation>
    </message>
    <message id="batchRename.preview">
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message id="batchRename.rule">
        <source>Rule</source>
        <translation>ルール</translation>
    </message>
    <message id="batchRename.title">
        <source>Rename items</source>
        <translation>まとめて名前を変更</translation>
    </message>
    <message id="bookmark.button.delete">
        <source>Remove bookmark</source>
        <translation>ブックマークを削除</translation>
    </message>
    <message id="bookmark.empty">
        <source>No bookmarks</source>
        <translation>ブックマークはありません</translation>
    </message>
    <message id="bookmark.emptyHint">
        <source>Press + in a folder to bookmark it.</source>
        <translation>フォルダを表示中に + キーを押すとブックマークに追加できます。</translation>
    </message>
    <message id="bookmark.filter.noMatch">
        <source>No matching bookmarks</source>
        <translation>一致するブックマークはありません</translation>
    </message>
    <message id="bookmark.filter.placeholder">
        <source>Filter bookmarks</source>
        <translation>ブックマークを絞り込み</translation>
    </message>
    <message id="bookmark.hint.close">
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message id="bookmark.hint.delete">
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message id="bookmark.hint.move">
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message id="bookmark.hint.open">
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message id="chooser.cancel">
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message id="chooser.filter">
        <source>Filter destinations</source>
        <translation>候補を絞り込む</translation>
    </message>
    <message id="chooser.foldersTitle">
        <source>Folders</source>
        <translation>フォルダ</translation>
    </message>
    <message id="chooser.keyHints">
        <source>Return: choose · Esc: cancel · Tab: switch lists · →: open folder · ← or Backspace: parent folder · .: hidden folders</source>
        <translation>Return: 選択 · Esc: キャンセル · Tab: リストの切り替え · →: フォルダを開く · ← / Backspace: 親フォルダ · .: 隠しフォルダ</translation>
    </message>
    <message id="chooser.loading">
        <source>Loading…</source>
        <translation>読み込み中…</translation>
    </message>
    <message id="chooser.noFolders">
        <source>No folders here</source>
        <translation>フォルダはありません</translation>
    </message>
    <message id="chooser.noMatches">
        <source>No destination matches</source>
        <translation>一致する候補はありません</translation>
    </message>
    <message id="chooser.quickTitle">
        <source>Quick destinations</source>
        <translation>すぐに選べるフォルダ</translation>
    </message>
    <message id="chooser.shownFolder">
        <source>Shown folder</source>
        <translation>表示中のフォルダ</translation>
    </message>
    <message id="chooser.thisFolder">
        <source>This folder</source>
        <translation>このフォルダ</translation>
    </message>
    <message id="chooser.title">
        <source>Choose a folder</source>
        <translation>フォルダを選択</translation>
    </message>
    <message id="chooser.unreadable">
        <source>This folder cannot be read</source>
        <translation>このフォルダは読み込めません</translation>
    </message>
    <message id="conflict.button.cancel">
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message id="conflict.button.confirm">
        <source>Continue</source>
        <translation>続行</translation>
    </message>
    <message id="conflict.choice.overwrite">
        <source>Replace</source>
        <translation>上書き</translation>
    </message>
    <message id="conflict.choice.rename">
        <source>Rename</source>
        <translation>名前を変更</translation>
    </message>
    <message id="conflict.choice.skip">
        <source>Skip</source>
        <translation>スキップ</translation>
    </message>
    <message id="conflict.error.failed">
        <source>The items could not be transferred.</source>
        <translation>項目を転送できませんでした。</translation>
    </message>
    <message id="conflict.field.newName">
        <source>New name</source>
        <translation>新しい名前</translation>
    </message>
    <message id="conflict.message.withDest" numerus="yes">
        <source>%n items with the same names already exist in “%1”. Choose what to do with each.</source>
        <translation>
            <numerusform>「%1」には同じ名前の項目がすでに %n 件あります。それぞれの扱いを選んでください。</numerusform>
        </translation>
    </message>
    <message id="conflict.message.withoutDest" numerus="yes">
        <source>%n items with the same names already exist. Choose what to do with each.</source>
        <translation>
            <numerusform>同じ名前の項目がすでに %n 件あります。それぞれの扱いを選んでください。</numerusform>
        </translation>
    </message>
    <message id="conflict.title">
        <source>Items already exist</source>
        <translation>同じ名前の項目があります</translation>
    </message>
    <message id="content.error.sameFolderMove">
        <source>Items can’t be moved into the folder they are already in.</source>
        <translation>項目を同じフォルダへ移動することはできません。</translation>
    </message>
    <message id="content.menu.copy">
        <source>Copy to…</source>
        <translation>コピー…</translation>
    </message>
    <message id="content.menu.copyPath">
        <source>Copy path</source>
        <translation>パスをコピー</translation>
    </message>
    <message id="content.menu.move">
        <source>Move to…</source>
        <translation>移動…</translation>
    </message>
    <message id="content.menu.moveToTrash">
        <source>Move to trash</source>
        <translation>ゴミ箱に移動</translation>
    </message>
    <message id="content.menu.newFile">
        <source>New file</source>
        <translation>新規ファイル</translation>
    </message>
    <message id="content.menu.newFolder">
        <source>New folder</source>
        <translation>新規フォルダ</translation>
    </message>
    <message id="content.menu.rename">
        <source>Rename…</source>
        <translation>名前を変更…</translation>
    </message>
    <message id="content.panel.copyMessage">
        <source>Choose the folder to copy the marked items to</source>
        <translation>マークした項目のコピー先フォルダを選んでください</translation>
    </message>
    <message id="content.panel.copyPrompt">
        <source>Copy here</source>
        <translation>ここにコピー</translation>
    </message>
    <message id="content.panel.moveMessage">
        <source>Choose the folder to move the marked items to</source>
        <translation>マークした項目の移動先フォルダを選んでください</translation>
    </message>
    <message id="content.panel.movePrompt">
        <source>Move here</source>
        <translation>ここに移動</translation>
    </message>
    <message id="content.toast.bookmarkAdded">
        <source>Bookmark added</source>
        <translation>ブックマークに追加しました</translation>
    </message>
    <message id="content.toast.pathCopied">
        <source>Path copied</source>
        <translation>パスをコピーしました</translation>
    </message>
    <message id="create.button.cancel">
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message id="create.button.create">
        <source>Create</source>
        <translation>作成</translation>
    </message>
    <message id="create.error.alreadyExists">
        <source>An item with this name already exists.</source>
        <translation>同じ名前の項目がすでにあります。</translation>
    </message>
    <message id="create.error.failed">
        <source>The item could not be created.</source>
        <translation>項目を作成できませんでした。</translation>
    </message>
    <message id="create.error.invalidChar">
        <source>Names can’t contain “/” or the null character.</source>
        <translation>名前に「/」やヌル文字は使えません。</translation>
    </message>
    <message id="create.field.name">
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message id="create.title.file">
        <source>New file</source>
        <translation>新規ファイル</translation>
    </message>
    <message id="create.title.folder">
        <source>New folder</source>
        <translation>新規フォルダ</translation>
    </message>
    <message id="delete.button.cancel">
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message id="delete.button.delete">
        <source>Move to trash</source>
        <translation>ゴミ箱に移動</translation>
    </message>
    <message id="delete.error.failed">
        <source>The items could not be moved to the trash.</source>
        <translation>ゴミ箱に移動できませんでした。</translation>
    </message>
    <message id="delete.message" numerus="yes">
        <source>Move %n marked items to the trash?</source>
        <translation>
            <numerusform>マークした %n 件の項目をゴミ箱に移動しますか？</numerusform>
        </translation>
    </message>
    <message id="delete.title">
        <source>Move to trash</source>
        <translation>ゴミ箱に移動</translation>
    </message>
    <message id="help.command.selectTab">
        <source>Go to tab 1–9</source>
        <translation>タブ 1〜9 に切り替え</translation>
    </message>
    <message id="help.command.settings">
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message id="help.section.app">
        <source>Application</source>
        <translation>アプリケーション</translation>
    </message>
    <message id="help.section.batch">
        <source>Marked items</source>
        <translation>マークした項目</translation>
    </message>
    <message id="help.section.file">
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message id="help.section.help">
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message id="help.section.mark">
        <source>Marks</source>
        <translation>マーク</translation>
    </message>
    <message id="help.section.navigation">
        <source>Navigation</source>
        <translation>ナビゲーション</translation>
    </message>
    <message id="help.section.tab">
        <source>Tabs and bookmarks</source>
        <translation>タブとブックマーク</translation>
    </message>
    <message id="help.section.view">
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message id="help.title">
        <source>Keyboard shortcuts</source>
        <translation>キーボードショートカット</translation>
    </message>
    <message id="nav.addBookmark">
        <source>Add bookmark</source>
        <translation>ブックマークに追加</translation>
    </message>
    <message id="nav.clearMarks">
        <source>Clear marks</source>
        <translation>マークをすべて解除</translation>
    </message>
    <message id="nav.copyMarked">
        <source>Copy marked items</source>
        <translation>マークした項目をコピー</translation>
    </message>
    <message id="nav.copyPath">
        <source>Copy path</source>
        <translation>パスをコピー</translation>
    </message>
    <message id="nav.createFile">
        <source>New file</source>
        <translation>新規ファイル</translation>
    </message>
    <message id="nav.createFolder">
        <source>New folder</source>
        <translation>新規フォルダ</translation>
    </message>
    <message id="nav.deleteMarked">
        <source>Move marked items to trash</source>
        <translation>マークした項目をゴミ箱に移動</translation>
    </message>
    <message id="nav.fuzzySearch">
        <source>Fuzzy search</source>
        <translation>あいまい検索</translation>
    </message>
    <message id="nav.goBack">
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message id="nav.goForward">
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message id="nav.goToParent">
        <source>Parent folder</source>
        <translation>親フォルダへ</translation>
    </message>
    <message id="nav.moveMarked">
        <source>Move marked items</source>
        <translation>マークした項目を移動</translation>
    </message>
    <message id="nav.nextTab">
        <source>Next tab</source>
        <translation>次のタブ</translation>
    </message>
    <message id="nav.openContextMenu">
        <source>Show context menu</source>
        <translation>コンテキストメニューを表示</translation>
    </message>
    <message id="nav.openInTerminal">
        <source>Open in terminal</source>
        <translation>ターミナルで開く</translation>
    </message>
    <message id="nav.openSelection">
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message id="nav.prevTab">
        <source>Previous tab</source>
        <translation>前のタブ</translation>
    </message>
    <message id="nav.rename">
        <source>Rename</source>
        <translation>名前を変更</translation>
    </message>
    <message id="nav.showHelp">
        <source>Show or hide help</source>
        <translation>ヘルプの表示/非表示</translation>
    </message>
    <message id="nav.sortByDate">
        <source>Sort by date modified</source>
        <translation>変更日で並べ替え</translation>
    </message>
    <message id="nav.sortByKind">
        <source>Sort by kind</source>
        <translation>種類で並べ替え</translation>
    </message>
    <message id="nav.sortByName">
        <source>Sort by name</source>
        <translation>名前で並べ替え</translation>
    </message>
    <message id="nav.sortBySize">
        <source>Sort by size</source>
        <translation>サイズで並べ替え</translation>
    </message>
    <message id="nav.toggleHidden">
        <source>Show or hide hidden files</source>
        <translation>隠しファイルの表示/非表示</translation>
    </message>
    <message id="nav.toggleMark">
        <source>Mark or unmark</source>
        <translation>マークを付ける/外す</translation>
    </message>
    <message id="palette.errorNotFound">
        <source>“%1” no longer exists.</source>
        <translation>「%1」が見つかりません。</translation>
    </message>
    <message id="palette.noResults">
        <source>No results</source>
        <translation>一致する項目はありません</translation>
    </message>
    <message id="palette.results">
        <source>Results</source>
        <translation>検索結果</translation>
    </message>
    <message id="palette.searchPlaceholder">
        <source>Search commands, folders and bookmarks</source>
        <translation>コマンド、フォルダ、ブックマークを検索</translation>
    </message>
    <message id="rename.button.cancel">
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message id="rename.button.confirm">
        <source>Rename</source>
        <translation>名前を変更</translation>
    </message>
    <message id="rename.error.failed">
        <source>The item could not be renamed.</source>
        <translation>名前を変更できませんでした。</translation>
    </message>
    <message id="rename.field.newName">
        <source>New name</source>
        <translation>新しい名前</translation>
    </message>
    <message id="rename.title">
        <source>Rename</source>
        <translation>名前の変更</translation>
    </message>
    <message id="settings.general.autoCheck">
        <source>Check for updates automatically</source>
        <translation>アップデートを自動的に確認</translation>
    </message>
    <message id="settings.general.checkNow">
        <source>Check now</source>
        <translation>今すぐ確認</translation>
    </message>
    <message id="settings.general.language">
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message id="settings.general.languageSystem">
        <source>System default</source>
        <translation>システムの設定に従う</translation>
    </message>
    <message id="settings.general.updates">
        <source>Updates</source>
        <translation>アップデート</translation>
    </message>
    <message id="settings.general.updatesByDistribution">
        <source>Quillmere is updated with your distribution&apos;s packages.</source>
        <translation>Quillmere はディストリビューションのパッケージとして更新されます。</translation>
    </message>
    <message id="settings.mark.color">
        <source>Mark color</source>
        <translation>マークの色</translation>
    </message>
    <message id="settings.mark.color.accent">
        <source>Accent color</source>
        <translation>アクセントカラー</translation>
    </message>
    <message id="settings.mark.color.black">
        <source>Black</source>
        <translation>黒</translation>
    </message>
    <message id="settings.mark.color.blue">
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message id="settings.mark.color.gray">
        <source>Gray</source>
        <translation>グレー</translation>
    </message>
    <message id="settings.mark.color.green">
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message id="settings.mark.color.orange">
        <source>Orange</source>
        <translation>オレンジ</translation>
    </message>
    <message id="settings.mark.color.purple">
        <source>Purple</source>
        <translation>紫</translation>
    </message>
    <message id="settings.mark.color.red">
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message id="settings.mark.color.yellow">
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message id="settings.mark.glyph">
        <source>Mark symbol</source>
        <translation>マークの記号</translation>
    </message>
    <message id="settings.mark.preview">
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message id="settings.mark.previewFilename">
        <source>Document.txt</source>
        <translation>書類.txt</translation>
    </message>
    <message id="settings.mark.resetToDefault">
        <source>Restore defaults</source>
        <translation>初期設定に戻す</translation>
    </message>
    <message id="settings.tab.general">
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message id="settings.tab.mark">
        <source>Marks</source>
        <translation>マーク</translation>
    </message>
    <message id="settings.tab.terminal">
        <source>Terminal</source>
        <translation>ターミナル</translation>
    </message>
    <message id="settings.terminal.app">
        <source>Terminal application</source>
        <translation>ターミナルアプリケーション</translation>
    </message>
    <message id="settings.terminal.checking">
        <source>Looking for installed terminals…</source>
        <translation>インストール済みのターミナルを確認しています…</translation>
    </message>
    <message id="settings.terminal.hint">
        <source>Press t in the file list to open the current folder in this terminal.</source>
        <translation>ファイル一覧で t キーを押すと、表示中のフォルダをこのターミナルで開きます。</translation>
    </message>
    <message id="settings.terminal.noApp">
        <source>No supported terminal is installed.</source>
        <translation>対応しているターミナルがインストールされていません。</translation>
    </message>
    <message id="settings.terminal.openMode">
        <source>Open in</source>
        <translation>開き方</translation>
    </message>
    <message id="settings.terminal.tabNotSupported">
        <source>This terminal always opens a new window.</source>
        <translation>このターミナルは常に新しいウィンドウで開きます。</translation>
    </message>
    <message id="settings.terminal.test">
        <source>Test</source>
        <translation>テスト</translation>
    </message>
    <message id="settings.terminal.testFailed">
        <source>The terminal could not be opened: %1</source>
        <translation>ターミナルを開けませんでした: %1</translation>
    </message>
    <message id="sidebar.closeTab">
        <source>Close tab</source>
        <translation>タブを閉じる</translation>
    </message>
    <message id="sidebar.newTab">
        <source>New tab</source>
        <translation>新規タブ</translation>
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
        <translation>ターミナル</translation>
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
        <translation>新しいタブ</translation>
    </message>
    <message id="terminal.openMode.newWindow">
        <source>New window</source>
        <translation>新しいウィンドウ</translation>
    </message>
    <message id="%lld / %lld">
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message id="%lld items" numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n 項目</numerusform>
        </translation>
    </message>
    <message id="Date Modified">
        <source>Date modified</source>
        <translation>変更日</translation>
    </message>
    <message id="Kind">
        <source>Kind</source>
        <translation>種類</translation>
    </message>
    <message id="Name">
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message id="Open as...">
        <source>Open with</source>
        <translation>アプリケーションで開く</translation>
    </message>
    <message id="Size">
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message id="Tab %lld">
        <source>Tab %1</source>
        <translation>タブ %1</translation>
    </message>
    <message id="Tabs">
        <source>Tabs</source>
        <translation>タブ</translation>
    </message>
    <message id="コピー">
        <source>Copy to…</source>
        <translation>コピー</translation>
    </message>
    <message id="ゴミ箱に移動">
        <source>Move to trash</source>
        <translation>ゴミ箱に移動</translation>
    </message>
    <message id="パスをコピー">
        <source>Copy path</source>
        <translation>パスをコピー</translation>
    </message>
    <message id="リネーム">
        <source>Rename</source>
        <translation>リネーム</translation>
    </message>
    <message id="新規ファイル">
        <source>New file</source>
        <translation>新規ファイル</translation>
    </message>
    <message id="新規フォルダ">
        <source>New folder</source>
        <translation>新規フォルダ</translation>
    </message>
    <message id="移動">
        <source>Move to…</source>
        <translation>移動</translation>
    </message>
    <message id="addressbar.loading">
        <source>Loading…</source>
        <translation>読み込み中…</translation>
    </message>
    <message id="app.menu.file">
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message id="app.menu.quit">
        <source>Quit Quillmere</source>
        <translation>Quillmere を終了</translation>
    </message>
    <message id="app.menu.view">
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message id="notice.dismiss">
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message id="palette.cancelOperation">
        <source>Cancel running operation</source>
        <translation>実行中の操作を中止</translation>
    </message>
    <message id="progress.batchRename" numerus="yes">
        <source>Renaming %Ln items</source>
        <translation>
            <numerusform>%Ln 項目の名前を変更中</numerusform>
        </translation>
    </message>
    <message id="progress.bytes">
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message id="progress.cancel">
        <source>Cancel</source>
        <translation>中止</translation>
    </message>
    <message id="progress.cancelRunning">
        <source>Cancel: %1</source>
        <translation>中止: %1</translation>
    </message>
    <message id="progress.cancelWaiting">
        <source>Take out of the queue: %1</source>
        <translation>待機列から外す: %1</translation>
    </message>
    <message id="progress.cancelling">
        <source>Cancelling…</source>
        <translation>中止しています…</translation>
    </message>
    <message id="progress.copy" numerus="yes">
        <source>Copying %Ln items to “%1”</source>
        <translation>
            <numerusform>%Ln 項目を「%1」にコピー中</numerusform>
        </translation>
    </message>
    <message id="progress.items" numerus="yes">
        <source>%1 of %Ln items</source>
        <translation>
            <numerusform>%Ln 項目中 %1 項目</numerusform>
        </translation>
    </message>
    <message id="progress.measuring">
        <source>Counting items…</source>
        <translation>項目を数えています…</translation>
    </message>
    <message id="progress.moreWaiting" numerus="yes">
        <source>%Ln more waiting</source>
        <translation>
            <numerusform>ほかに %Ln 件が待機中</numerusform>
        </translation>
    </message>
    <message id="progress.move" numerus="yes">
        <source>Moving %Ln items to “%1”</source>
        <translation>
            <numerusform>%Ln 項目を「%1」に移動中</numerusform>
        </translation>
    </message>
    <message id="progress.rate">
        <source>%1/s</source>
        <translation>%1/秒</translation>
    </message>
    <message id="progress.rollingBack">
        <source>Putting everything back…</source>
        <translation>すべてを元に戻しています…</translation>
    </message>
    <message id="progress.strip">
        <source>Running file operations</source>
        <translation>実行中のファイル操作</translation>
    </message>
    <message id="progress.timeLeft.hours" numerus="yes">
        <source>About %Ln hours left</source>
        <translation>
            <numerusform>残り約 %Ln 時間</numerusform>
        </translation>
    </message>
    <message id="progress.timeLeft.minutes" numerus="yes">
        <source>About %Ln minutes left</source>
        <translation>
            <numerusform>残り約 %Ln 分</numerusform>
        </translation>
    </message>
    <message id="progress.timeLeft.seconds" numerus="yes">
        <source>About %Ln seconds left</source>
        <translation>
            <numerusform>残り約 %Ln 秒</numerusform>
        </translation>
    </message>
    <message id="progress.trash" numerus="yes">
        <source>Moving %Ln items to the trash</source>
        <translation>
            <numerusform>%Ln 項目をゴミ箱に移動中</numerusform>
        </translation>
    </message>
    <message id="progress.waiting">
        <source>Waiting: %1</source>
        <translation>待機中: %1</translation>
    </message>
    <message id="recovery.batchRename">
        <source>Recovered an interrupted batch rename</source>
        <translation>中断された一括リネームを復旧しました</translation>
    </message>
    <message id="recovery.completed" numerus="yes">
        <source>%Ln items completed</source>
        <translation>
            <numerusform>%Ln 項目は完了</numerusform>
        </translation>
    </message>
    <message id="recovery.copy">
        <source>Recovered an interrupted copy</source>
        <translation>中断されたコピーを復旧しました</translation>
    </message>
    <message id="recovery.move">
        <source>Recovered an interrupted move</source>
        <translation>中断された移動を復旧しました</translation>
    </message>
    <message id="recovery.nothingChanged">
        <source>nothing had been changed</source>
        <translation>変更はありませんでした</translation>
    </message>
    <message id="recovery.restored" numerus="yes">
        <source>%Ln items put back</source>
        <translation>
            <numerusform>%Ln 項目は元に戻しました</numerusform>
        </translation>
    </message>
    <message id="recovery.sentence">
        <source>%1: %2.</source>
        <translation>%1：%2。</translation>
    </message>
    <message id="recovery.separator">
        <source>, </source>
        <translation>、</translation>
    </message>
    <message id="recovery.trash">
        <source>Recovered an interrupted move to the trash</source>
        <translation>中断されたゴミ箱への移動を復旧しました</translation>
    </message>
    <message id="recovery.undecided">
        <source>left as found, since changed meanwhile: %1</source>
        <translation>その後変更されていたためそのままにした項目: %1</translation>
    </message>
    <message id="app.menu.edit">
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message id="app.menu.undo">
        <source>Undo</source>
        <translation>取り消す</translation>
    </message>
    <message id="app.menu.redo">
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message id="app.menu.undoNamed">
        <source>Undo %1</source>
        <translation>取り消す: %1</translation>
    </message>
    <message id="app.menu.redoNamed">
        <source>Redo %1</source>
        <translation>やり直す: %1</translation>
    </message>
    <message id="app.menu.showTrash">
        <source>Show Trash</source>
        <translation>ゴミ箱を表示</translation>
    </message>
    <message id="app.menu.emptyTrash">
        <source>Empty Trash…</source>
        <translation>ゴミ箱を空にする…</translation>
    </message>
    <message id="progress.restore" numerus="yes">
        <source>Restoring %Ln items from the trash</source>
        <translation>
            <numerusform>%Ln 項目をゴミ箱から戻し中</numerusform>
        </translation>
    </message>
    <message id="progress.deleteForGood" numerus="yes">
        <source>Deleting %Ln items for good</source>
        <translation>
            <numerusform>%Ln 項目を完全に削除中</numerusform>
        </translation>
    </message>
    <message id="progress.emptyTrash">
        <source>Emptying the trash</source>
        <translation>ゴミ箱を空にしています</translation>
    </message>
    <message id="trash.tabTitle">
        <source>Trash</source>
        <translation>ゴミ箱</translation>
    </message>
    <message id="trash.column.originalLocation">
        <source>Original Location</source>
        <translation>元の場所</translation>
    </message>
    <message id="trash.column.deleted">
        <source>Date Deleted</source>
        <translation>削除日</translation>
    </message>
    <message id="trash.hints">
        <source>Return: restore · Delete or d: delete permanently · E: empty trash · s: filter · 1–4: sort · Space: mark</source>
        <translation>Return: 元に戻す · Delete または d: 完全に削除 · E: ゴミ箱を空にする · s: 絞り込み · 1–4: 並べ替え · Space: マーク</translation>
    </message>
    <message id="trash.summary" numerus="yes">
        <source>%n items, %1</source>
        <translation>
            <numerusform>%n 項目、%1</numerusform>
        </translation>
    </message>
    <message id="trash.summary.noSize" numerus="yes">
        <source>%n items</source>
        <translation>
            <numerusform>%n 項目</numerusform>
        </translation>
    </message>
    <message id="trash.summary.empty">
        <source>The trash is empty</source>
        <translation>ゴミ箱は空です</translation>
    </message>
    <message id="trash.menu.restore">
        <source>Restore</source>
        <translation>元に戻す</translation>
    </message>
    <message id="trash.menu.deleteForGood">
        <source>Delete Permanently…</source>
        <translation>完全に削除…</translation>
    </message>
    <message id="trash.delete.title">
        <source>Delete Permanently</source>
        <translation>完全に削除</translation>
    </message>
    <message id="trash.delete.confirm">
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message id="trash.delete.message" numerus="yes">
        <source>Delete %n items (%1) for good? This cannot be undone.</source>
        <translation>
            <numerusform>%n 項目（%1）を完全に削除しますか？この操作は取り消せません。</numerusform>
        </translation>
    </message>
    <message id="trash.delete.messageNoSize" numerus="yes">
        <source>Delete %n items for good? This cannot be undone.</source>
        <translation>
            <numerusform>%n 項目を完全に削除しますか？この操作は取り消せません。</numerusform>
        </translation>
    </message>
    <message id="trash.empty.title">
        <source>Empty Trash</source>
        <translation>ゴミ箱を空にする</translation>
    </message>
    <message id="trash.empty.confirm">
        <source>Empty Trash</source>
        <translation>空にする</translation>
    </message>
    <message id="trash.empty.message" numerus="yes">
        <source>Empty the trash? Its %n items (%1) will be deleted for good. This cannot be undone.</source>
        <translation>
            <numerusform>ゴミ箱を空にしますか？%n 項目（%1）が完全に削除されます。この操作は取り消せません。</numerusform>
        </translation>
    </message>
    <message id="trash.empty.messageNoSize" numerus="yes">
        <source>Empty the trash? Its %n items will be deleted for good. This cannot be undone.</source>
        <translation>
            <numerusform>ゴミ箱を空にしますか？%n 項目が完全に削除されます。この操作は取り消せません。</numerusform>
        </translation>
    </message>
    <message id="trash.empty.already">
        <source>The trash is already empty.</source>
        <translation>ゴミ箱はすでに空です。</translation>
    </message>
    <message id="trash.error.deleteFailed">
        <source>The items could not be deleted.</source>
        <translation>項目を削除できませんでした。</translation>
    </message>
    <message id="palette.action.showTrash">
        <source>Show trash</source>
        <translation>ゴミ箱を表示</translation>
    </message>
    <message id="palette.action.emptyTrash">
        <source>Empty trash…</source>
        <translation>ゴミ箱を空にする…</translation>
    </message>
    <message id="recovery.restore">
        <source>Recovered an interrupted restore from the trash</source>
        <translation>中断されたゴミ箱からの復元を復旧しました</translation>
    </message>
    <message id="deleteForGood.permissionDenied">
        <source>Could not delete “%1” for good: permission denied. What was deleted before it is gone for good; the rest is still in the trash.</source>
        <translation>権限がないため「%1」を完全に削除できませんでした。それより前に削除した項目は元に戻りません。残りはゴミ箱にあります。</translation>
    </message>
    <message id="deleteForGood.failed">
        <source>Could not delete “%1” for good. What was deleted before it is gone for good; the rest is still in the trash.</source>
        <translation>「%1」を完全に削除できませんでした。それより前に削除した項目は元に戻りません。残りはゴミ箱にあります。</translation>
    </message>
    <message id="deleteForGood.failedBecause">
        <source>Could not delete “%1” for good: %2. What was deleted before it is gone for good; the rest is still in the trash.</source>
        <translation>「%1」を完全に削除できませんでした: %2。それより前に削除した項目は元に戻りません。残りはゴミ箱にあります。</translation>
    </message>
    <message id="deleteForGood.notDeleted">
        <source>Could not delete these items for good: %1. They are still in the trash.</source>
        <translation>次の項目を完全に削除できませんでした: %1。これらはゴミ箱に残っています。</translation>
    </message>
    <message id="deleteForGood.cancelled">
        <source>Deleting for good was stopped. What was deleted before the stop is gone for good; the rest is still in the trash.</source>
        <translation>完全な削除を中止しました。中止までに削除した項目は元に戻りません。残りはゴミ箱にあります。</translation>
    </message>
    <message id="trash.notInTrash">
        <source>it is not an item in the trash</source>
        <translation>ゴミ箱の項目ではありません</translation>
    </message>
    <message id="trash.noRecord">
        <source>its trash record is missing or cannot be read</source>
        <translation>ゴミ箱の記録がないか、読み取れません</translation>
    </message>
    <message id="progress.undo">
        <source>Undoing: %1</source>
        <translation>取り消し中: %1</translation>
    </message>
    <message id="progress.redo">
        <source>Redoing: %1</source>
        <translation>やり直し中: %1</translation>
    </message>
    <message id="progress.rename">
        <source>Renaming “%1” to “%2”</source>
        <translation>「%1」を「%2」に名前変更中</translation>
    </message>
    <message id="progress.create">
        <source>Creating “%1”</source>
        <translation>「%1」を作成中</translation>
    </message>
    <message id="operation.trash" numerus="yes">
        <source>move %Ln items to the trash</source>
        <translation>
            <numerusform>%Ln 項目をゴミ箱へ移動</numerusform>
        </translation>
    </message>
    <message id="operation.move" numerus="yes">
        <source>move %Ln items to “%1”</source>
        <translation>
            <numerusform>%Ln 項目を「%1」へ移動</numerusform>
        </translation>
    </message>
    <message id="operation.copy" numerus="yes">
        <source>copy %Ln items to “%1”</source>
        <translation>
            <numerusform>%Ln 項目を「%1」へコピー</numerusform>
        </translation>
    </message>
    <message id="operation.batchRename" numerus="yes">
        <source>rename %Ln items</source>
        <translation>
            <numerusform>%Ln 項目の一括名前変更</numerusform>
        </translation>
    </message>
    <message id="operation.restore" numerus="yes">
        <source>restore %Ln items from the trash</source>
        <translation>
            <numerusform>%Ln 項目をゴミ箱から戻す</numerusform>
        </translation>
    </message>
    <message id="operation.deleteForGood" numerus="yes">
        <source>delete %Ln items for good</source>
        <translation>
            <numerusform>%Ln 項目を完全に削除</numerusform>
        </translation>
    </message>
    <message id="operation.emptyTrash">
        <source>empty the trash</source>
        <translation>ゴミ箱を空にする</translation>
    </message>
    <message id="operation.rename">
        <source>rename “%1” to “%2”</source>
        <translation>「%1」を「%2」に名前変更</translation>
    </message>
    <message id="operation.createFile">
        <source>create file “%1”</source>
        <translation>ファイル「%1」を作成</translation>
    </message>
    <message id="operation.createFolder">
        <source>create folder “%1”</source>
        <translation>フォルダ「%1」を作成</translation>
    </message>
    <message id="undo.done">
        <source>Undid: %1</source>
        <translation>取り消しました: %1</translation>
    </message>
    <message id="undo.redone">
        <source>Redid: %1</source>
        <translation>やり直しました: %1</translation>
    </message>
    <message id="undo.nothingToUndo">
        <source>Nothing to undo</source>
        <translation>取り消せる操作はありません</translation>
    </message>
    <message id="undo.nothingToRedo">
        <source>Nothing to redo</source>
        <translation>やり直せる操作はありません</translation>
    </message>
    <message id="undo.refused.others" numerus="yes">
        <source>(and %Ln more)</source>
        <translation>
            <numerusform>(ほか %Ln 項目)</numerusform>
        </translation>
    </message>
    <message id="undo.refused.nothingChanged">
        <source>Nothing was changed.</source>
        <translation>何も変更していません。</translation>
    </message>
    <message id="palette.undo">
        <source>Undo: %1</source>
        <translation>取り消す: %1</translation>
    </message>
    <message id="palette.redo">
        <source>Redo: %1</source>
        <translation>やり直す: %1</translation>
    </message>
    <message id="undo.refused.missing">
        <source>Cannot undo %1: “%2” is no longer where it was left.</source>
        <translation>%1 を取り消せません: 「%2」が置かれた場所にありません。</translation>
    </message>
    <message id="undo.refused.changed">
        <source>Cannot undo %1: “%2” has changed since.</source>
        <translation>%1 を取り消せません: 「%2」はその後変更されています。</translation>
    </message>
    <message id="undo.refused.taken">
        <source>Cannot undo %1: something else is now at “%2”.</source>
        <translation>%1 を取り消せません: 「%2」には別の項目があります。</translation>
    </message>
    <message id="redo.refused.missing">
        <source>Cannot redo %1: “%2” is no longer where it was left.</source>
        <translation>%1 をやり直せません: 「%2」が置かれた場所にありません。</translation>
    </message>
    <message id="redo.refused.changed">
        <source>Cannot redo %1: “%2” has changed since.</source>
        <translation>%1 をやり直せません: 「%2」はその後変更されています。</translation>
    </message>
    <message id="redo.refused.taken">
        <source>Cannot redo %1: something else is now at “%2”.</source>
        <translation>%1 をやり直せません: 「%2」には別の項目があります。</translation>
    </message>
    <message id="undo.cancelled">
        <source>Cancelled %1 before it began. Nothing was changed.</source>
        <translation>%1 を開始前に中止しました。何も変更していません。</translation>
    </message>
    <message id="app.menu.cutFiles">
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message id="app.menu.copyFiles">
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message id="app.menu.pasteFiles">
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message id="content.toast.filesCut">
        <source>Cut to the clipboard</source>
        <translation>クリップボードに切り取りました</translation>
    </message>
    <message id="content.toast.filesCopied">
        <source>Copied to the clipboard</source>
        <translation>クリップボードにコピーしました</translation>
    </message>
    <message id="menu.openAs.none">
        <source>No application can open this file</source>
        <translation>このファイルを開けるアプリケーションがありません</translation>
    </message>
    <message id="content.error.noApplication">
        <source>No application is registered to open “%1”.</source>
        <translation>「%1」を開くアプリケーションが登録されていません。</translation>
    </message>
    <message id="content.error.openFailed">
        <source>“%1” could not be opened.</source>
        <translation>「%1」を開けませんでした。</translation>
    </message>
</context>
</TS>
