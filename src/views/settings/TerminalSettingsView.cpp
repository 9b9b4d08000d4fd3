#include "views/settings/TerminalSettingsView.h"

#include "services/persistence/AppSettingsStore.h"
#include "services/terminal/TerminalService.h"
#include "services/terminal/TerminalServiceError.h"

#include <QComboBox>
#include <QCoroFuture>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

namespace quillmere {

namespace {

QString appName(TerminalApp app) {
    switch (app) {
    case TerminalApp::wezterm: return qtTrId("terminal.app.wezterm");
    case TerminalApp::iterm2: return qtTrId("terminal.app.iterm2");
    case TerminalApp::terminalApp: return qtTrId("terminal.app.terminalApp");
    case TerminalApp::warp: return qtTrId("terminal.app.warp");
    case TerminalApp::ghostty: return qtTrId("terminal.app.ghostty");
    }
    return rawText(app);
}

QLabel* noteLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

TerminalSettingsView::TerminalSettingsView(AppSettingsStore& store, TerminalService& terminalService,
                                           QString homeFolder, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_terminalService(terminalService)
    , m_homeFolder(std::move(homeFolder)) {
    setObjectName(u"settings.terminal"_s);
    setMinimumSize(420, 300);

    m_appSection = new QGroupBox(this);
    m_status = noteLabel(m_appSection);
    m_status->setObjectName(u"settings.terminal.status"_s);
    m_appLabel = new QLabel(m_appSection);
    m_app = new QComboBox(m_appSection);
    m_app->setObjectName(u"settings.terminal.app"_s);
    m_appLabel->setBuddy(m_app);
    auto* appForm = new QFormLayout(m_appSection);
    appForm->addRow(m_status);
    appForm->addRow(m_appLabel, m_app);

    m_modeSection = new QGroupBox(this);
    m_modeSection->setObjectName(u"settings.terminal.openMode"_s);
    m_newWindow = new QRadioButton(m_modeSection);
    m_newWindow->setObjectName(u"terminal.openMode.newWindow"_s);
    m_newTab = new QRadioButton(m_modeSection);
    m_newTab->setObjectName(u"terminal.openMode.newTab"_s);
    m_tabNotSupported = noteLabel(m_modeSection);
    m_tabNotSupported->setObjectName(u"settings.terminal.tabNotSupported"_s);
    auto* modeColumn = new QVBoxLayout(m_modeSection);
    modeColumn->addWidget(m_newWindow);
    modeColumn->addWidget(m_newTab);
    modeColumn->addWidget(m_tabNotSupported);

    m_test = new QPushButton(this);
    m_test->setObjectName(u"settings.terminal.test"_s);
    m_test->setAutoDefault(true);
    m_testFailure = new QLabel(this);
    m_testFailure->setObjectName(u"settings.terminal.testFailure"_s);
    m_testFailure->setWordWrap(true);
    m_testFailure->setTextFormat(Qt::PlainText);
    QPalette red = m_testFailure->palette();
    red.setColor(QPalette::WindowText, QColor(0xd7, 0x26, 0x1e));
    m_testFailure->setPalette(red);
    m_testFailure->hide();
    m_hint = noteLabel(this);
    m_hint->setObjectName(u"settings.terminal.hint"_s);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_appSection);
    column->addWidget(m_modeSection);
    column->addWidget(m_test, 0, Qt::AlignLeft);
    column->addWidget(m_testFailure);
    column->addWidget(m_hint);
    column->addStretch(1);

    connect(m_app, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < m_availableApps.size())
            m_store.setTerminalApp(m_availableApps[index]);
    });
    connect(m_newWindow, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_store.setTerminalOpenMode(TerminalOpenMode::newWindow);
    });
    connect(m_newTab, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_store.setTerminalOpenMode(TerminalOpenMode::newTab);
    });
    connect(m_test, &QPushButton::clicked, this, [this] { testLaunch(); });
    connect(&m_store, &AppSettingsStore::settingsChanged, this, &TerminalSettingsView::showSettings);

    retranslate();
    showSettings();
}

TerminalSettingsView::~TerminalSettingsView() = default;

void TerminalSettingsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Asked afresh each time the tab comes up, so a terminal installed meanwhile shows.
    m_probing = true;
    showSettings();
    probeInstalledApps(++m_generation);
}

