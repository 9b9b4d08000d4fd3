#pragma once

#include <QDialog>
#include <QDir>

class QTabWidget;

namespace quillmere {

class AppSettingsStore;
class GeneralSettingsView;
class MarkSettingsView;
class TerminalSettingsView;
class TerminalService;

// The settings window: a separate, non-modal window with the general, mark and terminal
// tabs. Every change goes straight to the store, which saves it after its delay; there is
// nothing to apply or cancel, so Escape simply closes the window. Ctrl+Tab and
// Ctrl+Shift+Tab switch tabs; Tab walks the controls of the shown one.
class SettingsView final : public QDialog {
    Q_OBJECT

public:
    // homeFolder is where the terminal's test button opens it.
    SettingsView(AppSettingsStore& store, TerminalService& terminal, QWidget* parent = nullptr,
                 QString homeFolder = QDir::homePath());
    ~SettingsView() override;

    GeneralSettingsView* generalView() const { return m_general; }
    MarkSettingsView* markView() const { return m_mark; }
    TerminalSettingsView* terminalView() const { return m_terminal; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QTabWidget* m_tabs;
    GeneralSettingsView* m_general;
    MarkSettingsView* m_mark;
    TerminalSettingsView* m_terminal;
};

} // namespace quillmere
