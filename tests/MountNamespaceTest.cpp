#include "models/errors/DeleteError.h"
#include "models/errors/RenameError.h"
#include "models/errors/TransferError.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/ErrorText.h"
#include "support/FaultInjectingCalls.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

// Bytes that no file system can store in fewer blocks (no holes, no runs).
QByteArray incompressible(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 2463534242u;
    for (qsizetype i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = char(state);
    }
    return bytes;
}

void setModificationTime(const QByteArray& path, time_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 123456789}};
    QVERIFY2(::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW) == 0, path.constData());
}

// An access ACL granting user 4321 read access besides the mode's owner, group and others.
QByteArray accessControlList() {
    QByteArray acl;
    const auto put = [&acl](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl.append(char((value >> (8 * i)) & 0xff));
    };
    put(2, 4); // version
    const quint32 none = 0xffffffff;
    const struct {
        quint16 tag, permissions;
        quint32 id;
    } entries[] = {{0x01, 6, none}, {0x02, 4, 4321}, {0x04, 4, none}, {0x10, 4, none}, {0x20, 0, none}};
    for (const auto& entry : entries) {
        put(entry.tag, 2);
        put(entry.permissions, 2);
        put(entry.id, 4);
    }
    return acl;
}

// A folder with every kind of item a move must carry over unchanged.
void buildAlbum(const TemporaryTree& tree, const QByteArray& album) {
    tree.makeFolder(album, 0750);
    tree.writeFile(album + "/private.txt", "only the group may read this", 0640);
    tree.writeFile(album + "/photo.raw", incompressible(300 * 1024));
    tree.makeSymlink("private.txt", album + "/latest");
    tree.makeSymlink("/nowhere/at/all", album + "/dangling");
    tree.makeFifo(album + "/pipe");
    QVERIFY(::chmod(tree.bytes(album + "/pipe").constData(), 0664) == 0);
    tree.makeFolder(album + "/sub", 0700);
    tree.writeFile(album + "/sub/inner.txt", "inner");
    // What `cp -a` keeps beyond modes and times: extended attributes, a POSIX ACL,
    // owners and hard links within the tree.
    const QByteArray photo = tree.bytes(album + "/photo.raw");
    const QByteArray origin = "https://example.org/photo.raw";
    QVERIFY(::setxattr(photo.constData(), "user.xdg.origin.url", origin.constData(), size_t(origin.size()),
                       0) == 0);
    QVERIFY(::setxattr(tree.bytes(album).constData(), "user.note", "holiday", 7, 0) == 0);
    QVERIFY(::setxattr(tree.bytes(album + "/private.txt").constData(), "system.posix_acl_access",
                       accessControlList().constData(), size_t(accessControlList().size()), 0) == 0);
    QVERIFY(::lchown(photo.constData(), 1234, 5678) == 0);
    QVERIFY(::lchown(tree.bytes(album + "/latest").constData(), 1234, 5678) == 0);
    QVERIFY(::link(photo.constData(), tree.bytes(album + "/sub/photo-again.raw").constData()) == 0);
    setModificationTime(tree.bytes(album + "/private.txt"), 978307200); // 2001-01-01
    setModificationTime(tree.bytes(album + "/latest"), 978307201);
    setModificationTime(tree.bytes(album + "/pipe"), 978307202);
    setModificationTime(tree.bytes(album + "/sub/inner.txt"), 978307203);
}

bool isEmptyFolder(const QByteArray& path) {
    return TreeSnapshot::of(path).size() == 1;
}

} // namespace

// Full disks, read-only mounts and moves between file systems, made for real with
// mounts in a private namespace: the failures the kernel gives, not simulated ones.
class MountNamespaceTest : public QObject {
    Q_OBJECT

public:
    explicit MountNamespaceTest(QString refusal)
        : m_refusal(std::move(refusal)) {}

private Q_SLOTS:
    void initTestCase() {
        if (!m_refusal.isEmpty())
            QSKIP(qPrintable(m_refusal));
    }

