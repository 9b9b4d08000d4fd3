#include "models/errors/DeleteError.h"
#include "models/errors/RenameError.h"
#include "models/errors/TransferError.h"
#include "platform/PathCodec.h"
#include "platform/PathProbe.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/filesystem/ItemRenamer.h"
#include "support/ErrorText.h"
#include "support/FaultInjectingCalls.h"
#include "support/FileItems.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

constexpr long fatMagic = 0x4d44;

QByteArray longName(int bytes, char fill = 'n') {
    return QByteArray(bytes - 4, fill) + ".txt";
}

// The names no operation may mangle: invalid UTF-8, a newline, the longest name,
// a leading dash and a leading dot.
QList<QByteArray> hostileNames() {
    return {QByteArray("caf\xE9 \xFF.txt"), QByteArray("line\nbreak"), longName(255), QByteArray("-rf"),
            QByteArray(".hidden")};
}

// A small tree with every kind of item an operation must carry: nested folders,
// a symbolic link to a folder, a file with an unusual mode and an old time.
void buildSampleTree(const TemporaryTree& tree, const QByteArray& at) {
    tree.makeFolder(at);
    tree.makeFolder(at + "/docs");
    tree.writeFile(at + "/docs/a.txt", "alpha");
    tree.writeFile(at + "/docs/b.txt", QByteArray(70000, 'b'), 0640);
    const struct timespec old[2] = {{1000000000, 5}, {1000000000, 123456789}};
    ::utimensat(AT_FDCWD, tree.bytes(at + "/docs/b.txt").constData(), old, 0);
    tree.makeFolder(at + "/docs/inner");
    tree.writeFile(at + "/docs/inner/c.md", "gamma");
    tree.makeSymlink("../target", at + "/docs/link");
    tree.writeFile(at + "/solo.bin", "solo", 0600);
    tree.makeFolder(at + "/target");
    tree.writeFile(at + "/target/keep.txt", "keep");
    tree.makeFolder(at + "/dest");
    tree.writeFile(at + "/dest/existing.txt", "existing");
}

// Trashes, copies or moves the three items of the sample tree at tree/src, the copy and
// the move each replacing one existing item; what failed, as ErrorText writes it.
std::optional<QString> changeSampleTree(DefaultFileSystemService& service, const TemporaryTree& tree,
                                        const QString& operation) {
    const auto at = [&](const char* name) { return tree.path(QByteArray("tree/src/") + name); };
    const auto asText = [](const auto& error) {
        return error ? std::optional(ErrorText::of(*error)) : std::nullopt;
    };
    if (operation == u"trash")
        return asText(
            failureOf<DeleteError>(service.moveToTrash({at("docs"), at("solo.bin"), at("target")})));
    if (operation == u"copy")
        return asText(
            failureOf<TransferError>(service.copyItems({{at("docs"), at("dest/docs"), false},
                                                        {at("solo.bin"), at("dest/solo.bin"), false},
                                                        {at("target"), at("dest/existing.txt"), true}})));
    return asText(failureOf<TransferError>(service.moveItems({{at("docs"), at("dest/docs"), false},
                                                              {at("solo.bin"), at("dest/existing.txt"), true},
                                                              {at("target"), at("dest/renamed"), false}})));
}

} // namespace

class FileSystemServiceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsEntriesWithoutFollowingLinks() {
        TemporaryTree tree;
        tree.writeFile("tree/a.txt", "12345");
        tree.writeFile("tree/.hidden", "");
        tree.makeFolder("tree/Notes");
        tree.makeFolder("tree/x.json");
        tree.makeSymlink("Notes", "tree/link.PNG");
        tree.makeSymlink("a.txt", "tree/text-link");
        tree.makeSymlink("gone", "tree/broken");
        tree.makeFolder("tree/empty");

        DefaultFileSystemService service;
        QCOMPARE(await(service.listDirectory(tree.path("tree/empty"), true)).size(), 0);

        QStringList visible = namesOf(await(service.listDirectory(tree.path("tree"), false)));
        visible.sort();
        QCOMPARE(visible, (QStringList{u"Notes"_s, u"a.txt"_s, u"broken"_s, u"empty"_s, u"link.PNG"_s,
                                       u"text-link"_s, u"x.json"_s}));
        const QList<FileItem> all = await(service.listDirectory(tree.path("tree"), true));
        QCOMPARE(all.size(), 8);

