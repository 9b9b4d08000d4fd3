#include "models/Navigator.h"
#include "services/FolderSettingsStore.h"
#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/RecordingPersistenceService.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace quillmere;
using test::FakeFileSystemService;

namespace {

QStringList namesOf(const QList<FileItem>& items) {
    QStringList names;
    for (const FileItem& item : items)
        names.append(item.name);
    return names;
}

QSet<QString> setOf(std::initializer_list<QString> paths) {
    return QSet<QString>(paths);
}

// What the tabs of one window share: the file system, the opener and the settings store.
struct Window {
    FakeFileSystemService files;
    test::FakeFileOpener opener;
    test::RecordingPersistenceService persistence;
    FolderSettingsStore store{persistence};

    std::unique_ptr<Navigator> tab(const QString& path, bool withStore = true) {
        return std::make_unique<Navigator>(path, files, withStore ? &store : nullptr, opener);
    }
    std::unique_ptr<Navigator> tabWithHistory(const QStringList& history) {
        auto navigator = tab(history.first());
        for (qsizetype i = 1; i < history.size(); ++i)
            navigator->navigate(history[i]);
        return navigator;
    }
    // /a holds two files, a folder and a hidden file.
    void fillA() {
        files.setEntries(
            QStringLiteral("/a"),
            {FakeFileSystemService::fileItem(QStringLiteral("/a"), QStringLiteral("b.txt"), 5),
             FakeFileSystemService::fileItem(QStringLiteral("/a"), QStringLiteral("A.txt"), 1),
             FakeFileSystemService::folderItem(QStringLiteral("/a"), QStringLiteral("c")),
             FakeFileSystemService::fileItem(QStringLiteral("/a"), QStringLiteral(".hidden"), 9)});
    }
};

} // namespace

// The browsing state of a tab: history, listing, selection, marks, settings, and how
// it follows moves, renames and removals made elsewhere.
class NavigatorTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;

