#include "models/rename/BatchRenamePlanner.h"
#include "platform/PathCodec.h"

#include <QtTest>

#include <limits>
#include <random>

using namespace Qt::StringLiterals;

using namespace quillmere;

Q_DECLARE_METATYPE(BatchRenameRule)
Q_DECLARE_METATYPE(QList<Validity>)

namespace quillmere {
// Readable rows in failure messages.
char* toString(const BatchRenamePreviewRow& row) {
    return QTest::toString(row.source + u" -> "_s + row.newName + u" ("_s +
                           QString::number(int(row.validity)) + u')');
}
} // namespace quillmere

namespace {

constexpr qint64 int64Max = std::numeric_limits<qint64>::max();
constexpr qint64 int64Min = std::numeric_limits<qint64>::min();

QList<FileItem> itemsNamed(const QStringList& names) {
    QList<FileItem> items;
    for (const QString& name : names) {
        const QString path = u"/f/"_s + name;
        items.append(FileItem{path, path, name, false, false, {}, {}, {}});
    }
    return items;
}

QList<Validity> all(Validity validity, qsizetype count) {
    return QList<Validity>(count, validity);
}

} // namespace

// The preview proposes one name per entry and judges it; the folder's names include
// the entries being renamed, as the sheet gathers them.
class BatchRenameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void previewProposesAndJudgesNames_data() {
        QTest::addColumn<BatchRenameRule>("rule");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("others"); // folder entries outside the batch
        QTest::addColumn<QStringList>("expectedNames");
        QTest::addColumn<QList<Validity>>("expectedValidity");
        const Validity ok = Validity::ok;

        QTest::newRow("sequential pads and keeps each extension")
            << BatchRenameRule::sequential(u"photo_"_s, 1, 3) << QStringList{u"a.jpg"_s, u"b.png"_s, u"c"_s}
            << QStringList{} << QStringList{u"photo_001.jpg"_s, u"photo_002.png"_s, u"photo_003"_s}
            << all(ok, 3);
        QTest::newRow("sequential over a dot file adds no extension")
            << BatchRenameRule::sequential(u"base"_s, 1, 0) << QStringList{u".profile"_s} << QStringList{}
            << QStringList{u"base1"_s} << all(ok, 1);
        QTest::newRow("negative numbers keep the sign within the width")
            << BatchRenameRule::sequential(u"n"_s, -2, 4) << QStringList{u"a"_s, u"b"_s, u"c"_s}
            << QStringList{} << QStringList{u"n-002"_s, u"n-001"_s, u"n0000"_s} << all(ok, 3);
        QTest::newRow("counting goes on past the 64-bit maximum")
            << BatchRenameRule::sequential(u"n"_s, int64Max - 1, 0) << QStringList{u"a"_s, u"b"_s, u"c"_s}
            << QStringList{}
            << QStringList{u"n9223372036854775806"_s, u"n9223372036854775807"_s, u"n9223372036854775808"_s}
            << all(ok, 3);
        QTest::newRow("the smallest 64-bit number")
            << BatchRenameRule::sequential(QString(), int64Min, 21) << QStringList{u"a"_s} << QStringList{}
            << QStringList{u"-09223372036854775808"_s} << all(ok, 1);

        QTest::newRow("replace every occurrence, extension included")
            << BatchRenameRule::replace(u"a"_s, u"b"_s) << QStringList{u"banana.tar"_s} << QStringList{}
            << QStringList{u"bbnbnb.tbr"_s} << all(ok, 1);
        // Found under canonical equivalence; what is not replaced keeps its stored form.
        QTest::newRow("replace finds a decomposed name, keeps the rest decomposed")
            << BatchRenameRule::replace(u"caf\u00e9"_s, u"bar"_s)
            << QStringList{u"re\u0301sume\u0301 cafe\u0301.txt"_s} << QStringList{}
            << QStringList{u"re\u0301sume\u0301 bar.txt"_s} << all(ok, 1);
        QTest::newRow("replace with a decomposed find")
            << BatchRenameRule::replace(u"cafe\u0301"_s, u"bar"_s) << QStringList{u"caf\u00e9.txt"_s}
            << QStringList{} << QStringList{u"bar.txt"_s} << all(ok, 1);
        QTest::newRow("replace in a decomposed Hangul name")
            << BatchRenameRule::replace(u"글"_s, u"국"_s)
            << QStringList{u"\u1112\u1161\u11AB\u1100\u1173\u11AF.txt"_s} << QStringList{}
            << QStringList{u"\u1112\u1161\u11AB국.txt"_s} << all(ok, 1);
        QTest::newRow("a bare letter is not the base of an accented one")
            << BatchRenameRule::replace(u"e"_s, u"o"_s) << QStringList{u"cafe\u0301 e"_s} << QStringList{}
            << QStringList{u"cafe\u0301 o"_s} << all(ok, 1);
        // e, acute, dot below is canonically e-with-dot-below, acute.
        QTest::newRow("an occurrence inside a character writes that character canonically")
            << BatchRenameRule::replace(u"\u1EB9"_s, u"x"_s) << QStringList{u"e\u0301\u0323.txt"_s}
            << QStringList{} << QStringList{u"x\u0301.txt"_s} << all(ok, 1);

