#include "views/shell/MainWindow.h"
#include "app/QuillmereApp.h"
#include "models/navigation/Navigator.h"
#include "models/tabs/AppState.h"
#include "services/desktop/Clipboard.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/persistence/DefaultPersistenceService.h"
#include "services/terminal/TerminalService.h"
#include "views/chooser/FolderChooser.h"
#include "views/content/AddressBarView.h"
#include "views/content/ContentView.h"
#include "views/shell/AppShellView.h"
#include "views/table/FileTableModel.h"
#include "views/table/FileTableView.h"

#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/FaultInjectingCalls.h"
#include "support/FileItems.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <deque>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// Answers the folder chooser with the folders the test queued, in order.
class ScriptedFolderChooser final : public FolderChooser {
public:
    std::deque<std::optional<QString>> answers;
    QList<FolderChoiceRequest> requests;

    QCoro::Task<std::optional<QString>> chooseFolder(QWidget*, FolderChoiceRequest request) override {
        requests.append(request);
        std::optional<QString> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        co_return answer;
    }
};

class RecordingClipboard final : public Clipboard {
public:
    QStringList copied;
    void copy(const QString& text) override { copied.append(text); }
};

class RecordingTerminal final : public TerminalService {
public:
    QStringList opened;
    bool isInstalled(TerminalApp) const override { return true; }
    void open(const QString& folder, TerminalApp, TerminalOpenMode) override { opened.append(folder); }
};

// One running program over a temporary home: the real window, stores, persistence and
// file system, with the chooser, clipboard, terminal and opener answered by the test.
struct Program {
    ScriptedFolderChooser* chooser;
    RecordingClipboard* clipboard;
    RecordingTerminal* terminal;
    std::unique_ptr<QuillmereApp> app;

    Program(const TemporaryTree& tree, std::unique_ptr<FileSystemService> fileSystem) {
        AppServices services;
        services.persistence = std::make_unique<DefaultPersistenceService>(
            DefaultPersistenceService::configurationFolder(tree.path("config")));
        services.fileSystem = std::move(fileSystem);
        auto chooserOwned = std::make_unique<ScriptedFolderChooser>();
        auto clipboardOwned = std::make_unique<RecordingClipboard>();
        auto terminalOwned = std::make_unique<RecordingTerminal>();
        chooser = chooserOwned.get();
        clipboard = clipboardOwned.get();
        terminal = terminalOwned.get();
        services.folderChooser = std::move(chooserOwned);
        services.clipboard = std::move(clipboardOwned);
        services.terminal = std::move(terminalOwned);
        services.fileOpener = std::make_unique<FakeFileOpener>();
        services.homeFolder = tree.path("home");
        services.saveDelay = std::chrono::milliseconds(10);
        services.watcherDelay = std::chrono::milliseconds(10);
        app = std::make_unique<QuillmereApp>(std::move(services));
        app->window().resize(1100, 700);
        app->window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&app->window()));
        app->window().activateWindow();
        await(app->start());
    }

    AppState& appState() const { return *app->bootstrapped()->appState; }
    Navigator& navigator() const { return appState().activeTab()->navigator(); }
    ContentView& content() const { return app->shell()->contentView(); }
    QWindow* handle() const { return app->window().windowHandle(); }

    // Keys reach the window once the last sheet has closed, as for a user.
    // The offscreen platform has no window manager to give the window back its focus
    // when a sheet closes; the test does what the window manager would.
    void waitForSheetsToClose() const {
        QVERIFY(QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }));
        if (!QApplication::activeWindow()) {
            app->window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&app->window()));
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        waitForSheetsToClose();
        QTest::keyClick(handle(), key, modifiers);
    }
    void type(const QString& text) const {
        for (const QChar c : text) {
            waitForSheetsToClose();
            QTest::keyClick(handle(), c.toLatin1());
        }
    }
    QStringList shownNames() const {
        QStringList names;
        for (const FileItem& item : navigator().visibleItems())
            names.append(item.name);
        return names;
    }
    // Puts the table's selection on a listed entry, as the arrow keys would.
    void select(const QString& name) const {
        navigator().setSelectedItemID(FilePath::appending(navigator().currentPath(), name));
    }
    bool waitForListing(const QString& name) const {
        return QTest::qWaitFor([&] { return shownNames().contains(name); });
    }
};

