#pragma once

#include "app/QuillmereApp.h"
#include "models/navigation/Navigator.h"
#include "models/operations/OperationQueue.h"
#include "models/paths/FilePath.h"
#include "models/tabs/AppState.h"
#include "services/desktop/Clipboard.h"
#include "services/desktop/VolumeMonitor.h"
#include "services/persistence/DefaultPersistenceService.h"
#include "services/terminal/TerminalService.h"
#include "views/chooser/FolderChooser.h"
#include "views/content/ContentView.h"
#include "views/shell/AppShellView.h"
#include "views/shell/MainWindow.h"

#include "support/FakeFileOpener.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QApplication>
#include <QListWidget>
#include <QtTest>

#include <chrono>
#include <deque>
#include <memory>

namespace quillmere::test {

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
    std::optional<FilesOnClipboard> held;
    void copy(const QString& text) override { copied.append(text); }
    void setFiles(const FilesOnClipboard& files) override { held = files; }
    std::optional<FilesOnClipboard> files() const override { return held; }
    void clearFiles(const FilesOnClipboard& files) override {
        if (held == files)
            held.reset();
    }
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
    FakeFileOpener* opener;
    std::unique_ptr<QuillmereApp> app;

    // A scripted chooser answers from the test; the real one is driven by keys.
    enum class Chooser { scripted, real };

    // progressDelay: how long a file operation runs before the progress strip shows it;
    // volumes: the mounted volumes the program is told of (none without one).
    Program(const TemporaryTree& tree, std::unique_ptr<FileSystemService> fileSystem,
            Chooser kind = Chooser::scripted,
            std::chrono::milliseconds progressDelay = OperationQueue::defaultLongAfter,
            std::unique_ptr<VolumeMonitor> volumes = nullptr) {
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
        if (kind == Chooser::scripted)
            services.folderChooser = std::move(chooserOwned);
        else
            chooser = nullptr;
        services.clipboard = std::move(clipboardOwned);
        services.terminal = std::move(terminalOwned);
        auto openerOwned = std::make_unique<FakeFileOpener>();
        opener = openerOwned.get();
        services.fileOpener = std::move(openerOwned);
        services.homeFolder = tree.path("home");
        services.saveDelay = std::chrono::milliseconds(10);
        services.watcherDelay = std::chrono::milliseconds(10);
        services.progressDelay = progressDelay;
        services.volumeMonitor = std::move(volumes);
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
    // The modal window in front: a sheet, the chooser, the popover or an alert.
    QWidget* sheet() const {
        QWidget* found = nullptr;
        (void)QTest::qWaitFor([&] { return (found = QApplication::activeModalWidget()) != nullptr; });
        return found;
    }
    // Keys for another window, delivered through that window as the platform would.
    void pressIn(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // Types text into the focused field of a window; replacing selects what is there first.
    void typeIn(QWidget* window, const QString& text, bool replacing) const {
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        if (replacing)
            QTest::keyClick(window->windowHandle(), Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, window->windowHandle(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    // Tab until the widget has the focus, as a keyboard user would.
    void tabTo(QWidget* window, QWidget* target) const {
        QVERIFY(target);
        for (int i = 0; i < 30 && window->focusWidget() != target; ++i)
            pressIn(window, Qt::Key_Tab);
        QCOMPARE(window->focusWidget(), target);
    }
    // Puts the table's selection on a listed entry with Ctrl+Home and Down.
    void selectRow(const QString& name) const {
        const qsizetype row = shownNames().indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        press(Qt::Key_Home, Qt::ControlModifier);
        for (qsizetype i = 0; i < row; ++i)
            press(Qt::Key_Down);
        QCOMPARE(navigator().selectedItemID(),
                 std::optional<QString>(FilePath::appending(navigator().currentPath(), name)));
    }
    // In the real chooser: into its folder list, down to the folder, Return.
    void chooseInBrowser(const QString& folder) const {
        QWidget* dialog = sheet();
        QVERIFY(dialog);
        auto* browser = dialog->findChild<QListWidget*>(QStringLiteral("folderChooser.browser"));
        QVERIFY(browser);
        if (dialog->focusWidget() != browser)
            pressIn(dialog, Qt::Key_Tab);
        QTRY_VERIFY(browser->count() > 1);
        for (int i = 0; i < browser->count() && browser->currentItem()->text() != folder; ++i)
            pressIn(dialog, Qt::Key_Down);
        QCOMPARE(browser->currentItem()->text(), folder);
        pressIn(dialog, Qt::Key_Return);
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
    // Waits until no file operation runs or waits and the active tab is listed: a test
    // that ends earlier would leave an operation to finish after the program is gone.
    bool waitForOperationsToEnd() const {
        return QTest::qWaitFor([&] {
            const OperationQueue& queue = appState().operationQueue();
            return !queue.running() && queue.waiting().isEmpty() && !navigator().isLoading();
        });
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

} // namespace quillmere::test
