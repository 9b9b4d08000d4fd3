#include "app/QuillmereApp.h"
#include "models/volumes/MountedVolumes.h"
#include "platform/DiskLabels.h"
#include "platform/MountTable.h"
#include "platform/VolumeScan.h"
#include "services/desktop/DefaultVolumeMonitor.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/BookmarkStore.h"

#include "support/PrivateMountNamespace.h"
#include "support/RunningProgram.h"
#include "support/ScopedMount.h"
#include "support/TemporaryTree.h"

#include <QApplication>
#include <QCoroTimer>
#include <QListView>
#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// Volumes the test sets; every change is reported as a mount or unmount would be.
class ScriptedVolumeMonitor final : public VolumeMonitor {
public:
    QList<Volume> current;
    QCoro::Task<QList<Volume>> volumes() override { co_return current; }
    void set(QList<Volume> volumes) {
        current = std::move(volumes);
        Q_EMIT mountsChanged();
    }
};

// Answers on the next turn of the event loop with the volumes of the moment it was asked,
// as a scan off the user-interface thread does.
class DeferredVolumeMonitor final : public VolumeMonitor {
public:
    QList<Volume> current;
    int readings = 0;
    QCoro::Task<QList<Volume>> volumes() override {
        ++readings;
        const QList<Volume> answer = current;
        QTimer turn;
        turn.setSingleShot(true);
        turn.start(0);
        co_await turn;
        co_return answer;
    }
    void set(QList<Volume> volumes) {
        current = std::move(volumes);
        Q_EMIT mountsChanged();
    }
};

QStringList paletteTitles(const Program& program) {
    const auto* list = program.app->window().findChild<QListView*>(u"paletteList"_s);
    QStringList titles;
    if (!list)
        return titles;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        titles.append(list->model()->index(row, 0).data().toString());
    return titles;
}

QByteArray resolved(const QByteArray& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.constData(), buffer) ? QByteArray(buffer) : path;
}

} // namespace

class VolumesTest : public QObject {
    Q_OBJECT

public:
    explicit VolumesTest(QString refusal)
        : m_refusal(std::move(refusal)) {}

private Q_SLOTS:
    // A desktop's mount table: drives under /media, /run/media and /mnt, shares anywhere
    // but in the system's folders, fstab's x-gvfs-show and x-gvfs-hide, and mounts that
    // cover earlier ones: on the same folder (/mnt/backup) or on a folder above (/mnt).
    void scanOffersTheUsersVolumes() {
        const QByteArray mountInfo = R"(22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw
23 22 0:21 / /proc rw,nosuid - proc proc rw
24 22 0:22 / /sys rw - sysfs sysfs rw
25 22 8:1 / /boot rw - vfat /dev/sda1 rw
26 22 0:25 / /run/user/1000 rw - tmpfs tmpfs rw
27 26 0:26 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw
28 22 0:27 / /var/lib/docker/overlay2/9f2c/merged rw - overlay overlay rw,lowerdir=/l
36 22 0:46 / /home rw - nfs server:/home rw
29 22 8:17 / /media/alice/USB\040STICK rw,nosuid - vfat /dev/sdb1 rw
30 22 8:33 / /run/media/alice/Photos rw - ext4 /dev/sdc1 rw
31 22 8:97 / /mnt/old rw - ext4 /dev/sdg1 rw
32 36 0:40 / /home/alice/nas rw - nfs4 server:/export rw,vers=4.2
33 22 0:41 / /var/cache/apt rw - nfs server:/apt rw
34 22 0:42 / /data/share rw - cifs //host/share rw
35 22 8:65 / /data/disk rw - ext4 /dev/sde1 rw
37 22 0:43 / /mnt rw - tmpfs tmpfs rw
38 37 8:49 / /mnt/backup rw - btrfs /dev/sdd1 rw
39 37 8:66 / /mnt/hidden rw - ext4 /dev/sde2 rw
40 38 0:44 / /mnt/backup rw - tmpfs tmpfs rw
41 36 0:45 / /home/alice/remote rw - fuse.sshfs alice@host:/ rw
42 22 8:81 / /media/bob/BOBS rw,nosuid - vfat /dev/sdf1 rw
43 22 8:82 / /run/media/bob/Work rw - ext4 /dev/sdf2 rw
44 22 8:83 / /media/usb0 rw - vfat /dev/sdf3 rw
45 37 8:84 / /mnt/extra rw - ext4 /dev/sdf4 rw
)";
        const QByteArray fstab = "# <file system> <mount point> <type> <options> <dump> <pass>\n"
                                 "/dev/sde1 /data/disk ext4 defaults,x-gvfs-show 0 2\n"
                                 "LABEL=Hidden\t/mnt/hidden  ext4 defaults,x-gvfs-hide 0 2\n";
        // Options given on mount(8)'s command line are kept in utab, not in the kernel's table.
        const QByteArray utab = "SRC=/dev/sdf4 TARGET=/mnt/extra ROOT=/ OPTS=x-gvfs-hide\n";
        const QHash<QByteArray, QString> labels{{"/dev/sdb1", u"KINGSTON"_s},
                                                {"/dev/sdd1", u"Backup Disk"_s},
                                                {"/dev/sde1", u"Data"_s},
                                                {"/dev/sdg1", u"Old"_s}};
        const MountTable table = MountTable::parse(mountInfo, fstab, utab);
        QCOMPARE(table.mounts()[13].source, QByteArray("//host/share"));