        QTest::newRow("affix around the stem")
            << BatchRenameRule::affix(u"x-"_s, u"-y"_s)
            << QStringList{u"archive.tar.gz"_s, u"README"_s, u"a."_s} << QStringList{}
            << QStringList{u"x-archive.tar-y.gz"_s, u"x-README-y"_s, u"x-a.-y"_s} << all(ok, 3);

        const QStringList img{u"img12.jpg"_s};
        auto regexRow = [&](const char* title, const QString& pattern, const QString& templateText,
                            const QString& expected) {
            QTest::newRow(title) << BatchRenameRule::regex(pattern, templateText) << img << QStringList{}
                                 << QStringList{expected} << all(ok, 1);
        };
        regexRow("template inserts a group", u"(\\d+)"_s, u"n$1"_s, u"imgn12.jpg"_s);
        regexRow("template names a group beyond the pattern's", u"(\\d+)"_s, u"$9"_s, u"img.jpg"_s);
        regexRow("template dollar before a letter or at the end stays", u"(\\d+)"_s, u"$x$"_s,
                 u"img$x$.jpg"_s);
        regexRow("template double dollar is one", u"(\\d+)"_s, u"$$1"_s, u"img$1.jpg"_s);
        // Full-width, superscript, fractions and digits outside the basic plane are numeric: a run
        // holding any of them is consumed and names no group.
        regexRow("template non-ASCII numeric runs name nothing", u"(\\d+)"_s,
                 u"$\uFF11-$1\uFF11-$\u00B2\u2153-$\U0001D7D9z"_s, u"img---z.jpg"_s);
        regexRow("template run reads as one number", u"(i)(m)"_s, u"$12"_s, u"g12.jpg"_s);
        regexRow("template number past 64 bits names nothing", u"(\\d+)"_s, u"<$99999999999999999999>"_s,
                 u"img<>.jpg"_s);
        regexRow("template group that took no part inserts nothing", u"(x)?(\\d+)"_s, u"[$1|$2]"_s,
                 u"img[|12].jpg"_s);
        regexRow("template group zero is the whole match", u"\\d"_s, u"<$0>"_s, u"img<1><2>.jpg"_s);
        regexRow("empty matches advance through the name", u"x*"_s, u"-"_s, u"-i-m-g-1-2-.-j-p-g-"_s);

        QTest::newRow("pattern that does not compile shows present names")
            << BatchRenameRule::regex(u"("_s, u"x"_s) << QStringList{u"a.txt"_s, u"b.txt"_s} << QStringList{}
            << QStringList{u"a.txt"_s, u"b.txt"_s} << all(Validity::invalidRegex, 2);
        QTest::newRow("removing the whole name leaves it empty")
            << BatchRenameRule::regex(u".+"_s, QString()) << QStringList{u"a"_s} << QStringList{}
            << QStringList{u""_s} << all(Validity::empty, 1);

        QTest::newRow("equal proposals are duplicates, present name or not")
            << BatchRenameRule::replace(u"1"_s, u"2"_s) << QStringList{u"f1"_s, u"f2"_s} << QStringList{}
            << QStringList{u"f2"_s, u"f2"_s} << all(Validity::duplicateInBatch, 2);
        QTest::newRow("another entry's name collides")
            << BatchRenameRule::replace(u"a"_s, u"b"_s) << QStringList{u"a.txt"_s} << QStringList{u"b.txt"_s}
            << QStringList{u"b.txt"_s} << all(Validity::collidesExisting, 1);
        QTest::newRow("a name the batch renames away is free: a chain")
            << BatchRenameRule::affix(u"x"_s, QString()) << QStringList{u"a"_s, u"xa"_s} << QStringList{}
            << QStringList{u"xa"_s, u"xxa"_s} << all(ok, 2);
        QTest::newRow("a name the batch renames away is free: a swap")
            << BatchRenameRule::regex(u"^(.)(.)$"_s, u"$2$1"_s) << QStringList{u"ab"_s, u"ba"_s}
            << QStringList{} << QStringList{u"ba"_s, u"ab"_s} << all(ok, 2);
        QTest::newRow("a batch entry that keeps its name still holds it")
            << BatchRenameRule::regex(u"^a$"_s, u"b"_s) << QStringList{u"a"_s, u"b"_s} << QStringList{}
            << QStringList{u"b"_s, u"b"_s} << all(Validity::duplicateInBatch, 2);
        QTest::newRow("canonically equivalent names are one name")
            << BatchRenameRule::replace(u"x"_s, QString()) << QStringList{u"cafe\u0301x"_s}
            << QStringList{u"caf\u00e9"_s} << QStringList{u"cafe\u0301"_s}
            << all(Validity::collidesExisting, 1);

