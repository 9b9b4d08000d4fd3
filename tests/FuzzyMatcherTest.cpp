#include "models/listing/FuzzyMatcher.h"
#include "models/listing/FuzzyIndex.h"
#include "support/FileItems.h"
#include "support/TemporaryTree.h"

#include <QtTest>

#include <random>

using namespace Qt::StringLiterals;

using namespace quillmere;
using quillmere::test::namesOf;

namespace {

QList<FileItem> itemsNamed(const QStringList& names) {
    QList<FileItem> items;
    for (qsizetype i = 0; i < names.size(); ++i)
        items.append(test::fileItem(u"/f/%1"_s.arg(i), names[i], 1));
    return items;
}

QStringList randomNames(const QStringList& pieces, int count, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(0, 5);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QString name;
        for (int n = length(random); n > 0; --n)
            name += pieces[pick(random)];
        names.append(name);
    }
    return names;
}

} // namespace

// The fuzzy score over user-perceived characters, the filter's order, and the
// per-listing index that must give the filter's result exactly.
class FuzzyMatcherTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;

private Q_SLOTS:
    void scoresTheWorkedExamples_data() {
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("score"); // -1: no match
        QTest::newRow("start, then plain letter") << u"Makefile"_s << u"mk"_s << 12;
        QTest::newRow("after an underscore") << u"my_file"_s << u"mf"_s << 17;
        QTest::newRow("adjacent run") << u"abc"_s << u"abc"_s << 19;
        QTest::newRow("order matters") << u"abc"_s << u"acb"_s << -1;
        QTest::newRow("empty query") << u"anything"_s << u""_s << 0;
        QTest::newRow("upper-case in the unaltered name") << u"README"_s << u"re"_s << 20;
        QTest::newRow("query case is ignored") << u"tree"_s << u"RE"_s << 5;
        QTest::newRow("greedy, not best") << u"xaxab"_s << u"ab"_s << 2; // a at 1, b at 4: not adjacent
        QTest::newRow("each separator") << u"a.b_c-d e/f"_s << u"abcdef"_s << 11 + 5 * 6;
    }
    void scoresTheWorkedExamples() {
        QFETCH(QString, candidate);
        QFETCH(QString, query);
        QFETCH(int, score);
        const std::optional<int> actual = fuzzyScore(candidate, query);
        QCOMPARE(actual.value_or(-1), score);
    }

    // A base letter with a combining accent, or an emoji with a skin-tone modifier, is
    // one character: adjacency and positions count it once.
    void countsUserPerceivedCharacters_data() {
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("score");
        QTest::newRow("combining accent is one character") << u"e\u0301x"_s << u"e\u0301x"_s << 15;
        QTest::newRow("accented is not the bare letter") << u"cafe\u0301"_s << u"e"_s << -1;
        QTest::newRow("upper-case base with accent") << u"CAFE\u0301"_s << u"ce\u0301"_s << 17;
        QTest::newRow("emoji with skin tone") << u"👍🏽x"_s << u"👍🏽x"_s << 15;
        QTest::newRow("emoji modifier alone does not match") << u"👍🏽"_s << u"🏽"_s << -1;
        QTest::newRow("Japanese") << u"写真レポート"_s << u"真ポ"_s << 1 + 1;
    }
    void countsUserPerceivedCharacters() {
        QFETCH(QString, candidate);
        QFETCH(QString, query);
        QFETCH(int, score);
        QCOMPARE(fuzzyScore(candidate, query).value_or(-1), score);
        // The index must agree on the same names.
        const QList<FileItem> items = itemsNamed({candidate});
        QCOMPARE(FuzzyIndex(items).filter(query).size(), score < 0 ? 0 : 1);
    }

    // Names copied from other systems and archives are often decomposed; a query typed
    // precomposed must find them, and the other way round. Escaped bytes stay as they are.
    void canonicallyEquivalentTextMatchesAlike_data() {
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("score");
        QTest::newRow("decomposed name, precomposed query") << u"Cafe\u0301 menu.txt"_s << u"café"_s << 23;
        QTest::newRow("upper-case decomposed name") << u"E\u0301TE\u0301"_s << u"éé"_s << 11 + 6;
        QTest::newRow("decomposed Hangul name")
            << u"\u1112\u1161\u11AB\u1100\u1173\u11AF \u1106\u116E\u11AB"_s << u"한글 문"_s << 11 + 4 + 4 + 9;
        QTest::newRow("decomposed Hangul query")
            << u"한글 문서"_s << u"\u1106\u116E\u11AB\u1109\u1165"_s << 6 + 4;
        QTest::newRow("escaped byte before a decomposed letter")
            << QString(QChar(0xDCE9)) + u"e\u0301"_s << QString(QChar(0xDCE9)) + u"é"_s << 15;
    }
    void canonicallyEquivalentTextMatchesAlike() {
        QFETCH(QString, candidate);
        QFETCH(QString, query);
        QFETCH(int, score);
        QCOMPARE(fuzzyScore(candidate, query).value_or(-1), score);
        const QList<FileItem> items = itemsNamed({candidate});
        QCOMPARE(FuzzyIndex(items).filter(query), items);
    }

    void ordersByScoreThenByNameInCodePointOrder() {
        const QList<FileItem> items = itemsNamed({u"tree"_s, u"core"_s, u"README"_s, u"nothing"_s});
        QCOMPARE(namesOf(fuzzyFilter(items, u"re")), QStringList({u"README"_s, u"core"_s, u"tree"_s}));
        QCOMPARE(fuzzyFilter(items, u""), items);
        QCOMPARE(FuzzyIndex(items).filter(u""), items);
        // Code point order, not UTF-16 order: U+FF21 sorts before U+1F600.
        const QList<FileItem> wide = itemsNamed({u"x😀"_s, u"xＡ"_s});
        QCOMPARE(namesOf(fuzzyFilter(wide, u"x")), QStringList({u"xＡ"_s, u"x😀"_s}));
    }

    // The index is what the Navigator keeps per listing; it must never differ from the
    // plain filter, whatever the names and the query.
    void indexGivesTheFilterResult_data() {
        QTest::addColumn<QStringList>("names");
        const QStringList ascii = {u"a"_s, u"b"_s,  u"R"_s,  u"e"_s, u"_"_s, u" "_s,   u"."_s, u"IMG"_s,
                                   u"1"_s, u"re"_s, u"Re"_s, u"/"_s, u"-"_s, u"dsc"_s, u"E"_s};
        const QStringList unicode = {u"é"_s,  u"e\u0301"_s,           u"É"_s, u"İ"_s,    u"ı"_s,
                                     u"写"_s, u"👍🏽"_s,          u"👍"_s, u"\r\n"_s, u"ß"_s,
                                     u"Σ"_s,  QString(QChar(0xDCE9)), u"😀"_s, u"ｅ"_s};
        QTest::newRow("ascii") << randomNames(ascii, 3000, 1);
        QTest::newRow("unicode") << randomNames(unicode, 1500, 2);
        QTest::newRow("mixed") << randomNames(ascii + unicode, 3000, 3);
        QTest::newRow("canonical equivalents") << randomNames(
            {u"e\u0301"_s, u"é"_s, u"E\u0301"_s, u"한"_s, u"\u1112\u1161\u11AB"_s, u"\u11AB"_s, u"e"_s}, 800,
            6);
        QTest::newRow("duplicates") << randomNames({u"r"_s, u"E"_s}, 400, 4);
        QTest::newRow("long shared prefixes") << randomNames(
            {u"Report 2024-03-01 (final)"_s, u" "_s, u"1"_s, u"Report 2024-03-01"_s, u"e"_s}, 800, 5);
        QTest::newRow("empty listing") << QStringList();
    }
    void indexGivesTheFilterResult() {
        QFETCH(QStringList, names);
        const QList<FileItem> items = itemsNamed(names);
        const FuzzyIndex index(items);
        const QStringList queries = {
            u"r"_s,    u"E"_s,    u"re"_s,      u"ab"_s, u"i1"_s,       u"r e"_s,     u"._"_s,
            u"dsc1"_s, u"é"_s,    u"e\u0301"_s, u"ée"_s, u"İ"_s,        u"i\u0307"_s, u"👍🏽"_s,
            u"写e"_s,  u"\r\n"_s, u"ss"_s,      u"σ"_s,  QChar(0xDCE9), u"a\u0308"_s, QString(34, u'a')};
        for (const QString& query : queries) {
            const QList<FileItem> expected = fuzzyFilter(items, query);
            const QList<FileItem> actual = index.filter(query);
            if (actual != expected) {
                qWarning() << "query" << query;
                QCOMPARE(namesOf(actual), namesOf(expected));
                QCOMPARE(actual, expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(FuzzyMatcherTest)
#include "FuzzyMatcherTest.moc"
