#include "models/navigation/Navigator.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/persistence/FolderSettingsStore.h"
#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/FaultInjectingCalls.h"
#include "support/FileItems.h"
#include "support/RecordingPersistenceService.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace quillmere;
using namespace Qt::StringLiterals;
using test::FakeFileSystemService;

namespace {

using test::fileItem;
using test::folderItem;
using test::namesOf;

// Space-separated path texts, for short expectations.
QStringList paths(const char* texts) {
    return QString::fromUtf8(texts).split(u' ', Qt::SkipEmptyParts);
}
QSet<QString> pathSet(const char* texts) {
    const QStringList list = paths(texts);
    return QSet<QString>(list.cbegin(), list.cend());
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
        auto nav = tab(history.first());
        for (qsizetype i = 1; i < history.size(); ++i)
            nav->navigate(history[i]);
        return nav;
    }
    // /a holds two files, a folder and a hidden file.
    void fillA() {
        files.setEntries(u"/a"_s, {fileItem(u"/a"_s, u"b.txt"_s, 5), fileItem(u"/a"_s, u"A.txt"_s, 1),
                                   folderItem(u"/a"_s, u"c"_s), fileItem(u"/a"_s, u".hidden"_s, 9)});
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
        auto nav = window.tab(u"/A"_s);
        nav->goBack();
        nav->goForward();

        // Observers must find the history already in step with the new folder.
        int consistent = 0;
        connect(nav.get(), &Navigator::currentPathChanged, this,
                [&](const QString& path) { consistent += nav->history().at(nav->historyIndex()) == path; });
        nav->navigate(u"/B"_s);
        nav->navigate(u"/C"_s);
        nav->goBack();
        QVERIFY(nav->canGoForward());
        nav->navigate(u"/D"_s);
        nav->navigate(u"/D"_s);
        QCOMPARE(nav->history(), paths("/A /B /D /D"));
        QCOMPARE(nav->historyIndex(), 3);
        QVERIFY(!nav->canGoForward());
        QCOMPARE(consistent, 4);

        nav->navigate(u"/E/F/"_s);
        QCOMPARE(nav->currentPath(), u"/E/F"_s);
        nav->goToParent();
        nav->goToParent();
        QCOMPARE(nav->currentPath(), u"/"_s);
        const QStringList atRoot = nav->history();
        nav->goToParent();
        QCOMPARE(nav->history(), atRoot);
    }

    void leavingAFolderResetsWhatBelongedToIt() {
        Window window;
        auto nav = window.tab(u"/a"_s);
        nav->restoreState({u"/a"_s}, 0, u"/a/b.txt"_s, 40.0);
        nav->toggleMark(u"/a/b.txt"_s);
        nav->setSearchActive(true);
        nav->navigate(u"/a/c"_s);
        QCOMPARE(nav->selectedItemID(), std::nullopt);
        QCOMPARE(nav->scrollOffset(), 0.0);
        QVERIFY(nav->markedItemIDs().isEmpty());
        QVERIFY(!nav->isSearchActive());

        // Back and forward keep the selection and the scroll position, but not the marks.
        nav->setSelectedItemID(u"/a/c/x"_s);
        nav->toggleMark(u"/a/c/x"_s);
        nav->goBack();
        QCOMPARE(nav->currentPath(), u"/a"_s);
        QCOMPARE(nav->selectedItemID(), u"/a/c/x"_s);
        QVERIFY(nav->markedItemIDs().isEmpty());

        // ...unless a filter was typed: clearing it clears the selection too.
        nav->setFilterQuery(u"x"_s);
        nav->setSelectedItemID(u"/a/x"_s);
        nav->goForward();
        QCOMPARE(nav->filterQuery(), QString());
        QCOMPARE(nav->selectedItemID(), std::nullopt);
    }

