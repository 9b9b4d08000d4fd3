#include "models/clipboard/FileClipboard.h"
#include "platform/PathCodec.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quillmere;

namespace {

QString path(QByteArrayView bytes) {
    return PathCodec::decode(bytes);
}

QMap<QString, QByteArray> formats(std::initializer_list<std::pair<const char*, QByteArray>> pairs) {
    QMap<QString, QByteArray> map;
    for (const auto& [type, data] : pairs)
        map.insert(QString::fromLatin1(type), data);
    return map;
}

} // namespace

// Files on the clipboard in the formats other file managers write and read.
class FileClipboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Hostile names survive every format byte for byte, copied and cut.
    void hostileNamesRoundTrip() {
        const QStringList paths{path("/home/u/plain.txt"),
                                path("/home/u/with space & 100%.txt"),
                                path("/home/u/bad\xff\xfe byte"),
                                path("/home/u/new\nline\r"),
                                path("/home/u/\xe6\x97\xa5\xe6\x9c\xac.txt"),
                                path("/home/u/#hash?query;semi:colon")};
        for (const bool cut : {false, true}) {
            const FilesOnClipboard files{paths, cut};
            const QMap<QString, QByteArray> encoded = FileClipboard::encode(files);
            // Each format alone gives the same files back.
            QCOMPARE(FileClipboard::decode(encoded), files);
            QMap<QString, QByteArray> uriListOnly = encoded;
            uriListOnly.remove(QString::fromLatin1(FileClipboard::gnomeType));
            QCOMPARE(FileClipboard::decode(uriListOnly), files);
            // Every URI is plain ASCII without spaces or line breaks.
            for (const QByteArray& line : encoded.value(u"text/uri-list"_s).split('\n'))
                for (const char c : line.trimmed())
                    QVERIFY2(c > ' ' && c < 127, line.constData());
            QCOMPARE(encoded.contains(QString::fromLatin1(FileClipboard::kdeCutType)), cut);
        }
        QCOMPARE(FileClipboard::uriOf(path("/a b/\xff")), QByteArray("file:///a%20b/%FF"));
    }

    // What GLib- and Qt-based programs put there, written out by hand.
    void otherProgramsClipboardsAreUnderstood() {
        // GNOME Files: a cut, LF separated, no trailing line end.
        QCOMPARE(
            FileClipboard::decode(formats({{"x-special/gnome-copied-files",
                                            "cut\nfile:///home/u/a%20b.txt\nfile:///home/u/%E6%97%A5"}})),
            (FilesOnClipboard{{path("/home/u/a b.txt"), path("/home/u/\xe6\x97\xa5")}, true}));
        // Dolphin: a URI list with CR LF, the KDE cut mark, and plain text beside.
        QCOMPARE(
            FileClipboard::decode(formats({{"text/uri-list", "file:///tmp/x\r\nfile://localhost/tmp/y\r\n"},
                                           {"application/x-kde-cutselection", "1"},
                                           {"text/plain", "/tmp/x\n/tmp/y"}})),
            (FilesOnClipboard{{path("/tmp/x"), path("/tmp/y")}, true}));
        // A copy from a browser-like program: comments, another scheme and another host
        // are passed over.
        QCOMPARE(FileClipboard::decode(formats({{"text/uri-list", "# comment\r\nhttps://example.org/a\r\n"
                                                                  "file://otherhost/etc/passwd\r\n"
                                                                  "FILE:///tmp/z%2Fq\r\n"}})),
                 (FilesOnClipboard{{path("/tmp/z/q")}, false}));
        // Plain text of absolute paths is a copy; any other text is no files at all.
        QCOMPARE(FileClipboard::decode(formats({{"text/plain", "/tmp/one\n/tmp/two\n"}})),
                 (FilesOnClipboard{{path("/tmp/one"), path("/tmp/two")}, false}));
        QCOMPARE(FileClipboard::decode(formats({{"text/plain", "/tmp/one\nhello world"}})), std::nullopt);
        // Malformed escapes and a smuggled NUL make a URI unusable.
        QCOMPARE(
            FileClipboard::decode(formats({{"text/uri-list", "file:///tmp/%zz\r\nfile:///tmp/a%00b\r\n"}})),
            std::nullopt);
        QCOMPARE(FileClipboard::decode(formats({{"x-special/gnome-copied-files", "paste\nfile:///tmp/a"}})),
                 std::nullopt);
        QCOMPARE(FileClipboard::decode({}), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(FileClipboardTest)
#include "FileClipboardTest.moc"
