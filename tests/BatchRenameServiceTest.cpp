#include "models/errors/BatchRenameError.h"
#include "models/rename/BatchRenamePlanner.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FaultInjectingCalls.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QtTest>

#include <cerrno>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

QByteArray longName(int bytes, char fill) {
    return QByteArray(bytes - 4, fill) + ".txt";
}

// Old and new names no step may mangle: invalid UTF-8, a newline, a leading dash, and
// names of the full 255 bytes, whose temporary names must be shortened to fit. The last
// two exchange names, so putting them back must undo new names before temporary ones.
const QList<QByteArray> hostileOld{QByteArray("caf\xE9 \xFF.txt"),
                                   QByteArray("line\nbreak"),
                                   QByteArray("-rf"),
                                   longName(255, 'o'),
                                   "a",
                                   "b"};
const QList<QByteArray> hostileNew{
    QByteArray("-n"), QByteArray("caf\xE9 2"), QByteArray("x\ny"), longName(255, 'w'), "b", "a"};

struct Batch {
    QList<PathMapping> mappings;
    QList<QByteArray> from;
    QList<QByteArray> to;
};

// Files tree/<old> holding their own old name, and the mappings to tree/<new>.
Batch makeBatch(const TemporaryTree& tree, const QList<QByteArray>& oldNames,
                const QList<QByteArray>& newNames) {
    Batch batch{{}, oldNames, newNames};
    for (qsizetype i = 0; i < oldNames.size(); ++i) {
        tree.writeFile("tree/" + oldNames[i], oldNames[i]);
        batch.mappings.append({tree.path("tree/" + oldNames[i]), tree.path("tree/" + newNames[i])});
    }
    return batch;
}

QString name(const QByteArray& bytes) {
    return PathCodec::decode(bytes);
}

} // namespace

