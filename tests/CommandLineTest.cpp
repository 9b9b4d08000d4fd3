#include "app/CommandLine.h"
#include "platform/PathCodec.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quillmere;

using Bytes = QList<QByteArray>;

namespace {

// The folders as the bytes the kernel would be given: what matters is that no byte changed.
Bytes folderBytes(const CommandLine& commandLine) {
    Bytes bytes;
    for (const QString& folder : commandLine.folders)
        bytes.append(PathCodec::encode(folder));
    return bytes;
}

const QString home = u"/home/user"_s;

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void turnsArgumentsIntoFolders_data() {
        QTest::addColumn<Bytes>("arguments");
        QTest::addColumn<Bytes>("folders");

        QTest::newRow("absolute, standardised")
            << Bytes{"/srv//data/./old/../new/"} << Bytes{"/srv/data/new"};
        QTest::newRow("root") << Bytes{"/"} << Bytes{"/"};
        QTest::newRow("relative") << Bytes{"docs/letters"} << Bytes{"/home/user/docs/letters"};
        QTest::newRow("dot and dot-dot") << Bytes{".", "..", "../../.."} << Bytes{"/home/user", "/home", "/"};
        QTest::newRow("a colon is not a scheme")
            << Bytes{"notes:2024", "c:/x"} << Bytes{"/home/user/notes:2024", "/home/user/c:/x"};
        QTest::newRow("bytes that are not UTF-8")
            << Bytes{"/tmp/caf\xE9", "r\xFF\xFE"} << Bytes{"/tmp/caf\xE9", "/home/user/r\xFF\xFE"};
        QTest::newRow("order kept") << Bytes{"/b", "/a", "/b"} << Bytes{"/b", "/a", "/b"};

        QTest::newRow("file URI") << Bytes{"file:///usr/share"} << Bytes{"/usr/share"};
        QTest::newRow("percent-encoded space and UTF-8")
            << Bytes{"file:///tmp/My%20Files/%E5%90%8D%E5%89%8D"} << Bytes{"/tmp/My Files/名前"};
        QTest::newRow("percent-encoded byte that is not UTF-8")
            << Bytes{"file:///tmp/%FF%fe/x%C3"} << Bytes{"/tmp/\xFF\xFE/x\xC3"};
        QTest::newRow("encoded percent, hash and question mark")
            << Bytes{"file:///tmp/100%25%23%3F"} << Bytes{"/tmp/100%#?"};
        QTest::newRow("unencoded space from a lenient launcher")
            << Bytes{"file:///tmp/a b"} << Bytes{"/tmp/a b"};
        QTest::newRow("localhost, any case")
            << Bytes{"file://localhost/etc", "FILE://LocalHost/var"} << Bytes{"/etc", "/var"};
        QTest::newRow("single-slash form") << Bytes{"file:/opt"} << Bytes{"/opt"};
        QTest::newRow("URI standardised") << Bytes{"file:///a/./b/../c/"} << Bytes{"/a/c"};
        QTest::newRow("-- ends the options")
            << Bytes{"--", "-notes", "--help"} << Bytes{"/home/user/-notes", "/home/user/--help"};
    }
    void turnsArgumentsIntoFolders() {
        QFETCH(Bytes, arguments);
        QFETCH(Bytes, folders);
        const CommandLine commandLine = CommandLine::parse(arguments, home);
        QCOMPARE(commandLine.errors, QStringList());
        QCOMPARE(folderBytes(commandLine), folders);
        QVERIFY(!commandLine.showHelp);
        QVERIFY(!commandLine.showVersion);
    }

    // Each bad argument gives one message that names it; the good ones around it still count.
    void refusesWhatNamesNoLocalFolder_data() {
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QString>("named");

        QTest::newRow("unknown long option") << QByteArray("--verbose") << u"--verbose"_s;
        QTest::newRow("unknown short option") << QByteArray("-x") << u"-x"_s;
        QTest::newRow("lone dash") << QByteArray("-") << u"-"_s;
        QTest::newRow("empty argument") << QByteArray("") << u"empty"_s;
        QTest::newRow("another computer") << QByteArray("file://fileserver/share") << u"fileserver"_s;
        QTest::newRow("host but no path") << QByteArray("file://localhost") << u"file://localhost"_s;
        QTest::newRow("other scheme") << QByteArray("sftp://host/home") << u"sftp"_s;
        QTest::newRow("trash location") << QByteArray("trash:///") << u"trash"_s;
        QTest::newRow("truncated escape") << QByteArray("file:///tmp/a%4") << u"file:///tmp/a%4"_s;
        QTest::newRow("escape that is not hex") << QByteArray("file:///tmp/%zz") << u"%zz"_s;
        QTest::newRow("zero byte") << QByteArray("file:///tmp/a%00b") << u"a%00b"_s;
        QTest::newRow("query") << QByteArray("file:///tmp/a?b=1") << u"a?b=1"_s;
        QTest::newRow("fragment") << QByteArray("file:///tmp/C#") << u"C#"_s;
        // The message shows a byte that is not UTF-8 as U+FFFD instead of garbling the terminal.
        QTest::newRow("named readably") << QByteArray("--caf\xE9") << u"--caf\uFFFD"_s;
    }
    void refusesWhatNamesNoLocalFolder() {
        QFETCH(QByteArray, argument);
        QFETCH(QString, named);
        const CommandLine commandLine = CommandLine::parse({"/before", argument, "after"}, home);
        QCOMPARE(commandLine.errors.size(), 1);
        QVERIFY2(commandLine.errors.first().contains(named), qPrintable(commandLine.errors.first()));
        QCOMPARE(folderBytes(commandLine), (Bytes{"/before", "/home/user/after"}));
    }

    void relativePathsNeedAKnownCurrentFolder() {
        const CommandLine commandLine = CommandLine::parse({"docs", "/abs", "file:///uri"}, QString());
        QCOMPARE(folderBytes(commandLine), (Bytes{"/abs", "/uri"}));
        QCOMPARE(commandLine.errors.size(), 1);
        QVERIFY(commandLine.errors.first().contains(u"docs"_s));
    }

    void currentFolderWithBytesThatAreNotUtf8() {
        const CommandLine commandLine = CommandLine::parse({"sub"}, PathCodec::decode("/data/\xFF"));
        QCOMPARE(folderBytes(commandLine), Bytes{"/data/\xFF/sub"});
    }

    void helpAndVersion() {
        QVERIFY(CommandLine::parse({"--help"}, home).showHelp);
        QVERIFY(CommandLine::parse({"-h"}, home).showHelp);
        const CommandLine version = CommandLine::parse({"/tmp", "--version"}, home);
        QVERIFY(version.showVersion);
        QVERIFY(!version.showHelp);
        QVERIFY(CommandLine::versionText().contains(QStringLiteral(QUILLMERE_VERSION)));
        QVERIFY(CommandLine::usage().contains(u"--version"_s));
        // After -- they are folder names.
        const CommandLine ended = CommandLine::parse({"--", "--version"}, home);
        QVERIFY(!ended.showVersion);
        QCOMPARE(ended.folders.size(), 1);
        const CommandLine none = CommandLine::parse({}, home);
        QVERIFY(none.folders.isEmpty() && none.errors.isEmpty() && !none.showHelp && !none.showVersion);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
