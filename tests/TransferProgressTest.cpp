#include "platform/FilePrimitives.h"
#include "platform/OperationControl.h"
#include "services/filesystem/TransferRunner.h"
#include "support/FaultInjectingCalls.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace quillmere;
using namespace quillmere::test;

namespace {

// A folder with files of several sizes (one empty), a sub-folder, a link and a file with
// two names: 7 items below the top, 8 with it.
void buildTree(const TemporaryTree& tree) {
    tree.writeFile("src/a.txt", QByteArray(1000, 'a'));
    tree.writeFile("src/empty", {});
    tree.writeFile("src/sub/b.bin", QByteArray(70000, 'b'));
    tree.writeFile("src/sub/c", "c");
    tree.makeSymlink("a.txt", "src/link");
    QVERIFY(::link(tree.bytes("src/a.txt").constData(), tree.bytes("src/sub/same").constData()) == 0);
}

constexpr std::int64_t treeItems = 8;
constexpr std::int64_t treeBytes = 1000 + 70000 + 1 + 1000; // the second name counts again

} // namespace

// The progress a copy reports: the scan's totals, and counts that end on them.
class TransferProgressTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void totalsAreTheTreeAndTheCountsEndOnThem() {
        TemporaryTree tree;
        buildTree(tree);
        FilePrimitives primitives;
        OperationControl control;
        TransferRunner::copy(primitives, {{tree.path("src"), tree.path("copy")}}, &control);
        const OperationControl::Progress progress = control.progress();
        QCOMPARE(progress.itemsTotal, treeItems);
        QCOMPARE(progress.bytesTotal, treeBytes);
        QCOMPARE(progress.itemsDone, progress.itemsTotal);
        QCOMPARE(progress.bytesDone, progress.bytesTotal);
        QCOMPARE(progress.phase, OperationControl::Phase::finished);
        QCOMPARE(TreeSnapshot::of(tree.bytes("src")).changesIn(tree.bytes("copy")), QString());
    }

    // Several operations add up; a hole counts as written when it is passed over.
    void totalsAddUpOverOperationsAndHoles() {
        TemporaryTree tree;
        buildTree(tree);
        tree.writeFile("sparse", {});
        const int fd = ::open(tree.bytes("sparse").constData(), O_WRONLY);
        QVERIFY(fd >= 0);
        QCOMPARE(::pwrite(fd, "end", 3, 1 << 20), ssize_t(3));
        ::close(fd);
        FilePrimitives primitives;
        OperationControl control;
        TransferRunner::copy(
            primitives,
            {{tree.path("src"), tree.path("copy")}, {tree.path("sparse"), tree.path("copy-sparse")}},
            &control);
        const OperationControl::Progress progress = control.progress();
        QCOMPARE(progress.itemsTotal, treeItems + 1);
        QCOMPARE(progress.bytesTotal, treeBytes + (1 << 20) + 3);
        QCOMPARE(progress.itemsDone, progress.itemsTotal);
        QCOMPARE(progress.bytesDone, progress.bytesTotal);
        QCOMPARE(tree.readFile("copy-sparse").size(), qsizetype((1 << 20) + 3));
    }

    // Without a control nobody reads the totals, so the copy does not walk the tree to
    // measure it: the measuring walk is exactly one stat per item, and only the copy with
    // a control makes it. The copies are the same.
    void aCopyWithoutControlMakesNoMeasuringWalk() {
        TemporaryTree tree;
        buildTree(tree);
        auto calls = std::make_shared<FaultInjectingCalls>();
        FilePrimitives primitives(calls);
        TransferRunner::copy(primitives, {{tree.path("src"), tree.path("plain")}});
        const int plainStats = calls->count(Primitive::Stat);
        calls->reset();
        OperationControl control;
        TransferRunner::copy(primitives, {{tree.path("src"), tree.path("watched")}}, &control);
        QCOMPARE(calls->count(Primitive::Stat) - plainStats, int(treeItems));
        const TreeSnapshot source = TreeSnapshot::of(tree.bytes("src"));
        QCOMPARE(source.changesIn(tree.bytes("plain")), QString());
        QCOMPARE(source.changesIn(tree.bytes("watched")), QString());
    }
};

QTEST_GUILESS_MAIN(TransferProgressTest)
#include "TransferProgressTest.moc"
