#include "platform/ExecutableLookup.h"
#include "platform/GioLauncher.h"
#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProcessTable.h"
#include "services/terminal/DefaultTerminalService.h"
#include "support/TemporaryTree.h"

#include <QtTest>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace quillmere;

namespace {

// A stand-in program that writes its working folder and its arguments, each ended by
// a NUL byte, to the file named in RECORD_TO.
const QByteArray recorderScript = "#!/bin/sh\n"
                                  "{ pwd -P; printf '\\0'; for a; do printf '%s\\0' \"$a\"; done; }"
                                  " > \"$RECORD_TO.part\" && mv \"$RECORD_TO.part\" \"$RECORD_TO\"\n";

QByteArray realPath(const QByteArray& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

} // namespace

// The platform side of opening terminals, for real: starting programs with exact
// bytes, finding programs, seeing running processes and desktop entries. The only
// program started is a small recorder script, never a terminal.
class TerminalPlatformTest : public QObject {
    Q_OBJECT

    test::TemporaryTree m_tree;

private Q_SLOTS:
    void initTestCase() {
        // Only the tree's own desktop entries count, whatever this machine has installed.
        m_tree.makeFolder("sysdata");
        qputenv("XDG_DATA_DIRS", m_tree.bytes("sysdata"));
        qputenv("RECORD_TO", m_tree.bytes("record"));
        m_tree.makeFolder("data/applications");
        m_tree.writeFile("data/applications/org.wezfurlong.wezterm.desktop",
                         "[Desktop Entry]\nType=Application\nName=WezTerm\nExec=true\n");
        m_tree.writeFile("data/applications/com.mitchellh.ghostty.desktop",
                         "[Desktop Entry]\nType=Application\nName=Ghostty\nExec=true\nHidden=true\n");
        m_tree.writeFile("recorder", recorderScript, 0755);
    }

    void launcherGivesTheFolderAsOneArgumentAndAsWorkingDirectory() {
        const QByteArray folder = "tree/two words \xff\xfe\nline";
        m_tree.makeFolder(folder);
        const QString path = PathCodec::decode(m_tree.bytes(folder));

        const pid_t child =
            ProcessLauncher::start({PathCodec::decode(m_tree.bytes("recorder")), {u"--cwd"_s, path}, path});

        QTRY_VERIFY_WITH_TIMEOUT(m_tree.exists("record"), 20000);
        const QList<QByteArray> fields = m_tree.readFile("record").split('\0');
        QCOMPARE(fields.value(0), realPath(m_tree.bytes(folder)) + '\n');
        QCOMPARE(fields.mid(1), (QList<QByteArray>{"--cwd", m_tree.bytes(folder), ""}));
        // Reaped once it ended: a zombie would keep its /proc entry.
        const QByteArray procEntry = "/proc/" + QByteArray::number(child);
        QTRY_VERIFY_WITH_TIMEOUT(::access(procEntry.constData(), F_OK) != 0, 20000);
    }

    void launcherReportsWhatCannotStart() {
        QVERIFY_THROWS_EXCEPTION(
            PlatformError, ProcessLauncher::start({m_tree.path("no-such-program"), {}, m_tree.path("tree")}));
        QVERIFY_THROWS_EXCEPTION(
            PlatformError, ProcessLauncher::start({m_tree.path("recorder"), {}, m_tree.path("tree/gone")}));
    }

    void pathSearchSkipsWhatCannotRunAndRelativeFolders() {
        for (const char* folder : {"bin1", "bin2", "bin3"})
            m_tree.makeFolder(folder);
        m_tree.writeFile("bin1/tool", "#!/bin/sh\n", 0644); // not executable
        m_tree.makeFolder("bin2/tool");                     // a folder
        m_tree.writeFile("bin3/tool", "#!/bin/sh\n", 0755);
        QVERIFY(QDir::setCurrent(m_tree.path()));
        const QByteArray root = m_tree.rootBytes();
        const QString tool = u"tool"_s;
        const QString found = PathCodec::decode(QByteArray(root + "/bin3/tool"));

        QVERIFY(!ExecutableLookup::findInPath(tool, ":bin3:" + root + "/bin1:" + root + "/bin2"));
        QCOMPARE(ExecutableLookup::findInPath(tool, root + "/bin1::" + root + "/bin2:" + root + "/bin3/")
                     .value_or(QString()),
                 found);
        QCOMPARE(ExecutableLookup::findInPath(found, QByteArray()).value_or(QString()), found);
        QVERIFY(!ExecutableLookup::findInPath(u"bin3/tool"_s, root));
    }

    void processTableSeesLiveProcessesByCommandName() {
        QFile comm(u"/proc/self/comm"_s);
        QVERIFY(comm.open(QIODevice::ReadOnly));
        QVERIFY(ProcessTable::isRunningForCurrentUser(comm.readAll().trimmed()));
        QVERIFY(!ProcessTable::isRunningForCurrentUser("quillmere-none"));
    }

    void desktopEntriesDecideWhatIsInstalled() {
        DefaultTerminalService service;
        QVERIFY(service.isInstalled(TerminalApp::wezterm));
        // Ghostty's entry is hidden: only a program on the PATH makes it installed.
        QCOMPARE(service.isInstalled(TerminalApp::ghostty),
                 ExecutableLookup::findInPath(u"ghostty"_s).has_value());
        QVERIFY(!service.isInstalled(TerminalApp::warp));
        QVERIFY(!service.isInstalled(TerminalApp::iterm2));
        QCOMPARE(
            GioLauncher::desktopEntryExecutable(DefaultTerminalService::desktopFileId(TerminalApp::wezterm)),
            std::optional(u"true"_s));
        QVERIFY(!GioLauncher::desktopEntryExecutable(
            DefaultTerminalService::desktopFileId(TerminalApp::ghostty)));
    }

    void wezTermUnderCargoOpensThoughItIsNotInstalled() {
        if (ExecutableLookup::isExecutableFile(u"/usr/bin/wezterm"_s) ||
            ExecutableLookup::isExecutableFile(u"/usr/local/bin/wezterm"_s))
            QSKIP("a WezTerm program is installed on this machine");
        if (ProcessTable::isRunningForCurrentUser("wezterm-gui"))
            QSKIP("WezTerm is running on this machine");
        ::unlink(m_tree.bytes("record").constData());
        m_tree.makeFolder("home/.cargo");
        m_tree.makeFolder("home/.cargo/bin");
        m_tree.writeFile("home/.cargo/bin/wezterm", recorderScript, 0755);
        const QString folder = PathCodec::decode(m_tree.bytes("tree/a b"));
        m_tree.makeFolder("tree/a b");

        DefaultTerminalService service;
        service.open(folder, TerminalApp::wezterm, TerminalOpenMode::newWindow);

        QTRY_VERIFY_WITH_TIMEOUT(m_tree.exists("record"), 20000);
        QCOMPARE(m_tree.readFile("record").split('\0').mid(1),
                 (QList<QByteArray>{"start", "--cwd", m_tree.bytes("tree/a b"), ""}));
    }
};

QTEST_GUILESS_MAIN(TerminalPlatformTest)
#include "TerminalPlatformTest.moc"