    void reloadSortsAndForgetsMarksOfVanishedEntries() {
        Window window;
        window.fillA();
        auto nav = window.tab(u"/a"_s);
        test::await(nav->reload());
        QCOMPARE(namesOf(nav->items()), paths("A.txt b.txt c"));
        QVERIFY(!window.files.listingCalls.last().showHidden);

        nav->toggleMark(u"/a/A.txt"_s);
        nav->toggleMark(u"/a/b.txt"_s);
        nav->setSelectedItemID(u"/a/b.txt"_s);
        window.files.setEntries(u"/a"_s, {fileItem(u"/a"_s, u"A.txt"_s)});
        test::await(nav->reload());
        QCOMPARE(nav->markedItemIDs(), pathSet("/a/A.txt"));
        // A stale selection stays, names nothing, and opens nothing.
        QCOMPARE(nav->selectedItemID(), u"/a/b.txt"_s);
        nav->openSelection();
        QVERIFY(window.opener.opened.isEmpty());
        QCOMPARE(nav->currentPath(), u"/a"_s);

        window.files.setUnreadable(u"/a"_s);
        test::await(nav->reload());
        QVERIFY(nav->items().isEmpty());
        QVERIFY(nav->markedItemIDs().isEmpty());
    }

    void sortByFlipsDirectionOnlyForTheSameKey() {
        Window window;
        window.fillA();
        auto nav = window.tab(u"/a"_s, false);
        test::await(nav->reload());

        nav->sortBy(SortKey::name);
        QCOMPARE(namesOf(nav->items()), paths("c b.txt A.txt"));
        nav->sortBy(SortKey::name);
        nav->sortBy(SortKey::name);
        nav->sortBy(SortKey::size);
        QCOMPARE(nav->localSettings().sortDirection, SortDirection::ascending);
        // The folder counts as size 0.
        QCOMPARE(namesOf(nav->items()), paths("c A.txt b.txt"));

        // The sort in effect when a listing arrives is the one applied to it.
        test::await(nav->reload());
        QCOMPARE(namesOf(nav->items()), paths("c A.txt b.txt"));
    }

    void settingsAreStoredPerFolderAndSharedBetweenTabs() {
        Window window;
        window.fillA();
        auto nav = window.tab(u"/a"_s);
        auto sameFolder = window.tab(u"/a"_s);
        QSignalSpy otherTabSettings(sameFolder.get(), &Navigator::effectiveSettingsChanged);

        nav->toggleHidden();
        QVERIFY(window.store.settings(u"/a"_s)->dotFilesVisible);
        QCOMPARE(otherTabSettings.count(), 1);
        QVERIFY(sameFolder->effectiveSettings().dotFilesVisible);
        test::await(nav->reload());
        QVERIFY(window.files.listingCalls.last().showHidden);
        QVERIFY(namesOf(nav->items()).contains(u".hidden"_s));

        nav->navigate(u"/b"_s);
        QCOMPARE(nav->effectiveSettings(), FolderSettings{});
        nav->setColumnLayout(QByteArray("layout"));
        QCOMPARE(window.store.settings(u"/b"_s)->columnLayout, QByteArray("layout"));
        nav->goBack();
        QVERIFY(nav->effectiveSettings().dotFilesVisible);
        QCOMPARE(nav->effectiveSettings().columnLayout, std::nullopt);
    }

    void filterNarrowsAndSelectionStaysWithinVisibleItems() {
        Window window;
        const QString f = u"/f"_s;
        window.files.setEntries(f, {fileItem(f, u"tree"_s), fileItem(f, u"README"_s), fileItem(f, u"notes"_s),
                                    fileItem(f, u"core"_s)});
        auto nav = window.tab(f);
        test::await(nav->reload());
        nav->selectPrevious();
        QCOMPARE(nav->selectedItemID(), u"/f/tree"_s);
        nav->selectNext();
        QCOMPARE(nav->selectedItemID(), u"/f/tree"_s);
        nav->setSelectedItemID(u"/f/core"_s);
        nav->selectPrevious();
        QCOMPARE(nav->selectedItemID(), u"/f/core"_s);

        nav->toggleMark(u"/f/tree"_s);
        nav->toggleMark(u"/f/core"_s);
        QSignalSpy queries(nav.get(), &Navigator::filterQueryChanged);
        nav->setFilterQuery(u"re"_s);
        nav->setFilterQuery(u"re"_s);
        QCOMPARE(queries.count(), 1);
        QCOMPARE(nav->selectedItemID(), std::nullopt);
        QCOMPARE(namesOf(nav->visibleItems()), paths("README core tree"));
        nav->selectNext();
        nav->selectNext();
        QCOMPARE(nav->selectedItemID(), u"/f/core"_s);

        // Marked entries hidden by the filter still count, in listing order.
        nav->setFilterQuery(u"tr"_s);
        QCOMPARE(namesOf(nav->markedItems()), paths("core tree"));
        nav->setFilterQuery(u"zzz"_s);
        nav->selectNext();
        QCOMPARE(nav->selectedItemID(), std::nullopt);
    }

