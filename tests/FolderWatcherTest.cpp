#include "services/desktop/FolderWatcher.h"
#include "platform/PathCodec.h"
#include "support/TemporaryTree.h"
#include "support/WaitPastTimers.h"

#include <QDir>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;

namespace {

// inotify instances this process holds open.
int openInotifyDescriptors() {
    int count = 0;
    const QDir fds(u"/proc/self/fd"_s);
    for (const QString& name : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        char target[64] = {};
        const QByteArray link = QFile::encodeName(fds.filePath(name));
        if (::readlink(link.constData(), target, sizeof target - 1) > 0 &&
            qstrcmp(target, "anon_inode:inotify") == 0)
            ++count;
    }
    return count;
}

} // namespace

// The folder watcher on real folders: which changes call the handler, how often, and
// that at most one descriptor is ever open. Only "once after the quiet period" is
// checked, never how long it took.
class FolderWatcherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TemporaryTree> m_tree;
    std::unique_ptr<FolderWatcher> m_watcher;
    int m_calls = 0;
    int m_probeChanges = 0;

    FolderWatcher::ChangeHandler counter() {
        return [this]() -> QCoro::Task<> {
            ++m_calls;
            co_return;
        };
    }
    QString path(const QByteArray& relative) const { return PathCodec::decode(m_tree->bytes(relative)); }
    // The watch is set up off this thread; changes count from when it is in place.
    void watch(const QByteArray& relative, FolderWatcher::ChangeHandler handler) {
        m_watcher->watch(path(relative), std::move(handler));
        QTRY_VERIFY_WITH_TIMEOUT(!m_watcher->isStarting(), 10000);
    }

    // Waits until every change made so far has had its chance to call the handler, so
    // a late, wrong call shows before the count is checked. The positive event: a
    // second watcher hears of a change made now. Its descriptor cannot be read before
    // events queued earlier on the first, so its call comes no sooner than one
    // interval after the first watcher's timer started (give or take the same turn of
    // the loop), and one more interval covers that timer.
    [[nodiscard]] bool earlierChangesHadTheirTurn() {
        if (!m_tree->exists("probe"))
            m_tree->makeFolder("probe");
        FolderWatcher probe(m_watcher->debounceInterval());
        bool heard = false;
        probe.watch(path("probe"), [&heard]() -> QCoro::Task<> {
            heard = true;
            co_return;
        });
        if (!QTest::qWaitFor([&probe] { return probe.isWatching(); }, 10000))
            return false;
        m_tree->writeFile("probe/change" + QByteArray::number(++m_probeChanges), "x");
        return QTest::qWaitFor([&heard] { return heard; }, 10000) &&
               test::waitPastTimersDueWithin(m_watcher->debounceInterval());
    }

private Q_SLOTS:
    void init() {
        m_tree = std::make_unique<test::TemporaryTree>();
        m_tree->makeFolder("tree/watched");
        m_watcher = std::make_unique<FolderWatcher>();
        m_calls = 0;
    }
    void cleanup() {
        m_watcher.reset();
        m_tree.reset();
    }

    void aBurstOfNewEntriesCallsTheHandlerOnce() {
        watch("tree/watched", counter());
        for (int i = 0; i < 10; ++i) {
            m_tree->writeFile("tree/watched/file" + QByteArray::number(i), "x");
            QTest::qWait(5);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 10000);
        QVERIFY(earlierChangesHadTheirTurn());
        QCOMPARE(m_calls, 1);
    }

    void changesInsideFilesAndSubfoldersDoNotCallIt() {
        m_tree->writeFile("tree/watched/notes.txt", "old");
        m_tree->makeFolder("tree/watched/sub");
        watch("tree/watched", counter());

        m_tree->writeFile("tree/watched/notes.txt", "new contents, longer");
        QVERIFY(::chmod(m_tree->bytes("tree/watched/notes.txt").constData(), 0600) == 0);
        m_tree->writeFile("tree/watched/sub/inner.txt", "x");
        QVERIFY(earlierChangesHadTheirTurn());
        QCOMPARE(m_calls, 0);

        // The watch was live all along: a rename in the folder does call it.
        QVERIFY(std::rename(m_tree->bytes("tree/watched/notes.txt").constData(),
                            m_tree->bytes("tree/watched/renamed.txt").constData()) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 10000);
    }

    void deletingOrMovingTheFolderCallsIt_data() {
        QTest::addColumn<bool>("deleteIt");
        QTest::newRow("moved") << false;
        QTest::newRow("deleted") << true;
    }
    void deletingOrMovingTheFolderCallsIt() {
        QFETCH(bool, deleteIt);
        watch("tree/watched", counter());
        const QByteArray folder = m_tree->bytes("tree/watched");
        if (deleteIt)
            QVERIFY(::rmdir(folder.constData()) == 0);
        else
            QVERIFY(std::rename(folder.constData(), m_tree->bytes("tree/elsewhere").constData()) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 10000);
        QVERIFY(earlierChangesHadTheirTurn());
        QCOMPARE(m_calls, 1);
        QVERIFY(m_watcher->isWatching()); // attached until the next watch
    }

    void aNewWatchReleasesTheOldFolder() {
        m_tree->makeFolder("tree/second");
        int secondCalls = 0;
        watch("tree/watched", counter());
        QCOMPARE(openInotifyDescriptors(), 1);
        watch("tree/second", [&secondCalls]() -> QCoro::Task<> {
            ++secondCalls;
            co_return;
        });
        QCOMPARE(openInotifyDescriptors(), 1);

        m_tree->writeFile("tree/watched/old-folder-file", "x");
        m_tree->writeFile("tree/second/new-folder-file", "x");
        QTRY_COMPARE_WITH_TIMEOUT(secondCalls, 1, 10000);
        QVERIFY(earlierChangesHadTheirTurn());
        QCOMPARE(m_calls, 0);

        m_watcher->stop();
        QVERIFY(!m_watcher->isWatching());
        QCOMPARE(openInotifyDescriptors(), 0);
    }

    void aFolderThatCannotBeWatchedLeavesItIdle_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("missing") << QByteArray("tree/missing");
        QTest::newRow("a file") << QByteArray("tree/plain-file");
    }
    void aFolderThatCannotBeWatchedLeavesItIdle() {
        QFETCH(QByteArray, target);
        m_tree->writeFile("tree/plain-file", "x");
        // Replaced while it is still being set up: its descriptor is closed when it arrives.
        m_watcher->watch(path("tree/watched"), counter());
        watch(target, counter());

        QVERIFY(!m_watcher->isWatching());
        QTRY_COMPARE(openInotifyDescriptors(), 0);
        m_tree->writeFile("tree/watched/late", "x");
        QVERIFY(earlierChangesHadTheirTurn());
        QCOMPARE(m_calls, 0);
    }
};

QTEST_GUILESS_MAIN(FolderWatcherTest)
#include "FolderWatcherTest.moc"
