#include "views/settings/SettingsView.h"

#include "views/common/SystemIcon.h"
#include "views/settings/GeneralSettingsView.h"
#include "views/settings/MarkSettingsView.h"
#include "views/settings/TerminalSettingsView.h"

#include <QEvent>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quillmere {

SettingsView::SettingsView(AppSettingsStore& store, TerminalService& terminal, QWidget* parent,
                           QString homeFolder)
    : QDialog(parent, Qt::Window) {
    setObjectName(u"settingsWindow"_s);
    setModal(false);

    m_general = new GeneralSettingsView(store, this);
    m_mark = new MarkSettingsView(store, this);
    m_terminal = new TerminalSettingsView(store, terminal, std::move(homeFolder), this);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"settings.tabs"_s);
    m_tabs->setDocumentMode(true);
    m_tabs->addTab(m_general, SystemIcon::icon(SystemIcon::Symbol::gear), QString());
    m_tabs->addTab(m_mark, SystemIcon::icon(SystemIcon::Symbol::checkmarkCircle), QString());
    m_tabs->addTab(m_terminal, SystemIcon::icon(SystemIcon::Symbol::terminal), QString());
    m_tabs->tabBar()->setObjectName(u"settings.tabBar"_s);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_tabs);

    // As shortcuts, so that a focused control that takes typed text (a picker's search)
    // cannot swallow them.
    const auto switchTab = [this](int step) {
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + m_tabs->count()) % m_tabs->count());
    };
    for (const QKeySequence& next :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(next, this), &QShortcut::activated, this, [switchTab] { switchTab(+1); });
    for (const QKeySequence& previous :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(previous, this), &QShortcut::activated, this, [switchTab] { switchTab(-1); });

    retranslate();
    setMinimumSize(460, 380);
}

SettingsView::~SettingsView() = default;

void SettingsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void SettingsView::retranslate() {
    setWindowTitle(qtTrId("help.command.settings"));
    setAccessibleName(windowTitle());
    m_tabs->setAccessibleName(windowTitle());
    m_tabs->setTabText(0, qtTrId("settings.tab.general"));
    m_tabs->setTabText(1, qtTrId("settings.tab.mark"));
    m_tabs->setTabText(2, qtTrId("settings.tab.terminal"));
}

} // namespace quillmere