    void openingEntersFoldersAndLinksToFoldersAndOpensFiles() {
        const test::TemporaryTree tree(QString(), test::TemporaryTree::Environment::keep);
        tree.makeFolder("tree/docs");
        tree.writeFile("tree/a.txt", "text");
        tree.makeSymlink("docs", "tree/docs-link");
        tree.makeSymlink("docs-link", "tree/link-to-link");
        tree.makeSymlink("a.txt", "tree/file-link");
        tree.makeSymlink("missing", "tree/broken");
        const QString root = tree.path("tree");
        auto calls = std::make_shared<test::FaultInjectingCalls>();
        DefaultFileSystemService files(calls);
        test::FakeFileOpener opener;
        Navigator nav(root, files, nullptr, opener);
        test::await(nav.reload());
        nav.openSelection();
        QCOMPARE(nav.history().size(), 1);

        // Where a link leads is known from the listing: opening asks the file system
        // nothing, so it goes by the listing even once the links are broken.
        const int statsAfterListing = calls->count(Primitive::Stat);
        QCOMPARE(std::rename(tree.bytes("tree/docs").constData(), tree.bytes("docs-moved").constData()), 0);
        const auto open = [&](const QString& name) {
            nav.setSelectedItemID(root + u'/' + name);
            nav.openSelection();
        };
        for (const QString& name : {u"docs-link"_s, u"link-to-link"_s, u"docs"_s}) {
            open(name);
            // Entered at the link's own path, so going up returns to the folder holding it.
            QCOMPARE(nav.currentPath(), root + u'/' + name);
            nav.goBack();
        }
        open(u"file-link"_s);
        open(u"broken"_s);
        open(u"a.txt"_s);
        QCOMPARE(nav.currentPath(), root);
        QCOMPARE(opener.opened,
                 (QStringList{root + u"/file-link"_s, root + u"/broken"_s, root + u"/a.txt"_s}));
        QCOMPARE(calls->count(Primitive::Stat), statsAfterListing);
    }

    void restoreStateClampsTheIndex() {
        Window window;
        auto nav = window.tab(u"/start"_s);
        const QStringList saved{u"/a"_s, u"/b"_s};
        nav->restoreState(saved, 7, u"/b/x"_s, 12.5);
        QCOMPARE(nav->historyIndex(), 1);
        QCOMPARE(nav->selectedItemID(), u"/b/x"_s);
        nav->restoreState(saved, -3, std::nullopt, 0);
        QCOMPARE(nav->historyIndex(), 0);
        nav->restoreState({}, 4, std::nullopt, 0);
        QCOMPARE(nav->history(), paths("/start"));
        QCOMPARE(nav->historyIndex(), 0);
    }

    void pathMappingsCarryTheFolderHistorySelectionAndMarks() {
        Window window;
        auto nav = window.tabWithHistory(paths("/a /a/xy /a/x /a/x/sub"));
        nav->setSelectedItemID(u"/a/x/sub/f2"_s);
        nav->toggleMark(u"/a/x/sub/f1"_s);
        nav->toggleMark(u"/elsewhere/m"_s);

        QVERIFY(nav->applyPathMappings({{u"/a/x"_s, u"/a/y"_s}}));
        QCOMPARE(nav->currentPath(), u"/a/y/sub"_s);
        QCOMPARE(nav->history(), paths("/a /a/xy /a/y /a/y/sub"));
        QCOMPARE(nav->selectedItemID(), u"/a/y/sub/f2"_s);
        QCOMPARE(nav->markedItemIDs(), pathSet("/a/y/sub/f1 /elsewhere/m"));

        QVERIFY(!nav->applyPathMappings({}));
        QVERIFY(!nav->applyPathMappings({{u"/a/x"_s, u"/a/z"_s}}));
        // The first mapping that applies wins.
        QVERIFY(nav->applyPathMappings({{u"/a/y/sub"_s, u"/p"_s}, {u"/a/y"_s, u"/q"_s}}));
        QCOMPARE(nav->currentPath(), u"/p"_s);
        QCOMPARE(nav->history().at(2), u"/q"_s);

        // Entries moved out of the folder shown are no longer selected or marked.
        nav->setSelectedItemID(u"/p/f1"_s);
        nav->toggleMark(u"/p/f2"_s);
        QVERIFY(nav->applyPathMappings(
            {{u"/p/f1"_s, u"/b/f1"_s}, {u"/p/f2"_s, u"/p/g2"_s}, {u"/elsewhere/m"_s, u"/p/m"_s}}));
        QCOMPARE(nav->selectedItemID(), std::nullopt);
        QCOMPARE(nav->markedItemIDs(), pathSet("/p/g2 /p/m"));
    }

