#include "models/errors/BatchRenameError.h"
#include "models/errors/DeleteError.h"
#include "models/errors/TransferError.h"
#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "services/filesystem/BatchRenameRunner.h"
#include "services/filesystem/OperationJournal.h"
#include "services/filesystem/OperationRecovery.h"
#include "services/filesystem/TransferRunner.h"
#include "services/filesystem/TrashOperation.h"
#include "services/filesystem/TrashRestore.h"
#include "support/ErrorText.h"
#include "support/FaultInjectingCalls.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

enum class Operation { trash, move, moveToOtherVolume, copy, batchRename, restore };

// Between an item's look and the look of its trash record.
const QByteArray recordSeparator = "\n--record--\n";

const QRegularExpression
    temporaryName(u"\\.[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\.tmp$"_s);

// What a person would see of the item at path: its kind and everything in it; empty
// when nothing is there.
QByteArray look(const QByteArray& path) {
    struct stat status;
    if (::lstat(path.constData(), &status) != 0)
        return {};
    if (S_ISDIR(status.st_mode))
        return "folder:" + TreeSnapshot::of(path).differenceFrom(TreeSnapshot()).toUtf8();
    if (S_ISLNK(status.st_mode)) {
        char target[256];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        return "link:" + QByteArray(target, qsizetype(std::max<ssize_t>(length, 0)));
    }
    QByteArray contents = "file:" + QByteArray::number(status.st_mode & 07777, 8) + ':';
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW);
    char buffer[65536];
    for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        contents.append(buffer, n);
    ::close(fd);
    return contents;
}

// Every name below root that looks like one of the program's temporary names.
QStringList temporaryNamesBelow(const QByteArray& root) {
    QStringList found;
    for (const QByteArray& name : TemporaryTree::namesIn(root)) {
        const QByteArray path = root + '/' + name;
        if (temporaryName.match(QString::fromLatin1(name)).hasMatch())
            found.append(QString::fromLatin1(path));
        struct stat status;
        if (::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode))
            found.append(temporaryNamesBelow(path));
    }
    return found;
}

// One operation over a small tree with everything that makes it hard: a folder with
// files and a link, a name that is not UTF-8, for transfers an item that replaces an
// existing one, for the batch rename two entries exchanging names.
class Scenario final {
public:
    Scenario(TemporaryTree& tree, Operation operation)
        : m_tree(tree)
        , m_operation(operation) {
        tree.writeFile("tree/src/album/one.jpg", "one");
        tree.writeFile("tree/src/album/two.jpg", QByteArray(300000, 'x'));
        tree.makeSymlink("one.jpg", "tree/src/album/link");
        tree.writeFile("tree/src/a.txt", "alpha", 0640);
        tree.writeFile("tree/src/b\xff.bin", "beta");
        tree.writeFile("tree/ren/x-y", "first");
        tree.writeFile("tree/ren/y-x", "second");
        tree.writeFile("tree/ren/z-w", "third");
        const bool overwrites =
            operation == Operation::move || operation == Operation::copy || operation == Operation::restore;
        if (overwrites)
            tree.writeFile("tree/dest/a.txt", "the old a");
        else
            tree.makeFolder("tree/dest");
        m_names = {"album", "a.txt", "b\xff.bin"};
        for (const QByteArray& name : m_names) {
            m_sources.append(tree.bytes("tree/src/" + name));
            m_destinations.append(destinationFolder() + '/' + name);
        }
        m_renames = {{"x-y", "y-x"}, {"y-x", "x-y"}, {"z-w", "w-z"}};
        if (operation == Operation::restore)
            trashTheSources();
    }

    QByteArray destinationFolder() const {
        return m_operation == Operation::moveToOtherVolume ? m_tree.bytes("other")
                                                           : m_tree.bytes("tree/dest");
    }