        const QList<VisibleVolume> volumes = VolumeScan::visibleVolumes(
            table,
            [&labels](const QByteArray& source) {
                return labels.contains(source) ? std::optional(labels[source]) : std::nullopt;
            },
            VolumeScan::defaultRoots(), "alice");
        const QList<VisibleVolume> expected{
            {"/media/alice/USB STICK", u"KINGSTON"_s, false},
            {"/run/media/alice/Photos", u"Photos"_s, false},
            {"/home/alice/nas", u"nas"_s, true},
            {"/data/share", u"share"_s, true},
            {"/data/disk", u"Data"_s, false},
            // The tmpfs over the backup disk is what the folder shows now; the disk mounted
            // on /mnt/old before the tmpfs went over /mnt is out of reach.
            {"/mnt/backup", u"backup"_s, false},
            {"/home/alice/remote", u"remote"_s, true},
            // Bob's drives stay his; a drive straight under /media belongs to no one.
            {"/media/usb0", u"usb0"_s, false},
        };
        QCOMPARE(volumes, expected);
    }

    // Labels come from the links' names, with udev's \xNN escapes undone, matched by the
    // device the mount source resolves to (a /dev/mapper name, a by-uuid link).
    void labelsFollowTheDevice() {
        TemporaryTree tree;
        tree.writeFile("dev/sdb1", {});
        tree.writeFile("dev/dm-0", {});
        tree.writeFile("dev/sdc1", {});
        for (const QByteArray folder : {"dev/mapper", "dev/disk", "dev/disk/by-uuid", "dev/disk/by-label"})
            tree.makeFolder(folder);
        tree.makeSymlink("../dm-0", "dev/mapper/luks-1");
        tree.makeSymlink("../../sdb1", "dev/disk/by-uuid/1234-ABCD");
        tree.makeSymlink("../../sdb1", "dev/disk/by-label/USB\\x20STICK");
        tree.makeSymlink("../../dm-0", "dev/disk/by-label/caf\\xc3\\xa9\\xff");
        tree.makeSymlink("../../gone", "dev/disk/by-label/Dangling");
        const QByteArray dev = resolved(tree.bytes("dev"));

        const DiskLabels labels = DiskLabels::read(dev + "/disk/by-label");
        QCOMPARE(labels.labelFor(dev + "/sdb1"), std::optional(u"USB STICK"_s));
        QCOMPARE(labels.labelFor(dev + "/disk/by-uuid/1234-ABCD"), std::optional(u"USB STICK"_s));
        // A byte that is no UTF-8 is kept as the codec keeps it in names.
        QCOMPARE(labels.labelFor(dev + "/mapper/luks-1"), std::optional(u"café"_s + QChar(0xDCFF)));
        QCOMPARE(labels.labelFor(dev + "/sdc1"), std::nullopt);
        QCOMPARE(labels.labelFor("server:/export"), std::nullopt);
        QCOMPARE(labels.labelFor("//host/share"), std::nullopt);
        QCOMPARE(DiskLabels::read(dev + "/no-such-folder").labelFor(dev + "/sdb1"), std::nullopt);
    }

    // Changes reported while a reading runs are answered by one more reading, so the list
    // ends as the last change left the mounts and never shows a stale one in between.
    void readsAgainAfterChangesDuringAReading() {
        DeferredVolumeMonitor monitor;
        MountedVolumes volumes(&monitor);
        QSignalSpy changes(&volumes, &MountedVolumes::volumesChanged);
        monitor.current = {{u"/media/a"_s, u"A"_s, false}};
        volumes.start();
        monitor.set({{u"/media/b"_s, u"B"_s, false}});
        monitor.set({{u"/media/c"_s, u"C"_s, false}});
        QTRY_COMPARE(volumes.volumes(), (QList<Volume>{{u"/media/c"_s, u"C"_s, false}}));
        QCOMPARE(monitor.readings, 2);
        QCOMPARE(changes.size(), 1);
    }

    // The palette lists the volumes after the bookmarks, finds one by its label, and Return
    // opens it in the active tab; the chooser offers them; a volume that goes away leaves
    // the open palette at once.
    void paletteAndChooserOfferVolumes() {
        TemporaryTree tree;
        tree.makeFolder("home/docs");
        tree.writeFile("drives/KINGSTON/on-stick.txt", "x");
        const QString stick = tree.path("drives/KINGSTON");
        const QString share = tree.path("drives/nas");
        auto owned = std::make_unique<ScriptedVolumeMonitor>();
        ScriptedVolumeMonitor* monitor = owned.get();
        monitor->current = {{stick, u"Kingston Stick"_s, false}, {share, u"Team Share"_s, true}};
        Program program(tree, std::make_unique<DefaultFileSystemService>(), Program::Chooser::scripted,
                        OperationQueue::defaultLongAfter, std::move(owned));
        QTRY_COMPARE(program.app->mountedVolumes().volumes().size(), 2);
        program.app->bookmarkStore().add(tree.path("home/docs"));
        CommandPaletteStore& palette = *program.app->bootstrapped()->commandPaletteStore;

        program.press(Qt::Key_K, Qt::ControlModifier);
        QTRY_VERIFY(palette.isPresented());
        QStringList titles = paletteTitles(program);
        QVERIFY2(titles.indexOf(u"docs"_s) >= 0 &&
                     titles.indexOf(u"docs"_s) < titles.indexOf(u"Kingston Stick"_s),
                 qPrintable(titles.join(u", "_s)));
        QVERIFY(titles.indexOf(u"Team Share"_s) > titles.indexOf(u"Kingston Stick"_s));

        program.type(u"kingst"_s);
        QTRY_COMPARE(paletteTitles(program).value(0), u"Kingston Stick"_s);
        program.press(Qt::Key_Return);
        QTRY_VERIFY(!palette.isPresented());
        QTRY_COMPARE(program.navigator().currentPath(), stick);
        QVERIFY(program.waitForListing(u"on-stick.txt"_s));

        program.selectRow(u"on-stick.txt"_s);
        program.press(Qt::Key_Space);
        program.type(u"c"_s);
        QTRY_COMPARE(program.chooser->requests.size(), 1);
        const QList<QuickDestination> offered = program.chooser->requests[0].quickDestinations;
        QVERIFY(offered.contains(QuickDestination{u"Team Share"_s, share}));
        QVERIFY(offered.indexOf(QuickDestination{u"Team Share"_s, share}) >
                offered.indexOf(QuickDestination{u"docs"_s, tree.path("home/docs")}));
        program.waitForSheetsToClose();

        program.press(Qt::Key_K, Qt::ControlModifier);
        QTRY_VERIFY(palette.isPresented());
        QVERIFY(paletteTitles(program).contains(u"Kingston Stick"_s));
        monitor->set({{share, u"Team Share"_s, true}});
        QTRY_VERIFY(!paletteTitles(program).contains(u"Kingston Stick"_s));
        QVERIFY(paletteTitles(program).contains(u"Team Share"_s));
        program.press(Qt::Key_Escape);
        QVERIFY(program.waitForOperationsToEnd());
    }

    // A real mount and unmount, in this program's own mount namespace: the mount table
    // watch reports both, the list follows, and the tab that was inside the volume moves
    // up out of it.
    void followsRealMountsAndUnmounts() {
        if (!m_refusal.isEmpty())
            QSKIP(qPrintable(m_refusal));
        TemporaryTree tree;
        tree.makeFolder("media");
        tree.makeFolder("media/STICK");
        const QByteArray media = resolved(tree.bytes("media"));
        auto owned = std::make_unique<DefaultVolumeMonitor>(QList<QByteArray>{media + '/'});
        DefaultVolumeMonitor* monitor = owned.get();
        QVERIFY(monitor->isWatching());
        QSignalSpy reports(monitor, &VolumeMonitor::mountsChanged);
        Program program(tree, std::make_unique<DefaultFileSystemService>(), Program::Chooser::scripted,
                        OperationQueue::defaultLongAfter, std::move(owned));
        MountedVolumes& volumes = program.app->mountedVolumes();

        const QString point = QString::fromUtf8(media + "/STICK");
        ScopedMount stick = ScopedMount::tmpfs(media + "/STICK", "size=1m");
        QVERIFY2(stick.isMounted(), qPrintable(stick.error()));
        QTRY_COMPARE(volumes.volumes(), (QList<Volume>{{point, u"STICK"_s, false}}));
        QVERIFY(!reports.isEmpty());

        tree.makeFolder("media/STICK/sub");
        tree.writeFile("media/STICK/sub/photo.jpg", "x");
        program.navigator().navigate(point + u"/sub"_s);
        [[maybe_unused]] auto listing = program.navigator().reload();
        QVERIFY(program.waitForListing(u"photo.jpg"_s));
        // The tab moves up either way; the pause lets the folder watcher be the one to notice.
        QTest::qWait(100);

        stick = ScopedMount();
        QTRY_COMPARE(volumes.volumes(), QList<Volume>());
        QTRY_COMPARE(program.navigator().currentPath(), point);
        QVERIFY(program.waitForOperationsToEnd());
    }

private:
    QString m_refusal;
};

int main(int argc, char** argv) {
    const QString refusal = PrivateMountNamespace::enter(argv);
    QApplication app(argc, argv);
    VolumesTest test(refusal);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "VolumesTest.moc"