        for (const FileItem& item : all) {
            QCOMPARE(item.id, item.url);
            // Only a link that leads to a folder says so; a folder itself is not a link.
            QCOMPARE(item.isLinkToFolder, item.name == u"link.PNG");
            QCOMPARE(item.url, tree.path("tree/" + PathCodec::encode(item.name)));
            QVERIFY(item.modificationDate.has_value());
            if (item.name == u"a.txt") {
                QCOMPARE(item.size, std::optional<int64_t>(5));
                QCOMPARE(item.kind, u"Plain Text"_s);
            } else if (item.name == u"x.json") {
                QVERIFY(item.isDirectory);
                QVERIFY(!item.size);
                QCOMPARE(item.kind, u"Folder"_s);
            } else if (item.name == u"link.PNG") {
                // The link itself: not a folder, sized as the link, kind by its own name.
                QVERIFY(!item.isDirectory);
                QCOMPARE(item.size, std::optional<int64_t>(5));
                QCOMPARE(item.kind, u"Image"_s);
            }
        }
        QCOMPARE(service.kindDescription(tree.path("tree/missing.tar")), u"TAR"_s);
    }

    void listingLeavesOutWhatCannotBeExaminedAndFailsOnWhatCannotBeRead() {
        TemporaryTree tree;
        tree.writeFile("tree/keep.txt", "");
        tree.writeFile("tree/vanishes.txt", "");
        tree.makeFolder("folder");
        tree.makeSymlink("../folder", "tree/link");
        auto calls = std::make_shared<FaultInjectingCalls>();
        int linkStats = 0;
        calls->setHook([&linkStats](Primitive primitive, const char* path) {
            if (primitive != Primitive::Stat || !path)
                return 0;
            if (qstrcmp(path, "vanishes.txt") == 0)
                return ENOENT;
            // The link itself can be examined, the place it leads to cannot.
            return qstrcmp(path, "link") == 0 && ++linkStats == 2 ? EACCES : 0;
        });
        DefaultFileSystemService service(calls);
        const QList<FileItem> items = await(service.listDirectory(tree.path("tree"), true));
        QCOMPARE(items.size(), 2);
        for (const FileItem& item : items) {
            QVERIFY(item.name == u"keep.txt" || item.name == u"link");
            QVERIFY(!item.isLinkToFolder);
        }
        QCOMPARE(linkStats, 2);

        calls->reset();
        calls->failOn(Primitive::OpenDirectory, 1, EACCES);
        const auto refused = failureOf<PlatformError>(service.listDirectory(tree.path("tree"), false));
        QVERIFY(refused && refused->errorClass() == ErrorClass::permission);
        const auto missing =
            failureOf<PlatformError>(service.listDirectory(tree.path("tree/missing"), false));
        QVERIFY(missing && missing->code() == ENOENT);
    }

    void probeFollowsLinksOnlyToAskWhetherSomethingExists() {
        TemporaryTree tree;
        tree.makeFolder("folder");
        tree.makeSymlink(tree.bytes("folder"), "link");
        tree.makeSymlink(tree.bytes("deleted"), "dangling");
        auto calls = std::make_shared<FaultInjectingCalls>();
        const PathProbe probe(calls);
        QVERIFY(probe.exists(tree.path("folder")));
        QVERIFY(probe.exists(tree.path("link")));
        QVERIFY(!probe.exists(tree.path("dangling")));
        QVERIFY(!probe.exists(tree.path("deleted")));
        QVERIFY(probe.isFolder(tree.path("folder")));
        QVERIFY(!probe.isFolder(tree.path("link")));
        QCOMPARE(calls->count(Primitive::Stat), 6);

        // A question the file system cannot answer is answered no.
        calls->setHook(
            [](Primitive primitive, const char*) { return primitive == Primitive::Stat ? EIO : 0; });
        QVERIFY(!probe.exists(tree.path("folder")));
        QVERIFY(!probe.isFolder(tree.path("folder")));
        QCOMPARE(DefaultFileSystemService(calls).kindDescription(tree.path("folder")), u"File"_s);
    }

    void renamesAndClassifiesRefusals() {
        TemporaryTree tree;
        tree.writeFile("tree/a.txt", "a");
        tree.writeFile("tree/b.txt", "b");
        DefaultFileSystemService service;

        QCOMPARE(await(service.renameItem(tree.path("tree/a.txt"), u"c.txt"_s)), tree.path("tree/c.txt"));
        QVERIFY(!tree.exists("tree/a.txt"));
        QCOMPARE(tree.readFile("tree/c.txt"), QByteArray("a"));

        // Taking an existing name, or keeping the present one, is a collision; nothing moves.
        auto collision = failureOf<RenameError>(service.renameItem(tree.path("tree/c.txt"), u"b.txt"_s));
        QCOMPARE(collision, std::optional(RenameError::collision()));
        QCOMPARE(tree.readFile("tree/b.txt"), QByteArray("b"));
        QCOMPARE(tree.readFile("tree/c.txt"), QByteArray("a"));
        collision = failureOf<RenameError>(service.renameItem(tree.path("tree/c.txt"), u"c.txt"_s));
        QCOMPARE(collision, std::optional(RenameError::collision()));

        // EPERM reads as a lack of permission too (EROFS, its own reason: MountNamespaceTest).
        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->failOn(Primitive::Rename, 1, EPERM);
        QCOMPARE(failureOf<RenameError>(
                     DefaultFileSystemService(calls).renameItem(tree.path("tree/c.txt"), u"d.txt"_s)),
                 std::optional(RenameError::permissionDenied()));

        const auto missing = failureOf<RenameError>(service.renameItem(tree.path("tree/none.txt"), u"x"_s));
        QVERIFY(missing && missing->kind == RenameError::Case::other);

        // Names that would leave the folder are refused before anything moves.
        tree.makeFolder("tree/sub");
        for (const QString& name : {u"sub/c.txt"_s, u".."_s, u"."_s, QString(), u"../a.txt"_s}) {
            const auto error = failureOf<RenameError>(service.renameItem(tree.path("tree/c.txt"), name));
            QVERIFY2(error && error->kind == RenameError::Case::other, qPrintable(name));
        }
        QVERIFY(tree.exists("tree/c.txt"));
        QVERIFY(!tree.exists("tree/sub/c.txt"));
    }

    // Two escaped bytes that together are valid UTF-8 name "é" on disk; the renamed location
    // must be the one the listing shows, or tabs and folder settings follow a path that is not there.
    void renameReturnsThePathTheListingReports() {
        TemporaryTree tree;
        tree.writeFile("tree/a.txt", "");
        DefaultFileSystemService service;
        const QString joined = QString(QChar(0xDCC3)) + QChar(0xDCA9);
        const QString renamed = await(service.renameItem(tree.path("tree/a.txt"), joined));
        QCOMPARE(renamed, tree.path("tree/\xC3\xA9"));
        QCOMPARE(await(service.listDirectory(tree.path("tree"), false)).first().url, renamed);
    }

    void caseOnlyRenameGoesThroughATemporaryNameOnACaseInsensitiveVolume() {
        TemporaryTree tree;
        tree.writeFile("tree/notes.txt", "n");
        auto calls = std::make_shared<FaultInjectingCalls>();
        // As a case-insensitive volume answers: the direct move finds "Notes.txt" taken.
        calls->failOn(Primitive::Rename, 1, EEXIST);
        calls->fakeFileSystemType(fatMagic);
        DefaultFileSystemService service(calls);

        QCOMPARE(await(service.renameItem(tree.path("tree/notes.txt"), u"Notes.txt"_s)),
                 tree.path("tree/Notes.txt"));
        QCOMPARE(tree.readFile("tree/Notes.txt"), QByteArray("n"));
        QVERIFY(!tree.exists("tree/notes.txt"));
        QCOMPARE(calls->count(Primitive::Rename), 3);

        // A long name's temporary name is shortened to fit, never cutting a character in half.
        const QByteArray name = longName(230, 'x');
        tree.writeFile("tree/" + name, "long");
        calls->reset();
        calls->failOn(Primitive::Rename, 1, EEXIST);
        calls->fakeFileSystemType(fatMagic);
        const QString upper = QString::fromLatin1(name).toUpper();
        QCOMPARE(await(service.renameItem(tree.path("tree/" + name), upper)),
                 tree.path("tree/" + upper.toLatin1()));
        QCOMPARE(tree.readFile("tree/" + upper.toLatin1()), QByteArray("long"));
        QCOMPARE(ItemRenamer::temporaryName(QString::fromLatin1(longName(255))).toUtf8().size(), 255);
        const QByteArray shortened =
            PathCodec::encode(ItemRenamer::temporaryName(QString(120, QChar(0x00E9))));
        QVERIFY(shortened.size() <= 255);
        QVERIFY(!PathCodec::hasEscapedBytes(PathCodec::decode(shortened)));

        // When the second step fails, the item goes back to its old name.
        calls->reset();
        int renames = 0;
        calls->setHook([&renames](Primitive primitive, const char*) {
            if (primitive != Primitive::Rename)
                return 0;
            ++renames;
            return renames == 1 ? EEXIST : renames == 3 ? EACCES : 0;
        });
        calls->fakeFileSystemType(fatMagic);
        QCOMPARE(failureOf<RenameError>(service.renameItem(tree.path("tree/Notes.txt"), u"notes.txt"_s)),
                 std::optional(RenameError::permissionDenied()));
        QCOMPARE(tree.readFile("tree/Notes.txt"), QByteArray("n"));
        QCOMPARE(renames, 4);
    }

    void caseOnlyRenameIsCollisionWhereCaseMatters() {
        TemporaryTree tree;
        tree.writeFile("tree/notes.txt", "n");
        auto calls = std::make_shared<FaultInjectingCalls>();
        DefaultFileSystemService service(calls);

        // Refused on a case-sensitive volume, or where the volume cannot be asked.
        calls->failOn(Primitive::Rename, 1, EEXIST);
        QCOMPARE(failureOf<RenameError>(service.renameItem(tree.path("tree/notes.txt"), u"Notes.txt"_s)),
                 std::optional(RenameError::collision()));
        calls->reset();
        calls->failOn(Primitive::Rename, 1, EEXIST);
        calls->failOn(Primitive::StatFileSystem, 1, EIO);
        QCOMPARE(failureOf<RenameError>(service.renameItem(tree.path("tree/notes.txt"), u"Notes.txt"_s)),
                 std::optional(RenameError::collision()));
        QVERIFY(tree.exists("tree/notes.txt"));

        // A case-sensitive volume simply takes the new name.
        calls->reset();
        QCOMPARE(await(service.renameItem(tree.path("tree/notes.txt"), u"Notes.txt"_s)),
                 tree.path("tree/Notes.txt"));
        QCOMPARE(calls->count(Primitive::Rename), 1);
    }

    // Every step that changes the tree is failed in turn; each failure must leave the tree
    // byte for byte as before and the trash empty, and the run that meets no fault must
    // finish the operation.
    void rollsBackAFailureAtEveryStep_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("leastFailures");
        QTest::newRow("trash") << u"trash"_s << EACCES << 6;
        QTest::newRow("copy onto a full disk") << u"copy"_s << ENOSPC << 10;
        QTest::newRow("move") << u"move"_s << EACCES << 3;
    }
    void rollsBackAFailureAtEveryStep() {
        QFETCH(QString, operation);
        QFETCH(int, error);
        QFETCH(int, leastFailures);
        // A lack of permission reads as such; any other failure carries the platform's reason.
        const QRegularExpression expected(
            error == EACCES ? u"^permissionDenied\\((docs|solo\\.bin|target)\\)$"_s
                            : u"^failed\\((docs|solo\\.bin|target), .*"_s +
                                  QRegularExpression::escape(PlatformError::describe(error)) + u"\\)$"_s);
        int failures = 0;
        for (int step = 1;; ++step) {
            TemporaryTree tree;
            buildSampleTree(tree, "tree/src");
            const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree"));
            auto calls = std::make_shared<FaultInjectingCalls>();
            calls->failOnMutation(step, error);
            DefaultFileSystemService service(calls);
            const std::optional<QString> failure = changeSampleTree(service, tree, operation);
            if (calls->mutationCount() < step) {
                QVERIFY2(!failure, "an operation that met no fault must succeed");
                if (operation == u"trash") {
                    for (const char* name : {"docs", "solo.bin", "target"})
                        QVERIFY(!tree.exists(QByteArray("tree/src/") + name));
                    QCOMPARE(tree.trashContents().size(), 6);
                } else if (operation == u"copy") {
                    // Links, modes and times come over as they were.
                    QCOMPARE(TreeSnapshot::of(tree.bytes("tree/src/docs"))
                                 .changesIn(tree.bytes("tree/src/dest/docs")),
                             QString());
                    QCOMPARE(tree.readFile("tree/src/dest/existing.txt/keep.txt"), QByteArray("keep"));
                    QCOMPARE(tree.readFile("tree/src/solo.bin"), QByteArray("solo"));
                    QCOMPARE(tree.trashContents().size(), 2);
                } else {
                    QCOMPARE(tree.readFile("tree/src/dest/existing.txt"), QByteArray("solo"));
                    QCOMPARE(tree.readFile("tree/src/dest/renamed/keep.txt"), QByteArray("keep"));
                }
                break;
            }
            if (!failure)
                continue; // the fault hit a step whose failure is harmless (creating an existing folder)
            ++failures;
            QVERIFY2(expected.match(*failure).hasMatch(), qPrintable(*failure));
            const QString changes = before.changesIn(tree.bytes("tree"));
            QVERIFY2(changes.isEmpty(), qPrintable(u"step %1:\n"_s.arg(step) + changes));
            QVERIFY(tree.trashContents().isEmpty());
        }
        QVERIFY(failures >= leastFailures);
    }

    // The rollback walks back in reverse, and names what it could not put back.
    void trashRollsBackInReverseAndReportsWhatStaysInTheTrash() {
        TemporaryTree tree;
        tree.writeFile("tree/one", "1");
        tree.writeFile("tree/two", "2");
        tree.writeFile("tree/three", "3");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree"));
        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->failOn(Primitive::Rename, 3, EACCES);
        DefaultFileSystemService service(calls);
        const QStringList all{tree.path("tree/one"), tree.path("tree/two"), tree.path("tree/three")};
        QCOMPARE(failureOf<DeleteError>(service.moveToTrash(all)),
                 std::optional(DeleteError::permissionDenied(u"three"_s)));
        QCOMPARE(TreeSnapshot::of(tree.bytes("tree")), before);
        const QList<QByteArray> renamed = calls->renamedPaths();
        QCOMPARE(renamed.size(), 5);
        QVERIFY(renamed[3].endsWith("/files/two"));
        QVERIFY(renamed[4].endsWith("/files/one"));

        calls->reset();
        int renames = 0;
        calls->setHook([&renames](Primitive primitive, const char*) {
            return primitive == Primitive::Rename && ++renames >= 2 ? EIO : 0;
        });
        QCOMPARE(failureOf<DeleteError>(service.moveToTrash(all.mid(0, 2))),
                 std::optional(DeleteError::rollbackFailed({u"one"_s})));
        QVERIFY(tree.exists("tree/two"));
        QVERIFY(!tree.exists("tree/one"));
    }

    void copyRecreatesFifoWithoutOpeningIt() {
        TemporaryTree tree;
        tree.makeFolder("tree/src");
        tree.makeFifo("tree/src/pipe");
        tree.writeFile("tree/src/file", "f");
        auto calls = std::make_shared<FaultInjectingCalls>();
        bool fifoOpened = false;
        // Opening a FIFO for reading would block for ever; refuse it and remember it happened.
        calls->setHook([&](Primitive primitive, const char* path) {
            if (primitive == Primitive::Open && path && qstrcmp(path, "pipe") == 0) {
                fifoOpened = true;
                return EIO;
            }
            return 0;
        });
        DefaultFileSystemService service(calls);
        await(service.copyItems({{tree.path("tree/src"), tree.path("tree/copy"), false}}));
        QVERIFY(!fifoOpened);
        struct stat status;
        QCOMPARE(::lstat(tree.bytes("tree/copy/pipe").constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(tree.readFile("tree/copy/file"), QByteArray("f"));
    }

    void copyKeepsSparseFilesSparse() {
        TemporaryTree tree;
        const QByteArray source = tree.bytes("tree/sparse.img");
        const int fd = ::open(source.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, 64 << 20), 0);
        QCOMPARE(::pwrite(fd, "data", 4, 32 << 20), ssize_t(4));
        ::close(fd);
        struct stat before;
        ::stat(source.constData(), &before);
        if (off_t(before.st_blocks) * 512 >= before.st_size)
            QSKIP("This file system does not keep holes");

        DefaultFileSystemService service;
        await(service.copyItems({{tree.path("tree/sparse.img"), tree.path("tree/copy.img"), false}}));
        struct stat after;
        ::stat(tree.bytes("tree/copy.img").constData(), &after);
        QCOMPARE(after.st_size, before.st_size);
        QVERIFY2(after.st_blocks <= before.st_blocks + 64, qPrintable(QString::number(after.st_blocks)));
        QCOMPARE(TreeSnapshot::of(source).changesIn(tree.bytes("tree/copy.img")), QString());
    }

    void copyReportsCopiesItCouldNotRemove() {
        TemporaryTree tree;
        tree.writeFile("tree/a", "a");
        tree.writeFile("tree/b", "b");
        tree.makeFolder("tree/dest");
        auto calls = std::make_shared<FaultInjectingCalls>();
        calls->setHook([&](Primitive primitive, const char* path) {
            if (primitive == Primitive::Open && path && qstrcmp(path, "b") == 0)
                return EACCES;
            return primitive == Primitive::Unlink ? EBUSY : 0;
        });
        DefaultFileSystemService service(calls);
        const auto error = failureOf<TransferError>(
            service.copyItems({{tree.path("tree/a"), tree.path("tree/dest/a"), false},
                               {tree.path("tree/b"), tree.path("tree/dest/b"), false}}));
        QCOMPARE(error, std::optional(TransferError::rollbackFailed({u"a"_s})));
    }

    void moveReportsStrandedSourceAndPutsOthersBack() {
        TemporaryTree tree;
        for (const char* name : {"one", "two", "three"})
            tree.writeFile(QByteArray("tree/") + name, name);
        tree.makeFolder("tree/dest");
        auto calls = std::make_shared<FaultInjectingCalls>();
        int renames = 0;
        // Moves 1 and 2 succeed, 3 fails; undoing 2 succeeds, undoing 1 fails.
        calls->setHook([&renames](Primitive primitive, const char*) {
            if (primitive != Primitive::Rename)
                return 0;
            ++renames;
            return renames == 3 ? EACCES : renames == 5 ? EIO : 0;
        });
        DefaultFileSystemService service(calls);
        QList<TransferOperation> operations;
        for (const char* name : {"one", "two", "three"})
            operations.append(
                {tree.path(QByteArray("tree/") + name), tree.path(QByteArray("tree/dest/") + name), false});
        const auto error = failureOf<TransferError>(service.moveItems(operations));
        QCOMPARE(error, std::optional(TransferError::rollbackFailed({u"one"_s})));
        QVERIFY(tree.exists("tree/two"));
        QVERIFY(tree.exists("tree/three"));
        QVERIFY(tree.exists("tree/dest/one"));
    }

    void moveNeverReplacesWithoutBeingToldAndMapsStandardisedPaths() {
        TemporaryTree tree;
        tree.writeFile("tree/a.txt", "a");
        tree.makeFolder("tree/dest");
        tree.writeFile("tree/dest/a.txt", "keep");
        DefaultFileSystemService service;
        const auto error = failureOf<TransferError>(
            service.moveItems({{tree.path("tree/a.txt"), tree.path("tree/dest/a.txt"), false}}));
        QVERIFY(error && error->kind == TransferError::Case::failed);
        QCOMPARE(error->item, u"a.txt"_s);
        QCOMPARE(tree.readFile("tree/dest/a.txt"), QByteArray("keep"));
        QCOMPARE(tree.readFile("tree/a.txt"), QByteArray("a"));

        // The mappings the tabs follow are standardised; an empty move maps nothing.
        QCOMPARE(await(service.moveItems({})).items, QList<PathMapping>());
        const QList<PathMapping> mappings =
            await(service.moveItems({{tree.path("tree/./a.txt"), tree.path("tree/dest//b.txt"), false}}))
                .items;
        QCOMPARE(mappings, (QList<PathMapping>{{tree.path("tree/a.txt"), tree.path("tree/dest/b.txt")}}));
    }

    void hostileNamesSurviveEveryOperation() {
        TemporaryTree tree;
        tree.makeFolder("tree/dest");
        DefaultFileSystemService service;
        const QList<QByteArray> names = hostileNames();
        for (const QByteArray& name : names)
            tree.writeFile("tree/" + name, name);

        QSet<QString> listed;
        for (const FileItem& item : await(service.listDirectory(tree.path("tree"), true)))
            listed.insert(item.name);
        for (const QByteArray& name : names)
            QVERIFY2(listed.contains(PathCodec::decode(name)), name.toPercentEncoding().constData());

        for (const QByteArray& name : names) {
            const QString path = tree.path("tree/" + name);
            const QString decoded = PathCodec::decode(name);
            // Rename to a name of the same family and back.
            const QString renamed = await(service.renameItem(path, u"-x"_s + decoded.left(200)));
            QCOMPARE(await(service.renameItem(renamed, decoded)), path);
            // Copy, move, trash and bring back from the trash.
            await(service.copyItems({{path, tree.path("tree/dest/" + name), false}}));
            QCOMPARE(tree.readFile("tree/dest/" + name), name);
            await(service.moveToTrash({tree.path("tree/dest/" + name)}));
            QVERIFY(!tree.exists("tree/dest/" + name));
            const QList<PathMapping> moved =
                await(service.moveItems({{path, tree.path("tree/dest/" + name), false}})).items;
            QCOMPARE(PathCodec::encode(moved.first().to), tree.bytes("tree/dest/" + name));
            QCOMPARE(tree.readFile("tree/dest/" + name), name);
        }
        // Restoring from the trash: make the last of several trashings fail so the rollback runs.
        QStringList paths;
        for (const QByteArray& name : names)
            paths.append(tree.path("tree/dest/" + name));
        paths.append(tree.path("tree/dest/missing"));
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("tree/dest"));
        const auto error = failureOf<DeleteError>(service.moveToTrash(paths));
        QVERIFY(error && error->item == u"missing"_s);
        QCOMPARE(TreeSnapshot::of(tree.bytes("tree/dest")), before);
    }

    // Copying a link is covered by the sample tree's copy; trashing one must not follow it.
    void trashingALinkToAFolderTrashesTheLink() {
        TemporaryTree tree;
        tree.writeFile("tree/target/inside.txt", "inside");
        tree.makeSymlink("target", "tree/link");
        const TreeSnapshot target = TreeSnapshot::of(tree.bytes("tree/target"));
        await(DefaultFileSystemService().moveToTrash({tree.path("tree/link")}));
        struct stat status;
        QCOMPARE(::lstat(tree.bytes("data/Trash/files/link").constData(), &status), 0);
        QVERIFY(S_ISLNK(status.st_mode));
        QCOMPARE(target.changesIn(tree.bytes("tree/target")), QString());
    }

    void createsFilesAndFolders() {
        TemporaryTree tree;
        DefaultFileSystemService service;
        await(service.createFolder(tree.path("tree/new")));
        await(service.createFile(tree.path("tree/new/file.txt")));
        QVERIFY(tree.exists("tree/new/file.txt"));
        const auto noParent = failureOf<PlatformError>(service.createFolder(tree.path("tree/a/b")));
        QVERIFY(noParent && noParent->code() == ENOENT);

        // Creating never replaces anything and never writes through a link: a hidden dotfile
        // that links into another folder, a dangling link, a file, a folder.
        tree.writeFile("tree/new/file.txt", "contents");
        tree.writeFile("dotfiles/bashrc", "export EDITOR=vi\n");
        tree.makeSymlink("../../dotfiles/bashrc", "tree/new/.bashrc");
        tree.makeSymlink("../../outside/made-here", "tree/new/.dangling");
        for (const char* name : {"file.txt", ".bashrc", ".dangling", ""}) {
            const QString path = tree.path("tree/new/" + QByteArray(name)).chopped(*name ? 0 : 1);
            const auto asFile = failureOf<PlatformError>(service.createFile(path));
            QVERIFY2(asFile && asFile->errorClass() == ErrorClass::nameExists, name);
            const auto asFolder = failureOf<PlatformError>(service.createFolder(path));
            QVERIFY2(asFolder && asFolder->errorClass() == ErrorClass::nameExists, name);
        }
        QCOMPARE(tree.readFile("tree/new/file.txt"), QByteArray("contents"));
        QCOMPARE(tree.readFile("dotfiles/bashrc"), QByteArray("export EDITOR=vi\n"));
        QVERIFY(!tree.exists("outside"));
    }
};

QTEST_GUILESS_MAIN(FileSystemServiceTest)
#include "FileSystemServiceTest.moc"