    // Runs the operation the way the file-system service does on its worker.
    std::optional<QString> run(FilePrimitives& primitives, OperationControl* control,
                               OperationJournal* journal) const {
        try {
            switch (m_operation) {
            case Operation::trash: {
                QStringList paths;
                for (const QByteArray& source : m_sources)
                    paths.append(PathCodec::decode(source));
                TrashOperation::run(primitives, paths, control, journal);
                break;
            }
            case Operation::move:
            case Operation::moveToOtherVolume:
                TransferRunner::move(primitives, transfers(), control, journal);
                break;
            case Operation::copy: TransferRunner::copy(primitives, transfers(), control, journal); break;
            case Operation::restore: TrashRestore::run(primitives, transfers(), control, journal); break;
            case Operation::batchRename: {
                QList<PathMapping> mappings;
                for (const auto& [from, to] : m_renames)
                    mappings.append({m_tree.path("tree/ren/" + from), m_tree.path("tree/ren/" + to)});
                BatchRenameRunner::run(primitives, mappings, control, journal);
                break;
            }
            }
        } catch (const DeleteError& error) {
            return ErrorText::of(error);
        } catch (const TransferError& error) {
            return ErrorText::of(error);
        } catch (const BatchRenameError& error) {
            return ErrorText::of(error);
        }
        return std::nullopt;
    }

    // What each item looks like now: before the operation, every source; for a batch
    // rename, every entry by its old name.
    QList<QByteArray> lookAtSources() const {
        QList<QByteArray> looks;
        if (m_operation == Operation::batchRename) {
            for (const auto& rename : m_renames)
                looks.append(look(m_tree.bytes("tree/ren/" + rename.first)));
            return looks;
        }
        for (qsizetype i = 0; i < m_sources.size(); ++i)
            looks.append(lookAtSource(i));
        return looks;
    }

    // A trashed item is seen together with its record.
    QByteArray lookAtSource(qsizetype i) const {
        if (m_operation != Operation::restore)
            return look(m_sources[i]);
        const QByteArray name = m_sources[i].mid(m_sources[i].lastIndexOf('/') + 1);
        const QByteArray item = look(m_sources[i]);
        const QByteArray record = look(m_tree.homeTrash() + "/info/" + name + ".trashinfo");
        return item.isEmpty() && record.isEmpty() ? QByteArray() : item + recordSeparator + record;
    }

    // Checks that every item is entirely before or entirely after the operation, that
    // nothing was lost or duplicated and that no temporary name is left; returns what is wrong.
    QString checkEachItemBeforeOrAfter(const QList<QByteArray>& original,
                                       const QByteArray& oldDestination) const {
        if (const QStringList left = temporaryNamesBelow(m_tree.rootBytes()); !left.isEmpty())
            return u"temporary names left: "_s + left.join(u", "_s);
        QStringList wrong;
        const QList<QByteArray> trashed = TemporaryTree::namesIn(m_tree.homeTrash() + "/files");
        qsizetype expectedInTrash = 0;
        if (m_operation == Operation::batchRename) {
            // Each entry's contents under exactly one of its two names; three entries in all.
            const QList<QByteArray> names = TemporaryTree::namesIn(m_tree.bytes("tree/ren"));
            if (names.size() != 3)
                wrong.append(u"the folder holds %1 entries"_s.arg(names.size()));
            QMap<QByteArray, int> seen;
            for (const QByteArray& name : names)
                seen[look(m_tree.bytes("tree/ren/" + name))] += 1;
            for (const QByteArray& item : original)
                if (seen.value(item) != 1)
                    wrong.append(u"an entry is there %1 times"_s.arg(seen.value(item)));
            return wrong.join(u"; "_s);
        }
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            const QByteArray source = lookAtSource(i);
            const QByteArray destination =
                m_operation == Operation::trash ? QByteArray() : look(m_destinations[i]);
            const bool replaces = m_names[i] == "a.txt" && !oldDestination.isEmpty();
            const QByteArray destinationBefore = replaces ? oldDestination : QByteArray();
            bool before = source == original[i] && destination == destinationBefore;
            bool after = false;
            switch (m_operation) {
            case Operation::trash:
                after = source.isEmpty() && trashed.contains(m_names[i]);
                expectedInTrash += after ? 1 : 0;
                break;
            case Operation::copy: after = source == original[i] && destination == original[i]; break;
            case Operation::restore:
                after =
                    source.isEmpty() && destination == original[i].left(original[i].indexOf(recordSeparator));
                expectedInTrash += before ? 1 : 0;
                break;
            default: after = source.isEmpty() && destination == original[i]; break;
            }
            if (after && replaces)
                expectedInTrash += 1; // the replaced item
            else if (before && replaces && m_operation != Operation::restore && trashed.contains("a.txt"))
                before = false; // put back in place and still in the trash: duplicated
            if (!before && !after)
                wrong.append(u"%1 is neither before nor after"_s.arg(QString::fromLatin1(m_names[i])));
        }
        if (trashed.size() != expectedInTrash)
            wrong.append(u"the trash holds %1 items, not %2"_s.arg(trashed.size()).arg(expectedInTrash));
        for (const QByteArray& name : trashed)
            if (!TemporaryTree::namesIn(m_tree.homeTrash() + "/info").contains(name + ".trashinfo"))
                wrong.append(u"%1 is in the trash without its record"_s.arg(QString::fromLatin1(name)));
        if (const qsizetype records = TemporaryTree::namesIn(m_tree.homeTrash() + "/info").size();
            records != trashed.size())
            wrong.append(u"the trash holds %1 records for %2 items"_s.arg(records).arg(trashed.size()));
        if (m_operation == Operation::restore && m_tree.exists("tree/dest/new") &&
            look(m_destinations[2]).isEmpty())
            wrong.append(u"a folder made for an item that went back to the trash is left"_s);
        return wrong.join(u"; "_s);
    }

