#pragma once

#include "services/terminal/TerminalService.h"

#include <QStringList>

#include <memory>
#include <optional>

namespace quillmere {

class LaunchEnvironment;
struct ProcessStart;

// Starts terminals as separate processes in the folder, never through a shell.
//
// WezTerm is driven through its command-line program, which opens a tab in a
// running WezTerm or starts a new one. Ghostty and the system terminal are started
// with the folder; Warp is asked for a window through its URI scheme. iTerm2 exists
// only on macOS. A terminal that is not found fails at once with appNotFound.
//
// WezTerm and Warp count as installed when the desktop lists them. Ghostty counts
// as installed when its program is found where open looks for it (the program its
// desktop entry names, then the PATH), so that one listed as installed also opens.
class DefaultTerminalService final : public TerminalService {
public:
    explicit DefaultTerminalService(std::shared_ptr<LaunchEnvironment> environment = nullptr);
    ~DefaultTerminalService() override;

    bool isInstalled(TerminalApp app) const override;
    void open(const QString& folder, TerminalApp app, TerminalOpenMode mode) override;

    // The desktop file id the desktop lists the application under; empty for the
    // system terminal and for iTerm2, which have none.
    static QString desktopFileId(TerminalApp app);

private:
    void openWezTerm(const QString& folder, TerminalOpenMode mode);
    void startWezTermTab(const QString& program, const QString& folder);
    void startWezTermWindow(const QString& program, const QString& folder);
    QString locateWezTerm();
    void openWarp(const QString& folder);
    void openGhostty(const QString& folder);
    std::optional<QString> locateGhostty() const;
    void openPreferredTerminal(const QString& folder);

    std::shared_ptr<LaunchEnvironment> m_environment;
    // Built on first use, from the home folder of that moment.
    std::optional<QStringList> m_wezTermCandidates;
};

} // namespace quillmere
