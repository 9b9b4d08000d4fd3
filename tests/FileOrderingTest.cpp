#include "models/listing/FileOrdering.h"
#include "models/listing/KindDescription.h"
#include "models/listing/KindTextCache.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "support/FileItems.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"

#include <QtTest>

#include <algorithm>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace quillmere;
using quillmere::test::namesOf;

namespace {

FileItem file(const QString& name, std::optional<int64_t> size = std::nullopt,
              std::optional<FileTime> date = std::nullopt, bool isDirectory = false) {
    static int serial = 0;
    const QString path = u"/listing/%1/"_s.arg(++serial) + name; // unique even for equal names
    return FileItem{.id = path,
                    .url = path,
                    .name = name,
                    .isDirectory = isDirectory,
                    .size = isDirectory ? std::nullopt : size,
                    .modificationDate = date,
                    .kind = KindDescription::of(name, isDirectory)};
}

QStringList idsOf(const QList<FileItem>& items) {
    QStringList ids;
    for (const FileItem& item : items)
        ids.append(item.id);
    return ids;
}

// Names built from pieces that stress the collation: digit runs with leading zeros,
// case variants, punctuation, accents (precomposed and combining), Japanese, emoji
// and bytes that are not UTF-8.
QString randomName(std::mt19937& random, const QStringList& pieces, int maxPieces) {
    std::uniform_int_distribution<int> count(1, maxPieces);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    QString name;
    for (int i = count(random); i > 0; --i)
        name += pieces[pick(random)];
    return name;
}

QList<FileItem> corpus(const QStringList& pieces, int maxPieces, int count, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sizeChoice(-1, 4);
    std::uniform_int_distribution<int> dateChoice(-1, 6);
    QList<FileItem> items;
    for (int i = 0; i < count; ++i) {
        const int s = sizeChoice(random);
        const int d = dateChoice(random);
        const bool folder = i % 11 == 0;
        items.append(file(
            randomName(random, pieces, maxPieces), s < 0 ? std::nullopt : std::optional<int64_t>(s * 100),
            d < 0 ? std::nullopt : std::optional<FileTime>(FileTime(std::chrono::seconds(d))), folder));
    }
    return items;
}

const QStringList asciiPieces = {u"a"_s,  u"B"_s,      u"img"_s,  u"IMG"_s,  u"_"_s, u"-"_s,
                                 u" "_s,  u"."_s,      u"("_s,    u")"_s,    u"1"_s, u"2"_s,
                                 u"10"_s, u"0"_s,      u"007"_s,  u"99"_s,   u"~"_s, u"#"_s,
                                 u"'"_s,  u"Report"_s, u".txt"_s, u".JPG"_s, u"z"_s, u"Z"_s};
const QStringList otherPieces =
    u"é|e\u0301|写真|レポート|Ä|ß|ı|İ|👍🏽|²|\u00A0|Ω"_s.split(u'|')
    << QString(QChar(0xDC80 + 0xE9));

} // namespace