private:
    // A restore takes the items back from the trash: to a new place for the album, over the
    // existing a.txt, and into a folder that has to be made for the oddly named one. The
    // trash also caches the album's size.
    void trashTheSources() {
        const FreedesktopTrash trash(SystemCalls::real());
        for (QByteArray& source : m_sources)
            source = PathCodec::encode(trash.trash(PathCodec::decode(source)));
        m_destinations[2] = m_tree.bytes("tree/dest/new/b\xff.bin");
        struct stat record;
        ::stat(QByteArray(m_tree.homeTrash() + "/info/album.trashinfo").constData(), &record);
        m_tree.writeFile("data/Trash/directorysizes",
                         "303104 " + QByteArray::number(qint64(record.st_mtim.tv_sec)) + " album\n");
    }

    QList<TransferOperation> transfers() const {
        QList<TransferOperation> operations;
        for (qsizetype i = 0; i < m_sources.size(); ++i) {
            TransferOperation operation{PathCodec::decode(m_sources[i]),
                                        PathCodec::decode(m_destinations[i])};
            operation.overwriteExisting =
                m_names[i] == "a.txt" && m_operation != Operation::moveToOtherVolume;
            operations.append(operation);
        }
        return operations;
    }

    TemporaryTree& m_tree;
    Operation m_operation;
    QList<QByteArray> m_names;
    QList<QByteArray> m_sources;
    QList<QByteArray> m_destinations;
    QList<std::pair<QByteArray, QByteArray>> m_renames;
};

} // namespace

class LongOperationTest : public QObject {
    Q_OBJECT

public:
    explicit LongOperationTest(QString refusal)
        : m_refusal(std::move(refusal)) {}

private:
    QString m_refusal;

    void addOperations() {
        QTest::addColumn<int>("operation");
        QTest::newRow("trash") << int(Operation::trash);
        QTest::newRow("move with an overwrite") << int(Operation::move);
        QTest::newRow("move to another volume") << int(Operation::moveToOtherVolume);
        QTest::newRow("copy with an overwrite") << int(Operation::copy);
        QTest::newRow("batch rename with a swap") << int(Operation::batchRename);
        QTest::newRow("restore with an overwrite and a folder made") << int(Operation::restore);
    }

