#include "models/errors/PermanentDeleteError.h"
#include "models/errors/TransferError.h"
#include "platform/OperationControl.h"
#include "platform/PathCodec.h"
#include "platform/SystemCalls.h"
#include "platform/TrashListing.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/ErrorText.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

QString gio() {
    return QStandardPaths::findExecutable(u"gio"_s);
}

// Runs gio through the shell in folder, with GLib's own local file code (no gvfs daemon),
// so that names which are not UTF-8 reach it as bytes (printf "\\376"); returns its
// output, or nothing when it failed.
std::optional<QByteArray> runGio(const QString& folder, const QString& arguments) {
    if (gio().isEmpty())
        return std::nullopt;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"GIO_USE_VFS"_s, u"local"_s);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(u"sh"_s, {u"-c"_s, u"exec gio "_s + arguments});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qInfo("gio %s: %s", qPrintable(arguments), process.readAllStandardError().constData());
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// The test's own trashed items (the machine's other volumes may have trash of their own).
std::map<QString, TrashedItem> byOriginalPath(const TemporaryTree& tree,
                                              const std::vector<TrashedItem>& items) {
    std::map<QString, TrashedItem> found;
    for (const TrashedItem& item : items)
        if (item.trashedPath.startsWith(tree.path() + u'/'))
            found[item.originalPath] = item;
    return found;
}

