#include "services/terminal/DefaultTerminalService.h"

#include "services/terminal/DefaultLaunchEnvironment.h"
#include "services/terminal/PreferredTerminal.h"
#include "services/terminal/TerminalServiceError.h"

#include "platform/PathCodec.h"
#include "platform/PlatformError.h"

using namespace Qt::StringLiterals;

namespace quillmere {
namespace {

// The GUI process of WezTerm; the "wezterm" program itself exits after handing over.
const auto wezTermProcessName = u"wezterm-gui"_s;

} // namespace

DefaultTerminalService::DefaultTerminalService(std::shared_ptr<LaunchEnvironment> environment)
    : m_environment(environment ? std::move(environment) : std::make_shared<DefaultLaunchEnvironment>()) {}

DefaultTerminalService::~DefaultTerminalService() = default;

QString DefaultTerminalService::desktopFileId(TerminalApp app) {
    switch (app) {
    case TerminalApp::wezterm: return u"org.wezfurlong.wezterm.desktop"_s;
    case TerminalApp::warp: return u"dev.warp.Warp.desktop"_s;
    case TerminalApp::ghostty: return u"com.mitchellh.ghostty.desktop"_s;
    case TerminalApp::iterm2:
    case TerminalApp::terminalApp: return {};
    }
    return {};
}

bool DefaultTerminalService::isInstalled(TerminalApp app) const {
    switch (app) {
    case TerminalApp::iterm2: return false;
    case TerminalApp::terminalApp: return PreferredTerminal(*m_environment).program().has_value();
    case TerminalApp::ghostty: return locateGhostty().has_value();
    case TerminalApp::wezterm:
    case TerminalApp::warp: return m_environment->hasDesktopEntry(desktopFileId(app));
    }
    return false;
}

void DefaultTerminalService::open(const QString& folder, TerminalApp app, TerminalOpenMode mode) {
    switch (app) {
    case TerminalApp::wezterm: return openWezTerm(folder, mode);
    case TerminalApp::warp: return openWarp(folder);
    case TerminalApp::ghostty: return openGhostty(folder);
    case TerminalApp::terminalApp: return openPreferredTerminal(folder);
    case TerminalApp::iterm2: throw TerminalServiceError::appNotFound(app);
    }
}

void DefaultTerminalService::openWezTerm(const QString& folder, TerminalOpenMode mode) {
    const QString program = locateWezTerm();
    // "cli spawn" without a running WezTerm starts a hidden multiplexer and opens
    // the tab there, where nobody sees it; a new window is what the user can use.
    if (mode == TerminalOpenMode::newTab && m_environment->isProcessRunning(wezTermProcessName)) {
        try {
            return startWezTermTab(program, folder);
        } catch (const PlatformError&) {
            // The window start below reports its own failure, which is the one that matters.
        }
    }
    startWezTermWindow(program, folder);
}

void DefaultTerminalService::startWezTermTab(const QString& program, const QString& folder) {
    m_environment->start({program, {u"cli"_s, u"spawn"_s, u"--cwd"_s, folder}, folder});
}

void DefaultTerminalService::startWezTermWindow(const QString& program, const QString& folder) {
    if (m_environment->isProcessRunning(wezTermProcessName))
        m_environment->start(
            {program, {u"cli"_s, u"spawn"_s, u"--new-window"_s, u"--cwd"_s, folder}, folder});
    else
        m_environment->start({program, {u"start"_s, u"--cwd"_s, folder}, folder});
}

QString DefaultTerminalService::locateWezTerm() {
    if (!m_wezTermCandidates) {
        QString home = m_environment->homeFolder();
        if (home.endsWith(u'/'))
            home.chop(1);
        m_wezTermCandidates =
            QStringList{u"/usr/bin/wezterm"_s, u"/usr/local/bin/wezterm"_s, home + u"/.cargo/bin/wezterm"_s};
    }
    for (const QString& candidate : *m_wezTermCandidates)
        if (m_environment->isExecutableFile(candidate))
            return candidate;
    if (std::optional<QString> found = m_environment->findInPath(u"wezterm"_s))
        return *found;
    throw TerminalServiceError::appNotFound(TerminalApp::wezterm);
}

void DefaultTerminalService::openWarp(const QString& folder) {
    // The folder's exact bytes, percent-encoded, so names that are not UTF-8 arrive intact.
    const QByteArray path = PathCodec::encode(folder).toPercentEncoding("/");
    const QString uri = u"warp://action/new_window?path="_s + QString::fromLatin1(path);
    if (!m_environment->openUri(uri))
        throw TerminalServiceError::appNotFound(TerminalApp::warp);
}

void DefaultTerminalService::openGhostty(const QString& folder) {
    const std::optional<QString> program = locateGhostty();
    if (!program)
        throw TerminalServiceError::appNotFound(TerminalApp::ghostty);
    m_environment->start({*program, {u"--working-directory="_s + folder}, folder});
}

std::optional<QString> DefaultTerminalService::locateGhostty() const {
    const QString name = u"ghostty"_s;
    // An entry that starts Ghostty through another program (flatpak, env) cannot be
    // handed Ghostty's own flag; the PATH may still have the program itself.
    const std::optional<QString> entry =
        m_environment->desktopEntryProgram(desktopFileId(TerminalApp::ghostty));
    if (entry && entry->section(u'/', -1) == name)
        if (std::optional<QString> found = m_environment->findInPath(*entry))
            return found;
    return m_environment->findInPath(name);
}

void DefaultTerminalService::openPreferredTerminal(const QString& folder) {
    const std::optional<ProcessStart> start = PreferredTerminal(*m_environment).startIn(folder);
    if (!start)
        throw TerminalServiceError::appNotFound(TerminalApp::terminalApp);
    m_environment->start(*start);
}

} // namespace quillmere
