#include "services/persistence/AppSettingsStore.h"
#include "services/persistence/BookmarkStore.h"
#include "services/persistence/Debouncer.h"
#include "services/persistence/FolderSettingsStore.h"
#include "services/persistence/SessionStore.h"
#include "support/FaultInjectingCalls.h"
#include "support/RecordingPersistenceService.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/WaitPastTimers.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

// Short, so the tests take milliseconds; the half second is only the default.
constexpr std::chrono::milliseconds delay{20};

// Every save scheduled so far has had its turn: what a test waits for before showing
// that one did not happen.
[[nodiscard]] bool pastScheduledSaves() {
    return waitPastTimersDueWithin(delay);
}

FolderSettings sortedBy(SortKey key) {
    FolderSettings settings;
    settings.sortKey = key;
    return settings;
}

} // namespace

// Stores save a delay after the last change, once, with the last state.
class StoresTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void debouncerRunsOnlyTheLastActionAfterTheQuietPeriod() {
        Debouncer debouncer(delay);
        QStringList ran;
        auto action = [&ran](QString name) {
            return [&ran, name]() -> QCoro::Task<> {
                ran.append(name);
                co_return;
            };
        };
        debouncer.schedule(action(u"first"_s));
        // Falls due just after the first request would have run, had the second not
        // restarted the delay.
        std::optional<QStringList> ranByFirstDeadline;
        QTimer::singleShot(delay, Qt::PreciseTimer, [&] { ranByFirstDeadline = ran; });
        debouncer.schedule(action(u"second"_s));
        QTRY_VERIFY(ranByFirstDeadline);
        QCOMPARE(*ranByFirstDeadline, QStringList());
        QTRY_COMPARE(ran, QStringList{u"second"_s});

