#include "models/paths/FilePath.h"
#include "models/paths/FileName.h"
#include "models/paths/PathMapper.h"

#include <QtTest>

using namespace quillmere;

// Lexical rules for path texts and single names; nothing here asks the file system.
class FilePathTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void standardisesPathsLexically() {
        const std::pair<QString, QString> cases[] = {
            {u"/a/b"_qs, u"/a/b"_qs},    {u"/a/./b"_qs, u"/a/b"_qs}, {u"/a/x/../b"_qs, u"/a/b"_qs},
            {u"//a//b/"_qs, u"/a/b"_qs}, {u"/../a"_qs, u"/a"_qs},    {u"/"_qs, u"/"_qs},
            {u"/a/.."_qs, u"/"_qs}};
        for (const auto& [path, expected] : cases)
            QCOMPARE(FilePath::standardised(path), expected);
    }

    void splitsComponents() {
        QCOMPARE(FilePath::lastComponent(u"/a/b.txt"), u"b.txt"_qs);
        QCOMPARE(FilePath::lastComponent(u"/a/b/"), u"b"_qs);
        QCOMPARE(FilePath::parent(u"/a/b"), u"/a"_qs);
        QCOMPARE(FilePath::parent(u"/a"), u"/"_qs);
        QVERIFY(FilePath::isSameOrInside(u"/a/b/c", u"/a/b"));
        QVERIFY(FilePath::isSameOrInside(u"/a/b", u"/a/b"));
        QVERIFY(!FilePath::isSameOrInside(u"/a/bc", u"/a/b"));
    }

    // A mapping carries its folder and everything below it by whole components, "/"
    // included, and the first that applies wins; tabs and folder settings both follow
    // moves by this rule. An empty expectation means the path is not mapped.
    void mapsPathsBelowAMovedFolder() {
        const QList<PathMapping> ab{{u"/a/b"_qs, u"/a/c"_qs}};
        const QList<PathMapping> nested{{u"/a/b/x"_qs, u"/p"_qs}, {u"/a/b"_qs, u"/q"_qs}};
        const QList<PathMapping> fromRoot{{u"/"_qs, u"/r"_qs}};
        const QList<PathMapping> intoRoot{{u"/a/b"_qs, u"/"_qs}};
        const std::tuple<QString, QList<PathMapping>, QString> cases[] = {
            {u"/a/b"_qs, ab, u"/a/c"_qs},
            {u"/a/b/x/y"_qs, ab, u"/a/c/x/y"_qs},
            {u"/a/./b//x/"_qs, ab, u"/a/c/x"_qs},
            {u"/a/bc"_qs, ab, {}},
            {u"/a"_qs, ab, {}},
            {u"/a/b/x"_qs, nested, u"/p"_qs},
            {u"/"_qs, fromRoot, u"/r"_qs},
            {u"/a/b"_qs, fromRoot, u"/r/a/b"_qs},
            {u"/a/b/x"_qs, intoRoot, u"/x"_qs}};
        for (const auto& [path, mappings, expected] : cases)
            QCOMPARE(PathMapper::mapped(path, mappings).value_or(QString()), expected);
    }

    // A leading dot starts a hidden name and a trailing one ends a name; neither starts
    // an extension.
    void extensionStartsAfterTheLastInnerDot() {
        const std::tuple<QString, QString, QString> cases[] = {{u"a.tar.gz"_qs, u"a.tar"_qs, u"gz"_qs},
                                                               {u".profile"_qs, u".profile"_qs, {}},
                                                               {u".a.b"_qs, u".a"_qs, u"b"_qs},
                                                               {u"a."_qs, u"a."_qs, {}},
                                                               {u".."_qs, u".."_qs, {}}};
        for (const auto& [name, stem, extension] : cases) {
            QCOMPARE(FileName::stem(name).toString(), stem);
            QCOMPARE(FileName::extension(name).toString(), extension);
        }
    }
};

QTEST_GUILESS_MAIN(FilePathTest)
#include "FilePathTest.moc"
