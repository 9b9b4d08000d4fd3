#include "models/listing/FuzzyMatcher.h"
#include "models/listing/FuzzyIndex.h"
#include "models/listing/KindDescription.h"
#include "support/TemporaryTree.h"

#include <QtTest>

#include <random>

using namespace quillmere;

namespace {

QList<FileItem> itemsNamed(const QStringList& names) {
    QList<FileItem> items;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString path = QStringLiteral("/f/%1/").arg(i) + names[i];
        items.append(
            FileItem{path, path, names[i], false, 1, std::nullopt, KindDescription::of(names[i], false)});
    }
    return items;
}

QStringList namesOf(const QList<FileItem>& items) {
    QStringList names;
    for (const FileItem& item : items)
        names.append(item.name);
    return names;
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
        QTest::newRow("start, then plain letter") << "Makefile"
                                                  << "mk" << 12;
        QTest::newRow("after an underscore") << "my_file"
                                             << "mf" << 17;
        QTest::newRow("adjacent run") << "abc"
                                      << "abc" << 19;
        QTest::newRow("order matters") << "abc"
                                       << "acb" << -1;
        QTest::newRow("empty candidate") << ""
                                         << "a" << -1;
        QTest::newRow("empty query") << "anything"
                                     << "" << 0;
        QTest::newRow("empty both") << ""
                                    << "" << 0;
        QTest::newRow("upper-case in the unaltered name") << "README"
                                                          << "re" << 20;
        QTest::newRow("core") << "core"
                              << "re" << 5;
        QTest::newRow("tree") << "tree"
                              << "re" << 5;
        QTest::newRow("query case is ignored") << "tree"
                                               << "RE" << 5;
        QTest::newRow("greedy, not best") << "xaxab"
                                          << "ab" << 2; // a at 1, b at 4: not adjacent
        QTest::newRow("each separator") << "a.b_c-d e/f"
                                        << "abcdef" << 11 + 5 * 6;
        QTest::newRow("query longer than name") << "ab"
                                                << "abc" << -1;
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
        QTest::newRow("combining accent is one character") << "e\u0301x"
                                                           << "e\u0301x" << 15;
        QTest::newRow("accented is not the bare letter") << "cafe\u0301"
                                                         << "e" << -1;
        QTest::newRow("upper-case base with accent") << "CAFE\u0301"
                                                     << "ce\u0301" << 17;
        QTest::newRow("emoji with skin tone") << "👍🏽x"
                                              << "👍🏽x" << 15;
        QTest::newRow("emoji modifier alone does not match") << "👍🏽"
                                                             << "🏽" << -1;
        QTest::newRow("Japanese") << "写真レポート"
                                  << "真ポ" << 1 + 1;
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
        QTest::newRow("decomposed name, precomposed query") << "Cafe\u0301 menu.txt"
                                                            << "café" << 23;
        QTest::newRow("precomposed name, decomposed query") << "Café menu.txt"
                                                            << "cafe\u0301" << 23;
        QTest::newRow("upper-case decomposed name") << "E\u0301TE\u0301"
                                                    << "éé" << 11 + 6;
        QTest::newRow("decomposed Hangul name") << "\u1112\u1161\u11AB\u1100\u1173\u11AF \u1106\u116E\u11AB"
                                                << "한글 문" << 11 + 4 + 4 + 9;
        QTest::newRow("decomposed Hangul query") << "한글 문서"
                                                 << "\u1106\u116E\u11AB\u1109\u1165" << 6 + 4;
        QTest::newRow("escaped byte before a decomposed letter")
            << QString(QChar(0xDCE9)) + u"e\u0301"_qs << QString(QChar(0xDCE9)) + u"é"_qs << 15;
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
        const QList<FileItem> items = itemsNamed({QStringLiteral("tree"), QStringLiteral("core"),
                                                  QStringLiteral("README"), QStringLiteral("nothing")});
        QCOMPARE(namesOf(fuzzyFilter(items, u"re")),
                 QStringList({QStringLiteral("README"), QStringLiteral("core"), QStringLiteral("tree")}));
        QCOMPARE(fuzzyFilter(items, u""), items);
        QCOMPARE(FuzzyIndex(items).filter(u""), items);
        // Code point order, not UTF-16 order: U+FF21 sorts before U+1F600.
        const QList<FileItem> wide = itemsNamed({QStringLiteral("x😀"), QStringLiteral("xＡ")});
        QCOMPARE(namesOf(fuzzyFilter(wide, u"x")),
                 QStringList({QStringLiteral("xＡ"), QStringLiteral("x😀")}));
    }

    // The index is what the Navigator keeps per listing; it must never differ from the
    // plain filter, whatever the names and the query.
    void indexGivesTheFilterResult_data() {
        QTest::addColumn<QStringList>("names");
        const QStringList ascii = {QStringLiteral("a"),  QStringLiteral("b"),   QStringLiteral("R"),
                                   QStringLiteral("e"),  QStringLiteral("_"),   QStringLiteral(" "),
                                   QStringLiteral("."),  QStringLiteral("IMG"), QStringLiteral("1"),
                                   QStringLiteral("re"), QStringLiteral("Re"),  QStringLiteral("/"),
                                   QStringLiteral("-"),  QStringLiteral("dsc"), QStringLiteral("E")};
        const QStringList unicode = {
            QStringLiteral("é"),        QStringLiteral("e\u0301"), QStringLiteral("É"),
            QStringLiteral("İ"),        QStringLiteral("ı"),       QStringLiteral("写"),
            QStringLiteral("👍🏽"), QStringLiteral("👍"),       QStringLiteral("\r\n"),
            QStringLiteral("ß"),        QStringLiteral("Σ"),       QString(QChar(0xDCE9)),
            QStringLiteral("😀"),        QStringLiteral("ｅ")};
        QTest::newRow("ascii") << randomNames(ascii, 3000, 1);
        QTest::newRow("unicode") << randomNames(unicode, 1500, 2);
        QTest::newRow("mixed") << randomNames(ascii + unicode, 3000, 3);
        QTest::newRow("canonical equivalents") << randomNames(
            {QStringLiteral("e\u0301"), QStringLiteral("é"), QStringLiteral("E\u0301"), QStringLiteral("한"),
             QStringLiteral("\u1112\u1161\u11AB"), QStringLiteral("\u11AB"), QStringLiteral("e")},
            800, 6);
        QTest::newRow("duplicates") << randomNames({QStringLiteral("r"), QStringLiteral("E")}, 400, 4);
        QTest::newRow("long shared prefixes")
            << randomNames({QStringLiteral("Report 2024-03-01 (final)"), QStringLiteral(" "),
                            QStringLiteral("1"), QStringLiteral("Report 2024-03-01"), QStringLiteral("e")},
                           800, 5);
        QTest::newRow("empty listing") << QStringList();
    }
    void indexGivesTheFilterResult() {
        QFETCH(QStringList, names);
        const QList<FileItem> items = itemsNamed(names);
        const FuzzyIndex index(items);
        const QStringList queries = {QStringLiteral("r"),
                                     QStringLiteral("E"),
                                     QStringLiteral("re"),
                                     QStringLiteral("ab"),
                                     QStringLiteral("i1"),
                                     QStringLiteral("r e"),
                                     QStringLiteral("._"),
                                     QStringLiteral("dsc1"),
                                     QStringLiteral("é"),
                                     QStringLiteral("e\u0301"),
                                     QStringLiteral("ée"),
                                     QStringLiteral("i\u0307"),
                                     QStringLiteral("İ"),
                                     QStringLiteral("👍🏽"),
                                     QStringLiteral("写e"),
                                     QStringLiteral("\r\n"),
                                     QStringLiteral("ss"),
                                     QStringLiteral("σ"),
                                     QString(QChar(0xDCE9)),
                                     QStringLiteral("a\u0308"),
                                     QStringLiteral("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa")};
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