        debouncer.schedule(action(u"cancelled"_s));
        debouncer.cancel();
        QVERIFY(!debouncer.isPending());
        {
            Debouncer gone(delay);
            gone.schedule(action(u"destroyed"_s));
        }
        QVERIFY(pastScheduledSaves());
        QCOMPARE(ran, QStringList{u"second"_s});
    }

    // Settings are keyed by the standardised path, and a remap moves whole components only.
    void remapMovesWholeComponentsOnly() {
        RecordingPersistenceService service;
        FolderSettingsStore store(service, delay);
        store.set(sortedBy(SortKey::size), u"/Users/ann/Documents/"_s);
        QCOMPARE(store.settings(u"/Users/ann/./Documents"_s), std::optional(sortedBy(SortKey::size)));
        QCOMPARE(store.all().keys(), QStringList{u"/Users/ann/Documents"_s});
        store.setAll({{u"/x/a"_s, sortedBy(SortKey::size)},
                      {u"/x/a/sub"_s, sortedBy(SortKey::kind)},
                      {u"/x/ab"_s, sortedBy(SortKey::dateModified)}});
        QSignalSpy changed(&store, &FolderSettingsStore::settingsChanged);
        store.remap({{u"/x/a"_s, u"/x/b"_s}});
        QCOMPARE(store.all(), (FolderSettingsMap{{u"/x/b"_s, sortedBy(SortKey::size)},
                                                 {u"/x/b/sub"_s, sortedBy(SortKey::kind)},
                                                 {u"/x/ab"_s, sortedBy(SortKey::dateModified)}}));
        QCOMPARE(changed.size(), 1);
        QTRY_COMPARE(service.folderSettingsSaves.size(), 1);

        store.remap({{u"/nowhere"_s, u"/else"_s}});
        QCOMPARE(changed.size(), 1);
        QVERIFY(pastScheduledSaves());
        QCOMPARE(service.folderSettingsSaves.size(), 1);
    }

    void flushWritesNowAndTheScheduledSaveDoesNotFollow() {
        RecordingPersistenceService service;
        SessionStore store(service, delay);
        Session session;
        for (qint64 i = 0; i < 10; ++i) {
            session.activeTabIndex = i;
            store.scheduleSave(session);
        }
        QTRY_COMPARE(service.sessionSaves.size(), 1);
        QCOMPARE(service.sessionSaves.first().activeTabIndex, 9);

        session.activeTabIndex = 42;
        store.scheduleSave(session);
        session.activeTabIndex = 43;
        await(store.flush(session));
        QCOMPARE(service.sessionSaves.size(), 2);
        QCOMPARE(service.sessionSaves.last().activeTabIndex, 43);
        QVERIFY(pastScheduledSaves());
        QCOMPARE(service.sessionSaves.size(), 2);
    }

    void failedSavesKeepTheStateInMemory() {
        RecordingPersistenceService service;
        service.failSaves = true;
        FolderSettingsStore store(service, delay);
        store.set(sortedBy(SortKey::kind), u"/a"_s);
        QVERIFY(pastScheduledSaves());
        await(store.flush());
        QCOMPARE(store.settings(u"/a"_s), std::optional(sortedBy(SortKey::kind)));
        service.failSaves = false;
        await(store.flush());
        QCOMPARE(service.folderSettingsSaves.size(), 1);
    }

    void bookmarksAreUniqueByStandardisedFolder() {
        RecordingPersistenceService service;
        BookmarkStore store(service, PathProbe(), delay);
        QSignalSpy changed(&store, &BookmarkStore::bookmarksChanged);
        store.add(u"/a"_s);
        store.add(u"/a/./"_s);
        store.add(u"/x/../a"_s);
        store.add(u"/b"_s);
        QCOMPARE(store.bookmarks().size(), 2);
        QCOMPARE(store.bookmarks()[1].url, u"/b"_s);
        QCOMPARE(changed.size(), 2);
        QTRY_COMPARE(service.bookmarkSaves.size(), 1);

        // Removing an unknown id still saves the unchanged list.
        store.remove(QUuid::createUuid());
        QTRY_COMPARE(service.bookmarkSaves.size(), 2);
        QCOMPARE(changed.size(), 2);
        store.remove(store.bookmarks().first().id);
        QCOMPARE(store.bookmarks().size(), 1);

        // Bookmarks follow a move of their folder or of an ancestor, in place; an
        // unrelated move saves nothing.
        store.add(u"/photos/2024"_s);
        QTRY_COMPARE(service.bookmarkSaves.size(), 3);
        store.remap({{u"/elsewhere"_s, u"/other"_s}});
        store.remap({{u"/photos"_s, u"/archive/photos"_s}, {u"/b"_s, u"/c"_s}});
        QCOMPARE(store.bookmarks()[0].url, u"/c"_s);
        QCOMPARE(store.bookmarks()[1].url, u"/archive/photos/2024"_s);
        QTRY_COMPARE(service.bookmarkSaves.size(), 4);
    }

    // A bookmark goes when nothing is at its folder, links followed, or when the
    // question cannot be answered.
    void pruningDropsFoldersThatAreGoneAndSavesOnlyThen() {
        TemporaryTree tree;
        tree.makeFolder("kept");
        tree.makeFolder("deleted");
        tree.makeFolder("unreadable");
        tree.makeSymlink("deleted", "link");
        auto calls = std::make_shared<FaultInjectingCalls>();
        RecordingPersistenceService service;
        BookmarkStore store(service, PathProbe(calls), delay);
        for (const char* name : {"kept", "deleted", "unreadable", "link"})
            store.add(tree.path(name));
        QTRY_COMPARE(service.bookmarkSaves.size(), 1);

        await(store.pruneMissing());
        QVERIFY(pastScheduledSaves());
        QCOMPARE(service.bookmarkSaves.size(), 1);

        QVERIFY(::rmdir(tree.bytes("deleted").constData()) == 0);
        const QByteArray unreadable = tree.bytes("unreadable");
        calls->setHook([unreadable](Primitive primitive, const char* path) {
            return primitive == Primitive::Stat && unreadable == path ? EIO : 0;
        });
        QSignalSpy changed(&store, &BookmarkStore::bookmarksChanged);
        await(store.pruneMissing());
        QCOMPARE(changed.size(), 1);
        QCOMPARE(store.bookmarks().size(), 1);
        QCOMPARE(store.bookmarks().first().url, tree.path("kept"));
        QTRY_COMPARE(service.bookmarkSaves.size(), 2);
        QCOMPARE(service.bookmarkSaves.last(), store.bookmarks());
    }

    void appSettingsNormaliseTheGlyphAndSaveEveryChange() {
        RecordingPersistenceService service;
        AppSettingsStore store(service, delay);
        QSignalSpy changed(&store, &AppSettingsStore::settingsChanged);
        store.setMarkGlyph(u""_s);
        QCOMPARE(store.settings().markGlyph(), u"\u2713"_s);
        QCOMPARE(changed.size(), 0); // nothing changed
        store.setMarkGlyph(u" \t "_s);
        QCOMPARE(store.settings().markGlyph(), u"\u2713"_s);
        store.setMarkGlyph(u" ★"_s);
        QCOMPARE(store.settings().markGlyph(), u" "_s);
        store.setMarkGlyph(u"e\u0301x"_s); // one user-perceived character, two code points
        QCOMPARE(store.settings().markGlyph(), u"e\u0301"_s);
        store.setTerminalApp(TerminalApp::warp);
        store.setTerminalOpenMode(TerminalOpenMode::newTab);
        store.setLanguage(AppLanguage::ja);
        QTRY_COMPARE(service.appSettingsSaves.size(), 1);
        QCOMPARE(service.appSettingsSaves.first(), AppSettings(u"e\u0301"_s, std::nullopt, TerminalApp::warp,
                                                               TerminalOpenMode::newTab, AppLanguage::ja));

        store.resetToDefaults();
        QCOMPARE(store.settings(), AppSettings());
    }

    void markColourTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("with hash") << u"#3498DB"_s << true;
        QTest::newRow("lower case, no hash") << u"3498db"_s << true;
        QTest::newRow("eight digits") << u"#3498DBFF"_s << false;
        QTest::newRow("sign") << u"+34983"_s << false;
    }
    void markColourTexts() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const std::optional<RgbColor> colour = AppSettings::markColor(text);
        QCOMPARE(colour.has_value(), valid);
        if (valid)
            QCOMPARE(*colour, (RgbColor{0x34, 0x98, 0xDB}));
    }
};

QTEST_GUILESS_MAIN(StoresTest)
#include "StoresTest.moc"