    // The tree of one attempt, with a second volume where the operation needs one.
    struct Setting {
        TemporaryTree tree;
        ScopedMount other;
        QByteArray journals() const { return tree.bytes("state/quillmere"); }
    };
    std::unique_ptr<Setting> setUp(Operation operation) {
        auto setting = std::make_unique<Setting>();
        if (operation == Operation::moveToOtherVolume) {
            if (!m_refusal.isEmpty())
                return nullptr;
            setting->tree.makeFolder("other");
            setting->other = ScopedMount::tmpfs(setting->tree.bytes("other"), "size=16m");
            if (!setting->other.isMounted())
                return nullptr;
        }
        return setting;
    }

private Q_SLOTS:
    // A cancel taken at every step leaves the tree as it was, the trash clean, no
    // journal, and says so; the counts only grow and, when nothing is cancelled, end at
    // the totals of the scan.
    void cancelAtEveryStepPutsEverythingBack_data() { addOperations(); }
    void cancelAtEveryStepPutsEverythingBack() {
        QFETCH(int, operation);
        for (int step = 1;; ++step) {
            const auto setting = setUp(Operation(operation));
            if (!setting)
                QSKIP("no second volume can be mounted here");
            const Scenario scenario(setting->tree, Operation(operation));
            const TreeSnapshot before = TreeSnapshot::of(setting->tree.bytes("tree"));
            const TreeSnapshot otherBefore = TreeSnapshot::of(scenario.destinationFolder());
            const TreeSnapshot trashBefore = TreeSnapshot::of(setting->tree.homeTrash());

            auto calls = std::make_shared<FaultInjectingCalls>();
            OperationControl control;
            OperationControl::Progress last;
            bool counted = true;
            int mutations = 0;
            std::mutex watching; // the totals are counted on a second thread
            calls->setHook([&](Primitive primitive, const char*) {
                const std::lock_guard lock(watching);
                const OperationControl::Progress now = control.progress();
                counted = counted && now.itemsDone >= last.itemsDone && now.bytesDone >= last.bytesDone;
                last = now;
                if (FaultInjectingCalls::isMutation(primitive) && ++mutations == step)
                    control.requestCancel();
                return 0;
            });
            FilePrimitives primitives(calls);
            OperationJournal journal(calls, PathCodec::decode(setting->journals()));
            const std::optional<QString> outcome = scenario.run(primitives, &control, &journal);
            QVERIFY2(counted, "a count went down");
            QCOMPARE(TemporaryTree::namesIn(setting->journals()), QList<QByteArray>());
            if (!outcome) {
                QVERIFY2(step > 1, "the operation must change something");
                const OperationControl::Progress done = control.progress();
                QCOMPARE(done.itemsDone, done.itemsTotal);
                QCOMPARE(done.bytesDone, done.bytesTotal);
                QVERIFY(done.itemsTotal > 0);
                return; // the cancel came after the last step
            }
            QCOMPARE(*outcome, u"cancelled()"_s);
            QCOMPARE(before.changesIn(setting->tree.bytes("tree")), QString());
            QCOMPARE(otherBefore.changesIn(scenario.destinationFolder()), QString());
            if (Operation(operation) == Operation::restore)
                QCOMPARE(trashBefore.changesIn(setting->tree.homeTrash()), QString());
            else
                QCOMPARE(setting->tree.trashContents(), QList<QByteArray>());
        }
    }

private:
    struct Attempt {
        int killAt = 0;       // the mutating call that kills the child; 0 for none
        int cancelAt = 0;     // the mutating call before which it asks to cancel; 0 for none
        int killAfterUs = -1; // when not negative: the test kills it after this long instead
    };

