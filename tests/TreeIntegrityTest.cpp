#include "models/errors/TransferError.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/ErrorText.h"
#include "support/FaultInjectingCalls.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

bool exchange(const QByteArray& a, const QByteArray& b) {
    return ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0;
}

// album/inner holds the selected files; outside holds unselected files of the same
// names, and decoy is a link to outside, ready to be swapped in for album/inner.
void buildSwapScene(const TemporaryTree& tree, int files) {
    for (int i = 0; i < files; ++i) {
        const QByteArray name = "f" + QByteArray::number(i);
        tree.writeFile("tree/album/inner/" + name, "selected");
        tree.writeFile("tree/outside/" + name, "not selected");
    }
    tree.makeFolder("tree/dest");
    tree.makeSymlink(tree.bytes("tree/outside"), "tree/decoy");
}

int filesIn(const QByteArray& folder) {
    return int(QDir(QFile::decodeName(folder)).entryList(QDir::Files).size());
}

// A move whose rename is refused with EXDEV copies the tree and then removes the
// source, as between two volumes, without needing a second volume.
std::shared_ptr<FaultInjectingCalls> acrossVolumes() {
    auto calls = std::make_shared<FaultInjectingCalls>();
    calls->failOn(Primitive::Rename, 1, EXDEV);
    return calls;
}

} // namespace