    void removedFoldersLeadToTheNearestSurvivingAncestor() {
        Window window;
        auto nav = window.tabWithHistory(paths("/d /a /a/b /a/b/c"));
        nav->setSelectedItemID(u"/a/b/c/s"_s);
        nav->toggleMark(u"/a/b/c/m"_s);
        QVERIFY(!nav->handleRemovedPaths(pathSet("/a/bc /z")));
        QVERIFY(!nav->handleRemovedPaths({}));

        QVERIFY(nav->handleRemovedPaths(pathSet("/a/b")));
        QCOMPARE(nav->currentPath(), u"/a"_s);
        QCOMPARE(nav->history(), paths("/d /a /a /a"));
        QCOMPARE(nav->selectedItemID(), std::nullopt);
        QVERIFY(nav->markedItemIDs().isEmpty());

        auto deep = window.tab(u"/r/s/t/u"_s);
        QVERIFY(deep->handleRemovedPaths(pathSet("/r/s/t /r/s")));
        QCOMPARE(deep->currentPath(), u"/r"_s);
        // With nothing left to climb to, the walk must still end.
        deep->handleRemovedPaths(pathSet("/"));
        QCOMPARE(deep->currentPath(), u"/r"_s);
    }

    void aListingOvertakenByNavigationIsDropped() {
        Window window;
        const QString a = u"/a"_s, b = u"/b"_s;
        window.files.setEntries(a, {fileItem(a, u"old"_s)});
        window.files.setEntries(b, {fileItem(b, u"new"_s)});
        auto nav = window.tab(a);
        window.files.setHeld(a, true);
        auto slow = nav->reload();
        QCOMPARE(window.files.waitingCount(a), 1);

        nav->navigate(b);
        test::await(nav->reload());
        QCOMPARE(namesOf(nav->items()), paths("new"));
        QSignalSpy itemChanges(nav.get(), &Navigator::itemsChanged);
        window.files.release(a);
        test::await(std::move(slow));
        QCOMPARE(namesOf(nav->items()), paths("new"));
        QCOMPARE(itemChanges.count(), 0);

        // Same folder, but the older of two listings finishes last.
        window.files.setHeld(b, true);
        auto older = nav->reload();
        window.files.setHeld(b, false);
        window.files.setEntries(b, {fileItem(b, u"newer"_s)});
        test::await(nav->reload());
        window.files.release(b);
        test::await(std::move(older));
        QCOMPARE(namesOf(nav->items()), paths("newer"));

        // A listing of a folder that was renamed meanwhile names paths that are gone.
        window.files.setHeld(b, true);
        auto renamed = nav->reload();
        nav->applyPathMappings({{b, u"/b2"_s}});
        window.files.release(b);
        test::await(std::move(renamed));
        QCOMPARE(nav->items().first().id, u"/b/newer"_s);
        QCOMPARE(itemChanges.count(), 1);
    }

    void closingATabWhileItsFolderIsReadIsSafe() {
        Window window;
        window.fillA();
        window.files.setHeld(u"/a"_s, true);
        auto closed = window.tab(u"/a"_s);
        auto open = window.tab(u"/a"_s);
        auto closedListing = closed->reload();
        auto openListing = open->reload();
        QCOMPARE(window.files.waitingCount(u"/a"_s), 2);
        closed.reset();
        window.files.release(u"/a"_s);
        test::await(std::move(closedListing));
        test::await(std::move(openListing));
        // The orphaned listing ended quietly; the tab still open shows its own.
        QCOMPARE(window.files.waitingCount(u"/a"_s), 0);
        QCOMPARE(namesOf(open->items()), paths("A.txt b.txt c"));
        QCOMPARE(open->currentPath(), u"/a"_s);
    }
};

QTEST_GUILESS_MAIN(NavigatorTest)
#include "NavigatorTest.moc"
