#include "models/tabs/AppState.h"
#include "models/errors/DeleteError.h"
#include "models/paths/FilePath.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FakeFileOpener.h"
#include "support/FaultInjectingCalls.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

// An AppState over the real file-system service, its tabs opened on a temporary tree.
struct Fixture {
    explicit Fixture(std::shared_ptr<SystemCalls> calls = SystemCalls::real())
        : service(std::move(calls))
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, service, nullptr, opener);
              },
              tree.path("home"), nullptr, service) {}

    QStringList tabFolders() const {
        QStringList folders;
        for (BrowserTab* tab : state.tabs())
            folders.append(FilePath::lastComponent(tab->navigator().currentPath()));
        return folders;
    }
    Navigator& active() { return state.activeTab()->navigator(); }
    void markAll(const QStringList& names) {
        for (const QString& name : names)
            active().toggleMark(FilePath::appending(active().currentPath(), name));
    }

    TemporaryTree tree;
    DefaultFileSystemService service;
    FakeFileOpener opener;
    AppState state;
};

} // namespace

// Tab rules keep an active tab in range; operations on marked entries bring every
// tab up to date and pass failures on unchanged.
class AppStateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void closingTabsKeepsTheRightTabActive_data() {
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("closed");
        QTest::addColumn<QStringList>("tabsAfter");
        QTest::addColumn<int>("activeAfter");
        const QStringList abc{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("before the active one") << 2 << 0 << QStringList{u"b"_s, u"c"_s} << 1;
        QTest::newRow("the active last one") << 2 << 2 << QStringList{u"a"_s, u"b"_s} << 1;
        QTest::newRow("the active middle one") << 1 << 1 << QStringList{u"a"_s, u"c"_s} << 1;
        QTest::newRow("after the active one") << 0 << 2 << QStringList{u"a"_s, u"b"_s} << 0;
        QTest::newRow("out of range") << 1 << 5 << abc << 1;
    }
    void closingTabsKeepsTheRightTabActive() {
        QFETCH(int, active);
        QFETCH(int, closed);
        QFETCH(QStringList, tabsAfter);
        QFETCH(int, activeAfter);
        Fixture f;
        std::vector<std::unique_ptr<BrowserTab>> tabs;
        for (const char* name : {"a", "b", "c"})
            tabs.push_back(f.state.restoreTab(
                {QUuid::createUuid(), f.tree.path(QByteArray("tree/") + name), {}, -1, std::nullopt, 0}));
        f.state.replaceTabs(std::move(tabs), active);
        f.state.closeTab(closed);
        QCOMPARE(f.tabFolders(), tabsAfter);
        QCOMPARE(f.state.activeTabIndex(), activeAfter);
    }

    void closingTheOnlyTabOpensAFreshOneAtHome() {
        Fixture f;
        f.state.newTab(f.tree.path("tree"));
        const QUuid before = f.state.activeTab()->id();
        QSignalSpy tabs(&f.state, &AppState::tabsChanged);
        f.state.closeTab(0);
        QCOMPARE(f.state.tabCount(), 1);
        QCOMPARE(f.active().currentPath(), f.tree.path("home"));
        QVERIFY(f.state.activeTab()->id() != before);
        QCOMPARE(tabs.size(), 1);
    }

    void selectingAndCyclingClampsWrapsAndClearsMarks() {
        Fixture f;
        f.tree.writeFile("tree/x", "");
        for (int i = 0; i < 3; ++i)
            f.state.newTab(f.tree.path("tree"));
        f.state.selectTab(8);
        QCOMPARE(f.state.activeTabIndex(), 2);
        f.state.selectTab(-1);
        QCOMPARE(f.state.activeTabIndex(), 0);
        f.state.prevTab();
        QCOMPARE(f.state.activeTabIndex(), 2);
        await(f.active().reload());
        f.markAll({u"x"_s});
        f.state.nextTab();
        QCOMPARE(f.state.activeTabIndex(), 0);
        QVERIFY(f.state.tabs()[2]->navigator().markedItemIDs().isEmpty());

        // With one tab, cycling keeps it and its marks.
        f.state.closeTab(2);
        f.state.closeTab(1);
        await(f.active().reload());
        f.markAll({u"x"_s});
        f.state.nextTab();
        f.state.prevTab();
        QCOMPARE(f.active().markedItemIDs().size(), 1);
    }

    void newTabOpensAtTheActiveFolderAfterClearingItsMarks() {
        Fixture f;
        f.state.newTab();
        QCOMPARE(f.active().currentPath(), f.tree.path("home"));
        f.tree.writeFile("tree/x", "");
        f.state.newTab(f.tree.path("tree"));
        await(f.active().reload());
        f.markAll({u"x"_s});
        f.state.newTab();
        QCOMPARE(f.state.activeTabIndex(), 2);
        QCOMPARE(f.active().currentPath(), f.tree.path("tree"));
        QVERIFY(f.state.tabs()[1]->navigator().markedItemIDs().isEmpty());
        QCOMPARE(f.state.tabs()[1]->title(), u"tree"_s);
        f.state.newTab(u"/"_s);
        QCOMPARE(f.state.activeTab()->title(), u"/"_s);
    }