// Orders listings: natural, case-insensitive names; absent sizes as 0; absent dates
// first; ties in listing order; and the fast sort agrees with the plain definition.
class FileOrderingTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Non-ASCII digits count by their value too.
    void sortsNamesNaturallyAndIgnoringCase() {
        QLocale::setDefault(QLocale(u"ja_JP"_s));
        QList<FileItem> items = {file(u"file10"_s),    file(u"File2"_s),        file(u"file1"_s),
                                 file(u"FILE3.txt"_s), file(u"写真１０.jpg"_s), file(u"写真２.jpg"_s),
                                 file(u"写真1.jpg"_s)};
        sortItems(items, SortKey::name, SortDirection::ascending);
        QCOMPARE(namesOf(items), QStringList({u"file1"_s, u"File2"_s, u"FILE3.txt"_s, u"file10"_s,
                                              u"写真1.jpg"_s, u"写真２.jpg"_s, u"写真１０.jpg"_s}));
    }

    void sortsAbsentSizesAsZeroKeepingListingOrder() {
        QList<FileItem> items = {file(u"big"_s, 500), file(u"folder"_s, {}, {}, true), file(u"empty"_s, 0),
                                 file(u"unknown"_s), file(u"small"_s, 3)};
        sortItems(items, SortKey::size, SortDirection::ascending);
        QCOMPARE(namesOf(items), QStringList({u"folder"_s, u"empty"_s, u"unknown"_s, u"small"_s, u"big"_s}));
        // Descending swaps the test, not the result: ties still keep listing order.
        sortItems(items, SortKey::size, SortDirection::descending);
        QCOMPARE(namesOf(items), QStringList({u"big"_s, u"small"_s, u"folder"_s, u"empty"_s, u"unknown"_s}));
    }

    void sortsAbsentDatesFirst() {
        const FileTime early(std::chrono::seconds(-1'000'000'000)); // before 1970
        // A negative fraction borrows from the seconds: a quarter second before 1970.
        const FileTime quarterBefore(std::chrono::seconds(0), std::chrono::milliseconds(-250));
        QList<FileItem> items = {file(u"now"_s, 1, FileTime(std::chrono::seconds(1'700'000'000))),
                                 file(u"1969"_s, 1, quarterBefore), file(u"undated"_s),
                                 file(u"1938"_s, 1, early)};
        sortItems(items, SortKey::dateModified, SortDirection::ascending);
        QCOMPARE(namesOf(items), QStringList({u"undated"_s, u"1938"_s, u"1969"_s, u"now"_s}));
        QVERIFY(quarterBefore < FileTime(std::chrono::seconds(0)));
        QVERIFY(FileTime(std::chrono::seconds(-1)) < quarterBefore);
        sortItems(items, SortKey::dateModified, SortDirection::descending);
        QCOMPARE(namesOf(items).last(), u"undated"_s);
    }

    void listsAndSortsDatesFarFromTheEpochExactly() {
        // tmpfs keeps any 64-bit time; ext4 would clamp 1600 to 1901.
        test::TemporaryTree tree(u"/dev/shm"_s, test::TemporaryTree::Environment::keep);
        if (!tree.isValid())
            QSKIP("/dev/shm is missing");
        struct Dated {
            QByteArray name;
            timespec time;
            QDate day;
        };
        // Beyond both ends of a 64-bit nanosecond count (1677 to 2262), and before 1970
        // with a fraction, where the seconds count down while the nanoseconds count up.
        const QList<Dated> dated = {{"2300", {10413792000, 1}, QDate(2300, 1, 1)},
                                    {"1600", {-11676096000, 123456789}, QDate(1600, 1, 1)},
                                    {"2400", {13569465600, 0}, QDate(2400, 1, 1)},
                                    {"1950", {-631152000, 999999999}, QDate(1950, 1, 1)}};
        for (const Dated& each : dated) {
            const QByteArray path = tree.bytes("tree/" + each.name);
            tree.writeFile("tree/" + each.name, "");
            const timespec times[2] = {each.time, each.time};
            QCOMPARE(::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW), 0);
            struct stat status;
            QCOMPARE(::lstat(path.constData(), &status), 0);
            if (status.st_mtim.tv_sec != each.time.tv_sec || status.st_mtim.tv_nsec != each.time.tv_nsec)
                QSKIP("the file system cannot hold these dates");
        }

        DefaultFileSystemService service;
        QList<FileItem> items = test::await(service.listDirectory(tree.path("tree"), false));
        QCOMPARE(items.size(), dated.size());
        for (const FileItem& item : items) {
            const Dated& each = *std::find_if(dated.begin(), dated.end(), [&](const Dated& d) {
                return QString::fromLatin1(d.name) == item.name;
            });
            QCOMPARE(item.modificationDate,
                     std::optional(FileTime(std::chrono::seconds(each.time.tv_sec),
                                            std::chrono::nanoseconds(each.time.tv_nsec))));
            QCOMPARE(item.modificationDate->toDateTime()->date(), each.day);
        }

        // The names are the years, so their text order is the order of the dates.
        for (const FileItem& later : items)
            for (const FileItem& earlier : items)
                QCOMPARE(
                    areInIncreasingOrder(earlier, later, SortKey::dateModified, SortDirection::ascending),
                    earlier.name < later.name);
    }

    void givesEachEntryItsKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isDirectory");
        QTest::addColumn<QString>("kind");
        QTest::newRow("last extension, upper-cased") << "archive.TAR.GZ" << false << "GZ";
        QTest::newRow("leading dot only") << ".profile" << false << "File";
        QTest::newRow("folder wins over extension") << "x.json" << true << "Folder";
        QTest::newRow("non-ASCII extension") << "a.ärger" << false << "ÄRGER";
    }
    void givesEachEntryItsKind() {
        QFETCH(QString, name);
        QFETCH(bool, isDirectory);
        QFETCH(QString, kind);
        QCOMPARE(KindDescription::of(name, isDirectory), kind);
        // The per-listing cache must not let one spelling of an extension leak into another.
        KindTextCache cache;
        const QString sibling = u"other."_s + KindDescription::pathExtension(name).toString().toLower();
        cache.kindOf(sibling, false);
        QCOMPARE(cache.kindOf(name, isDirectory), kind);
        QCOMPARE(cache.kindOf(name, isDirectory), kind);
    }

    // The fast sort must give exactly the order of a stable sort with
    // areInIncreasingOrder, for every key and direction, in locales with and without
    // tailorings of ASCII. Non-ASCII digits stay out of these names: ICU's compare
    // and its own sort keys disagree on some of them in some locales (so no sort
    // can match both); sortItems follows the keys, checked below.
    void matchesStableSortWithTheDefinition_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QList<FileItem>>("items");
        const QStringList leadingZeros = {u"a"_s,  u"0"_s, u"00"_s, u"01"_s,  u"1"_s,   u"001"_s,
                                          u"10"_s, u"-"_s, u"A"_s,  u"000"_s, u"010"_s, u"."_s};
        const QStringList equalKeys = {u"same"_s, u"SAME"_s, u"Same"_s};
        for (const char* locale : {"C", "en_US", "de_DE", "ja_JP", "da_DK", "tr_TR", "cs_CZ", "sv_SE"}) {
            const QString l = QString::fromLatin1(locale);
            QTest::addRow("%s ascii", locale) << l << corpus(asciiPieces, 5, 800, 1);
            QTest::addRow("%s leading zeros", locale) << l << corpus(leadingZeros, 4, 500, 2);
            QTest::addRow("%s equal keys", locale) << l << corpus(equalKeys, 1, 60, 3);
            QTest::addRow("%s non-ascii", locale) << l << corpus(otherPieces, 3, 300, 4);
            QTest::addRow("%s mixed", locale) << l << corpus(asciiPieces + otherPieces, 4, 800, 5);
            QTest::addRow("%s few others", locale)
                << l << corpus(asciiPieces, 4, 600, 6) + corpus(otherPieces, 2, 5, 7);
        }
    }
    void matchesStableSortWithTheDefinition() {
        QFETCH(QString, locale);
        QFETCH(QList<FileItem>, items);
        QLocale::setDefault(QLocale(locale));
        for (SortKey key : allSortKeys) {
            for (SortDirection direction : {SortDirection::ascending, SortDirection::descending}) {
                QList<FileItem> expected = items;
                std::stable_sort(expected.begin(), expected.end(), [&](const FileItem& a, const FileItem& b) {
                    return areInIncreasingOrder(a, b, key, direction);
                });
                QList<FileItem> actual = items;
                sortItems(actual, key, direction);
                if (idsOf(actual) != idsOf(expected)) {
                    qWarning() << "key" << rawText(key) << "direction" << rawText(direction);
                    QCOMPARE(namesOf(actual), namesOf(expected));
                    QCOMPARE(idsOf(actual), idsOf(expected));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(FileOrderingTest)
#include "FileOrderingTest.moc"
