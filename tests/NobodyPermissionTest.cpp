#include "models/errors/DeleteError.h"
#include "models/errors/PermanentDeleteError.h"
#include "models/errors/RenameError.h"
#include "models/errors/TransferError.h"
#include "platform/PlatformError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/ErrorText.h"
#include "support/PrivateMountNamespace.h"
#include "support/ScopedMount.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"
#include "support/UnprivilegedChild.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

const QString childMode = u"--as-nobody"_s;

// The child's side: one operation through the service, its outcome as one line.
QString outcomeOf(const QStringList& request) {
    DefaultFileSystemService service;
    const QString operation = request.value(0);
    const QStringList paths = request.mid(1);
    try {
        if (operation == u"rename")
            await(service.renameItem(paths.value(0), paths.value(1)));
        else if (operation == u"trash")
            await(service.moveToTrash(paths));
        else if (operation == u"copy")
            await(service.copyItems({{paths.value(0), paths.value(1)}}));
        else if (operation == u"move")
            await(service.moveItems({{paths.value(0), paths.value(1)}}));
        else if (operation == u"empty")
            await(service.emptyTrash());
        else
            return u"unknown operation "_s + operation;
        return u"done"_s;
    } catch (const RenameError& error) {
        return ErrorText::of(error);
    } catch (const DeleteError& error) {
        return ErrorText::of(error);
    } catch (const TransferError& error) {
        return ErrorText::of(error);
    } catch (const PermanentDeleteError& error) {
        return ErrorText::of(error);
    }
}

void giveToNobody(const QByteArray& path) {
    QVERIFY2(::lchown(path.constData(), UnprivilegedChild::nobody, UnprivilegedChild::nobody) == 0,
             path.constData());
}

} // namespace

// Run as root, every call succeeds; these checks run the service as nobody, so the
// kernel itself refuses with EACCES. The refusal must reach the user as a lack of
// permission, and must leave every item where it was.
class NobodyPermissionTest : public QObject {
    Q_OBJECT

public:
    explicit NobodyPermissionTest(QString mountRefusal)
        : m_mountRefusal(std::move(mountRefusal)) {}

private Q_SLOTS:
    void initTestCase() {
        if (::geteuid() != 0)
            QSKIP("only root can run a child as nobody");
        QVERIFY(m_programFolder.isValid());
        QVERIFY(::chmod(QFile::encodeName(m_programFolder.path()).constData(), 0755) == 0);
        m_child.emplace(QFile::encodeName(m_programFolder.path()));
        if (!m_child->problem().isEmpty())
            QSKIP(qPrintable(m_child->problem()));
    }