// Other programs change the tree while an operation runs; the operation must never
// remove, overwrite or follow its way into anything that was not selected.
class TreeIntegrityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The sub-folder is swapped for a link to an unselected folder just as the removal
    // after the copy starts inside it.
    void removalAfterCrossVolumeMoveStaysInTheTree() {
        TemporaryTree tree;
        buildSwapScene(tree, 20);
        const TreeSnapshot outside = TreeSnapshot::of(tree.bytes("tree/outside"));
        auto calls = acrossVolumes();
        bool swapped = false;
        calls->setHook([&](Primitive primitive, const char*) {
            if (primitive == Primitive::Unlink && !swapped)
                swapped = exchange(tree.bytes("tree/album/inner"), tree.bytes("tree/decoy"));
            return 0;
        });
        const auto error = failureOf<TransferError>(DefaultFileSystemService(calls).moveItems(
            {{tree.path("tree/album"), tree.path("tree/dest/album")}}));
        QVERIFY(swapped);
        QCOMPARE(outside.changesIn(tree.bytes("tree/outside")), QString());
        // The swap is reported, and the complete copy is kept since part of the source is gone.
        QVERIFY(error && error->kind == TransferError::Case::failed && error->item == u"album");
        QCOMPARE(filesIn(tree.bytes("tree/dest/album/inner")), 20);
    }

    // The same with a real second program exchanging the folder and the link as fast
    // as it can, while the move copies and removes.
    void crossVolumeMoveRacingAnotherProgramNeverTouchesOutside() {
        constexpr int files = 600;
        for (int round = 0; round < 4; ++round) {
            TemporaryTree tree;
            buildSwapScene(tree, files);
            const QByteArray inner = tree.bytes("tree/album/inner");
            const QByteArray decoy = tree.bytes("tree/decoy");
            if (!exchange(inner, decoy) || !exchange(inner, decoy))
                QSKIP("this file system cannot exchange two names");
            const pid_t racer = ::fork();
            if (racer == 0) {
                // Ends when the removal has taken the folder away, or when it is killed.
                for (int count = 0; count < 10000000 && exchange(inner, decoy); ++count) {
                }
                ::_exit(0);
            }
            QVERIFY(racer > 0);
            // Success or failure depends on the timing; what lies outside does not.
            failureOf<TransferError>(
                DefaultFileSystemService(acrossVolumes())
                    .moveItems({{tree.path("tree/album"), tree.path("tree/dest/album")}}));
            ::kill(racer, SIGKILL);
            ::waitpid(racer, nullptr, 0);
            const QStringList names =
                QDir(QFile::decodeName(tree.bytes("tree/outside"))).entryList(QDir::Files);
            QCOMPARE(names.size(), files);
            for (const QString& name : names)
                QCOMPARE(tree.readFile("tree/outside/" + QFile::encodeName(name)),
                         QByteArray("not selected"));
        }
    }

    // Another program creates the destination name while the copy is being made under
    // its temporary name: renaming it into place fails as "name exists", the unfinished
    // copy goes, and that program's item is left alone.
    void copyNeverRemovesAnItemItDidNotCreate_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("folder") << QByteArray("album");
        QTest::newRow("file") << QByteArray("note.txt");
    }
    void copyNeverRemovesAnItemItDidNotCreate() {
        QFETCH(QByteArray, name);
        TemporaryTree tree;
        tree.writeFile("tree/album/photo.jpg", "mine");
        tree.writeFile("tree/note.txt", "mine");
        tree.makeFolder("tree/dest");
        const QByteArray theirs = tree.bytes("tree/dest/" + name);
        auto calls = std::make_shared<FaultInjectingCalls>();
        bool created = false;
        calls->setHook([&](Primitive primitive, const char* path) {
            if (primitive == Primitive::Rename && !created && path && QByteArray(path).endsWith(".tmp")) {
                created = true;
                const int fd = ::open(theirs.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
                ::write(fd, "theirs", 6);
                ::close(fd);
            }
            return 0;
        });
        const auto error = failureOf<TransferError>(DefaultFileSystemService(calls).copyItems(
            {{tree.path("tree/" + name), tree.path("tree/dest/" + name)}}));
        QVERIFY(created);
        QCOMPARE(error, std::optional(
                            TransferError::failed(QString::fromUtf8(name), PlatformError::describe(EEXIST))));
        QCOMPARE(tree.readFile("tree/dest/" + name), QByteArray("theirs"));
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("tree/dest")), QList<QByteArray>{name});
    }

    // Checked by device and inode before anything is done, so a link or a second path to
    // the same folder is caught too.
    void folderIsNeverPutInsideItself() {
        TemporaryTree tree;
        tree.writeFile("tree/album/sub/photo.jpg", "pixels");
        tree.makeSymlink(tree.bytes("tree/album"), "tree/shortcut");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree"));
        DefaultFileSystemService service;
        const QString album = tree.path("tree/album");
        for (const QString& destination :
             {tree.path("tree/album/sub/album"), tree.path("tree/shortcut/sub/copy"),
              tree.path("tree/album/copy")}) {
            for (const bool move : {false, true}) {
                const QList<TransferOperation> operations{{album, destination}};
                const auto error = move ? failureOf<TransferError>(service.moveItems(operations))
                                        : failureOf<TransferError>(service.copyItems(operations));
                QVERIFY2(error && error->kind == TransferError::Case::failed && error->item == u"album",
                         qPrintable(destination));
                QVERIFY2(error->reason.contains(u"inside itself"), qPrintable(error->reason));
            }
        }
        QCOMPARE(before.changesIn(tree.bytes("tree")), QString());
        // A sibling whose name merely starts the same is not inside.
        await(service.copyItems({{album, tree.path("tree/album-copy")}}));
        QCOMPARE(tree.readFile("tree/album-copy/sub/photo.jpg"), QByteArray("pixels"));
    }

    // A removal that is not bounded by PATH_MAX: a tree deeper than 4096 bytes of path.
    void copiesAndRemovesTreesDeeperThanPathMax() {
        TemporaryTree tree;
        const QByteArray component(200, 'd');
        QByteArray relative = "tree/deep";
        QVERIFY(::mkdir(tree.bytes("tree").constData(), 0755) == 0 || errno == EEXIST);
        QVERIFY(::mkdir(tree.bytes(relative).constData(), 0755) == 0);
        int fd = ::open(tree.bytes(relative).constData(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < 30; ++level) {
            QVERIFY(::mkdirat(fd, component.constData(), 0755) == 0);
            const int next = ::openat(fd, component.constData(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
        }
        const int file = ::openat(fd, "bottom.txt", O_WRONLY | O_CREAT, 0644);
        ::write(file, "bottom", 6);
        ::close(file);
        ::close(fd);

        await(DefaultFileSystemService(acrossVolumes())
                  .moveItems({{tree.path(relative), tree.path("tree/moved")}}));
        QVERIFY(!tree.exists(relative));
        await(DefaultFileSystemService().copyItems({{tree.path("tree/moved"), tree.path("tree/copy")}}));
        QVERIFY(tree.exists("tree/copy/" + component));
    }
};

QTEST_GUILESS_MAIN(TreeIntegrityTest)
#include "TreeIntegrityTest.moc"