QCoro::Task<> TerminalSettingsView::probeInstalledApps(uint64_t generation) {
    QPointer<TerminalSettingsView> self(this);
    TerminalService* service = &m_terminalService;
    // One question per terminal, all asked at once; the answers are taken in list order.
    QList<QFuture<bool>> answers;
    for (const TerminalApp app : allTerminalApps)
        answers.append(QtConcurrent::run([service, app] { return service->isInstalled(app); }));
    QList<TerminalApp> installed;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        QFuture<bool> answer = answers[i];
        bool isInstalled = false;
        try {
            isInstalled = co_await answer;
        } catch (...) {
            // A terminal that cannot be asked about is not offered.
        }
        if (isInstalled)
            installed.append(allTerminalApps[size_t(i)]);
    }
    if (!self || m_generation != generation)
        co_return;
    m_availableApps = installed;
    m_probing = false;
    showSettings();
}

QCoro::Task<> TerminalSettingsView::testLaunch() {
    // The button stays enabled, so it keeps the keyboard focus; a second press while one
    // launch is under way does nothing.
    if (m_testing)
        co_return;
    QPointer<TerminalSettingsView> self(this);
    m_testing = true;
    showTestFailure(std::nullopt);
    TerminalService* service = &m_terminalService;
    const AppSettings settings = m_store.settings();
    const QString folder = m_homeFolder;
    auto launching = QtConcurrent::run([service, folder, app = settings.terminalApp(),
                                        mode = settings.terminalOpenMode()]() -> std::optional<QString> {
        try {
            service->open(folder, app, mode);
            return std::nullopt;
        } catch (const TerminalServiceError& error) {
            return error.description();
        } catch (const std::exception& error) {
            return QString::fromUtf8(error.what());
        } catch (...) {
            return QString();
        }
    });
    std::optional<QString> failure;
    try {
        failure = co_await launching;
    } catch (...) {
        failure = QString();
    }
    if (!self)
        co_return;
    m_testing = false;
    showTestFailure(failure);
}

void TerminalSettingsView::showTestFailure(const std::optional<QString>& reason) {
    m_failureReason = reason;
    const QString text = reason ? qtTrId("settings.terminal.testFailed").arg(*reason) : QString();
    m_testFailure->setText(text);
    m_testFailure->setAccessibleName(text);
    m_testFailure->setVisible(reason.has_value());
}

void TerminalSettingsView::showSettings() {
    const AppSettings& settings = m_store.settings();
    const bool known = !m_probing;
    {
        const QSignalBlocker quiet(m_app);
        m_app->clear();
        for (const TerminalApp app : std::as_const(m_availableApps))
            m_app->addItem(appName(app));
        // A chosen terminal that is not installed shows as no choice.
        m_app->setCurrentIndex(int(m_availableApps.indexOf(settings.terminalApp())));
    }
    const bool any = known && !m_availableApps.isEmpty();
    m_status->setText(m_probing ? qtTrId("settings.terminal.checking") : qtTrId("settings.terminal.noApp"));
    m_status->setAccessibleName(m_status->text());
    m_status->setVisible(!any);
    m_appLabel->setVisible(any);
    m_app->setVisible(any);

    const bool chosenInstalled = any && m_availableApps.contains(settings.terminalApp());
    m_modeSection->setVisible(chosenInstalled);
    {
        const QSignalBlocker quietWindow(m_newWindow);
        const QSignalBlocker quietTab(m_newTab);
        m_newWindow->setChecked(settings.terminalOpenMode() == TerminalOpenMode::newWindow);
        m_newTab->setChecked(settings.terminalOpenMode() == TerminalOpenMode::newTab);
    }
    m_tabNotSupported->setVisible(settings.terminalApp() != TerminalApp::wezterm);
}

void TerminalSettingsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TerminalSettingsView::retranslate() {
    setAccessibleName(qtTrId("settings.tab.terminal"));
    m_appLabel->setText(qtTrId("settings.terminal.app"));
    m_app->setAccessibleName(qtTrId("settings.terminal.app"));
    m_modeSection->setTitle(qtTrId("settings.terminal.openMode"));
    m_newWindow->setText(qtTrId("terminal.openMode.newWindow"));
    m_newWindow->setAccessibleName(m_newWindow->text());
    m_newTab->setText(qtTrId("terminal.openMode.newTab"));
    m_newTab->setAccessibleName(m_newTab->text());
    m_tabNotSupported->setText(qtTrId("settings.terminal.tabNotSupported"));
    m_tabNotSupported->setAccessibleName(m_tabNotSupported->text());
    m_test->setText(qtTrId("settings.terminal.test"));
    m_test->setAccessibleName(m_test->text());
    m_hint->setText(qtTrId("settings.terminal.hint"));
    m_hint->setAccessibleName(m_hint->text());
    showTestFailure(m_failureReason);
    showSettings(); // the terminals' names
}

} // namespace quillmere