// Batch rename moves every entry to a temporary name, then to its new name; a failure
// anywhere puts every entry back under its old name.
class BatchRenameServiceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void renamesEveryEntryKeepingContents() {
        TemporaryTree tree;
        const Batch batch = makeBatch(tree, hostileOld, hostileNew);
        tree.writeFile("tree/bystander", "b");
        DefaultFileSystemService service;
        await(service.batchRename(batch.mappings));
        for (qsizetype i = 0; i < batch.from.size(); ++i)
            QCOMPARE(tree.readFile("tree/" + batch.to[i]), batch.from[i]);
        QCOMPARE(TreeSnapshot::of(tree.bytes("tree")).size(),
                 batch.from.size() + 2); // with the folder itself
    }

    void entriesExchangeNamesAndAnEmptyBatchTouchesNothing() {
        TemporaryTree tree;
        const Batch swap = makeBatch(tree, {"a", "b"}, {"b", "a"});
        tree.makeFolder("tree/c");
        DefaultFileSystemService service;
        await(service.batchRename(swap.mappings));
        QCOMPARE(tree.readFile("tree/a"), QByteArray("b"));
        QCOMPARE(tree.readFile("tree/b"), QByteArray("a"));

        // A cycle of three, a folder among them, and one entry keeping its name.
        await(service.batchRename({{tree.path("tree/a"), tree.path("tree/c")},
                                   {tree.path("tree/b"), tree.path("tree/a")},
                                   {tree.path("tree/c"), tree.path("tree/b")}}));
        await(service.batchRename({{tree.path("tree/a"), tree.path("tree/a")}}));
        QCOMPARE(tree.readFile("tree/c"), QByteArray("b"));
        QCOMPARE(tree.readFile("tree/a"), QByteArray("a"));
        QVERIFY(tree.exists("tree/b/"));
        QCOMPARE(TreeSnapshot::of(tree.bytes("tree")).size(), 4); // with the folder itself

        auto calls = std::make_shared<FaultInjectingCalls>();
        await(DefaultFileSystemService(calls).batchRename({}));
        QCOMPARE(calls->mutationCount(), 0);
    }

    void failureAtEveryMoveLeavesEveryNameAsBefore() {
        const qsizetype count = hostileOld.size();
        for (int step = 1; step <= 2 * count; ++step) {
            TemporaryTree tree;
            const Batch batch = makeBatch(tree, hostileOld, hostileNew);
            tree.writeFile("tree/bystander", "b");
            const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree"));
            auto calls = std::make_shared<FaultInjectingCalls>();
            calls->failOn(Primitive::Rename, step, EACCES);
            DefaultFileSystemService service(calls);

            const auto error = failureOf<BatchRenameError>(service.batchRename(batch.mappings));
            // The first phase names the old name, the second the new one.
            const QString expected =
                step <= count ? name(batch.from[step - 1]) : name(batch.to[step - count - 1]);
            QCOMPARE(error, std::optional(BatchRenameError::permissionDenied(expected)));
            QCOMPARE(before.changesIn(tree.bytes("tree")), QString());
            // Every completed move was undone, and nothing else was tried.
            QCOMPARE(calls->count(Primitive::Rename), 2 * step - 1);
        }
    }

    void failureCarriesThePlatformReason() {
        TemporaryTree tree;
        const Batch batch = makeBatch(tree, {"a", "b"}, {"x", "y"});
        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->failOn(Primitive::Rename, 2, EIO);
        DefaultFileSystemService service(calls);
        QCOMPARE(failureOf<BatchRenameError>(service.batchRename(batch.mappings)),
                 std::optional(BatchRenameError::failed(u"b"_s, PlatformError::describe(EIO))));

        // A new name taken meanwhile by an entry outside the batch fails the second phase.
        tree.writeFile("tree/y", "taken");
        DefaultFileSystemService plain;
        const auto taken = failureOf<BatchRenameError>(plain.batchRename(batch.mappings));
        QVERIFY(taken && taken->kind == BatchRenameError::Case::failed && taken->item == u"y");
        QCOMPARE(tree.readFile("tree/a"), QByteArray("a"));
        QCOMPARE(tree.readFile("tree/y"), QByteArray("taken"));
        QVERIFY(!tree.exists("tree/x"));
    }

    void rollbackReportsNamesInTheOrderItMetThem() {
        // Phase two fails at c; undoing x1 and then c's temporary name fails too. The walk
        // meets x1 first, then c, then a, whose temporary name is gone because it still
        // has its new name. b is put back.
        TemporaryTree tree;
        const Batch batch = makeBatch(tree, {"a", "b", "c"}, {"x1", "x2", "x3"});
        auto calls = std::make_shared<FaultInjectingCalls>();
        int renames = 0;
        calls->setHook([&renames](Primitive primitive, const char*) {
            if (primitive != Primitive::Rename)
                return 0;
            ++renames;
            return renames == 6 ? EIO : renames == 8 || renames == 9 ? EACCES : 0;
        });
        DefaultFileSystemService service(calls);
        QCOMPARE(failureOf<BatchRenameError>(service.batchRename(batch.mappings)),
                 std::optional(BatchRenameError::rollbackFailed({u"x1"_s, u"c"_s, u"a"_s})));
        QCOMPARE(tree.readFile("tree/x1"), QByteArray("a"));
        QCOMPARE(tree.readFile("tree/b"), QByteArray("b"));
        QVERIFY(!tree.exists("tree/c") && !tree.exists("tree/x2") && !tree.exists("tree/x3"));

        // In the first phase only temporary names are left to undo.
        TemporaryTree second;
        const Batch early = makeBatch(second, {"a", "b", "c"}, {"x1", "x2", "x3"});
        calls->reset();
        calls->failOn(Primitive::Rename, 3, EIO);
        calls->setHook([&calls](Primitive primitive, const char*) {
            return primitive == Primitive::Rename && calls->count(Primitive::Rename) == 4 ? EIO : 0;
        });
        QCOMPARE(failureOf<BatchRenameError>(service.batchRename(early.mappings)),
                 std::optional(BatchRenameError::rollbackFailed({u"b"_s})));
        QCOMPARE(second.readFile("tree/a"), QByteArray("a"));
        QCOMPARE(second.readFile("tree/c"), QByteArray("c"));
    }

    void refusesNamesThatLeaveTheFolder() {
        TemporaryTree tree;
        tree.makeFolder("tree/sub");
        const Batch batch = makeBatch(tree, {"a", "b"}, {"x", "y"});
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree"));
        auto calls = std::make_shared<FaultInjectingCalls>();
        DefaultFileSystemService service(calls);
        const QList<QString> targets{tree.path("tree/sub/b"), tree.path("tree/.."),
                                     tree.path("tree/sub/../../b"), tree.path("tree/b") + QChar(0),
                                     tree.path("tree/") + QString(256, u'x')};
        for (const QString& target : targets) {
            const QList<PathMapping> mappings{batch.mappings[0], {batch.mappings[1].from, target}};
            const auto error = failureOf<BatchRenameError>(service.batchRename(mappings));
            QVERIFY2(error && error->kind == BatchRenameError::Case::failed, qPrintable(target));
            QCOMPARE(error->item, u"b"_s);
        }
        QCOMPARE(calls->mutationCount(), 0);
        QCOMPARE(TreeSnapshot::of(tree.bytes("tree")), before);
    }

    void plannedNamesAreTheOnesTheListingReports() {
        // Dropping the "x" from the bytes C3 78 A9 leaves C3 A9, which is "é" on disk.
        TemporaryTree tree;
        tree.writeFile("tree/\xC3x\xA9", "joined");
        DefaultFileSystemService service;
        const BatchRenameRule dropX = BatchRenameRule::replace(u"x"_s, QString());
        auto plan = [&] {
            const QList<FileItem> items = await(service.listDirectory(tree.path("tree"), true));
            QSet<QString> names;
            for (const FileItem& item : items)
                names.insert(item.name);
            return batchRenameMappings(items, dropX, names);
        };

        const std::optional<QList<PathMapping>> mappings = plan();
        QVERIFY(mappings);
        await(service.batchRename(*mappings));
        const QList<FileItem> after = await(service.listDirectory(tree.path("tree"), true));
        QCOMPARE(after.size(), 1);
        QCOMPARE(after.first().url, mappings->first().to);
        QCOMPARE(tree.readFile("tree/\xC3\xA9"), QByteArray("joined"));

        // With "é" present the plan refuses, rather than the rename failing half-way.
        tree.writeFile("tree/\xC3x\xA9", "second");
        QCOMPARE(plan(), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(BatchRenameServiceTest)
#include "BatchRenameServiceTest.moc"