    void refusalIsPermissionDeniedAndChangesNothing_data() {
        QTest::addColumn<QStringList>("request");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, std::initializer_list<const char*> parts,
                            const char* expected) {
            QStringList request;
            for (const char* part : parts)
                request.append(QString::fromUtf8(part));
            QTest::newRow(name) << request << QString::fromUtf8(expected);
        };
        row("rename in root's folder", {"rename", "locked/item.txt", "=renamed.txt"}, "permissionDenied");
        row("trash from root's folder", {"trash", "locked/item.txt"}, "permissionDenied(item.txt)");
        // own.txt reaches nobody's trash first and has to come back.
        row("trash rolls back", {"trash", "own/own.txt", "locked/item.txt"}, "permissionDenied(item.txt)");
        row("copy a file into root's folder", {"copy", "own/own.txt", "locked/own.txt"},
            "permissionDenied(own.txt)");
        row("copy a folder into root's folder", {"copy", "own/album", "locked/album"},
            "permissionDenied(album)");
        row("move into root's folder", {"move", "own/own.txt", "locked/own.txt"},
            "permissionDenied(own.txt)");
        row("move out of root's folder", {"move", "locked/item.txt", "own/item.txt"},
            "permissionDenied(item.txt)");
        // Across file systems the item is copied before its removal is refused.
        row("move out of root's folder to another volume", {"move", "locked/item.txt", "shm:item.txt"},
            "permissionDenied(item.txt)");
    }
    void refusalIsPermissionDeniedAndChangesNothing() {
        QFETCH(QStringList, request);
        QFETCH(QString, expected);
        TemporaryTree tree;
        QVERIFY(::chmod(tree.rootBytes().constData(), 0755) == 0);
        tree.makeFolder("locked");
        tree.writeFile("locked/item.txt", "root's");
        tree.makeFolder("own");
        tree.writeFile("own/own.txt", "nobody's");
        tree.makeFolder("own/album");
        tree.writeFile("own/album/photo.jpg", "pixels");
        tree.makeFolder("nobody", 0700);
        for (const char* path : {"own", "own/own.txt", "own/album", "own/album/photo.jpg", "nobody"})
            giveToNobody(tree.bytes(path));

        // A second volume, for the one request that needs it.
        std::optional<TemporaryTree> shm;
        if (request.join(u' ').contains(u"shm:")) {
            shm.emplace(u"/dev/shm"_s, TemporaryTree::Environment::keep);
            struct stat here, there;
            if (!shm->isValid() || ::stat(tree.rootBytes().constData(), &here) != 0 ||
                ::stat(shm->rootBytes().constData(), &there) != 0 || here.st_dev == there.st_dev)
                QSKIP("/dev/shm is missing or on the same file system as the temporary folder");
            QVERIFY(::chmod(shm->rootBytes().constData(), 0755) == 0);
            giveToNobody(shm->rootBytes());
        }

        QStringList arguments = {childMode, request.first()};
        for (const QString& argument : request.mid(1)) {
            if (argument.startsWith(u'='))
                arguments.append(argument.mid(1));
            else if (argument.startsWith(u"shm:"))
                arguments.append(QFile::decodeName(shm->rootBytes()) + u'/' + argument.mid(4));
            else
                arguments.append(tree.path(QFile::encodeName(argument)));
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, tree.path("nobody"));
        environment.insert(u"XDG_DATA_HOME"_s, tree.path("nobody/data"));
        environment.insert(u"XDG_CONFIG_HOME"_s, tree.path("nobody/config"));

        const TreeSnapshot locked = TreeSnapshot::of(tree.bytes("locked"));
        const TreeSnapshot own = TreeSnapshot::of(tree.bytes("own"));
        QCOMPARE(m_child->run(arguments, environment), expected);

        QCOMPARE(locked.changesIn(tree.bytes("locked")), QString());
        QCOMPARE(own.changesIn(tree.bytes("own")), QString());
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("nobody/data/Trash/files")), QList<QByteArray>());
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("nobody/data/Trash/info")), QList<QByteArray>());
        if (shm)
            QCOMPARE(TemporaryTree::namesIn(shm->rootBytes() + "/tree"), QList<QByteArray>());
    }

    // A copy onto a volume that fills up, of a tree whose read-only folders are complete
    // before the space runs out: the clean-up must give itself write access back to the
    // folders it made, and leave nothing behind.
    void failedCopyOntoFullVolumeLeavesNothingBehind() {
        if (!m_mountRefusal.isEmpty())
            QSKIP(qPrintable(m_mountRefusal));
        TemporaryTree tree;
        QVERIFY(::chmod(tree.rootBytes().constData(), 0755) == 0);
        tree.makeFolder("source");
        tree.makeFolder("small");
        // The source is a tmpfs too, so its listing order is the order of creation (or its
        // reverse): either way a read-only folder is copied before the file that does not fit.
        const ScopedMount source = ScopedMount::tmpfs(tree.bytes("source"), "size=4m,mode=0755");
        const ScopedMount small = ScopedMount::tmpfs(tree.bytes("small"), "size=256k,mode=0755");
        QVERIFY2(source.isMounted() && small.isMounted(), qPrintable(source.error() + small.error()));
        tree.writeFile("source/album/first/a.txt", "a");
        tree.writeFile("source/album/big.bin", QByteArray(1 << 20, 'x'));
        tree.writeFile("source/album/last/b.txt", "b");
        for (const char* path :
             {"source/album", "source/album/first", "source/album/first/a.txt", "source/album/big.bin",
              "source/album/last", "source/album/last/b.txt", "small"})
            giveToNobody(tree.bytes(path));
        QVERIFY(::chmod(tree.bytes("source/album/first").constData(), 0555) == 0);
        QVERIFY(::chmod(tree.bytes("source/album/last").constData(), 0555) == 0);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, tree.path("small"));
        const QString outcome = m_child->run(
            {childMode, u"copy"_s, tree.path("source/album"), tree.path("small/album")}, environment);
        QCOMPARE(outcome, u"failed(album, "_s + PlatformError::describe(ENOSPC) + u')');
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("small")), QList<QByteArray>());
    }

    // What the user trashed is the user's to delete, read-only folders included; a folder of
    // someone else's in the trash stops the emptying with a lack of permission.
    void emptyingTheTrashTakesReadOnlyFoldersToo() {
        TemporaryTree tree;
        QVERIFY(::chmod(tree.rootBytes().constData(), 0755) == 0);
        tree.writeFile("nobody/data/Trash/files/cache/module/a.go", "package a");
        tree.writeFile("nobody/data/Trash/info/cache.trashinfo", "[Trash Info]\nPath=/x/cache\n");
        for (const char* path :
             {"nobody", "nobody/data", "nobody/data/Trash", "nobody/data/Trash/files",
              "nobody/data/Trash/info", "nobody/data/Trash/files/cache",
              "nobody/data/Trash/files/cache/module", "nobody/data/Trash/files/cache/module/a.go",
              "nobody/data/Trash/info/cache.trashinfo"})
            giveToNobody(tree.bytes(path));
        QVERIFY(::chmod(tree.bytes("nobody/data/Trash/files/cache/module").constData(), 0555) == 0);
        QVERIFY(::chmod(tree.bytes("nobody/data/Trash/files/cache").constData(), 0555) == 0);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, tree.path("nobody"));
        environment.insert(u"XDG_DATA_HOME"_s, tree.path("nobody/data"));
        QCOMPARE(m_child->run({childMode, u"empty"_s}, environment), u"done"_s);
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("nobody/data/Trash/files")), QList<QByteArray>());
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("nobody/data/Trash/info")), QList<QByteArray>());

        tree.writeFile("nobody/data/Trash/files/roots/inner.txt", "root's");
        tree.writeFile("nobody/data/Trash/info/roots.trashinfo", "[Trash Info]\nPath=/x/roots\n");
        giveToNobody(tree.bytes("nobody/data/Trash/info/roots.trashinfo"));
        QCOMPARE(m_child->run({childMode, u"empty"_s}, environment), u"permissionDenied(roots)"_s);
        QCOMPARE(tree.readFile("nobody/data/Trash/files/roots/inner.txt"), QByteArray("root's"));
    }

private:
    QString m_mountRefusal;
    QTemporaryDir m_programFolder;
    std::optional<UnprivilegedChild> m_child;
};

int main(int argc, char** argv) {
    // The child runs as nobody inside the parent's namespace, and could not make its own.
    const bool isChild =
        argc > 1 && (qstrcmp(argv[1], "--whoami") == 0 || childMode == QLatin1StringView(argv[1]));
    const QString mountRefusal = isChild ? QString() : PrivateMountNamespace::enter(argv);
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == u"--whoami") {
        std::printf("%u\n", ::getuid());
        return 0;
    }
    if (arguments.value(1) == childMode) {
        std::printf("%s\n", outcomeOf(arguments.mid(2)).toUtf8().constData());
        return 0;
    }
    NobodyPermissionTest test(mountRefusal);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "NobodyPermissionTest.moc"