// Hides the trash folders of the machine's own volumes under empty mounts seen only by
// this test, so that emptying the trash reaches the test's trash alone. Empty when one
// cannot be hidden.
std::optional<std::vector<ScopedMount>> hideRealTrashes(const TemporaryTree& tree) {
    std::vector<ScopedMount> hidden;
    for (const TrashListing::Folder& folder : TrashListing::folders(SystemCalls::real())) {
        struct stat status;
        if (folder.directory.startsWith(QByteArray(tree.rootBytes() + '/')) ||
            ::lstat(folder.directory.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
            continue;
        hidden.push_back(ScopedMount::tmpfs(folder.directory, "size=4k"));
        if (!hidden.back().isMounted())
            return std::nullopt;
    }
    return hidden;
}

QByteArray uid() {
    return QByteArray::number(::getuid());
}

} // namespace

// The trash as the service keeps it: what this program or GLib put there comes back byte
// for byte, on the home volume and on others; deleting for good touches the trash only.
class TrashServiceTest : public QObject {
    Q_OBJECT

public:
    explicit TrashServiceTest(QString refusal)
        : m_refusal(std::move(refusal)) {}

private:
    QString m_refusal;

private Q_SLOTS:
    // Items trashed by us and by gio, names that are not UTF-8 among them, are listed with
    // their original paths and put back exactly: over an item that took the place (which
    // goes to the trash), under a new name, into folders made again. A failed restore puts
    // everything back as it was, names the item by its original name, and leaves the trash
    // byte for byte as it was; the directorysizes lines of restored folders go.
    void restoresWhatEitherProgramTrashed() {
        TemporaryTree tree;
        tree.writeFile("docs/ours.txt", "ours");
        tree.writeFile("docs/odd\xff.bin", QByteArray("odd\0bytes", 9), 0600);
        tree.writeFile("docs/album/one.jpg", QByteArray(5000, 'x'));
        tree.writeFile("docs/album/deeper/two.jpg", "two");
        tree.makeSymlink("one.jpg", "docs/album/latest");
        tree.writeFile("docs/taken.txt", "the trashed one");
        tree.writeFile("docs/renamed.txt", "keeps its contents");
        tree.writeFile("docs/gone/deep/by-gio.txt", "trashed by gio");
        tree.writeFile("docs/gio\xfe.txt", "gio's odd name");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("docs"));

        DefaultFileSystemService service(SystemCalls::real(), tree.path("state/quillmere"));
        QStringList ours;
        for (const QByteArray name : {"ours.txt", "odd\xff.bin", "album", "taken.txt", "renamed.txt"})
            ours.append(tree.path("docs/" + name));
        QStringList byGio{tree.path("docs/gone/deep/by-gio.txt"), tree.path("docs/gio\xfe.txt")};
        await(service.moveToTrash(ours));
        const bool withGio =
            runGio(tree.path("docs"), u"trash gone/deep/by-gio.txt \"$(printf 'gio\\376.txt')\""_s) &&
            !tree.exists("docs/gio\xfe.txt");
        if (!withGio) {
            qWarning("gio is missing or cannot trash here: only our own trash records are restored");
            await(service.moveToTrash(byGio));
        }
        QVERIFY(::rmdir(tree.bytes("docs/gone/deep").constData()) == 0 &&
                ::rmdir(tree.bytes("docs/gone").constData()) == 0);
        tree.writeFile("docs/taken.txt", "took the place");
        tree.writeFile("docs/renamed.txt", "in the way");
        // The album's name in the trash is not its own, as when another album was there first.
        QVERIFY(::rename(tree.bytes("data/Trash/files/album").constData(),
                         tree.bytes("data/Trash/files/album.7").constData()) == 0 &&
                ::rename(tree.bytes("data/Trash/info/album.trashinfo").constData(),
                         tree.bytes("data/Trash/info/album.7.trashinfo").constData()) == 0);
        struct stat albumRecord;
        QCOMPARE(::stat(tree.bytes("data/Trash/info/album.7.trashinfo").constData(), &albumRecord), 0);
        tree.writeFile("data/Trash/directorysizes",
                       "8192 " + QByteArray::number(qint64(albumRecord.st_mtim.tv_sec)) + " album.7\n" +
                           "4096 12 someone%20else\n");

        const auto items = byOriginalPath(tree, await(service.listTrash()));
        QCOMPARE(items.size(), size_t(7));
        QList<TransferOperation> operations;
        for (const QString& original : ours + byGio) {
            QVERIFY2(items.count(original), qPrintable(original));
            operations.append({items.at(original).trashedPath, original, original.endsWith(u"taken.txt")});
        }
        operations[4].destination = tree.path("docs/renamed (2).txt");

        // One item that cannot go back (its folder is now a file): nothing changes.
        const TreeSnapshot trashBefore = TreeSnapshot::of(tree.homeTrash());
        const TreeSnapshot docsBefore = TreeSnapshot::of(tree.bytes("docs"));
        QList<TransferOperation> failing = operations.mid(0, 3);
        failing[2].destination = tree.path("docs/ours.txt/album");
        QCOMPARE(failureOf<TransferError>(service.restoreFromTrash(failing)),
                 std::optional(TransferError::failed(u"album"_s, PlatformError::describe(ENOTDIR))));
        QCOMPARE(trashBefore.changesIn(tree.homeTrash()), QString());
        QCOMPARE(docsBefore.changesIn(tree.bytes("docs")), QString());

        const TransferOutcome outcome = await(service.restoreFromTrash(operations));
        QCOMPARE(outcome.items.size(), operations.size());
        QCOMPARE(outcome.items[4], (PathMapping{operations[4].source, tree.path("docs/renamed (2).txt")}));
        QCOMPARE(outcome.replaced.size(), 1);
        QCOMPARE(outcome.replaced[0].original, tree.path("docs/taken.txt"));
        // Only what was in the way is left in the trash, with its own record.
        const auto left = byOriginalPath(tree, await(service.listTrash()));
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left.begin()->first, tree.path("docs/taken.txt"));
        QCOMPARE(left.begin()->second.trashedPath, outcome.replaced[0].trashed);
        QCOMPARE(tree.readFile("data/Trash/files/taken.txt.2"), QByteArray("took the place"));
        QCOMPARE(TemporaryTree::namesIn(tree.homeTrash() + "/info").size(), 1);
        QCOMPARE(tree.readFile("data/Trash/directorysizes"), QByteArray("4096 12 someone%20else\n"));
        QCOMPARE(tree.readFile("docs/renamed.txt"), QByteArray("in the way"));
        QVERIFY(::rename(tree.bytes("docs/renamed (2).txt").constData(),
                         tree.bytes("docs/renamed.txt").constData()) == 0);
        QCOMPARE(before.changesIn(tree.bytes("docs")), QString());
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("state/quillmere")), QList<QByteArray>());
    }

    // What we trash other programs read as their own: our record of an item is the record
    // GLib writes for the same item, but for the date. (GLib lists trash:// only through
    // gvfs, which a test machine need not run; the records are what it would read.)
    void ourRecordsAreTheOnesGlibWrites() {
        TemporaryTree tree;
        tree.writeFile("docs/sub dir/ours 100%\xff.txt", "x");
        tree.writeFile("docs/sub dir/gios 100%\xff.txt", "x");
        DefaultFileSystemService service;
        await(service.moveToTrash({tree.path("docs/sub dir/ours 100%\xff.txt")}));
        if (!runGio(tree.path("docs"), u"trash \"sub dir/$(printf 'gios 100%%\\377.txt')\""_s) ||
            tree.exists("docs/sub dir/gios 100%\xff.txt"))
            QSKIP("gio is missing or cannot trash here");
        const QByteArray info = tree.homeTrash() + "/info/";
        const auto record = [&](const QByteArray& name) {
            QByteArray text = tree.readFile(info.mid(tree.rootBytes().size() + 1) + name);
            // The date is the moment of trashing; its form must agree, not its value.
            static const QRegularExpression date(
                u"DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\n"_s);
            QString decoded = QString::fromLatin1(text);
            decoded.replace(date, u"DeletionDate=(date)\n"_s);
            return decoded;
        };
        const QString ours = record("ours 100%\xff.txt.trashinfo");
        QVERIFY2(ours.contains(u"(date)"_s), qPrintable(ours));
        QCOMPARE(ours, record("gios 100%\xff.txt.trashinfo").replace(u"gios"_s, u"ours"_s));
    }

    // Another volume keeps its own $topdir/.Trash-$uid: trashed, listed, put back there
    // and across to the home volume, and deleted for good there.
    void secondVolumeKeepsItsOwnTrash() {
        if (!m_refusal.isEmpty())
            QSKIP(qPrintable(m_refusal));
        TemporaryTree tree;
        tree.makeFolder("vol");
        const ScopedMount volume = ScopedMount::tmpfs(tree.bytes("vol"), "size=8m");
        if (!volume.isMounted())
            QSKIP(qPrintable(u"no tmpfs can be mounted here: "_s + volume.error()));
        tree.writeFile("vol/docs/report.txt", "report");
        tree.writeFile("vol/docs/folder/inner.txt", "inner");
        tree.writeFile("vol/docs/doomed.txt", "doomed");
        const QByteArray trash = "vol/.Trash-" + uid();
        DefaultFileSystemService service(SystemCalls::real(), tree.path("state/quillmere"));
        const QList<TrashedPlace> places =
            await(service.moveToTrash({tree.path("vol/docs/report.txt"), tree.path("vol/docs/folder"),
                                       tree.path("vol/docs/doomed.txt")}));
        QCOMPARE(places[1].trashed, tree.path(trash + "/files/folder"));
        QCOMPARE(tree.readFile(trash + "/info/report.txt.trashinfo").split('\n').value(1),
                 QByteArray("Path=docs/report.txt"));
        const auto items = byOriginalPath(tree, await(service.listTrash()));
        QCOMPARE(items.size(), size_t(3));
        QVERIFY(items.count(tree.path("vol/docs/folder")));

        await(service.restoreFromTrash(
            {{places[0].trashed, tree.path("vol/docs/report.txt")},
             {places[1].trashed, tree.path("home-side/folder")}})); // across volumes, into a new folder
        QCOMPARE(tree.readFile("vol/docs/report.txt"), QByteArray("report"));
        QCOMPARE(tree.readFile("home-side/folder/inner.txt"), QByteArray("inner"));
        QCOMPARE(TemporaryTree::namesIn(tree.bytes(trash + "/files")), QList<QByteArray>{"doomed.txt"});

        await(service.deleteFromTrash({places[2].trashed}));
        QCOMPARE(TemporaryTree::namesIn(tree.bytes(trash + "/files")), QList<QByteArray>());
        QCOMPARE(TemporaryTree::namesIn(tree.bytes(trash + "/info")), QList<QByteArray>());
        QVERIFY(byOriginalPath(tree, await(service.listTrash())).empty());
    }

    // Deleting for good refuses anything but files/ entries of a trash folder (deleting
    // nothing then), removes a link in the trash and never what it leads to, stops at a
    // cancel, and emptying takes every entry, every stray record and the size cache, in
    // every trash but one that was swapped for a link.
    void deletingForGoodTouchesTheTrashOnly() {
        if (!m_refusal.isEmpty())
            QSKIP(qPrintable(u"emptying the trash needs the machine's own trash hidden: "_s + m_refusal));
        TemporaryTree tree;
        const auto hidden = hideRealTrashes(tree);
        if (!hidden)
            QSKIP("the machine's own trash folders cannot be hidden here");
        tree.writeFile("outside/target.txt", "must stay");
        tree.writeFile("outside/dir/keep.txt", "must stay too");
        tree.writeFile("docs/a.txt", "a");
        tree.writeFile("docs/folder/note.txt", "note");
        tree.makeSymlink(tree.bytes("outside/dir"), "docs/folder/to-dir");
        tree.makeSymlink(tree.bytes("outside/target.txt"), "docs/link-out");
        DefaultFileSystemService service;
        const QList<TrashedPlace> places = await(service.moveToTrash(
            {tree.path("docs/a.txt"), tree.path("docs/folder"), tree.path("docs/link-out")}));
        const TreeSnapshot outside = TreeSnapshot::of(tree.bytes("outside"));
        const TreeSnapshot trashBefore = TreeSnapshot::of(tree.homeTrash());

        const auto refused = [&](const QStringList& paths) {
            return failureOf<PermanentDeleteError>(service.deleteFromTrash(paths));
        };
        const QString notInTrash = qtTrId("trash.notInTrash");
        QCOMPARE(refused({places[0].trashed, tree.path("outside/target.txt")}),
                 std::optional(PermanentDeleteError::failed(u"target.txt"_s, notInTrash)));
        QCOMPARE(refused({tree.path("data/Trash/files")}),
                 std::optional(PermanentDeleteError::failed(u"files"_s, notInTrash)));
        QCOMPARE(refused({tree.path("data/Trash/files/../info/a.txt.trashinfo")}),
                 std::optional(PermanentDeleteError::failed(u"a.txt.trashinfo"_s, notInTrash)));
        auto control = std::make_shared<OperationControl>();
        control->requestCancel();
        QCOMPARE(failureOf<PermanentDeleteError>(service.deleteFromTrash({places[0].trashed}, control)),
                 std::optional(PermanentDeleteError::cancelled({})));
        QCOMPARE(trashBefore.changesIn(tree.homeTrash()), QString());

        await(service.deleteFromTrash({places[1].trashed, places[2].trashed}));
        QCOMPARE(tree.trashContents(), (QList<QByteArray>{"files/a.txt", "info/a.txt.trashinfo"}));
        QCOMPARE(outside.changesIn(tree.bytes("outside")), QString());

        // Strays of other programs, and a second trash reached through a link.
        tree.writeFile("data/Trash/files/orphan", "no record");
        tree.writeFile("data/Trash/info/ghost.trashinfo", "[Trash Info]\nPath=/nowhere\n");
        tree.writeFile("data/Trash/directorysizes", "4096 1 gone\n");
        control = std::make_shared<OperationControl>();
        await(service.emptyTrash(control));
        QCOMPARE(tree.trashContents(), QList<QByteArray>());
        QVERIFY(!tree.exists("data/Trash/directorysizes"));
        QCOMPARE(control->progress().itemsDone, 3);
        QCOMPARE(control->progress().itemsTotal, 3);
        QCOMPARE(outside.changesIn(tree.bytes("outside")), QString());

        // A trash folder swapped for a link is neither emptied nor deleted from.
        tree.writeFile("outside/files/victim", "must stay");
        tree.writeFile("outside/info/victim.trashinfo", "[Trash Info]\nPath=/x/victim\n");
        const TreeSnapshot swapped = TreeSnapshot::of(tree.bytes("outside"));
        QVERIFY(::rename(tree.bytes("data/Trash").constData(), tree.bytes("data/OldTrash").constData()) == 0);
        tree.makeSymlink(tree.bytes("outside"), "data/Trash");
        QVERIFY(refused({tree.path("data/Trash/files/victim")}).has_value());
        await(service.emptyTrash());
        QCOMPARE(swapped.changesIn(tree.bytes("outside")), QString());
    }
};

QUILLMERE_PRIVATE_MOUNTS_MAIN(TrashServiceTest)
#include "TrashServiceTest.moc"
