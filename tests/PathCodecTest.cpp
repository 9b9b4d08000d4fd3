#include "platform/PathCodec.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace quillmere;

// Names are bytes; the codec must give every byte string back unchanged.
class PathCodecTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripsEveryByteString_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated sequence") << QByteArray("x\xE3\x81");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
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
        QCOMPARE(PathCodec::displayText(decoded), u"caf\uFFFD"_s + QString::fromUtf8("\xF0\x90\x82\x80"));
    }
};

QTEST_GUILESS_MAIN(PathCodecTest)
#include "PathCodecTest.moc"