    // The finished copy of the first item goes with the rollback, the half-written one at once;
    // a move, whose source goes only after its copy is complete, loses nothing either.
    void transferOntoFullVolumeLeavesNothingThereAndTheSourceUntouched_data() {
        QTest::addColumn<bool>("move");
        QTest::newRow("copy") << false;
        QTest::newRow("move") << true;
    }
    void transferOntoFullVolumeLeavesNothingThereAndTheSourceUntouched() {
        QFETCH(bool, move);
        TemporaryTree tree;
        tree.makeFolder("full");
        const ScopedMount full = ScopedMount::tmpfs(tree.bytes("full"), "size=128k");
        QVERIFY2(full.isMounted(), qPrintable(full.error()));
        tree.writeFile("tree/small.txt", "fits easily");
        tree.writeFile("tree/project/a.txt", "first");
        tree.writeFile("tree/project/assets/video.bin", incompressible(3 << 20));
        tree.writeFile("tree/project/z.txt", "last");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree"));

        DefaultFileSystemService service;
        const QList<TransferOperation> operations{{tree.path("tree/small.txt"), tree.path("full/small.txt")},
                                                  {tree.path("tree/project"), tree.path("full/project")}};
        const auto error = move ? failureOf<TransferError>(service.moveItems(operations))
                                : failureOf<TransferError>(service.copyItems(operations));
        QCOMPARE(error, std::optional(TransferError::failed(u"project"_s, PlatformError::describe(ENOSPC))));
        QVERIFY(isEmptyFolder(tree.bytes("full")));
        QCOMPARE(before.changesIn(tree.bytes("tree")), QString());
    }

    // EROFS is a failure with its own reason, never a lack of permission.
    void readOnlyMountRefusesEveryChangeWithItsReason() {
        TemporaryTree tree;
        tree.makeFolder("shelf");
        tree.writeFile("shelf/kept.txt", "kept");
        tree.makeFolder("shelf/box");
        tree.writeFile("shelf/box/inner.txt", "inner");
        tree.makeFolder("readonly");
        const ScopedMount readOnly = ScopedMount::readOnlyBind(tree.bytes("shelf"), tree.bytes("readonly"));
        QVERIFY2(readOnly.isMounted(), qPrintable(readOnly.error()));
        tree.writeFile("tree/incoming.txt", "new");
        tree.writeFile("tree/first.txt", "trashed, then put back");
        const TreeSnapshot shelf = TreeSnapshot::of(tree.bytes("shelf"));
        const TreeSnapshot outside = TreeSnapshot::of(tree.bytes("tree"));
        const QString reason = PlatformError::describe(EROFS);
        DefaultFileSystemService service;

        const QList<TransferOperation> intoIt = {
            {tree.path("tree/incoming.txt"), tree.path("readonly/incoming.txt")}};
        auto transferError = failureOf<TransferError>(service.copyItems(intoIt));
        QCOMPARE(transferError, std::optional(TransferError::failed(u"incoming.txt"_s, reason)));
        transferError = failureOf<TransferError>(service.moveItems(intoIt));
        QCOMPARE(transferError, std::optional(TransferError::failed(u"incoming.txt"_s, reason)));

        // Leaving the mount is a move across mounts: copied, then the original cannot go.
        transferError = failureOf<TransferError>(
            service.moveItems({{tree.path("readonly/kept.txt"), tree.path("tree/kept.txt")}}));
        QCOMPARE(transferError, std::optional(TransferError::failed(u"kept.txt"_s, reason)));
        transferError =
            failureOf<TransferError>(service.moveItems({{tree.path("readonly/box"), tree.path("tree/box")}}));
        QCOMPARE(transferError, std::optional(TransferError::failed(u"box"_s, reason)));

        const auto renameError =
            failureOf<RenameError>(service.renameItem(tree.path("readonly/kept.txt"), u"renamed.txt"_s));
        QCOMPARE(renameError, std::optional(RenameError::other(reason)));

        // first.txt reaches the trash and comes back when kept.txt cannot follow.
        const auto deleteError = failureOf<DeleteError>(
            service.moveToTrash({tree.path("tree/first.txt"), tree.path("readonly/kept.txt")}));
        QCOMPARE(deleteError, std::optional(DeleteError::failed(u"kept.txt"_s, reason)));

        QCOMPARE(shelf.changesIn(tree.bytes("shelf")), QString());
        QCOMPARE(outside.changesIn(tree.bytes("tree")), QString());
        QVERIFY(tree.trashContents().isEmpty());
    }