private Q_SLOTS:
    void historyDropsForwardEntriesAndKeepsDuplicates() {
        Window window;
        auto navigator = window.tab(QStringLiteral("/A"));
        navigator->goBack();
        navigator->goForward();
        QCOMPARE(navigator->history(), QStringList{QStringLiteral("/A")});
        QCOMPARE(navigator->historyIndex(), 0);

        // Observers must find the history already in step with the new folder.
        int consistent = 0;
        connect(navigator.get(), &Navigator::currentPathChanged, this, [&](const QString& path) {
            consistent += navigator->history().at(navigator->historyIndex()) == path;
        });
        navigator->navigate(QStringLiteral("/B"));
        navigator->navigate(QStringLiteral("/C"));
        navigator->goBack();
        QVERIFY(navigator->canGoForward());
        navigator->navigate(QStringLiteral("/D"));
        QCOMPARE(navigator->history(),
                 (QStringList{QStringLiteral("/A"), QStringLiteral("/B"), QStringLiteral("/D")}));
        QCOMPARE(navigator->historyIndex(), 2);
        QVERIFY(!navigator->canGoForward());
        QCOMPARE(consistent, 4);

        navigator->navigate(QStringLiteral("/D"));
        QCOMPARE(navigator->history().size(), 4);
        QCOMPARE(navigator->historyIndex(), 3);

        navigator->navigate(QStringLiteral("/E/F/"));
        QCOMPARE(navigator->currentPath(), QStringLiteral("/E/F"));
        navigator->goToParent();
        navigator->goToParent();
        QCOMPARE(navigator->currentPath(), QStringLiteral("/"));
        const QStringList atRoot = navigator->history();
        navigator->goToParent();
        QCOMPARE(navigator->history(), atRoot);
    }

    void leavingAFolderResetsWhatBelongedToIt() {
        Window window;
        auto navigator = window.tab(QStringLiteral("/a"));
        navigator->restoreState({QStringLiteral("/a")}, 0, QStringLiteral("/a/b.txt"), 40.0);
        navigator->toggleMark(QStringLiteral("/a/b.txt"));
        navigator->setSearchActive(true);
        navigator->navigate(QStringLiteral("/a/c"));
        QCOMPARE(navigator->selectedItemID(), std::nullopt);
        QCOMPARE(navigator->scrollOffset(), 0.0);
        QVERIFY(navigator->markedItemIDs().isEmpty());
        QVERIFY(!navigator->isSearchActive());

        // Back and forward keep the selection and the scroll position, but not the marks.
        navigator->setSelectedItemID(QStringLiteral("/a/c/x"));
        navigator->toggleMark(QStringLiteral("/a/c/x"));
        navigator->goBack();
        QCOMPARE(navigator->currentPath(), QStringLiteral("/a"));
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/a/c/x"));
        QVERIFY(navigator->markedItemIDs().isEmpty());

        // ...unless a filter was typed: clearing it clears the selection too.
        navigator->setFilterQuery(QStringLiteral("x"));
        navigator->setSelectedItemID(QStringLiteral("/a/x"));
        navigator->goForward();
        QCOMPARE(navigator->filterQuery(), QString());
        QCOMPARE(navigator->selectedItemID(), std::nullopt);
    }

    void reloadSortsAndForgetsMarksOfVanishedEntries() {
        Window window;
        window.fillA();
        auto navigator = window.tab(QStringLiteral("/a"));
        test::await(navigator->reload());
        QCOMPARE(namesOf(navigator->items()),
                 (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c")}));
        QVERIFY(!window.files.listingCalls.last().showHidden);

        navigator->toggleMark(QStringLiteral("/a/A.txt"));
        navigator->toggleMark(QStringLiteral("/a/b.txt"));
        navigator->setSelectedItemID(QStringLiteral("/a/b.txt"));
        window.files.setEntries(QStringLiteral("/a"), {FakeFileSystemService::fileItem(
                                                          QStringLiteral("/a"), QStringLiteral("A.txt"))});
        test::await(navigator->reload());
        QCOMPARE(navigator->markedItemIDs(), setOf({QStringLiteral("/a/A.txt")}));
        // A stale selection stays, names nothing, and opens nothing.
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/a/b.txt"));
        navigator->openSelection();
        QVERIFY(window.opener.opened.isEmpty());
        QCOMPARE(navigator->currentPath(), QStringLiteral("/a"));

        window.files.setUnreadable(QStringLiteral("/a"));
        test::await(navigator->reload());
        QVERIFY(navigator->items().isEmpty());
        QVERIFY(navigator->markedItemIDs().isEmpty());
    }

    void sortByFlipsDirectionOnlyForTheSameKey() {
        Window window;
        window.fillA();
        auto navigator = window.tab(QStringLiteral("/a"), false);
        test::await(navigator->reload());
        const qsizetype listings = window.files.listingCalls.size();
        QSignalSpy localChanges(navigator.get(), &Navigator::localSettingsChanged);

        navigator->sortBy(SortKey::name);
        QCOMPARE(navigator->localSettings().sortDirection, SortDirection::descending);
        QCOMPARE(namesOf(navigator->items()),
                 (QStringList{QStringLiteral("c"), QStringLiteral("b.txt"), QStringLiteral("A.txt")}));
        navigator->sortBy(SortKey::name);
        QCOMPARE(navigator->localSettings().sortDirection, SortDirection::ascending);
        navigator->sortBy(SortKey::name);
        navigator->sortBy(SortKey::size);
        QCOMPARE(navigator->localSettings().sortKey, SortKey::size);
        QCOMPARE(navigator->localSettings().sortDirection, SortDirection::ascending);
        // The folder counts as size 0; sorting never lists the folder again.
        QCOMPARE(namesOf(navigator->items()),
                 (QStringList{QStringLiteral("c"), QStringLiteral("A.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(window.files.listingCalls.size(), listings);
        QCOMPARE(localChanges.count(), 4);

        // The sort in effect when a listing arrives is the one applied to it.
        test::await(navigator->reload());
        QCOMPARE(namesOf(navigator->items()),
                 (QStringList{QStringLiteral("c"), QStringLiteral("A.txt"), QStringLiteral("b.txt")}));
    }

    void settingsAreStoredPerFolderAndSharedBetweenTabs() {
        Window window;
        window.fillA();
        auto navigator = window.tab(QStringLiteral("/a"));
        auto sameFolder = window.tab(QStringLiteral("/a"));
        QSignalSpy otherTabSettings(sameFolder.get(), &Navigator::effectiveSettingsChanged);

        navigator->toggleHidden();
        QVERIFY(window.store.settings(QStringLiteral("/a"))->dotFilesVisible);
        QCOMPARE(window.store.settings(QStringLiteral("/b")), std::nullopt);
        QCOMPARE(navigator->localSettings(), FolderSettings{});
        QCOMPARE(otherTabSettings.count(), 1);
        QVERIFY(sameFolder->effectiveSettings().dotFilesVisible);
        test::await(navigator->reload());
        QVERIFY(window.files.listingCalls.last().showHidden);
        QVERIFY(namesOf(navigator->items()).contains(QStringLiteral(".hidden")));

        navigator->toggleHidden();
        QVERIFY(!navigator->effectiveSettings().dotFilesVisible);
        navigator->toggleHidden();
        navigator->navigate(QStringLiteral("/b"));
        QCOMPARE(navigator->effectiveSettings(), FolderSettings{});
        navigator->setColumnLayout(QByteArray("layout"));
        QCOMPARE(window.store.settings(QStringLiteral("/b"))->columnLayout, QByteArray("layout"));
        navigator->goBack();
        QVERIFY(navigator->effectiveSettings().dotFilesVisible);
        QCOMPARE(navigator->effectiveSettings().columnLayout, std::nullopt);
    }

    void filterNarrowsAndSelectionStaysWithinVisibleItems() {
        Window window;
        const QString f = QStringLiteral("/f");
        window.files.setEntries(f, {FakeFileSystemService::fileItem(f, QStringLiteral("tree")),
                                    FakeFileSystemService::fileItem(f, QStringLiteral("README")),
                                    FakeFileSystemService::fileItem(f, QStringLiteral("notes")),
                                    FakeFileSystemService::fileItem(f, QStringLiteral("core"))});
        auto navigator = window.tab(f);
        test::await(navigator->reload());
        navigator->selectPrevious();
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/f/tree"));
        navigator->selectNext();
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/f/tree"));
        navigator->setSelectedItemID(QStringLiteral("/f/core"));
        navigator->selectPrevious();
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/f/core"));

        navigator->toggleMark(QStringLiteral("/f/tree"));
        navigator->toggleMark(QStringLiteral("/f/core"));
        QSignalSpy queries(navigator.get(), &Navigator::filterQueryChanged);
        navigator->setFilterQuery(QStringLiteral("re"));
        navigator->setFilterQuery(QStringLiteral("re"));
        QCOMPARE(queries.count(), 1);
        QCOMPARE(navigator->selectedItemID(), std::nullopt);
        QCOMPARE(namesOf(navigator->visibleItems()),
                 (QStringList{QStringLiteral("README"), QStringLiteral("core"), QStringLiteral("tree")}));
        navigator->selectNext();
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/f/README"));
        navigator->selectNext();
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/f/core"));

        // Marked entries hidden by the filter still count, in listing order.
        navigator->setFilterQuery(QStringLiteral("tr"));
        QCOMPARE(namesOf(navigator->markedItems()),
                 (QStringList{QStringLiteral("core"), QStringLiteral("tree")}));
        navigator->setFilterQuery(QStringLiteral("zzz"));
        navigator->selectNext();
        QCOMPARE(navigator->selectedItemID(), std::nullopt);
    }

    void openingEntersFoldersAndLinksToFoldersAndOpensFiles() {
        const test::TemporaryTree tree(QString(), test::TemporaryTree::Environment::keep);
        tree.makeFolder("tree/docs");
        tree.writeFile("tree/a.txt", "text");
        tree.makeSymlink("docs", "tree/docs-link");
        tree.makeSymlink("a.txt", "tree/file-link");
        tree.makeSymlink("missing", "tree/broken");
        const QString root = tree.path("tree");
        Window window;
        // Links are listed as themselves, never as folders.
        window.files.setEntries(root, {FakeFileSystemService::folderItem(root, QStringLiteral("docs")),
                                       FakeFileSystemService::fileItem(root, QStringLiteral("a.txt")),
                                       FakeFileSystemService::fileItem(root, QStringLiteral("docs-link")),
                                       FakeFileSystemService::fileItem(root, QStringLiteral("file-link")),
                                       FakeFileSystemService::fileItem(root, QStringLiteral("broken"))});
        auto navigator = window.tab(root);
        test::await(navigator->reload());
        navigator->openSelection();
        QCOMPARE(navigator->history().size(), 1);

        const auto open = [&](const QString& name) {
            navigator->setSelectedItemID(root + u'/' + name);
            navigator->openSelection();
        };
        open(QStringLiteral("docs-link"));
        QCOMPARE(navigator->currentPath(), root + QStringLiteral("/docs-link"));
        navigator->goBack();
        open(QStringLiteral("docs"));
        QCOMPARE(navigator->currentPath(), root + QStringLiteral("/docs"));
        navigator->goBack();
        open(QStringLiteral("file-link"));
        open(QStringLiteral("broken"));
        open(QStringLiteral("a.txt"));
        QCOMPARE(navigator->currentPath(), root);
        QCOMPARE(window.opener.opened,
                 (QStringList{root + QStringLiteral("/file-link"), root + QStringLiteral("/broken"),
                              root + QStringLiteral("/a.txt")}));
    }

    void restoreStateClampsTheIndex() {
        Window window;
        auto navigator = window.tab(QStringLiteral("/start"));
        const QStringList saved{QStringLiteral("/a"), QStringLiteral("/b")};
        navigator->restoreState(saved, 7, QStringLiteral("/b/x"), 12.5);
        QCOMPARE(navigator->history(), saved);
        QCOMPARE(navigator->historyIndex(), 1);
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/b/x"));
        QCOMPARE(navigator->scrollOffset(), 12.5);
        QCOMPARE(navigator->currentPath(), QStringLiteral("/start"));
        navigator->restoreState(saved, -3, std::nullopt, 0);
        QCOMPARE(navigator->historyIndex(), 0);
        navigator->restoreState({}, 4, std::nullopt, 0);
        QCOMPARE(navigator->history(), QStringList{QStringLiteral("/start")});
        QCOMPARE(navigator->historyIndex(), 0);
    }

    void pathMappingsCarryTheFolderHistorySelectionAndMarks() {
        Window window;
        auto navigator = window.tabWithHistory({QStringLiteral("/a"), QStringLiteral("/a/xy"),
                                                QStringLiteral("/a/x"), QStringLiteral("/a/x/sub")});
        navigator->setSelectedItemID(QStringLiteral("/a/x/sub/f2"));
        navigator->toggleMark(QStringLiteral("/a/x/sub/f1"));
        navigator->toggleMark(QStringLiteral("/elsewhere/m"));

        QVERIFY(navigator->applyPathMappings({{QStringLiteral("/a/x"), QStringLiteral("/a/y")}}));
        QCOMPARE(navigator->currentPath(), QStringLiteral("/a/y/sub"));
        QCOMPARE(navigator->history(), (QStringList{QStringLiteral("/a"), QStringLiteral("/a/xy"),
                                                    QStringLiteral("/a/y"), QStringLiteral("/a/y/sub")}));
        QCOMPARE(navigator->selectedItemID(), QStringLiteral("/a/y/sub/f2"));
        QCOMPARE(navigator->markedItemIDs(),
                 setOf({QStringLiteral("/a/y/sub/f1"), QStringLiteral("/elsewhere/m")}));

        QVERIFY(!navigator->applyPathMappings({}));
        QVERIFY(!navigator->applyPathMappings({{QStringLiteral("/a/x"), QStringLiteral("/a/z")}}));
        // The first mapping that applies wins.
        QVERIFY(navigator->applyPathMappings({{QStringLiteral("/a/y/sub"), QStringLiteral("/p")},
                                              {QStringLiteral("/a/y"), QStringLiteral("/q")}}));
        QCOMPARE(navigator->currentPath(), QStringLiteral("/p"));
        QCOMPARE(navigator->history().at(2), QStringLiteral("/q"));

        // Entries moved out of the folder shown are no longer selected or marked.
        navigator->setSelectedItemID(QStringLiteral("/p/f1"));
        navigator->toggleMark(QStringLiteral("/p/f2"));
        QVERIFY(navigator->applyPathMappings({{QStringLiteral("/p/f1"), QStringLiteral("/b/f1")},
                                              {QStringLiteral("/p/f2"), QStringLiteral("/p/g2")},
                                              {QStringLiteral("/elsewhere/m"), QStringLiteral("/p/m")}}));
        QCOMPARE(navigator->selectedItemID(), std::nullopt);
        QCOMPARE(navigator->markedItemIDs(), setOf({QStringLiteral("/p/g2"), QStringLiteral("/p/m")}));
    }

    void removedFoldersLeadToTheNearestSurvivingAncestor() {
        Window window;
        auto navigator = window.tabWithHistory(
            {QStringLiteral("/d"), QStringLiteral("/a"), QStringLiteral("/a/b"), QStringLiteral("/a/b/c")});
        navigator->setSelectedItemID(QStringLiteral("/a/b/c/s"));
        navigator->toggleMark(QStringLiteral("/a/b/c/m"));
        QVERIFY(!navigator->handleRemovedPaths(setOf({QStringLiteral("/a/bc"), QStringLiteral("/z")})));
        QVERIFY(!navigator->handleRemovedPaths({}));

        QVERIFY(navigator->handleRemovedPaths(setOf({QStringLiteral("/a/b")})));
        QCOMPARE(navigator->currentPath(), QStringLiteral("/a"));
        QCOMPARE(navigator->history(), (QStringList{QStringLiteral("/d"), QStringLiteral("/a"),
                                                    QStringLiteral("/a"), QStringLiteral("/a")}));
        QCOMPARE(navigator->selectedItemID(), std::nullopt);
        QVERIFY(navigator->markedItemIDs().isEmpty());

        auto deep = window.tab(QStringLiteral("/r/s/t/u"));
        QVERIFY(deep->handleRemovedPaths(setOf({QStringLiteral("/r/s/t"), QStringLiteral("/r/s")})));
        QCOMPARE(deep->currentPath(), QStringLiteral("/r"));
        // With nothing left to climb to, the walk must still end.
        deep->handleRemovedPaths(setOf({QStringLiteral("/")}));
        QCOMPARE(deep->currentPath(), QStringLiteral("/r"));
    }

    void mappingsAndRemovalsReachEveryTab() {
        Window window;
        FolderSettings bySize;
        bySize.sortKey = SortKey::size;
        window.store.set(bySize, QStringLiteral("/w/proj/src"));
        auto source = window.tabWithHistory(
            {QStringLiteral("/w"), QStringLiteral("/w/proj"), QStringLiteral("/w/proj/src")});
        source->toggleMark(QStringLiteral("/w/proj/src/main.cpp"));
        auto parent = window.tabWithHistory({QStringLiteral("/w/proj/docs"), QStringLiteral("/w")});
        parent->setSelectedItemID(QStringLiteral("/w/proj"));
        auto unrelated = window.tab(QStringLiteral("/tmp"));

        const QList<PathMapping> renamed{{QStringLiteral("/w/proj"), QStringLiteral("/w/project")}};
        window.store.remap(renamed);
        QVERIFY(source->applyPathMappings(renamed));
        QVERIFY(parent->applyPathMappings(renamed));
        QVERIFY(!unrelated->applyPathMappings(renamed));
        QCOMPARE(source->history(), (QStringList{QStringLiteral("/w"), QStringLiteral("/w/project"),
                                                 QStringLiteral("/w/project/src")}));
        QCOMPARE(source->markedItemIDs(), setOf({QStringLiteral("/w/project/src/main.cpp")}));
        QCOMPARE(source->effectiveSettings().sortKey, SortKey::size);
        QCOMPARE(parent->history(), (QStringList{QStringLiteral("/w/project/docs"), QStringLiteral("/w")}));
        QCOMPARE(parent->selectedItemID(), QStringLiteral("/w/project"));

        const QSet<QString> trashed = setOf({QStringLiteral("/w/project/docs")});
        QVERIFY(!source->handleRemovedPaths(trashed));
        QVERIFY(parent->handleRemovedPaths(trashed));
        QVERIFY(!unrelated->handleRemovedPaths(trashed));
        QCOMPARE(parent->history(), (QStringList{QStringLiteral("/w/project"), QStringLiteral("/w")}));
        QCOMPARE(parent->currentPath(), QStringLiteral("/w"));
    }

    void aListingOvertakenByNavigationIsDropped() {
        Window window;
        const QString a = QStringLiteral("/a"), b = QStringLiteral("/b");
        window.files.setEntries(a, {FakeFileSystemService::fileItem(a, QStringLiteral("old"))});
        window.files.setEntries(b, {FakeFileSystemService::fileItem(b, QStringLiteral("new"))});
        auto navigator = window.tab(a);
        window.files.setHeld(a, true);
        auto slow = navigator->reload();
        QCOMPARE(window.files.waitingCount(a), 1);

        navigator->navigate(b);
        test::await(navigator->reload());
        QCOMPARE(namesOf(navigator->items()), QStringList{QStringLiteral("new")});
        QSignalSpy itemChanges(navigator.get(), &Navigator::itemsChanged);
        window.files.release(a);
        test::await(std::move(slow));
        QCOMPARE(namesOf(navigator->items()), QStringList{QStringLiteral("new")});
        QCOMPARE(itemChanges.count(), 0);

        // Same folder, but the older of two listings finishes last.
        window.files.setHeld(b, true);
        auto older = navigator->reload();
        window.files.setHeld(b, false);
        window.files.setEntries(b, {FakeFileSystemService::fileItem(b, QStringLiteral("newer"))});
        test::await(navigator->reload());
        window.files.release(b);
        test::await(std::move(older));
        QCOMPARE(namesOf(navigator->items()), QStringList{QStringLiteral("newer")});

        // A listing of a folder that was renamed meanwhile names paths that are gone.
        window.files.setHeld(b, true);
        auto renamed = navigator->reload();
        navigator->applyPathMappings({{b, QStringLiteral("/b2")}});
        window.files.release(b);
        test::await(std::move(renamed));
        QCOMPARE(navigator->items().first().id, QStringLiteral("/b/newer"));
        QCOMPARE(itemChanges.count(), 1);
    }

    void closingATabWhileItsFolderIsReadIsSafe() {
        Window window;
        window.fillA();
        window.files.setHeld(QStringLiteral("/a"), true);
        auto navigator = window.tab(QStringLiteral("/a"));
        auto pending = navigator->reload();
        navigator.reset();
        window.files.release(QStringLiteral("/a"));
        test::await(std::move(pending));
    }

    void signalsFireOnlyForValuesThatChanged() {
        Window window;
        window.fillA();
        auto navigator = window.tab(QStringLiteral("/a"));
        QSignalSpy path(navigator.get(), &Navigator::currentPathChanged);
        QSignalSpy items(navigator.get(), &Navigator::itemsChanged);
        QSignalSpy selection(navigator.get(), &Navigator::selectedItemIDChanged);
        QSignalSpy marks(navigator.get(), &Navigator::markedItemIDsChanged);
        QSignalSpy history(navigator.get(), &Navigator::historyChanged);
        QSignalSpy search(navigator.get(), &Navigator::isSearchActiveChanged);
        QSignalSpy scroll(navigator.get(), &Navigator::scrollOffsetChanged);

        navigator->setSearchActive(false);
        navigator->clearMarks();
        test::await(navigator->reload());
        test::await(navigator->reload());
        QCOMPARE(items.count(), 1);
        navigator->goBack();
        navigator->navigate(QStringLiteral("/a"));
        QCOMPARE(path.count(), 0);
        QCOMPARE(history.count(), 1);
        QCOMPARE(selection.count(), 0);
        QCOMPARE(marks.count(), 0);
        QCOMPARE(search.count(), 0);
        QCOMPARE(scroll.count(), 0);
    }
};

QTEST_GUILESS_MAIN(NavigatorTest)
#include "NavigatorTest.moc"
