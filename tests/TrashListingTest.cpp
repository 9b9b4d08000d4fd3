#include "platform/TrashListing.h"
#include "platform/FreedesktopTrash.h"
#include "platform/PathCodec.h"
#include "platform/SystemCalls.h"
#include "support/TemporaryTree.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::test;

namespace {

const TrashedItem* find(const std::vector<TrashedItem>& items, const QString& original) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const TrashedItem& item) { return item.originalPath == original; });
    return found == items.end() ? nullptr : &*found;
}

} // namespace

// Listing what is in the trash, whoever put it there.
class TrashListingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Ours and GLib's (gio trash) in the home trash, a name that is not UTF-8 among them:
    // each with its original path, kind, size and deletion date; stray entries are not items.
    void listsTheHomeTrashWhoeverWroteIt() {
        TemporaryTree tree;
        tree.writeFile("docs/b\xff.txt", "not utf-8");
        tree.writeFile("docs/album/one.jpg", QByteArray(1000, 'x'));
        tree.writeFile("docs/album/deeper/two.jpg", QByteArray(234, 'y'));
        tree.writeFile("docs/by-gio.txt", "twelve bytes");
        const auto calls = SystemCalls::real();
        const FreedesktopTrash trash(calls);
        trash.trash(tree.path("docs/b\xff.txt"));
        trash.trash(tree.path("docs/album"));
        const QString gio = QStandardPaths::findExecutable(u"gio"_s);
        const bool withGio = !gio.isEmpty() &&
                             QProcess::execute(gio, {u"trash"_s, tree.path("docs/by-gio.txt")}) == 0 &&
                             !tree.exists("docs/by-gio.txt");
        // A record without its item, and an item without its record.
        tree.writeFile("data/Trash/info/ghost.trashinfo", "[Trash Info]\nPath=/nowhere\n");
        tree.writeFile("data/Trash/files/orphan", "no record");

        const std::vector<TrashedItem> items = TrashListing::listFolder(calls, tree.homeTrash(), {});
        QCOMPARE(items.size(), size_t(withGio ? 3 : 2));
        const TrashedItem* odd = find(items, tree.path("docs/b\xff.txt"));
        QVERIFY(odd);
        QCOMPARE(odd->size, std::optional<std::int64_t>(9));
        QVERIFY(!odd->isDirectory);
        QVERIFY(odd->deletionDate.isValid());
        QCOMPARE(PathCodec::encode(odd->trashedPath), tree.homeTrash() + "/files/b\xff.txt");
        const TrashedItem* album = find(items, tree.path("docs/album"));
        QVERIFY(album && album->isDirectory);
        QCOMPARE(album->size, std::optional<std::int64_t>(1234));
        if (!withGio)
            QSKIP("gio is not installed, or cannot trash here: GLib's records are not checked");
        const TrashedItem* byGio = find(items, tree.path("docs/by-gio.txt"));
        QVERIFY(byGio);
        QCOMPARE(byGio->size, std::optional<std::int64_t>(12));
        QVERIFY(byGio->deletionDate.isValid());
    }

    // A volume's trash keeps paths relative to the volume's top folder; a folder's size
    // comes from directorysizes when its line matches the record's time, else from a walk.
    void volumeTrashRecordsAreRelativeAndSizesAreCached() {
        TemporaryTree tree;
        const QByteArray trash = "vol/.Trash-" + QByteArray::number(::getuid());
        tree.writeFile(trash + "/files/report final.pdf", "pdf");
        tree.writeFile(trash + "/info/report final.pdf.trashinfo",
                       "[Trash Info]\nPath=docs/report%20final.pdf\nDeletionDate=2026-03-01T12:30:00\n");
        tree.writeFile(trash + "/files/cached/a", QByteArray(10, 'a'));
        tree.writeFile(trash + "/info/cached.trashinfo",
                       "[Trash Info]\nPath=cached\nDeletionDate=2026-03-02T08:00:00\n");
        tree.writeFile(trash + "/files/stale/a", QByteArray(20, 'a'));
        tree.writeFile(trash + "/info/stale.trashinfo",
                       "[Trash Info]\nPath=stale\nDeletionDate=2026-03-02T08:00:00\n");
        struct stat cachedRecord;
        QCOMPARE(::stat(tree.bytes(trash + "/info/cached.trashinfo").constData(), &cachedRecord), 0);
        tree.writeFile(trash + "/directorysizes",
                       "4242 " + QByteArray::number(qint64(cachedRecord.st_mtim.tv_sec)) + " cached\n" +
                           "9999 1 stale\n");

        const std::vector<TrashedItem> items =
            TrashListing::listFolder(SystemCalls::real(), tree.bytes(trash), tree.bytes("vol"));
        QCOMPARE(items.size(), size_t(3));
        const TrashedItem* report = find(items, tree.path("vol/docs/report final.pdf"));
        QVERIFY(report);
        QCOMPARE(report->deletionDate, QDateTime(QDate(2026, 3, 1), QTime(12, 30)));
        QCOMPARE(find(items, tree.path("vol/cached"))->size, std::optional<std::int64_t>(4242));
        QCOMPARE(find(items, tree.path("vol/stale"))->size, std::optional<std::int64_t>(20));
        // The same relative record in a home trash names no place: it is not listed.
        QCOMPARE(TrashListing::listFolder(SystemCalls::real(), tree.bytes(trash), {}).size(), size_t(0));
    }
};

QTEST_GUILESS_MAIN(TrashListingTest)
#include "TrashListingTest.moc"
