#include "platform/PathCodec.h"
#include "platform/PlatformError.h"
#include "services/terminal/DefaultTerminalService.h"
#include "services/terminal/LaunchEnvironment.h"
#include "services/terminal/TerminalServiceError.h"

#include <QHash>
#include <QSet>
#include <QtTest>

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;

using namespace quillmere;

namespace {

// Answers the service's questions from sets filled by the test and records what it
// would have started, so no program ever runs.
class FakeLaunchEnvironment final : public LaunchEnvironment {
public:
    QSet<QString> desktopEntries;
    QHash<QString, QString> entryPrograms; // desktop file id -> the program its Exec line names
    QSet<QString> executables;
    QHash<QString, QString> onPath; // program name -> where the PATH search finds it
    QHash<QByteArray, QString> environment;
    QSet<QString> runningProcesses;
    QString home = u"/home/ayu"_s;
    bool uriHandlerInstalled = true;
    int startsToFail = 0;

    QList<ProcessStart> started;
    QStringList openedUris;

    bool hasDesktopEntry(const QString& id) const override { return desktopEntries.contains(id); }
    std::optional<QString> desktopEntryProgram(const QString& id) const override {
        if (!desktopEntries.contains(id) || !entryPrograms.contains(id))
            return std::nullopt;
        return entryPrograms.value(id);
    }
    bool isExecutableFile(const QString& path) const override { return executables.contains(path); }
    std::optional<QString> findInPath(const QString& name) const override {
        if (name.contains(u'/'))
            return executables.contains(name) ? std::optional(name) : std::nullopt;
        if (onPath.contains(name))
            return onPath.value(name);
        return std::nullopt;
    }
    QString homeFolder() const override { return home; }
    QString environmentVariable(const char* name) const override { return environment.value(name); }
    bool isProcessRunning(const QString& name) const override { return runningProcesses.contains(name); }
    void start(const ProcessStart& process) override {
        if (startsToFail > 0) {
            --startsToFail;
            throw PlatformError(ENOENT, process.program);
        }
        started.append(process);
    }
    bool openUri(const QString& uri) override {
        if (!uriHandlerInstalled)
            return false;
        openedUris.append(uri);
        return true;
    }
};

QString s(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

namespace quillmere {
char* toString(const ProcessStart& start) {
    const QString text =
        start.program + u" ["_s + start.arguments.join(u"|"_s) + u"] in "_s + start.workingDirectory;
    return qstrdup(text.toUtf8().constData());
}
} // namespace quillmere

// Which program each terminal application starts, with which arguments and in which
// folder, for every application and mode; and the failures when one is missing.
class TerminalServiceTest : public QObject {
    Q_OBJECT

    // Blanks, bytes that are not UTF-8 and a leading "-" in a component: all must
    // reach the terminal as one argument, unchanged.
    const QString m_folder = PathCodec::decode("/srv/my projects/caf\xe9 \xff/-x");

    std::shared_ptr<FakeLaunchEnvironment> m_system;
    std::unique_ptr<DefaultTerminalService> m_service;

    ProcessStart onlyStart() const {
        [&] { QCOMPARE(m_system->started.size(), 1); }();
        return m_system->started.value(0);
    }

private Q_SLOTS:
    void init() {
        m_system = std::make_shared<FakeLaunchEnvironment>();
        m_service = std::make_unique<DefaultTerminalService>(m_system);
    }

    void wezTermOpensATabOnlyInARunningWezTerm_data() {
        QTest::addColumn<TerminalOpenMode>("mode");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("window, not running")
            << TerminalOpenMode::newWindow << false << QStringList{s("start")};
        QTest::newRow("window, running")
            << TerminalOpenMode::newWindow << true << QStringList{s("cli"), s("spawn"), s("--new-window")};
        QTest::newRow("tab, running")
            << TerminalOpenMode::newTab << true << QStringList{s("cli"), s("spawn")};
        // A tab spawned without a WezTerm window would land in a hidden multiplexer.
        QTest::newRow("tab, not running") << TerminalOpenMode::newTab << false << QStringList{s("start")};
    }
    void wezTermOpensATabOnlyInARunningWezTerm() {
        QFETCH(TerminalOpenMode, mode);
        QFETCH(bool, running);
        QFETCH(QStringList, arguments);
        m_system->executables.insert(s("/usr/bin/wezterm"));
        if (running)
            m_system->runningProcesses.insert(s("wezterm-gui"));

        m_service->open(m_folder, TerminalApp::wezterm, mode);

        QCOMPARE(onlyStart(), (ProcessStart{s("/usr/bin/wezterm"),
                                            arguments + QStringList{s("--cwd"), m_folder}, m_folder}));
    }

    void wezTermTabFallsBackToAWindowAndReportsTheWindowsFailure() {
        m_system->executables.insert(s("/usr/bin/wezterm"));
        m_system->runningProcesses.insert(s("wezterm-gui"));
        m_system->startsToFail = 1;
        m_service->open(m_folder, TerminalApp::wezterm, TerminalOpenMode::newTab);
        QCOMPARE(onlyStart().arguments,
                 (QStringList{s("cli"), s("spawn"), s("--new-window"), s("--cwd"), m_folder}));

        m_system->started.clear();
        m_system->startsToFail = 2;
        QVERIFY_THROWS_EXCEPTION(PlatformError,
                                 m_service->open(m_folder, TerminalApp::wezterm, TerminalOpenMode::newTab));
        QVERIFY(m_system->started.isEmpty());
    }

    // /usr/bin, /usr/local/bin, ~/.cargo/bin, then the PATH; a program alone is not an
    // installed application.
    void wezTermProgramIsLookedForInCandidateOrderThenOnThePath() {
        const QString cargo = s("/home/ayu/.cargo/bin/wezterm");
        m_system->home = s("/home/ayu/");
        m_system->onPath.insert(s("wezterm"), s("/opt/w/wezterm"));
        for (const QString& found :
             {s("/opt/w/wezterm"), cargo, s("/usr/local/bin/wezterm"), s("/usr/bin/wezterm")}) {
            m_system->executables.insert(found);
            m_system->started.clear();
            m_service->open(m_folder, TerminalApp::wezterm, TerminalOpenMode::newWindow);
            QCOMPARE(onlyStart().program, found);
        }
        QVERIFY(!m_service->isInstalled(TerminalApp::wezterm));
    }

    void otherApplicationsIgnoreTheTabMode() {
        m_system->onPath.insert(s("ghostty"), s("/opt/ghostty/bin/ghostty"));
        for (TerminalOpenMode mode : {TerminalOpenMode::newWindow, TerminalOpenMode::newTab}) {
            m_system->started.clear();
            m_system->openedUris.clear();
            m_service->open(m_folder, TerminalApp::ghostty, mode);
            QCOMPARE(onlyStart(),
                     (ProcessStart{
                         s("/opt/ghostty/bin/ghostty"), {s("--working-directory=") + m_folder}, m_folder}));

            m_service->open(m_folder, TerminalApp::warp, mode);
            // The path's own bytes, percent-encoded: %E9 and %FF, not UTF-8 replacements.
            QCOMPARE(m_system->openedUris,
                     QStringList{s("warp://action/new_window?path=/srv/my%20projects/caf%E9%20%FF/-x")});
        }
    }

    void systemTerminalIsChosenInFallbackOrder_data() {
        QTest::addColumn<QString>("terminalVariable");
        QTest::addColumn<QStringList>("installed"); // names found on the PATH, in /usr/bin
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString f = m_folder;
        QTest::newRow("$TERMINAL first") << s("kitty") << QStringList{s("x-terminal-emulator"), s("kitty")}
                                         << s("/usr/bin/kitty") << QStringList{s("--directory"), f};
        QTest::newRow("$TERMINAL missing") << s("foot") << QStringList{s("xterm"), s("x-terminal-emulator")}
                                           << s("/usr/bin/x-terminal-emulator") << QStringList{};
        QTest::newRow("gnome-terminal")
            << QString() << QStringList{s("xterm"), s("gnome-terminal")} << s("/usr/bin/gnome-terminal")
            << QStringList{s("--window"), s("--working-directory=") + f};
        QTest::newRow("xterm last") << QString() << QStringList{s("xterm")} << s("/usr/bin/xterm")
                                    << QStringList{};
    }
    void systemTerminalIsChosenInFallbackOrder() {
        QFETCH(QString, terminalVariable);
        QFETCH(QStringList, installed);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        m_system->environment.insert("TERMINAL", terminalVariable);
        for (const QString& name : installed) {
            m_system->onPath.insert(name, s("/usr/bin/") + name);
            m_system->executables.insert(s("/usr/bin/") + name);
        }

        QVERIFY(m_service->isInstalled(TerminalApp::terminalApp));
        m_service->open(m_folder, TerminalApp::terminalApp, TerminalOpenMode::newTab);
        QCOMPARE(onlyStart(), (ProcessStart{program, arguments, m_folder}));
    }

    void missingApplicationsFailAtOnceNamingTheApplication() {
        m_system->uriHandlerInstalled = false;
        m_system->runningProcesses.insert(s("wezterm-gui"));
        // Installed as desktop entries but without their programs: still not found.
        for (TerminalApp each : allTerminalApps)
            m_system->desktopEntries.insert(DefaultTerminalService::desktopFileId(each));

        for (TerminalApp app : allTerminalApps) {
            for (TerminalOpenMode mode : {TerminalOpenMode::newWindow, TerminalOpenMode::newTab}) {
                try {
                    m_service->open(m_folder, app, mode);
                    QFAIL("a missing application must be reported");
                } catch (const TerminalServiceError& error) {
                    QCOMPARE(error, TerminalServiceError::appNotFound(app));
                }
            }
        }
        QVERIFY(m_system->started.isEmpty());
    }

    // Installed and opening ask the same lookup: the entry's program, then the PATH.
    void ghosttyIsInstalledExactlyWhenItOpens_data() {
        QTest::addColumn<QString>("entryProgram"); // empty: no desktop entry
        QTest::addColumn<QStringList>("executables");
        QTest::addColumn<QString>("onPath");
        QTest::addColumn<QString>("started"); // empty: neither installed nor opened
        const QString opt = s("/opt/ghostty/bin/ghostty");
        QTest::newRow("entry's program before the PATH")
            << opt << QStringList{opt} << s("/usr/bin/ghostty") << opt;
        QTest::newRow("entry naming the program on the PATH")
            << s("ghostty") << QStringList{} << s("/usr/bin/ghostty") << s("/usr/bin/ghostty");
        QTest::newRow("entry whose program is gone") << opt << QStringList{} << QString() << QString();
        QTest::newRow("entry's program gone, another on the PATH")
            << opt << QStringList{} << s("/usr/bin/ghostty") << s("/usr/bin/ghostty");
        // Ghostty's flag given to flatpak would start nothing useful.
        QTest::newRow("entry through another program")
            << s("/usr/bin/flatpak") << QStringList{s("/usr/bin/flatpak")} << QString() << QString();
    }
    void ghosttyIsInstalledExactlyWhenItOpens() {
        QFETCH(QString, entryProgram);
        QFETCH(QStringList, executables);
        QFETCH(QString, onPath);
        QFETCH(QString, started);
        const QString id = DefaultTerminalService::desktopFileId(TerminalApp::ghostty);
        if (!entryProgram.isEmpty()) {
            m_system->desktopEntries.insert(id);
            m_system->entryPrograms.insert(id, entryProgram);
        }
        m_system->executables = QSet<QString>(executables.begin(), executables.end());
        if (!onPath.isEmpty())
            m_system->onPath.insert(s("ghostty"), onPath);

        QCOMPARE(m_service->isInstalled(TerminalApp::ghostty), !started.isEmpty());
        try {
            m_service->open(m_folder, TerminalApp::ghostty, TerminalOpenMode::newWindow);
            QVERIFY2(!started.isEmpty(), "opened a Ghostty that is not installed");
            QCOMPARE(onlyStart(), (ProcessStart{started, {s("--working-directory=") + m_folder}, m_folder}));
        } catch (const TerminalServiceError& error) {
            QVERIFY2(started.isEmpty(), "an installed Ghostty failed to open");
            QCOMPARE(error, TerminalServiceError::appNotFound(TerminalApp::ghostty));
        }
    }
};

QTEST_GUILESS_MAIN(TerminalServiceTest)
#include "TerminalServiceTest.moc"
