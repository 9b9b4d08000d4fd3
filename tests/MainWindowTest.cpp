#include "views/shell/MainWindow.h"
#include "app/QuillmereApp.h"
#include "models/navigation/Navigator.h"
#include "models/tabs/AppState.h"
#include "services/desktop/Clipboard.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/AppSettingsStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/persistence/DefaultPersistenceService.h"
#include "services/terminal/TerminalService.h"
#include "views/chooser/FolderChooser.h"
#include "views/content/AddressBarView.h"
#include "views/content/ContentView.h"
#include "views/settings/SettingsView.h"
#include "views/shell/AppShellView.h"
#include "views/table/FileTableModel.h"
#include "views/table/FileTableView.h"

#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/FaultInjectingCalls.h"
#include "support/FileItems.h"
#include "support/RunningProgram.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// How the program holds the name "bad\xFF.txt": the byte that is not UTF-8 kept as U+DCFF.
const QString badName = u"bad"_s + QChar(0xDCFF) + u".txt"_s;

QString entryPath(const TemporaryTree& tree, const QByteArray& relative) {
    return tree.path(relative);
}

QJsonObject readJson(const TemporaryTree& tree, const QByteArray& name) {
    return QJsonDocument::fromJson(tree.readFile("config/quillmere/" + name)).object();
}

} // namespace

