#include "models/paths/FilePath.h"
#include "models/paths/FileName.h"
#include "models/paths/PathMapper.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;

// Lexical rules for path texts and single names; nothing here asks the file system.
class FilePathTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void standardisesPathsLexically() {
        const std::pair<QString, QString> cases[] = {{u"/a/b"_s, u"/a/b"_s},      {u"/a/./b"_s, u"/a/b"_s},
                                                     {u"/a/x/../b"_s, u"/a/b"_s}, {u"//a//b/"_s, u"/a/b"_s},
                                                     {u"/../a"_s, u"/a"_s},       {u"/"_s, u"/"_s},
                                                     {u"/a/.."_s, u"/"_s}};
        for (const auto& [path, expected] : cases)
            QCOMPARE(FilePath::standardised(path), expected);
    }

    void splitsComponents() {
        QCOMPARE(FilePath::lastComponent(u"/a/b.txt"), u"b.txt"_s);
        QCOMPARE(FilePath::lastComponent(u"/a/b/"), u"b"_s);
        QCOMPARE(FilePath::parent(u"/a/b"), u"/a"_s);
        QCOMPARE(FilePath::parent(u"/a"), u"/"_s);
        QVERIFY(FilePath::isSameOrInside(u"/a/b/c", u"/a/b"));
        QVERIFY(FilePath::isSameOrInside(u"/a/b", u"/a/b"));
        QVERIFY(!FilePath::isSameOrInside(u"/a/bc", u"/a/b"));
    }

    // A mapping carries its folder and everything below it by whole components, "/"
    // included, and the first that applies wins; tabs and folder settings both follow
    // moves by this rule. An empty expectation means the path is not mapped.
    void mapsPathsBelowAMovedFolder() {
        const QList<PathMapping> ab{{u"/a/b"_s, u"/a/c"_s}};
        const QList<PathMapping> nested{{u"/a/b/x"_s, u"/p"_s}, {u"/a/b"_s, u"/q"_s}};
        const QList<PathMapping> fromRoot{{u"/"_s, u"/r"_s}};
        const QList<PathMapping> intoRoot{{u"/a/b"_s, u"/"_s}};
        const std::tuple<QString, QList<PathMapping>, QString> cases[] = {{u"/a/b"_s, ab, u"/a/c"_s},
                                                                          {u"/a/b/x/y"_s, ab, u"/a/c/x/y"_s},
                                                                          {u"/a/./b//x/"_s, ab, u"/a/c/x"_s},
                                                                          {u"/a/bc"_s, ab, {}},
                                                                          {u"/a"_s, ab, {}},
                                                                          {u"/a/b/x"_s, nested, u"/p"_s},
                                                                          {u"/"_s, fromRoot, u"/r"_s},
                                                                          {u"/a/b"_s, fromRoot, u"/r/a/b"_s},
                                                                          {u"/a/b/x"_s, intoRoot, u"/x"_s}};
        for (const auto& [path, mappings, expected] : cases)
            QCOMPARE(PathMapper::mapped(path, mappings).value_or(QString()), expected);
    }

    // A leading dot starts a hidden name and a trailing one ends a name; neither starts
    // an extension.
    void extensionStartsAfterTheLastInnerDot() {
        const std::tuple<QString, QString, QString> cases[] = {{u"a.tar.gz"_s, u"a.tar"_s, u"gz"_s},
                                                               {u".profile"_s, u".profile"_s, {}},
                                                               {u".a.b"_s, u".a"_s, u"b"_s},
                                                               {u"a."_s, u"a."_s, {}},
                                                               {u".."_s, u".."_s, {}}};
        for (const auto& [name, stem, extension] : cases) {
            QCOMPARE(FileName::stem(name).toString(), stem);
            QCOMPARE(FileName::extension(name).toString(), extension);
        }
    }
};

QTEST_GUILESS_MAIN(FilePathTest)
#include "FilePathTest.moc"
