#include "platform/PathCodec.h"
#include "models/paths/FilePath.h"

#include <QtTest>

using namespace quillmere;

// Names are bytes; the codec must give every byte string back unchanged.
class PathCodecTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripsEveryByteString_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QByteArray("report (1).txt");
        QTest::newRow("utf8") << QByteArray("写真 2024 ü.jpg");
        QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80 smile");
        QTest::newRow("latin1 byte") << QByteArray("caf\xE9.txt");
        QTest::newRow("lone continuation") << QByteArray("a\x80z");
        QTest::newRow("truncated sequence") << QByteArray("x\xE3\x81");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        QTest::newRow("newline and dash") << QByteArray("-n\nline");
        QTest::newRow("escaped-looking UTF-8")
            << QByteArray("\xF0\x90\x82\x80\x80"); // U+10080 then a stray byte
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("every byte") << all;
    }
    void roundTripsEveryByteString() {
        QFETCH(QByteArray, bytes);
        const QString decoded = PathCodec::decode(bytes);
        QCOMPARE(PathCodec::encode(decoded), bytes);
    }

    void decodesValidUtf8LikeQt() {
        const QByteArray bytes("Ünïcödé 名前 \xF0\x9F\x98\x80");
        QCOMPARE(PathCodec::decode(bytes), QString::fromUtf8(bytes));
        QVERIFY(!PathCodec::hasEscapedBytes(PathCodec::decode(bytes)));
    }

    void showsEscapedBytesAsReplacementCharacters() {
        const QString decoded = PathCodec::decode("caf\xE9\xF0\x90\x82\x80");
        QVERIFY(PathCodec::hasEscapedBytes(decoded));
        QCOMPARE(PathCodec::displayText(decoded),
                 QStringLiteral("caf\uFFFD") + QString::fromUtf8("\xF0\x90\x82\x80"));
    }

    void standardisesPathsLexically_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("clean") << "/a/b"
                               << "/a/b";
        QTest::newRow("dot") << "/a/./b"
                             << "/a/b";
        QTest::newRow("dotdot") << "/a/x/../b"
                                << "/a/b";
        QTest::newRow("double slash and trailing") << "//a//b/"
                                                   << "/a/b";
        QTest::newRow("above root") << "/../a"
                                    << "/a";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("root dotdot") << "/a/.."
                                     << "/";
    }
    void standardisesPathsLexically() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(FilePath::standardised(path), expected);
    }

    void splitsComponents() {
        QCOMPARE(FilePath::lastComponent(u"/a/b.txt"), QStringLiteral("b.txt"));
        QCOMPARE(FilePath::lastComponent(u"/a/b/"), QStringLiteral("b"));
        QCOMPARE(FilePath::parent(u"/a/b"), QStringLiteral("/a"));
        QCOMPARE(FilePath::parent(u"/a"), QStringLiteral("/"));
        QVERIFY(FilePath::isSameOrInside(u"/a/b/c", u"/a/b"));
        QVERIFY(!FilePath::isSameOrInside(u"/a/bc", u"/a/b"));
    }
};

QTEST_GUILESS_MAIN(PathCodecTest)
#include "PathCodecTest.moc"
