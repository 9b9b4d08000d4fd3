#include "platform/FreedesktopTrash.h"
#include "platform/MountTable.h"
#include "platform/PlatformError.h"
#include "platform/SystemCalls.h"
#include "support/TemporaryTree.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

// The trash keeps a record for every item it holds, never loses a name, and gives
// items back exactly where they were.
class FreedesktopTrashTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesRecordThenMovesItemIntoHomeTrash() {
        TemporaryTree tree;
        tree.writeFile("tree/a b%.txt", "x");
        FreedesktopTrash trash(SystemCalls::real());
        const QString trashed = trash.trash(tree.path("tree/a b%.txt"));
        QCOMPARE(trashed, tree.path("data/Trash/files/a b%.txt"));
        const QByteArray record = tree.readFile("data/Trash/info/a b%.txt.trashinfo");
        QVERIFY(record.startsWith(
            QByteArray("[Trash Info]\nPath=" + tree.bytes("tree/a%20b%25.txt") + "\nDeletionDate=")));
        const QByteArray date = record.mid(record.indexOf("DeletionDate=") + 13).trimmed();
        QVERIFY2(QDateTime::fromString(QString::fromLatin1(date), u"yyyy-MM-ddTHH:mm:ss"_s).isValid(),
                 date.constData());

        trash.restore(trashed, tree.path("tree/a b%.txt"));
        QCOMPARE(tree.readFile("tree/a b%.txt"), QByteArray("x"));
        QVERIFY(tree.trashContents().isEmpty());
    }

    void numbersNamesAlreadyInTheTrashAndShortensLongOnes() {
        TemporaryTree tree;
        FreedesktopTrash trash(SystemCalls::real());
        QStringList trashed;
        for (int i = 0; i < 3; ++i) {
            tree.writeFile("tree/same", QByteArray::number(i));
            trashed.append(trash.trash(tree.path("tree/same")));
        }
        QCOMPARE(QSet<QString>(trashed.begin(), trashed.end()).size(), 3);
        QCOMPARE(tree.trashContents().size(), 6);

        const QByteArray longName(255, 'z');
        tree.writeFile("tree/" + longName, "long");
        const QString longTrashed = trash.trash(tree.path("tree/" + longName));
        QVERIFY(QFileInfo(longTrashed).fileName().size() <= 245);
        trash.restore(longTrashed, tree.path("tree/" + longName));
        QCOMPARE(tree.readFile("tree/" + longName), QByteArray("long"));
        QCOMPARE(tree.trashContents().size(), 6);
    }

    void restoreNeverReplacesAnItemThatTookThePlace() {
        TemporaryTree tree;
        tree.writeFile("tree/a", "old");
        FreedesktopTrash trash(SystemCalls::real());
        const QString trashed = trash.trash(tree.path("tree/a"));
        tree.writeFile("tree/a", "new");
        QVERIFY_THROWS_EXCEPTION(PlatformError, trash.restore(trashed, tree.path("tree/a")));
        QCOMPARE(tree.readFile("tree/a"), QByteArray("new"));
        QCOMPARE(tree.readFile("data/Trash/files/a"), QByteArray("old"));
    }

    // A folder that is gone is made again when asked, and only the folders this restore
    // made are named; a failed restore takes exactly those away again.
    void restoreRecreatesTheFoldersThatAreGone() {
        TemporaryTree tree;
        tree.writeFile("tree/x/y/a", "a");
        tree.writeFile("tree/x/y/b", "b");
        FreedesktopTrash trash(SystemCalls::real());
        const QString a = trash.trash(tree.path("tree/x/y/a"));
        const QString b = trash.trash(tree.path("tree/x/y/b"));
        QVERIFY(::rmdir(tree.bytes("tree/x/y").constData()) == 0 &&
                ::rmdir(tree.bytes("tree/x").constData()) == 0);
        QVERIFY_THROWS_EXCEPTION(PlatformError, trash.restore(a, tree.path("tree/x/y/a")));

        tree.writeFile("tree/x", "a file where a folder was");
        QVERIFY_THROWS_EXCEPTION(PlatformError, trash.restore(a, tree.path("tree/x/y/a"),
                                                              FreedesktopTrash::MissingFolders::recreate));
        QCOMPARE(tree.readFile("tree/x"), QByteArray("a file where a folder was"));
        QVERIFY(::unlink(tree.bytes("tree/x").constData()) == 0);

        QCOMPARE(trash.restore(a, tree.path("tree/x/y/a"), FreedesktopTrash::MissingFolders::recreate),
                 QStringList({tree.path("tree/x"), tree.path("tree/x/y")}));
        QCOMPARE(trash.restore(b, tree.path("tree/x/y/b"), FreedesktopTrash::MissingFolders::recreate),
                 QStringList());
        QCOMPARE(tree.readFile("tree/x/y/a") + tree.readFile("tree/x/y/b"), QByteArray("ab"));
        QCOMPARE(tree.trashContents(), QList<QByteArray>());
    }

    void refusesTrashFolderThatIsALink() {
        TemporaryTree tree;
        tree.makeFolder("elsewhere");
        tree.makeSymlink(tree.bytes("elsewhere"), "data/Trash");
        tree.writeFile("tree/a", "a");
        FreedesktopTrash trash(SystemCalls::real());
        QVERIFY_THROWS_EXCEPTION(PlatformError, trash.trash(tree.path("tree/a")));
        QCOMPARE(tree.readFile("tree/a"), QByteArray("a"));
    }

    void readsMountsWithEscapedPointsAndFstabOptions() {
        const QByteArray info = "22 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n"
                                "40 22 0:40 / /media/my\\040disk rw - fuseblk.exfat /dev/sdb1 rw,user_id=0\n"
                                "41 22 0:41 / /mnt/img rw - fuse.fusefat /img rw\n"
                                "42 22 0:42 / /mnt/nt ro,nosuid - ext4 /dev/sdc1 ro\n";
        const QByteArray fstab = "# comment\n/dev/sdc1 /mnt/nt ext4 defaults,x-gvfs-notrash 0 2\n";
        const MountTable table = MountTable::parse(info, fstab);
        QCOMPARE(table.mountContaining("/media/my disk/a/b")->fileSystemType, QByteArray("fuseblk.exfat"));
        QCOMPARE(table.mountContaining("/media/my diskette")->mountPoint, QByteArray("/"));
        QVERIFY(table.mountContaining("/mnt/nt/x")->hasOption("x-gvfs-notrash"));
        QVERIFY(table.mountContaining("/mnt/nt/x")->hasOption("ro"));
    }
};

QTEST_GUILESS_MAIN(FreedesktopTrashTest)
#include "FreedesktopTrashTest.moc"