// The real window driven by key presses over a temporary home; the files on disk, the
// trash and the state files are checked afterwards.
class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The whole program by keys alone, over a temporary home: tabs, navigation, filter,
    // sort, marks, copy and move through the real folder chooser with a conflict, trash,
    // rename, a batch rename with a swap, the palette, bookmarks, the settings window,
    // help, and quitting; then the files, the trash and the four state files, and a
    // second start that brings the session back.
    void walksEveryViewByKeysAlone() {
        TemporaryTree tree;
        tree.writeFile("home/two.txt", "22");
        tree.writeFile("home/old.txt", "1");
        tree.writeFile("home/bad\xFF.txt", "333");
        tree.writeFile("home/.hidden", "");
        tree.writeFile("home/x-y", "xy");
        tree.writeFile("home/y-x", "yx");
        tree.writeFile("home/z-w", "zw");
        tree.writeFile("home/docs/readme.md", "r");
        tree.makeFolder("home/dest");
        tree.writeFile("home/dest/two.txt", "old");
        tree.makeFolder("home/photos");
        const QString home = entryPath(tree, "home");

        {
            Program program(tree, std::make_unique<DefaultFileSystemService>(), Program::Chooser::real);
            QAbstractItemModelTester tester(&program.content().table().tableModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            // A first start: one tab at home, help shown, hidden entries not listed.
            QCOMPARE(program.appState().tabCount(), 1);
            QVERIFY(program.appState().isHelpPanelVisible());
            QVERIFY(program.waitForListing(u"two.txt"_s));
            QVERIFY(!program.shownNames().contains(u".hidden"_s));
            QCOMPARE(program.app->window().windowTitle(), u"home"_s);

            // Sort by size, then by name again; the filter finds docs, Return enters it.
            program.type(u"3"_s);
            QCOMPARE(program.shownNames().last(), badName);
            program.type(u"1"_s);
            program.type(u"s"_s);
            QVERIFY(program.content().addressBar().filterField().hasFocus());
            program.type(u"docs"_s);
            QCOMPARE(program.shownNames(), QStringList{u"docs"_s});
            // Ctrl+K opens the palette from the filter field too; Escape gives the field back.
            program.press(Qt::Key_K, Qt::ControlModifier);
            QTRY_VERIFY(program.app->bootstrapped()->commandPaletteStore->isPresented());
            program.press(Qt::Key_Escape);
            QTRY_VERIFY(program.content().addressBar().filterField().hasFocus());
            QCOMPARE(program.navigator().filterQuery(), u"docs"_s);
            program.press(Qt::Key_Down);
            program.press(Qt::Key_Return);
            QVERIFY(program.waitForListing(u"readme.md"_s));
            program.type(u"u"_s);
            QVERIFY(program.waitForListing(u"two.txt"_s));

            // Copy two.txt into dest through the chooser's folder list; the name is taken
            // there, and the conflict sheet's answer is a new name.
            program.selectRow(u"two.txt"_s);
            program.press(Qt::Key_Space);
            program.type(u"c"_s);
            program.chooseInBrowser(u"dest"_s);
            QWidget* conflict = program.sheet();
            QVERIFY(conflict);
            program.pressIn(conflict, Qt::Key_Down); // skip -> rename
            program.pressIn(conflict, Qt::Key_Tab);
            program.typeIn(conflict, u"two-copy.txt"_s, true);
            program.pressIn(conflict, Qt::Key_Return);
            QTRY_VERIFY(tree.exists("home/dest/two-copy.txt"));
            QCOMPARE(tree.readFile("home/dest/two.txt"), QByteArray("old"));
            QVERIFY(tree.exists("home/two.txt"));
            program.press(Qt::Key_Escape);
            QVERIFY(program.navigator().markedItemIDs().isEmpty());

            // Move old.txt into dest the same way.
            program.selectRow(u"old.txt"_s);
            program.press(Qt::Key_Space);
            program.type(u"m"_s);
            program.chooseInBrowser(u"dest"_s);
            QTRY_VERIFY(tree.exists("home/dest/old.txt"));
            QVERIFY(!tree.exists("home/old.txt"));

            // The entry whose name is not UTF-8 goes to the trash, with its .trashinfo.
            QTRY_VERIFY(!program.shownNames().contains(u"old.txt"_s));
            program.selectRow(badName);
            program.press(Qt::Key_Space);
            program.type(u"d"_s);
            program.pressIn(program.sheet(), Qt::Key_Return);
            QTRY_VERIFY(!tree.exists("home/bad\xFF.txt"));
            QCOMPARE(tree.trashContents(),
                     (QList<QByteArray>{"files/bad\xFF.txt", "info/bad\xFF.txt.trashinfo"}));

            // r renames photos; n and N create a file and a folder.
            QTRY_VERIFY(!program.shownNames().contains(badName));
            program.selectRow(u"photos"_s);
            program.type(u"r"_s);
            program.typeIn(program.sheet(), u"pictures"_s, true);
            program.pressIn(program.sheet(), Qt::Key_Return);
            QTRY_VERIFY(tree.exists("home/pictures"));
            program.type(u"n"_s);
            program.typeIn(program.sheet(), u"note.txt"_s, false);
            program.pressIn(program.sheet(), Qt::Key_Return);
            program.type(u"N"_s);
            program.typeIn(program.sheet(), u"drafts"_s, false);
            program.pressIn(program.sheet(), Qt::Key_Return);
            QTRY_VERIFY(tree.exists("home/note.txt") && tree.exists("home/drafts"));

            // Three marked entries renamed by one regular expression that swaps two names.
            QTRY_VERIFY(program.shownNames().contains(u"drafts"_s));
            for (const QString& name : {u"x-y"_s, u"y-x"_s, u"z-w"_s}) {
                program.selectRow(name);
                program.press(Qt::Key_Space);
            }
            program.type(u"r"_s);
            QWidget* batch = program.sheet();
            program.pressIn(batch, Qt::Key_Tab, Qt::ShiftModifier); // from the base name to the kinds
            for (int i = 0; i < 3; ++i)
                program.pressIn(batch, Qt::Key_Right);
            program.pressIn(batch, Qt::Key_Tab);
            program.typeIn(batch, u"^(.)-(.)$"_s, false);
            program.pressIn(batch, Qt::Key_Tab);
            program.typeIn(batch, u"$2-$1"_s, false);
            QTRY_VERIFY(batch->findChild<QPushButton*>(u"confirmButton"_s)->isEnabled());
            program.pressIn(batch, Qt::Key_Return);
            // The second phase gives the names one after another: wait for each.
            QTRY_COMPARE(tree.readFile("home/y-x"), QByteArray("xy"));
            QTRY_COMPARE(tree.readFile("home/x-y"), QByteArray("yx"));
            QTRY_COMPARE(tree.readFile("home/w-z"), QByteArray("zw"));
            program.press(Qt::Key_Escape);

            // The palette runs "show hidden" like the . key.
            program.press(Qt::Key_K, Qt::ControlModifier);
            QTRY_VERIFY(program.app->bootstrapped()->commandPaletteStore->isPresented());
            program.type(u"hidden"_s);
            program.press(Qt::Key_Return);
            QVERIFY(program.waitForListing(u".hidden"_s));

            // p copies the shown folder's path, t opens it in the terminal, and k's menu
            // copies the selected entry's path.
            program.type(u"p"_s);
            QCOMPARE(program.clipboard->copied.last(), home);
            program.type(u"t"_s);
            QTRY_COMPARE(program.terminal->opened, QStringList{home});
            program.selectRow(u"docs"_s);
            QTimer::singleShot(0, [] {
                QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                for (QAction* action : menu->actions()) {
                    if (action->text() == qtTrId("content.menu.copyPath"))
                        action->trigger();
                }
                menu->close();
            });
            program.type(u"k"_s);
            QTRY_COMPARE(program.clipboard->copied.last(), entryPath(tree, "home/docs"));

            // A widened column is kept for its folder only.
            QHeaderView* header = program.content().table().horizontalHeader();
            const QByteArray defaultLayout = header->saveState();
            header->resizeSection(0, 400);
            QTRY_VERIFY(program.navigator().effectiveSettings().columnLayout.has_value());
            program.press(Qt::Key_Return);
            QVERIFY(program.waitForListing(u"readme.md"_s));
            QCOMPARE(header->saveState(), defaultLayout);
            program.type(u"b"_s);
            QVERIFY(program.waitForListing(u"docs"_s));
            QCOMPARE(header->sectionSize(0), 400);

            // + bookmarks docs; the popover opens it in a new tab, then deletes it.
            program.selectRow(u"docs"_s);
            program.type(u"+"_s);
            QCOMPARE(program.app->bookmarkStore().bookmarks().size(), 1);
            program.press(Qt::Key_B, Qt::ControlModifier);
            program.pressIn(program.sheet(), Qt::Key_Return);
            QTRY_COMPARE(program.appState().tabCount(), 2);
            QCOMPARE(program.navigator().currentPath(), entryPath(tree, "home/docs"));
            QVERIFY(program.waitForListing(u"readme.md"_s));
            program.selectRow(u"readme.md"_s);
            program.press(Qt::Key_B, Qt::ControlModifier);
            program.pressIn(program.sheet(), Qt::Key_D, Qt::ControlModifier);
            QTRY_VERIFY(program.app->bookmarkStore().bookmarks().isEmpty());
            program.pressIn(program.sheet(), Qt::Key_Escape);

            // Ctrl+T, [ and ], Ctrl+W: the tab in docs stays, a third one comes and goes.
            program.press(Qt::Key_T, Qt::ControlModifier);
            QCOMPARE(program.appState().tabCount(), 3);
            program.type(u"["_s);
            QCOMPARE(program.appState().activeTabIndex(), 1);
            program.type(u"]"_s);
            program.press(Qt::Key_W, Qt::ControlModifier);
            QCOMPARE(program.appState().tabCount(), 2);
            program.type(u"["_s);
            QCOMPARE(program.navigator().currentPath(), home);

            // The settings window: Japanese, then English again, and a new mark glyph.
            program.press(Qt::Key_Comma, Qt::ControlModifier);
            QWidget* settings = program.app->settingsWindow();
            QVERIFY(settings && QTest::qWaitForWindowExposed(settings));
            auto* language = settings->findChild<QComboBox*>(u"settings.general.language"_s);
            program.tabTo(settings, language);
            program.pressIn(settings, Qt::Key_Down); // system -> 日本語
            QTRY_COMPARE(program.app->window().menuBar()->actions().first()->text(), u"ファイル"_s);
            program.pressIn(settings, Qt::Key_Down); // -> English
            QTRY_COMPARE(program.app->window().menuBar()->actions().first()->text(), u"File"_s);
            program.pressIn(settings, Qt::Key_Tab, Qt::ControlModifier);
            program.tabTo(settings, settings->findChild<QLineEdit*>(u"settings.mark.glyph"_s));
            program.typeIn(settings, u"\u2605"_s, false);
            QTRY_COMPARE(program.app->appSettingsStore().settings().markGlyph(), u"\u2605"_s);
            program.pressIn(settings, Qt::Key_Escape);
            QTRY_VERIFY(!settings->isVisible());

            // ? hides help; a folder deleted from outside moves its tab up.
            program.type(u"?"_s);
            QVERIFY(!program.appState().isHelpPanelVisible());
            program.selectRow(u"drafts"_s);
            program.press(Qt::Key_Return);
            QTRY_COMPARE(program.navigator().currentPath(), entryPath(tree, "home/drafts"));
            QVERIFY(::rmdir(tree.bytes("home/drafts").constData()) == 0);
            QTRY_COMPARE(program.navigator().currentPath(), home);

            // Ctrl+Q saves everything and ends.
            QSignalSpy ended(program.app.get(), &QuillmereApp::terminated);
            program.press(Qt::Key_Q, Qt::ControlModifier);
            QTRY_COMPARE(ended.size(), 1);
        }
        // The trash holds only what was trashed; the four state files say what changed.
        QCOMPARE(tree.trashContents().size(), 2);
        const QJsonObject settings = readJson(tree, "app-settings.json").value(u"settings"_s).toObject();
        QCOMPARE(settings.value(u"markGlyph"_s).toString(), u"\u2605"_s);
        QCOMPARE(settings.value(u"language"_s).toString(), u"en"_s);
        QVERIFY(readJson(tree, "bookmark.json").value(u"bookmarks"_s).toArray().isEmpty());
        QVERIFY(QString::fromUtf8(tree.readFile("config/quillmere/folder-settings.json"))
                    .contains(u"dotFilesVisible"_s));
        QCOMPARE(readJson(tree, "session.json").value(u"tabs"_s).toArray().size(), 2);

        // The next start comes back with both tabs, the active one, and the help flag.
        Program again(tree, std::make_unique<DefaultFileSystemService>());
        QCOMPARE(again.appState().tabCount(), 2);
        QCOMPARE(again.appState().activeTabIndex(), 0);
        QVERIFY(!again.appState().isHelpPanelVisible());
        QCOMPARE(again.appState().tabs()[1]->navigator().currentPath(), entryPath(tree, "home/docs"));
        QCOMPARE(again.appState().tabs()[1]->navigator().selectedItemID(),
                 std::optional<QString>(entryPath(tree, "home/docs/readme.md")));
        QVERIFY(again.waitForListing(u".hidden"_s));
    }

    // A move that fails half-way puts back what it did and says so in the exact
    // Japanese message; the tree is as it was.
    void aFailedMoveShowsTheJapaneseAlertAndPutsEverythingBack() {
        TemporaryTree tree;
        tree.writeFile("home/a.txt", "a");
        tree.writeFile("home/b.txt", "b");
        tree.makeFolder("home/dest");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("home"));
        auto calls = std::make_shared<FaultInjectingCalls>();
        Program program(tree, std::make_unique<DefaultFileSystemService>(calls));
        QVERIFY(program.waitForListing(u"b.txt"_s));
        for (const QString& name : {u"a.txt"_s, u"b.txt"_s}) {
            program.select(name);
            program.press(Qt::Key_Space);
        }
        calls->failOn(Primitive::Rename, calls->count(Primitive::Rename) + 2, EACCES);
        program.chooser->answers.push_back(entryPath(tree, "home/dest"));
        program.type(u"m"_s);
        auto* alert = openSheet<QMessageBox>();
        QVERIFY(alert);
        QCOMPARE(alert->text(),
                 u"権限がないため「b.txt」を移動またはコピーできませんでした。アクセス権を確認してください。"
                 u"すべての項目は元の場所に戻しました。"_s);
        QTest::keyClick(alert, Qt::Key_Return);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(TreeSnapshot::of(tree.bytes("home")) == before);

        // Moving into the folder shown is refused before anything happens.
        program.chooser->answers.push_back(entryPath(tree, "home"));
        program.type(u"m"_s);
        alert = openSheet<QMessageBox>();
        QVERIFY(alert);
        QCOMPARE(alert->text(), qtTrId("content.error.sameFolderMove"));
        QTest::keyClick(alert, Qt::Key_Return);
    }

    // A folder that takes its time to list leaves the window working, and the tab
    // says it is loading until the listing arrives.
    void aSlowFolderLeavesTheWindowResponsive() {
        TemporaryTree tree;
        auto owned = std::make_unique<FakeFileSystemService>();
        FakeFileSystemService& fileSystem = *owned;
        const QString home = tree.path("home");
        fileSystem.setEntries(home, {fileItem(home, u"late.txt"_s)});
        fileSystem.setHeld(home, true);
        Program program(tree, std::move(owned));
        QTRY_VERIFY(program.navigator().isLoading());
        QVERIFY(program.app->window().findChild<QLabel*>(u"addressBar.loading"_s)->isVisible());
        program.type(u"?"_s);
        QVERIFY(!program.appState().isHelpPanelVisible());
        program.press(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(program.appState().tabCount(), 2);
        program.type(u"["_s);
        fileSystem.setHeld(home, false);
        fileSystem.release(home);
        QVERIFY(program.waitForListing(u"late.txt"_s));
        QVERIFY(!program.navigator().isLoading());

        // SIGTERM ends the program as Quit does: the session is written first.
        QSignalSpy ended(program.app.get(), &QuillmereApp::terminated);
        ::raise(SIGTERM);
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(readJson(tree, "session.json").value(u"tabs"_s).toArray().size(), 2);
    }

    // The folders named on the command line open after the tabs start-up made, the last
    // one shown; what is missing or not a folder opens nothing.
    void opensTheFoldersNamedOnTheCommandLine() {
        TemporaryTree tree;
        tree.writeFile("home/a/inside.txt", "");
        tree.makeFolder("home/caf\xE9");
        tree.writeFile("home/file.txt", "");
        Program program(tree, std::make_unique<DefaultFileSystemService>());
        QCOMPARE(program.appState().tabCount(), 1);

        await(program.app->openFolders({entryPath(tree, "home/a"), entryPath(tree, "home/missing"),
                                        entryPath(tree, "home/file.txt"), entryPath(tree, "home/caf\xE9")}));
        QCOMPARE(program.appState().tabCount(), 3);
        QCOMPARE(program.appState().tabs().at(1)->navigator().currentPath(), entryPath(tree, "home/a"));
        QCOMPARE(program.appState().activeTabIndex(), 2);
        QCOMPARE(program.navigator().currentPath(), entryPath(tree, "home/caf\xE9"));
        program.type(u"["_s);
        QVERIFY(program.waitForListing(u"inside.txt"_s));
    }

    // A file no application takes: its menu says so where "Open as..." would be, and
    // Return explains why nothing opened.
    void saysWhenNoApplicationOpensAFile() {
        TemporaryTree tree;
        tree.writeFile("home/data.bin", "\x01");
        Program program(tree, std::make_unique<DefaultFileSystemService>());
        QVERIFY(program.waitForListing(u"data.bin"_s));
        program.selectRow(u"data.bin"_s);
        // The menu waits for the desktop's answer, then runs a loop of its own: it is
        // read and closed from a timer, never from a wait that the menu would sit on.
        bool said = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&said, &poll] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            poll.stop();
            auto* none = menu->findChild<QAction*>(u"menu.openAs.none"_s);
            said = none && !none->isEnabled() && none->text() == qtTrId("menu.openAs.none");
            menu->close();
        });
        poll.start();
        program.type(u"k"_s);
        QTRY_VERIFY(said);

        program.opener->unopenable = {entryPath(tree, "home/data.bin")};
        program.press(Qt::Key_Return);
        auto* alert = openSheet<QMessageBox>();
        QVERIFY(alert);
        QCOMPARE(alert->text(), qtTrId("content.error.noApplication").arg(u"data.bin"_s));
        program.pressIn(alert, Qt::Key_Return);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