    void crossDeviceMoveKeepsEverythingCpArchiveKeeps() {
        TemporaryTree tree;
        tree.makeFolder("other");
        const ScopedMount other = ScopedMount::tmpfs(tree.bytes("other"), "size=8m");
        QVERIFY2(other.isMounted(), qPrintable(other.error()));
        buildAlbum(tree, "tree/album");
        const TreeSnapshot original = TreeSnapshot::of(tree.bytes("tree/album"));
        DefaultFileSystemService service;

        const QList<PathMapping> mappings =
            await(service.moveItems({{tree.path("tree/album"), tree.path("other/album")}})).items;
        QCOMPARE(mappings, (QList<PathMapping>{{tree.path("tree/album"), tree.path("other/album")}}));
        QVERIFY(!tree.exists("tree/album"));
        QCOMPARE(original.changesIn(tree.bytes("other/album")), QString());

        // And back from the tmpfs to the disk.
        await(service.moveItems({{tree.path("other/album"), tree.path("tree/album")}}));
        QVERIFY(isEmptyFolder(tree.bytes("other")));
        QCOMPARE(original.changesIn(tree.bytes("tree/album")), QString());
    }

    // A volume that refuses extended attributes still takes the copy; the move stands,
    // and says in the log what was left behind.
    void moveToAVolumeRefusingAttributesKeepsTheMoveAndLogsIt() {
        TemporaryTree tree;
        tree.makeFolder("other");
        const ScopedMount other = ScopedMount::tmpfs(tree.bytes("other"), "size=8m");
        QVERIFY2(other.isMounted(), qPrintable(other.error()));
        buildAlbum(tree, "tree/album");
        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->setHook([](Primitive primitive, const char*) {
            return primitive == Primitive::WriteAttribute ? EOPNOTSUPP : 0;
        });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"without 3 extended attribute"_s));
        await(
            DefaultFileSystemService(calls).moveItems({{tree.path("tree/album"), tree.path("other/album")}}));
        QVERIFY(!tree.exists("tree/album"));
        QCOMPARE(tree.readFile("other/album/sub/inner.txt"), QByteArray("inner"));
        char value[64];
        QCOMPARE(::lgetxattr(tree.bytes("other/album/photo.raw").constData(), "user.xdg.origin.url", value,
                             sizeof value),
                 ssize_t(-1));
    }

    // The item is reached through a link to a folder on another volume: its trash is
    // that volume's, and no trash folder appears on the volume the typed path suggests.
    void trashFollowsTheRealParentToItsVolume() {
        TemporaryTree tree;
        tree.makeFolder("other");
        const ScopedMount other = ScopedMount::tmpfs(tree.bytes("other"), "size=1m");
        QVERIFY2(other.isMounted(), qPrintable(other.error()));
        tree.writeFile("other/docs/report.txt", "quarterly");
        tree.makeSymlink(tree.bytes("other/docs"), "tree/shortcut");
        struct stat status;
        const bool rootTrashExisted = ::lstat("/.Trash-0", &status) == 0;

        await(DefaultFileSystemService().moveToTrash({tree.path("tree/shortcut/report.txt")}));
        const QByteArray trash = "other/.Trash-" + QByteArray::number(::getuid());
        QCOMPARE(tree.readFile(trash + "/files/report.txt"), QByteArray("quarterly"));
        QVERIFY(tree.readFile(trash + "/info/report.txt.trashinfo").contains("\nPath=docs/report.txt\n"));
        QVERIFY(!tree.exists("other/docs/report.txt"));

        // A failure later in the same batch brings the item back out of that trash.
        tree.writeFile("other/docs/summary.txt", "yearly");
        const QString missing = tree.path("tree/missing.txt");
        QVERIFY(failureOf<DeleteError>(
            DefaultFileSystemService().moveToTrash({tree.path("tree/shortcut/summary.txt"), missing})));
        QCOMPARE(tree.readFile("other/docs/summary.txt"), QByteArray("yearly"));
        QVERIFY(!tree.exists(trash + "/files/summary.txt"));
        QVERIFY(!tree.exists(trash + "/info/summary.txt.trashinfo"));
        if (!rootTrashExisted) {
            const bool stray = ::lstat("/.Trash-0", &status) == 0;
            if (stray)
                QProcess::execute(u"rm"_s, {u"-rf"_s, u"/.Trash-0"_s});
            QVERIFY2(!stray, "a trash folder was made on the root file system");
        }
    }

    // A move of two items across file systems is failed at each of its steps in turn,
    // up to the removal of the second source; every time it must roll back completely,
    // including the first item that had already crossed.
    void crossDeviceMoveRollsBackAFailureAtEveryStep() {
        TemporaryTree tree;
        tree.makeFolder("other");
        const ScopedMount other = ScopedMount::tmpfs(tree.bytes("other"), "size=8m");
        QVERIFY2(other.isMounted(), qPrintable(other.error()));
        tree.writeFile("tree/first.txt", "crosses first", 0600);
        setModificationTime(tree.bytes("tree/first.txt"), 1000000000);
        buildAlbum(tree, "tree/album");
        const QList<TransferOperation> moves = {{tree.path("tree/first.txt"), tree.path("other/first.txt")},
                                                {tree.path("tree/album"), tree.path("other/album")}};
        const TreeSnapshot original = TreeSnapshot::of(tree.bytes("tree"));

        // A clean run finds where the album's move starts and where its removal starts.
        int albumStart = 0;
        int albumRemoval = 0;
        {
            auto counting = std::make_shared<FaultInjectingCalls>();
            const QByteArray album = tree.bytes("tree/album");
            counting->setHook([&, calls = counting.get()](Primitive primitive, const char* path) {
                const QByteArray touched(path ? path : "");
                if (primitive == Primitive::Rename && touched == album && albumStart == 0)
                    albumStart = calls->mutationCount();
                // The album's copy removes nothing, so its first removal is the source's.
                if ((primitive == Primitive::Unlink || primitive == Primitive::RemoveDirectory) &&
                    albumStart != 0 && albumRemoval == 0)
                    albumRemoval = calls->mutationCount();
                return 0;
            });
            DefaultFileSystemService service(counting);
            await(service.moveItems(moves));
            await(DefaultFileSystemService().moveItems(
                {{moves[0].destination, moves[0].source}, {moves[1].destination, moves[1].source}}));
            QCOMPARE(original.changesIn(tree.bytes("tree")), QString());
        }
        QVERIFY(albumStart > 1 && albumRemoval > albumStart + 5);

        for (int step = 1; step < albumRemoval; ++step) {
            auto calls = std::make_shared<FaultInjectingCalls>();
            calls->failOnMutation(step, EIO);
            const auto error = failureOf<TransferError>(DefaultFileSystemService(calls).moveItems(moves));
            const QString item = step < albumStart ? u"first.txt"_s : u"album"_s;
            QVERIFY2(error, qPrintable(u"step %1 did not fail"_s.arg(step)));
            QCOMPARE(*error, TransferError::failed(item, PlatformError::describe(EIO)));
            const QString changes = original.changesIn(tree.bytes("tree"));
            QVERIFY2(changes.isEmpty(), qPrintable(u"step %1:\n"_s.arg(step) + changes));
            QVERIFY2(isEmptyFolder(tree.bytes("other")), qPrintable(u"step %1 left a copy"_s.arg(step)));
        }
    }

private:
    QString m_refusal;
};

QUILLMERE_PRIVATE_MOUNTS_MAIN(MountNamespaceTest)
#include "MountNamespaceTest.moc"