template <typename Dialog> Dialog* openSheet() {
    Dialog* found = nullptr;
    (void)QTest::qWaitFor([&] {
        found = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        return found != nullptr;
    });
    return found;
}

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
    void walksTheKeysThroughARealTree() {
        TemporaryTree tree;
        tree.writeFile("home/one.txt", "1");
        tree.writeFile("home/two.txt", "22");
        tree.writeFile("home/bad\xFF.txt", "333");
        tree.writeFile("home/.hidden", "");
        tree.writeFile("home/docs/readme.md", "r");
        tree.makeFolder("home/dest");
        tree.writeFile("home/dest/two.txt", "old");
        tree.makeFolder("home/photos");

        {
            Program program(tree, std::make_unique<DefaultFileSystemService>());
            QAbstractItemModelTester tester(&program.content().table().tableModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            // A first start shows one tab at home, with help.
            QCOMPARE(program.appState().tabCount(), 1);
            QVERIFY(program.appState().isHelpPanelVisible());
            QVERIFY(program.waitForListing(u"one.txt"_s));
            QVERIFY(!program.shownNames().contains(u".hidden"_s));
            QCOMPARE(program.app->window().windowTitle(), u"home"_s);

            // ? hides help; . shows hidden entries; 3 sorts by size, 1 by name again.
            program.type(u"?"_s);
            QVERIFY(!program.appState().isHelpPanelVisible());
            program.type(u"."_s);
            QVERIFY(program.waitForListing(u".hidden"_s));
            program.type(u"."_s);
            QTRY_VERIFY(!program.shownNames().contains(u".hidden"_s));
            program.type(u"3"_s);
            QCOMPARE(program.shownNames().last(), badName);
            program.type(u"1"_s);

            // s filters; Down selects the best match; Return enters it; u goes back up.
            program.type(u"s"_s);
            QVERIFY(program.content().addressBar().filterField().hasFocus());
            program.type(u"docs"_s);
            QCOMPARE(program.shownNames(), QStringList{u"docs"_s});
            program.press(Qt::Key_Down);
            program.press(Qt::Key_Return);
            QVERIFY(program.waitForListing(u"readme.md"_s));
            QVERIFY(!program.navigator().isSearchActive());
            program.type(u"u"_s);
            QVERIFY(program.waitForListing(u"one.txt"_s));

            // Space marks; c copies through the chooser; Escape clears the marks.
            program.select(u"one.txt"_s);
            program.press(Qt::Key_Space);
            QCOMPARE(program.navigator().markedItemIDs().size(), 1);
            program.chooser->answers.push_back(entryPath(tree, "home/dest"));
            program.type(u"c"_s);
            QTRY_VERIFY(tree.exists("home/dest/one.txt"));
            QVERIFY(tree.exists("home/one.txt"));
            program.press(Qt::Key_Escape);
            QVERIFY(program.navigator().markedItemIDs().isEmpty());

            // m with a conflict: the sheet answers rename for two.txt.
            program.select(u"two.txt"_s);
            program.press(Qt::Key_Space);
            program.chooser->answers.push_back(entryPath(tree, "home/dest"));
            program.type(u"m"_s);
            QDialog* conflict = openSheet<QDialog>();
            QVERIFY(conflict);
            auto* choice = conflict->findChild<QComboBox*>(u"conflict.choice.0"_s);
            QVERIFY(choice);
            choice->setFocus();
            QTest::keyClick(choice, Qt::Key_Down); // skip -> rename
            auto* newName = conflict->findChild<QLineEdit*>(u"conflict.newName.0"_s);
            QVERIFY(newName);
            newName->selectAll();
            QTest::keyClicks(newName, u"two-moved.txt"_s);
            QTest::keyClick(newName, Qt::Key_Return);
            QTRY_VERIFY(tree.exists("home/dest/two-moved.txt"));
            QCOMPARE(tree.readFile("home/dest/two.txt"), QByteArray("old"));
            QVERIFY(!tree.exists("home/two.txt"));

            // d and confirm: the entry with a name that is not UTF-8 goes to the trash.
            QTRY_VERIFY(program.shownNames().contains(badName));
            program.select(badName);
            program.press(Qt::Key_Space);
            program.type(u"d"_s);
            QDialog* trash = openSheet<QDialog>();
            QVERIFY(trash);
            QTest::keyClick(trash, Qt::Key_Return);
            QTRY_VERIFY(!tree.exists("home/bad\xFF.txt"));
            QCOMPARE(tree.trashContents(),
                     (QList<QByteArray>{"files/bad\xFF.txt", "info/bad\xFF.txt.trashinfo"}));

            // r renames the selected entry; n and N create a file and a folder.
            QTRY_VERIFY(program.shownNames().contains(u"photos"_s));
            program.select(u"photos"_s);
            program.type(u"r"_s);
            QDialog* rename = openSheet<QDialog>();
            QVERIFY(rename);
            auto* field = rename->findChild<QLineEdit*>(u"nameField"_s);
            field->selectAll();
            QTest::keyClicks(field, u"pictures"_s);
            QTest::keyClick(field, Qt::Key_Return);
            QTRY_VERIFY(tree.exists("home/pictures"));
            for (const auto& [key, name] :
                 {std::pair{u"n"_s, u"note.txt"_s}, std::pair{u"N"_s, u"drafts"_s}}) {
                program.type(key);
                QDialog* create = openSheet<QDialog>();
                QVERIFY(create);
                QTest::keyClicks(create->findChild<QLineEdit*>(u"nameField"_s), name);
                QTest::keyClick(create->findChild<QLineEdit*>(u"nameField"_s), Qt::Key_Return);
                QTRY_VERIFY(program.shownNames().contains(name));
            }
            QVERIFY(tree.exists("home/note.txt"));
            QVERIFY(tree.exists("home/drafts"));

            // p copies the shown folder's path, t opens it in the terminal.
            program.type(u"p"_s);
            QCOMPARE(program.clipboard->copied.last(), entryPath(tree, "home"));
            program.type(u"t"_s);
            QTRY_COMPARE(program.terminal->opened, QStringList{entryPath(tree, "home")});

            // k opens the selected entry's menu; its copy-path item copies that entry's path.
            program.select(u"docs"_s);
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

            // A widened column is kept for this folder only.
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

            // Ctrl+T opens a tab, [ and ] switch, Ctrl+W closes; the second tab is left in docs.
            program.press(Qt::Key_T, Qt::ControlModifier);
            QCOMPARE(program.appState().tabCount(), 2);
            QCOMPARE(program.appState().activeTabIndex(), 1);
            program.type(u"["_s);
            QCOMPARE(program.appState().activeTabIndex(), 0);
            program.type(u"]"_s);
            QCOMPARE(program.appState().activeTabIndex(), 1);
            QVERIFY(program.waitForListing(u"docs"_s));
            program.select(u"docs"_s);
            program.press(Qt::Key_Return);
            QVERIFY(program.waitForListing(u"readme.md"_s));
            program.select(u"readme.md"_s);
            program.press(Qt::Key_T, Qt::ControlModifier);
            program.press(Qt::Key_W, Qt::ControlModifier);
            QCOMPARE(program.appState().tabCount(), 2);

            // A folder deleted from outside: the tab moves up to its parent.
            program.type(u"["_s);
            program.select(u"drafts"_s);
            program.press(Qt::Key_Return);
            QTRY_COMPARE(program.navigator().currentPath(), entryPath(tree, "home/drafts"));
            QVERIFY(::rmdir(tree.bytes("home/drafts").constData()) == 0);
            QTRY_COMPARE(program.navigator().currentPath(), entryPath(tree, "home"));
            program.type(u"]"_s);

            // SIGTERM saves everything and ends, as Ctrl+Q does.
            QSignalSpy ended(program.app.get(), &QuillmereApp::terminated);
            ::raise(SIGTERM);
            QTRY_COMPARE(ended.size(), 1);
        }
        const QJsonObject session = readJson(tree, "session.json");
        QCOMPARE(session.value(u"tabs"_s).toArray().size(), 2);
        QVERIFY(tree.exists("config/quillmere/folder-settings.json"));

        // The next start comes back with both tabs, their histories and the selection.
        Program again(tree, std::make_unique<DefaultFileSystemService>());
        QCOMPARE(again.appState().tabCount(), 2);
        QCOMPARE(again.appState().activeTabIndex(), 1);
        QVERIFY(!again.appState().isHelpPanelVisible());
        QCOMPARE(again.navigator().currentPath(), entryPath(tree, "home/docs"));
        QCOMPARE(again.navigator().history(),
                 (QStringList{entryPath(tree, "home"), entryPath(tree, "home/docs")}));
        QCOMPARE(again.navigator().selectedItemID(),
                 std::optional<QString>(entryPath(tree, "home/docs/readme.md")));
        QVERIFY(again.waitForListing(u"readme.md"_s));
        QCOMPARE(again.content().table().currentIndex().row(), 0);
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
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