        QTest::newRow("a slash would leave the folder")
            << BatchRenameRule::replace(u"-"_s, u"/"_s) << QStringList{u"a-b"_s, u"-"_s} << QStringList{}
            << QStringList{u"a/b"_s, u"/"_s} << all(Validity::invalidName, 2);
        QTest::newRow("dot names and NUL are no entry's name")
            << BatchRenameRule::regex(u"^x"_s, u"."_s) << QStringList{u"x"_s, u"x."_s, u"xa"_s, u"x\u0000"_s}
            << QStringList{} << QStringList{u"."_s, u".."_s, u".a"_s, u".\u0000"_s}
            << QList<Validity>{Validity::invalidName, Validity::invalidName, ok, Validity::invalidName};
        QTest::newRow("255 bytes fit, 256 do not")
            << BatchRenameRule::affix(QString(250, u'x'), QString()) << QStringList{u"a.txt"_s, u"ab.txt"_s}
            << QStringList{} << QStringList{QString(250, u'x') + u"a.txt"_s, QString(250, u'x') + u"ab.txt"_s}
            << QList<Validity>{ok, Validity::invalidName};
        QTest::newRow("length counts encoded bytes")
            << BatchRenameRule::affix(QString(127, u'\u00e9'), QString()) << QStringList{u"a"_s, u"ab"_s}
            << QStringList{}
            << QStringList{QString(127, u'\u00e9') + u"a"_s, QString(127, u'\u00e9') + u"ab"_s}
            << QList<Validity>{ok, Validity::invalidName};
        QTest::newRow("digits up to the byte limit")
            << BatchRenameRule::sequential(QString(), 7, 255) << QStringList{u"a"_s} << QStringList{}
            << QStringList{QString(254, u'0') + u"7"_s} << all(ok, 1);
    }
    void previewProposesAndJudgesNames() {
        QFETCH(BatchRenameRule, rule);
        QFETCH(QStringList, names);
        QFETCH(QStringList, others);
        QFETCH(QStringList, expectedNames);
        QFETCH(QList<Validity>, expectedValidity);

        const QList<FileItem> items = itemsNamed(names);
        const QSet<QString> existing(QSet<QString>(names.begin(), names.end()) +
                                     QSet<QString>(others.begin(), others.end()));
        QList<BatchRenamePreviewRow> expected;
        for (qsizetype i = 0; i < names.size(); ++i)
            expected.append({items[i].url, expectedNames[i], expectedValidity[i]});
        QCOMPARE(previewBatchRename(items, rule, existing), expected);
    }

    void extremeDigitsProposeBoundedNames() {
        const QList<FileItem> items = itemsNamed({u"a.jpg"_s});
        // A width no file system could store is refused without building a name that long.
        for (const qint64 digits : {qint64(256), qint64(1) << 40, int64Max}) {
            const auto rows =
                previewBatchRename(items, BatchRenameRule::sequential(u"p"_s, 1, digits), {u"a.jpg"_s});
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.first().validity, Validity::invalidName);
            QVERIFY(rows.first().newName.size() < 300);
            QVERIFY(rows.first().newName.endsWith(u"01.jpg"));
        }
        // Any width of 0 or less, down to the smallest 64-bit value, means no zeros.
        for (const qint64 digits : {qint64(-1), int64Min + 2, int64Min + 1, int64Min}) {
            const BatchRenameRule rule = BatchRenameRule::sequential(u"p"_s, -3, digits);
            QCOMPARE(previewBatchRename(items, rule, {u"a.jpg"_s}),
                     QList<BatchRenamePreviewRow>({{u"/f/a.jpg"_s, u"p-3.jpg"_s, Validity::ok}}));
            QCOMPARE(batchRenameMappings(items, rule, {u"a.jpg"_s}),
                     std::optional(QList<PathMapping>{{u"/f/a.jpg"_s, u"/f/p-3.jpg"_s}}));
        }
    }

    void regexKeepsEscapedBytesOfTheName() {
        // An invalid UTF-8 byte is matched like the replacement character the views show,
        // while the new name keeps the byte itself.
        const QString name = PathCodec::decode("caf\xE9 12.txt");
        const QList<FileItem> items = itemsNamed({name});
        const QSet<QString> existing{name};
        auto proposed = [&](const QString& pattern, const QString& templateText) {
            return PathCodec::encode(
                previewBatchRename(items, BatchRenameRule::regex(pattern, templateText), existing)
                    .first()
                    .newName);
        };
        QCOMPARE(proposed(u"^(caf.) "_s, u"$1-"_s), QByteArray("caf\xE9-12.txt"));
        QCOMPARE(proposed(u"\uFFFD"_s, u"e"_s), QByteArray("cafe 12.txt"));
        QCOMPARE(
            PathCodec::encode(previewBatchRename(items, BatchRenameRule::affix(u"-"_s, QString()), existing)
                                  .first()
                                  .newName),
            QByteArray("-caf\xE9 12.txt"));
    }

    void proposedNamesAreJudgedByTheirBytes() {
        // Removing the "x" from the bytes C3 78 A9 leaves C3 A9: on disk that is "é".
        const QString joining = PathCodec::decode("\xC3x\xA9");
        const BatchRenameRule dropX = BatchRenameRule::replace(u"x"_s, QString());
        const QList<FileItem> items = itemsNamed({joining});
        const QString e = u"\u00e9"_s;

        QCOMPARE(previewBatchRename(items, dropX, {joining, e}),
                 QList<BatchRenamePreviewRow>({{items[0].url, e, Validity::collidesExisting}}));
        // Shown, and followed by settings and tabs, as the listing will name it.
        QCOMPARE(previewBatchRename(items, dropX, {joining}),
                 QList<BatchRenamePreviewRow>({{items[0].url, e, Validity::ok}}));
        QCOMPARE(batchRenameMappings(items, dropX, {joining}),
                 std::optional(QList<PathMapping>{{items[0].url, u"/f/"_s + e}}));
        // Different texts that become the same bytes are one name.
        const QList<FileItem> pair = itemsNamed({joining, e + u"x"_s});
        QCOMPARE(previewBatchRename(pair, dropX, {joining, e + u"x"_s}),
                 QList<BatchRenamePreviewRow>({{pair[0].url, e, Validity::duplicateInBatch},
                                               {pair[1].url, e, Validity::duplicateInBatch}}));
        // Escaped bytes go through the canonical comparison of a replace unchanged.
        const QString escaped = PathCodec::decode("\xFF"
                                                  "cafe\xCC\x81\xFE");
        QCOMPARE(
            PathCodec::encode(previewBatchRename(itemsNamed({escaped}),
                                                 BatchRenameRule::replace(u"caf\u00e9"_s, u"t"_s), {escaped})
                                  .first()
                                  .newName),
            QByteArray("\xFFt\xFE"));
    }

    // Whatever the rule and the names, a row the preview passes is one entry of the folder
    // that no other entry has, and is exactly what the listing will report after the rename.
    void randomRulesProposeOnlyNamesTheFolderCanTake() {
        std::mt19937 random(20240301);
        auto pick = [&](const auto& list) {
            return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random)];
        };
        // Few pieces, so that names often meet: bytes that join into UTF-8, a decomposed
        // and a precomposed "é", Hangul jamo and syllable, and runs long enough to reach 255.
        const QList<QByteArray> bytes{"a",
                                      "x",
                                      ".",
                                      "\xC3",
                                      "\xA9",
                                      "\xC3\xA9",
                                      "e\xCC\x81",
                                      "\xE1\x84\x92\xE1\x85\xA1",
                                      "\xED\x95\x98",
                                      "\xFF",
                                      QByteArray(60, 'n'),
                                      QByteArray(40, '\xE9')};
        auto randomBytes = [&](int least, int most) {
            QByteArray out;
            for (int n = std::uniform_int_distribution<int>(least, most)(random); n > 0; --n)
                out += pick(bytes);
            return out;
        };
        auto randomText = [&](int most) { return PathCodec::decode(randomBytes(0, most)); };
        const QList<qint64> numbers{int64Min, int64Min + 1, -1, 0, 1, 3, 255, 256, int64Max - 1, int64Max};
        const QStringList patterns{u"x"_s, u"(.)"_s, u"\\d+"_s,   u"^"_s,
                                   u"$"_s, u"."_s,   u"\uFFFD"_s, u"(a)|(x)"_s};
        const QStringList templates{u""_s, u"$1"_s, u"$0$0"_s, u"$$"_s, u"\u00e9"_s, u"/"_s};

        for (int round = 0; round < 2000; ++round) {
            QStringList names;
            for (int n = std::uniform_int_distribution<int>(1, 8)(random); n > 0; --n) {
                const QByteArray name = randomBytes(1, 2);
                if (!name.isEmpty() && name != "." && name != ".." &&
                    !names.contains(PathCodec::decode(name)))
                    names.append(PathCodec::decode(name));
            }
            const QList<FileItem> items =
                itemsNamed(names.mid(0, std::uniform_int_distribution<qsizetype>(0, names.size())(random)));
            BatchRenameRule rule;
            switch (round % 4) {
            case 0: rule = BatchRenameRule::sequential(randomText(2), pick(numbers), pick(numbers)); break;
            case 1: rule = BatchRenameRule::replace(randomText(1), randomText(1)); break;
            case 2: rule = BatchRenameRule::affix(randomText(1), randomText(1)); break;
            default: rule = BatchRenameRule::regex(pick(patterns), pick(templates) + randomText(1)); break;
            }
            const QSet<QString> existing(names.begin(), names.end());
            QSet<QString> taken;
            for (const QString& name : names)
                taken.insert(name.normalized(QString::NormalizationForm_C));

            const QList<BatchRenamePreviewRow> rows = previewBatchRename(items, rule, existing);
            QCOMPARE(rows.size(), items.size());
            // A name the batch renames away is free for the others; one it keeps is not.
            for (qsizetype i = 0; i < rows.size(); ++i) {
                const QString present = items[i].name.normalized(QString::NormalizationForm_C);
                if (rows[i].newName.normalized(QString::NormalizationForm_C) != present)
                    taken.remove(present);
            }
            QSet<QString> proposed;
            for (qsizetype i = 0; i < rows.size(); ++i) {
                if (rows[i].validity != Validity::ok)
                    continue;
                const QByteArray onDisk = PathCodec::encode(rows[i].newName);
                const QString key = rows[i].newName.normalized(QString::NormalizationForm_C);
                const bool fits = !onDisk.isEmpty() && onDisk.size() <= 255 && !onDisk.contains('/') &&
                                  !onDisk.contains('\0') && onDisk != "." && onDisk != "..";
                const bool free =
                    key == items[i].name.normalized(QString::NormalizationForm_C) || !taken.contains(key);
                if (!fits || !free || proposed.contains(key) || PathCodec::decode(onDisk) != rows[i].newName)
                    QFAIL(qPrintable(u"round "_s + QString::number(round) + u": "_s +
                                     QString::fromLatin1(onDisk.toHex(' '))));
                proposed.insert(key);
            }
            const std::optional<QList<PathMapping>> mappings = batchRenameMappings(items, rule, existing);
            if (mappings)
                for (qsizetype i = 0; i < rows.size(); ++i)
                    QCOMPARE(mappings->at(i).to, u"/f/"_s + rows[i].newName);
        }
    }

    void mappingsOnlyWhenEveryRowIsOk() {
        const QList<FileItem> items{
            FileItem{u"/f/./a.txt"_s, u"/f/./a.txt"_s, u"a.txt"_s, false, false, {}, {}, {}},
            FileItem{u"/f/b.txt"_s, u"/f/b.txt"_s, u"b.txt"_s, false, false, {}, {}, {}},
        };
        const QSet<QString> existing{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s};
        QCOMPARE(batchRenameMappings(items, BatchRenameRule::affix(u"x"_s, QString()), existing),
                 std::optional(
                     QList<PathMapping>{{u"/f/a.txt"_s, u"/f/xa.txt"_s}, {u"/f/b.txt"_s, u"/f/xb.txt"_s}}));
        // An unchanged entry still gets its mapping.
        QCOMPARE(batchRenameMappings(items, BatchRenameRule::replace(u"b"_s, u"d"_s), existing),
                 std::optional(
                     QList<PathMapping>{{u"/f/a.txt"_s, u"/f/a.txt"_s}, {u"/f/b.txt"_s, u"/f/d.txt"_s}}));
        QCOMPARE(batchRenameMappings(items, BatchRenameRule::replace(u"b"_s, u"c"_s), existing),
                 std::nullopt);
        QCOMPARE(batchRenameMappings({}, BatchRenameRule::regex(u"x"_s, QString()), existing),
                 std::optional(QList<PathMapping>{}));
    }
};

QTEST_GUILESS_MAIN(BatchRenameTest)
#include "BatchRenameTest.moc"
