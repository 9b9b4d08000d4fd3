#pragma once

#include "models/settings/TerminalApp.h"

#include <QCoroTask>
#include <QList>
#include <QWidget>

#include <cstdint>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quillmere {

class AppSettingsStore;
class TerminalService;

// The terminal tab: the terminal application, chosen among the installed ones, how it
// opens, and a button that tries the choice out in the home folder.
//
// Which terminals are installed is asked each time the tab is shown, off the
// user-interface thread (the answer may look at desktop entries and the PATH); the list
// appears once every answer is back. The test launch runs off the thread as well, and a
// failure is shown under the button.
class TerminalSettingsView final : public QWidget {
    Q_OBJECT

public:
    TerminalSettingsView(AppSettingsStore& store, TerminalService& terminalService, QString homeFolder,
                         QWidget* parent = nullptr);
    ~TerminalSettingsView() override;

    // Empty until the installed terminals are known.
    const QList<TerminalApp>& availableApps() const { return m_availableApps; }
    bool isProbing() const { return m_probing; }
    bool isTesting() const { return m_testing; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showSettings();
    QCoro::Task<> probeInstalledApps(uint64_t generation);
    QCoro::Task<> testLaunch();
    void showTestFailure(const std::optional<QString>& reason);

    AppSettingsStore& m_store;
    TerminalService& m_terminalService;
    QString m_homeFolder;
    QList<TerminalApp> m_availableApps;
    bool m_probing = false;
    bool m_testing = false;
    // Raised by every new question; answers to an older one are dropped.
    uint64_t m_generation = 0;

    QGroupBox* m_appSection;
    QLabel* m_status;
    QLabel* m_appLabel;
    QComboBox* m_app;
    QGroupBox* m_modeSection;
    QRadioButton* m_newWindow;
    QRadioButton* m_newTab;
    QLabel* m_tabNotSupported;
    QPushButton* m_test;
    QLabel* m_testFailure;
    QLabel* m_hint;
    std::optional<QString> m_failureReason;
};

} // namespace quillmere
