#include "views/settings/SettingsView.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/persistence/AppSettingsStore.h"
#include "services/terminal/TerminalService.h"
#include "services/terminal/TerminalServiceError.h"
#include "views/settings/GeneralSettingsView.h"
#include "views/settings/MarkSettingsView.h"
#include "views/settings/TerminalSettingsView.h"

#include "support/RecordingPersistenceService.h"
#include "support/TemporaryTree.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMutex>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <set>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// Terminals that are installed only when the test says so; launches are recorded, and
// the next one can be made to fail. Both calls arrive on worker threads.
class FakeTerminalService final : public TerminalService {
public:
    struct Launch {
        QString folder;
        TerminalApp app;
        TerminalOpenMode mode;
    };

    explicit FakeTerminalService(std::set<TerminalApp> installed)
        : m_installed(std::move(installed)) {}

    bool isInstalled(TerminalApp app) const override {
        ++questions;
        return m_installed.contains(app);
    }
    void open(const QString& folder, TerminalApp app, TerminalOpenMode mode) override {
        const QMutexLocker lock(&m_mutex);
        m_launches.append({folder, app, mode});
        if (failNext.exchange(false))
            throw TerminalServiceError::appNotFound(app);
    }
    QList<Launch> launches() const {
        const QMutexLocker lock(&m_mutex);
        return m_launches;
    }

    mutable std::atomic<int> questions = 0;
    std::atomic<bool> failNext = false;

private:
    std::set<TerminalApp> m_installed;
    mutable QMutex m_mutex;
    QList<Launch> m_launches;
};

// The settings window over a store whose language the interface follows, as the
// application wires it.
struct Fixture {
    explicit Fixture(std::set<TerminalApp> installed = {})
        : store(persistence, std::chrono::milliseconds(20))
        , terminal(std::move(installed))
        , language(QLocale(QLocale::English, QLocale::UnitedStates)) {
        QObject::connect(&store, &AppSettingsStore::settingsChanged, &language,
                         [this] { language.follow(store.settings().language()); });
        view = std::make_unique<SettingsView>(store, terminal, nullptr, tree.path("home"));
        view->show();
        view->activateWindow();
        tabs = view->findChild<QTabWidget*>(u"settings.tabs"_s);
    }
    ~Fixture() {
        // Answers still on their way must find their service alive.
        view.reset();
        QThreadPool::globalInstance()->waitForDone();
    }

    template <typename T = QWidget> T* part(const QString& name) const {
        T* found = view->findChild<T*>(name);
        if (!found)
            qFatal("no %s in the settings", qPrintable(name));
        return found;
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view->windowHandle(), Qt::Key(key), modifiers);
    }
    // A key that produces the text, as a keyboard layout or input method would send it.
    void type(const QString& text) {
        for (const QKeyEvent::Type kind : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(kind, Qt::Key_unknown, Qt::NoModifier, text);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        }
    }
    // Presses Tab until the widget has the focus: the widget is reachable by keyboard.
    bool tabTo(QWidget* target) {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
            press(Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    }
    std::optional<AppSettings> lastSaved() const {
        if (persistence.appSettingsSaves.isEmpty())
            return std::nullopt;
        return persistence.appSettingsSaves.last();
    }

    TemporaryTree tree;
    RecordingPersistenceService persistence;
    AppSettingsStore store;
    FakeTerminalService terminal;
    LanguageEnvironment language;
    std::unique_ptr<SettingsView> view;
    QTabWidget* tabs = nullptr;
};

} // namespace

class SettingsViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void languageChangesAtOnceFromTheKeyboard() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.view.get()));
        QCOMPARE(f.tabs->tabText(0), u"General"_s);
        auto* picker = f.part<QComboBox>(u"settings.general.language"_s);
        QCOMPARE(picker->currentText(), qtTrId("settings.general.languageSystem"));
        QVERIFY(!f.part(u"settings.general.checkNow"_s)->isEnabled());
        QVERIFY(!f.part(u"settings.general.autoCheck"_s)->isEnabled());

        QVERIFY(f.tabTo(picker));
        f.press(Qt::Key_Down);
        QCOMPARE(f.store.settings().language(), std::optional(AppLanguage::ja));
        QCOMPARE(f.tabs->tabText(0), u"一般"_s);
        QCOMPARE(picker->itemText(0), qtTrId("settings.general.languageSystem"));
        QCOMPARE(picker->currentText(), u"日本語"_s);

        f.press(Qt::Key_Down);
        QCOMPARE(f.store.settings().language(), std::optional(AppLanguage::en));
        QCOMPARE(f.tabs->tabText(0), u"General"_s);
        f.press(Qt::Key_Up);
        f.press(Qt::Key_Up);
        QCOMPARE(f.store.settings().language(), std::nullopt);
        QTRY_COMPARE(f.lastSaved(), std::optional(AppSettings()));

        // A change made elsewhere shows in the picker.
        f.store.setLanguage(AppLanguage::en);
        QCOMPARE(picker->currentText(), u"English"_s);
        f.press(Qt::Key_Escape);
        QVERIFY(!f.view->isVisible());
    }

    void markGlyphAndColourFromTheKeyboardThenReset() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.view.get()));
        f.store.setTerminalApp(TerminalApp::ghostty);
        f.store.setLanguage(AppLanguage::en);
        f.press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.tabs->currentIndex(), 1);

        auto* glyph = f.part<QLineEdit>(u"settings.mark.glyph"_s);
        auto* preview = f.part<QLabel>(u"settings.mark.previewGlyph"_s);
        QVERIFY(f.tabTo(glyph));
        QCOMPARE(glyph->text(), u"\u2713"_s);
        QTRY_COMPARE(glyph->selectedText(), glyph->text());
        f.type(u"\u2605"_s);
        QCOMPARE(f.store.settings().markGlyph(), u"\u2605"_s);
        QCOMPARE(glyph->text(), u"\u2605"_s);
        QCOMPARE(preview->text(), u"\u2605"_s);
        // Cleared, the field falls back to the check mark at once.
        f.press(Qt::Key_Backspace);
        QCOMPARE(f.store.settings().markGlyph(), u"\u2713"_s);
        QCOMPARE(glyph->text(), u"\u2713"_s);
        // The glyph stays selected, so each character typed replaces it.
        f.type(u"x"_s);
        f.type(u"\U0001F44D"_s);
        QCOMPARE(f.store.settings().markGlyph(), u"\U0001F44D"_s);
        QCOMPARE(glyph->text(), u"\U0001F44D"_s);

        // The swatches are one Tab stop; the arrows and End/Home choose as they move.
        auto* accent = f.part<QToolButton>(u"settings.mark.color.accent"_s);
        auto* red = f.part<QToolButton>(u"settings.mark.color.E74C3C"_s);
        auto* black = f.part<QToolButton>(u"settings.mark.color.2C3E50"_s);
        QVERIFY(accent->isChecked());
        QVERIFY(f.tabTo(accent));
        f.press(Qt::Key_Right);
        QCOMPARE(f.store.settings().markColorHex(), std::optional(u"#E74C3C"_s));
        QVERIFY(red->isChecked() && red->hasFocus() && !accent->isChecked());
        QCOMPARE(preview->palette().color(QPalette::WindowText), QColor(0xE7, 0x4C, 0x3C));
        f.press(Qt::Key_End);
        QCOMPARE(f.store.settings().markColorHex(), std::optional(u"#2C3E50"_s));
        QVERIFY(black->isChecked());
        f.press(Qt::Key_Right);
        QVERIFY(black->isChecked());
        f.press(Qt::Key_Home);
        QCOMPARE(f.store.settings().markColorHex(), std::nullopt);
        QVERIFY(accent->isChecked());
        QCOMPARE(preview->palette().color(QPalette::WindowText), f.view->markView()->markColor());
        f.press(Qt::Key_End);

        // Reset puts back everything, the terminal and the language included.
        auto* reset = f.part<QPushButton>(u"settings.mark.resetToDefault"_s);
        QVERIFY(f.tabTo(reset));
        f.press(Qt::Key_Return);
        QCOMPARE(f.store.settings(), AppSettings());
        QVERIFY(accent->isChecked());
        QCOMPARE(glyph->text(), u"\u2713"_s);
        QTRY_COMPARE(f.lastSaved(), std::optional(AppSettings()));
    }

    void terminalTabOffersOnlyInstalledTerminalsAndTestsTheChoice() {
        Fixture f({TerminalApp::terminalApp, TerminalApp::ghostty});
        QVERIFY(QTest::qWaitForWindowActive(f.view.get()));
        auto* terminalView = f.view->terminalView();
        QVERIFY(terminalView->availableApps().isEmpty());
        f.press(Qt::Key_Tab, Qt::ControlModifier);
        f.press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.tabs->currentIndex(), 2);
        QTRY_VERIFY(!terminalView->isProbing());
        QCOMPARE(f.terminal.questions.load(), 5);
        QCOMPARE(terminalView->availableApps(), QList({TerminalApp::terminalApp, TerminalApp::ghostty}));

        // The stored WezTerm is not installed: no choice shown, no open mode.
        auto* picker = f.part<QComboBox>(u"settings.terminal.app"_s);
        QCOMPARE(picker->count(), 2);
        QCOMPARE(picker->itemText(1), qtTrId("terminal.app.ghostty"));
        QCOMPARE(picker->currentIndex(), -1);
        QVERIFY(f.part(u"settings.terminal.openMode"_s)->isHidden());

        QVERIFY(f.tabTo(picker));
        f.press(Qt::Key_Down);
        f.press(Qt::Key_Down);
        QCOMPARE(f.store.settings().terminalApp(), TerminalApp::ghostty);
        QVERIFY(!f.part(u"settings.terminal.openMode"_s)->isHidden());
        QVERIFY(!f.part(u"settings.terminal.tabNotSupported"_s)->isHidden());

        auto* newTab = f.part<QRadioButton>(u"terminal.openMode.newTab"_s);
        QVERIFY(f.tabTo(f.part(u"terminal.openMode.newWindow"_s)));
        f.press(Qt::Key_Down);
        QVERIFY(newTab->isChecked());
        QCOMPARE(f.store.settings().terminalOpenMode(), TerminalOpenMode::newTab);

        // The test button opens the home folder with the shown choice; a failure shows in place.
        auto* test = f.part<QPushButton>(u"settings.terminal.test"_s);
        auto* failure = f.part<QLabel>(u"settings.terminal.testFailure"_s);
        QVERIFY(f.tabTo(test));
        f.press(Qt::Key_Space);
        QTRY_COMPARE(f.terminal.launches().size(), 1);
        QTRY_VERIFY(!terminalView->isTesting());
        const FakeTerminalService::Launch launch = f.terminal.launches().first();
        QCOMPARE(launch.folder, f.tree.path("home"));
        QCOMPARE(launch.app, TerminalApp::ghostty);
        QCOMPARE(launch.mode, TerminalOpenMode::newTab);
        QVERIFY(failure->isHidden());

        f.terminal.failNext = true;
        f.press(Qt::Key_Space);
        QTRY_VERIFY(!failure->isHidden());
        QVERIFY(
            failure->text().contains(TerminalServiceError::appNotFound(TerminalApp::ghostty).description()));
        QVERIFY(test->isEnabled());
    }

    void noInstalledTerminalSaysSo() {
        Fixture f;
        f.view->findChild<QTabWidget*>(u"settings.tabs"_s)->setCurrentIndex(2);
        QTRY_VERIFY(!f.view->terminalView()->isProbing());
        auto* status = f.part<QLabel>(u"settings.terminal.status"_s);
        QVERIFY(!status->isHidden());
        QCOMPARE(status->text(), qtTrId("settings.terminal.noApp"));
        QVERIFY(f.part(u"settings.terminal.app"_s)->isHidden());
        QVERIFY(f.part(u"settings.terminal.openMode"_s)->isHidden());
    }
};

QTEST_MAIN(SettingsViewTest)
#include "SettingsViewTest.moc"
