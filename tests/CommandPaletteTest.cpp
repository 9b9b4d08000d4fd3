#include "models/palette/PaletteItemsBuilder.h"
#include "models/palette/PaletteMatch.h"
#include "models/tabs/AppState.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/BookmarkStore.h"
#include "support/FakeFileOpener.h"
#include "support/FakeFileSystemService.h"
#include "support/FaultInjectingCalls.h"
#include "support/FileItems.h"
#include "support/KeyCommandText.h"
#include "support/RecordingPersistenceService.h"
#include "support/TemporaryTree.h"

#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;
using C = KeyCommand::Case;

Q_DECLARE_METATYPE(std::optional<quillmere::PaletteMatch>)

namespace {

Bookmark bookmarkAt(const QString& url) {
    return {QUuid::createUuid(), url, QDateTime::fromSecsSinceEpoch(0)};
}

// What a test checks of a row: its title, score and highlighted offsets.
struct Row {
    QString title;
    int score;
    QList<int> positions;
    bool operator==(const Row&) const = default;
};

QList<Row> rowsOf(const QList<PaletteItem>& items) {
    QList<Row> rows;
    for (const PaletteItem& item : items)
        rows.append({item.title, item.score, item.matchPositions});
    return rows;
}

QList<std::optional<KeyCommand>> commandsOf(const QList<PaletteItem>& items) {
    QList<std::optional<KeyCommand>> commands;
    for (const PaletteItem& item : items)
        commands.append(item.kind.command() ? std::optional(item.kind.command()->command) : std::nullopt);
    return commands;
}

// A store over one tab whose folders are listed as the test says; whether a folder
// is still there is asked of a temporary tree.
struct Fixture {
    explicit Fixture(LanguageEnvironment* language = nullptr)
        : bookmarks(persistence)
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, files, nullptr, opener);
              },
              u"/home/u"_s, nullptr, files)
        , store(bookmarks, state, language, PathProbe(calls)) {
        state.newTab(u"/home/u"_s);
    }
    Navigator& navigator() { return state.activeTab()->navigator(); }
    void visit(const QStringList& folders) {
        for (const QString& folder : folders)
            navigator().navigate(folder);
    }
    // Finds a command through its keywords and selects its row.
    void selectCommand(const KeyCommand& command) {
        store.setQuery(PaletteItemsBuilder::searchKeywords(command));
        store.setSelectedIndex(commandsOf(store.items()).indexOf(command));
    }
    void run(const KeyCommand& command) {
        selectCommand(command);
        store.executeSelected([this](const KeyCommand& ran) { dispatched.append(ran); });
    }

    FakeFileSystemService files;
    FakeFileOpener opener;
    RecordingPersistenceService persistence;
    BookmarkStore bookmarks;
    AppState state;
    TemporaryTree tree;
    std::shared_ptr<FaultInjectingCalls> calls = std::make_shared<FaultInjectingCalls>();
    CommandPaletteStore store;
    QList<KeyCommand> dispatched;
};

} // namespace