    // Runs the operation in a child that dies as the attempt says, then recovers and checks
    // every item. Returns whether the child was killed, and counts what needed recovering.
    bool killAndRecover(Operation operation, const Attempt& attempt, int& recovered) {
        const auto setting = setUp(operation);
        if (!setting)
            return false;
        const Scenario scenario(setting->tree, operation);
        const QList<QByteArray> original = scenario.lookAtSources();
        const QByteArray oldDestination = look(setting->tree.bytes("tree/dest/a.txt"));
        const pid_t child = ::fork();
        if (child == 0) {
            auto calls = std::make_shared<FaultInjectingCalls>();
            OperationControl control;
            int mutations = 0;
            calls->setHook([&](Primitive primitive, const char*) {
                if (!FaultInjectingCalls::isMutation(primitive))
                    return 0;
                ++mutations;
                if (attempt.killAfterUs >= 0)
                    ::usleep(300); // so that the clock finds it mid-way
                if (mutations == attempt.cancelAt)
                    control.requestCancel();
                if (mutations == attempt.killAt)
                    ::kill(::getpid(), SIGKILL);
                return 0;
            });
            FilePrimitives primitives(calls);
            OperationJournal journal(calls, PathCodec::decode(setting->journals()));
            scenario.run(primitives, &control, &journal);
            ::_exit(0);
        }
        if (attempt.killAfterUs >= 0) {
            ::usleep(useconds_t(attempt.killAfterUs));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        if (::waitpid(child, &status, 0) != child)
            qFatal("the child is lost");

        FilePrimitives primitives;
        const RecoveryReport report =
            OperationRecovery::run(primitives, PathCodec::decode(setting->journals()));
        const QString where = u"kill at %1, cancel at %2, after %3 µs: "_s.arg(attempt.killAt)
                                  .arg(attempt.cancelAt)
                                  .arg(attempt.killAfterUs);
        [&] {
            QCOMPARE(TemporaryTree::namesIn(setting->journals()), QList<QByteArray>());
            for (const RecoveredOperation& operationReport : report)
                QVERIFY2(operationReport.undecided.isEmpty(),
                         qPrintable(where + operationReport.undecided.join(u", "_s)));
            const QString wrong = scenario.checkEachItemBeforeOrAfter(original, oldDestination);
            QVERIFY2(wrong.isEmpty(), qPrintable(where + wrong));
        }();
        recovered += report.isEmpty() ? 0 : 1;
        return WIFSIGNALED(status);
    }

private Q_SLOTS:
    // Start-up never takes over a journal whose writer is alive (a second instance), never
    // acts on a plan it cannot read, and clears a journal that never got its name.
    void recoveryTakesOnlyAbandonedReadableJournals() {
        TemporaryTree tree;
        tree.writeFile("tree/a.txt", "alpha");
        const QString folder = tree.path("state/quillmere");
        FilePrimitives primitives;
        JournalRecord plan;
        plan.kind = JournalRecord::Kind::trash;
        plan.items.append({tree.path("tree/a.txt"), {}, {}, {}, {}, false});
        OperationJournal running(primitives.calls, folder);
        running.begin(plan);
        tree.writeFile("state/quillmere/damaged.journal", "{\"version\": 99}\n");
        tree.writeFile("state/quillmere/.unfinished-0C1D", "{\"version\"");

        QCOMPARE(OperationRecovery::run(primitives, folder), RecoveryReport());
        const QList<QByteArray> left = TemporaryTree::namesIn(tree.bytes("state/quillmere"));
        QCOMPARE(left.size(), 2);
        QVERIFY(left.contains("damaged.journal"));
        running.end();
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("state/quillmere")), QList<QByteArray>{"damaged.journal"});
        QCOMPARE(tree.readFile("tree/a.txt"), QByteArray("alpha"));
    }

    // A child process running the operation is killed with SIGKILL at every step, at
    // every step of a rollback after a cancel, and at moments chosen by the clock; then
    // recovery runs. Every item is entirely before or after, nothing is lost or doubled,
    // no temporary name and no journal remain, and nothing is left undecided.
    void killAtAnyPointLeavesEachItemBeforeOrAfter_data() { addOperations(); }
    void killAtAnyPointLeavesEachItemBeforeOrAfter() {
        QFETCH(int, operation);
        if (!setUp(Operation(operation)))
            QSKIP("no second volume can be mounted here");
        int recovered = 0;
        int kills = 0;
        for (int step = 1; killAndRecover(Operation(operation), {step, 0, -1}, recovered); ++step)
            ++kills;
        QVERIFY(!QTest::currentTestFailed());
        // Cancels at a few points, each followed by a kill at every step of its rollback.
        const int steps = kills + 1;
        for (const int cancelAt : {1, steps / 3, 2 * steps / 3, steps - 1}) {
            for (int step = cancelAt + 1;
                 killAndRecover(Operation(operation), {step, cancelAt, -1}, recovered); ++step)
                ++kills;
            QVERIFY(!QTest::currentTestFailed());
        }
        for (int moment = 0; moment < 12; ++moment) {
            killAndRecover(Operation(operation), {0, 0, (moment * 700) % 9000}, recovered);
            QVERIFY(!QTest::currentTestFailed());
        }
        qInfo("%d kills by count, %d of all kills left something to recover", kills, recovered);
        QVERIFY2(recovered > kills / 2, "most kills must leave something to recover");
    }
};

QUILLMERE_PRIVATE_MOUNTS_MAIN(LongOperationTest)
#include "LongOperationTest.moc"