    void sessionCapturesEveryTab() {
        Fixture f;
        f.state.newTab(f.tree.path("tree"));
        f.active().navigate(f.tree.path("home"));
        f.active().setSelectedItemID(f.tree.path("home/file"));
        f.state.newTab(f.tree.path("home"));
        f.state.setHelpPanelVisible(false);
        const Session session = f.state.makeSession();
        QCOMPARE(session.activeTabIndex, 1);
        QVERIFY(!session.helpPanelVisible);
        QCOMPARE(session.tabs.size(), 2);
        const TabState first{f.state.tabs()[0]->id(),
                             f.tree.path("home"),
                             QStringList{f.tree.path("tree"), f.tree.path("home")},
                             1,
                             f.tree.path("home/file"),
                             0};
        QCOMPARE(session.tabs[0], first);

        // A tab restored from the session captures as the same record.
        std::vector<std::unique_ptr<BrowserTab>> tabs;
        tabs.push_back(f.state.restoreTab(first));
        f.state.replaceTabs(std::move(tabs), 0);
        QCOMPARE(f.state.makeSession().tabs, QList<TabState>{first});
    }

    void copyMoveAndDeleteActOnMarkedEntriesAndUpdateEveryTab() {
        auto calls = std::make_shared<FaultInjectingCalls>();
        Fixture f(calls);
        f.tree.writeFile("tree/one", "1");
        f.tree.writeFile("tree/two", "2");
        f.tree.makeFolder("tree/dest");
        f.tree.writeFile("tree/dest/one", "old");
        f.tree.writeFile("tree/x/inside", "");
        f.state.newTab(f.tree.path("tree/x")); // a tab inside what moves
        f.state.newTab(f.tree.path("tree"));
        await(f.active().reload());
        f.markAll({u"x"_s});
        await(f.state.moveMarked(f.tree.path("tree/dest"), {}));
        QVERIFY(f.tree.exists("tree/dest/x/inside"));
        QCOMPARE(f.state.tabs()[0]->navigator().currentPath(), f.tree.path("tree/dest/x"));
        QVERIFY(f.active().markedItemIDs().isEmpty());
        calls->reset();

        await(f.state.deleteMarked()); // nothing marked: nothing happens
        QCOMPARE(calls->count(Primitive::Rename), 0);

        f.markAll({u"one"_s, u"two"_s});
        await(f.state.copyMarked(f.tree.path("tree/dest"), {ConflictResolution::rename(u"one copy"_s)}));
        QCOMPARE(f.tree.readFile("tree/dest/one copy"), QByteArray("1"));
        QCOMPARE(f.tree.readFile("tree/dest/one"), QByteArray("old"));
        QCOMPARE(f.tree.readFile("tree/dest/two"), QByteArray("2"));

        await(f.state.deleteMarked());
        QVERIFY(!f.tree.exists("tree/one"));
        QVERIFY(!f.tree.exists("tree/two"));
        QCOMPARE(f.active().items().size(), 1); // dest
    }

    void failedOperationsPassTheErrorOnAndChangeNoTab() {
        auto calls = std::make_shared<FaultInjectingCalls>();
        Fixture f(calls);
        f.tree.writeFile("tree/a.txt", "a");
        f.state.newTab(f.tree.path("tree"));
        await(f.active().reload());
        f.markAll({u"a.txt"_s});
        calls->failOn(Primitive::Rename, 1, EACCES);
        const auto error = failureOf<DeleteError>(f.state.deleteMarked());
        QCOMPARE(error, std::optional(DeleteError::permissionDenied(u"a.txt"_s)));
        QCOMPARE(f.active().markedItemIDs().size(), 1);
        QVERIFY(f.tree.exists("tree/a.txt"));
    }

    void createdEntryIsSelected() {
        Fixture f;
        f.state.newTab(f.tree.path("tree"));
        await(f.state.createFolder(u"New"_s));
        QCOMPARE(f.active().selectedItemID(), std::optional(f.tree.path("tree/New")));
        QCOMPARE(f.active().items().size(), 1);
        await(f.state.createFile(u"note.txt"_s));
        QCOMPARE(f.active().selectedItemID(), std::optional(f.tree.path("tree/note.txt")));
        QVERIFY(failureOf<PlatformError>(f.state.createFolder(u"New"_s)));
    }

    void renamedFolderIsFollowedByOtherTabs() {
        Fixture f;
        f.tree.makeFolder("tree/old");
        f.state.newTab(f.tree.path("tree/old"));
        f.state.newTab(f.tree.path("tree"));
        const QString renamed = await(f.service.renameItem(f.tree.path("tree/old"), u"new"_s));
        await(f.state.didRename(f.tree.path("tree/old"), renamed));
        QCOMPARE(f.state.tabs()[0]->navigator().currentPath(), f.tree.path("tree/new"));
    }
};

QTEST_GUILESS_MAIN(AppStateTest)
#include "AppStateTest.moc"