// One query finds commands, recent folders and bookmarks, ranked by the fuzzy score;
// an empty query is a quick switcher of what was used last.
class CommandPaletteTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The scores are fuzzyScore's (FuzzyMatcherTest); here, which characters light up.
    void matchesWithTheScoredPositions_data() {
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("query");
        QTest::addColumn<std::optional<PaletteMatch>>("match");
        QTest::newRow("start and after a space")
            << u"Go back"_s << u"gb"_s << std::optional(PaletteMatch{17, {0, 3}});
        // Offsets count user-perceived characters: e and its accent are one.
        QTest::newRow("combining accent")
            << u"e\u0301tat"_s << u"tt"_s << std::optional(PaletteMatch{2, {1, 3}});
        // Canonically equivalent text matches; offsets count the title as stored.
        QTest::newRow("decomposed title, precomposed query")
            << u"Cafe\u0301 Noir"_s << u"én"_s << std::optional(PaletteMatch{7, {3, 5}});
        // Decomposed, Myanmar U+1026 is two characters of the title but one when matched.
        QTest::newRow("a character that normalising joins")
            << u"\u1025\u102Ex"_s << u"\u1026x"_s << std::optional(PaletteMatch{15, {0, 2}});
        QTest::newRow("empty query") << u"Go back"_s << QString() << std::optional<PaletteMatch>();
    }
    void matchesWithTheScoredPositions() {
        QFETCH(QString, candidate);
        QFETCH(QString, query);
        QFETCH(std::optional<PaletteMatch>, match);
        QCOMPARE(fuzzyMatch(candidate, query), match);
    }

    void emptyQueryListsRecentCommandsFoldersAndBookmarks() {
        PaletteItemsBuilder::Sources sources;
        sources.commands = {{C::goBack, u"Back"_s, u"b"_s}};
        sources.recentCommands = {C::copyPath, C::goBack};
        for (int i = 0; i < 12; ++i)
            sources.history.append(u"/f/"_s + QString::number(i % 11));
        sources.bookmarks = {bookmarkAt(u"/b/one"_s), bookmarkAt(u"/b/two"_s)};
        const QList<PaletteItem> items = PaletteItemsBuilder::build(sources, {});

        // A command without an entry falls back to its case name, without a hint.
        QCOMPARE(rowsOf(items.mid(0, 2)), (QList<Row>{{u"copyPath"_s, 2, {}}, {u"Back"_s, 1, {}}}));
        QCOMPARE(items[0].subtitle, std::nullopt);
        QCOMPARE(items[1].subtitle, u"b"_s);
        // The ten newest folders, newest first, repeats kept, scored 10 down to 1.
        QCOMPARE(rowsOf(items.mid(2, 2)), (QList<Row>{{u"0"_s, 10, {}}, {u"10"_s, 9, {}}}));
        QCOMPARE(rowsOf(items.mid(11)), (QList<Row>{{u"2"_s, 1, {}}, {u"one"_s, 2, {}}, {u"two"_s, 1, {}}}));
        QCOMPARE(items[2].kind.folderURL(), u"/f/0"_s);
    }

    void queryRanksCommandsFoldersAndBookmarks() {
        PaletteItemsBuilder::Sources sources;
        sources.commands = {{C::goBack, u"Back"_s, u"b"_s}, {C::copyPath, u"xpxc"_s, u"p"_s}};
        // Keyword-only: "go back navigate" scores, and nothing of the label lights up.
        QCOMPARE(rowsOf(PaletteItemsBuilder::build(sources, u"gb")), (QList<Row>{{u"Back"_s, 17, {}}}));
        // Both match: the keywords' higher score ("copy path clipboard" scores 7), the label's positions.
        QCOMPARE(rowsOf(PaletteItemsBuilder::build(sources, u"pc")), (QList<Row>{{u"xpxc"_s, 7, {1, 3}}}));

        // A folder found by its path only is ranked and highlighted by the path.
        sources.commands.clear();
        sources.history = {u"/work/projects/alpha"_s};
        QCOMPARE(rowsOf(PaletteItemsBuilder::build(sources, u"proj")),
                 (QList<Row>{{u"alpha"_s, 18, {6, 7, 8, 9}}}));
        // Bookmarks match by their name only.
        sources.history.clear();
        sources.bookmarks = {bookmarkAt(u"/work/projects/alpha"_s)};
        QCOMPARE(rowsOf(PaletteItemsBuilder::build(sources, u"proj")), QList<Row>());
    }

    void equalScoresKeepCommandsFoldersBookmarks() {
        PaletteItemsBuilder::Sources sources;
        sources.commands = {{C::goBack, u"xaxb"_s, u"b"_s}, {C::goForward, u"ab"_s, u"f"_s}};
        sources.history = {u"/h/ab"_s, u"/h/ab"_s};
        sources.bookmarks = {bookmarkAt(u"/b/xaxb"_s), bookmarkAt(u"/b/ab"_s)};
        // "ab" scores 15 wherever it is a whole name, "xaxb" 2.
        QString order;
        for (const PaletteItem& item : PaletteItemsBuilder::build(sources, u"ab"))
            order += u"cfb"_s[qsizetype(item.kind.value.index())] + QString::number(item.score) + u' ';
        QCOMPARE(order, u"c15 f15 f15 b15 c2 b2 "_s);
    }

    void runCommandsBecomeRecentMostRecentFirst() {
        Fixture f;
        f.run(C::goBack);
        f.run(C::goBack);
        f.run(C::copyPath);
        QCOMPARE(f.dispatched, (QList<KeyCommand>{C::goBack, C::goBack, C::copyPath}));
        QCOMPARE(f.store.recentCommandKeys(), (QList<KeyCommand>{C::copyPath, C::goBack}));

        for (const KeyCommand& command : {KeyCommand(C::nextTab), KeyCommand::sortBy(SortKey::size),
                                          KeyCommand::sortBy(SortKey::kind), KeyCommand(C::showHelp)})
            f.run(command);
        QCOMPARE(f.store.recentCommandKeys(),
                 (QList<KeyCommand>{C::showHelp, KeyCommand::sortBy(SortKey::kind),
                                    KeyCommand::sortBy(SortKey::size), C::nextTab, C::copyPath}));
        f.store.open();
        QCOMPARE(commandsOf(f.store.items().mid(0, 2)),
                 (QList<std::optional<KeyCommand>>{C::showHelp, KeyCommand::sortBy(SortKey::kind)}));
        QCOMPARE(f.store.items()[0].score, 5);
    }

    void openingListsRecentFoldersAndSelectionWrapsAround() {
        Fixture f;
        f.visit({u"/a"_s, u"/b"_s});
        f.store.setQuery(u"zz"_s);
        f.store.open();
        QCOMPARE(f.store.query(), QString());
        QCOMPARE(rowsOf(f.store.items()), (QList<Row>{{u"b"_s, 10, {}}, {u"a"_s, 9, {}}, {u"u"_s, 8, {}}}));
        f.store.moveSelectionUp();
        QCOMPARE(f.store.selectedIndex(), 2);
        f.store.moveSelectionDown();
        QCOMPARE(f.store.selectedIndex(), 0);
        f.store.moveSelectionDown();
        f.store.setQuery(f.store.query());
        QCOMPARE(f.store.selectedIndex(), 0);

        f.store.setQuery(u"qqqqqqqq"_s);
        QVERIFY(f.store.items().isEmpty());
        QSignalSpy moved(&f.store, &CommandPaletteStore::selectedIndexChanged);
        f.store.moveSelectionDown();
        f.store.moveSelectionUp();
        QCOMPARE(moved.size(), 0);
        // Return with nothing to run only closes the palette.
        f.store.setPresented(true);
        f.store.executeSelected([&f](const KeyCommand& command) { f.dispatched.append(command); });
        QVERIFY(!f.store.isPresented());
        QVERIFY(f.dispatched.isEmpty());
    }

    void choosingAFolderShowsItInTheActiveTab() {
        Fixture f;
        f.tree.makeFolder("a");
        const QString a = f.tree.path("a");
        f.files.setEntries(a, {fileItem(a, u"inside"_s)});
        f.visit({a, f.tree.path("b")});
        f.store.open();
        f.store.moveSelectionDown();
        QCOMPARE(f.store.items()[1].title, u"a"_s);
        f.store.executeSelected({});
        QVERIFY(!f.store.isPresented());
        QTRY_COMPARE(f.navigator().currentPath(), a);
        // The tab lists the folder it now shows.
        QTRY_COMPARE(f.navigator().items().size(), 1);
        QCOMPARE(f.navigator().items()[0].name, u"inside"_s);
        QCOMPARE(f.store.navigationErrorMessage(), std::nullopt);
    }

    void choosingAFolderThatIsGoneLeavesTheTabsAndSaysSo_data() {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("deleted") << false;
        QTest::newRow("cannot be examined") << true;
    }
    void choosingAFolderThatIsGoneLeavesTheTabsAndSaysSo() {
        QFETCH(bool, folderExists);
        QTranslator english;
        QVERIFY(english.load(LanguageEnvironment::translationPath(AppLanguage::en)));
        QCoreApplication::installTranslator(&english);
        Fixture f;
        if (folderExists) {
            f.tree.makeFolder("m");
            f.tree.makeFolder("m/gone");
            f.calls->failOn(Primitive::Stat, 1, EACCES);
        }
        f.bookmarks.setBookmarks({bookmarkAt(f.tree.path("m/gone"))});
        f.store.open();
        QCOMPARE(f.store.items().last().title, u"gone"_s);
        f.store.setSelectedIndex(f.store.items().size() - 1);
        f.store.executeSelected({});
        QVERIFY(!f.store.isPresented());
        QTRY_COMPARE(f.store.navigationErrorMessage(), qtTrId("palette.errorNotFound").arg(u"gone"_s));
        QCOMPARE(f.navigator().currentPath(), u"/home/u"_s);
        QCOMPARE(f.navigator().history().size(), 1);
        QCoreApplication::removeTranslator(&english);
    }

    void aLanguageChangeRelabelsTheRowsOnTheNextTurn() {
        LanguageEnvironment language(QLocale(QLocale::English, QLocale::UnitedStates));
        Fixture f(&language);
        f.store.setQuery(u"o"_s);
        const auto goBackRow = [&f] { return commandsOf(f.store.items()).indexOf(KeyCommand(C::goBack)); };
        QVERIFY(goBackRow() >= 0);
        const QString english = f.store.items()[goBackRow()].title;
        QCOMPARE(english, qtTrId("nav.goBack"));
        f.store.setSelectedIndex(1);
        language.setLanguage(AppLanguage::ja);
        QCOMPARE(f.store.items()[goBackRow()].title, english);
        QTRY_COMPARE(f.store.selectedIndex(), 0);
        QCOMPARE(f.store.items()[goBackRow()].title, qtTrId("nav.goBack"));
        QVERIFY(qtTrId("nav.goBack") != english);
    }
};

QTEST_GUILESS_MAIN(CommandPaletteTest)
#include "CommandPaletteTest.moc"
