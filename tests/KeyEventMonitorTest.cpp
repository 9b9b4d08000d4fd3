#include "views/keyboard/KeyEventMonitor.h"
#include "support/KeyCommandText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

using namespace quillmere;
using C = KeyCommand::Case;

namespace {

// Stands in for the file table: takes focus and remembers the presses it received.
class KeyRecorder final : public QWidget {
public:
    KeyRecorder() { setFocusPolicy(Qt::StrongFocus); }
    QStringList received;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // QTest presses the modifier keys too; only the keys themselves matter here.
        if (!QList<int>{Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_Meta}.contains(event->key()))
            received.append(QKeySequence(event->keyCombination()).toString());
        event->accept();
    }
};

// Collects the lines written to the log while it lives.
class LogCapture final {
public:
    LogCapture() {
        lines().clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) { lines().append(message); });
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    static QStringList& lines() {
        static QStringList captured;
        return captured;
    }

private:
    QtMessageHandler m_previous;
};

// A shown main window whose table has focus, watched by a monitor that records what
// it dispatches.
struct Fixture {
    Fixture() {
        auto* layout = new QVBoxLayout(&window);
        table = new KeyRecorder;
        field = new QLineEdit;
        layout->addWidget(table);
        layout->addWidget(field);
        monitor = std::make_unique<KeyEventMonitor>(
            *table, [this](const KeyCommand& command) { dispatched.append(command); },
            [this] { return marked; });
        window.show();
        table->setFocus();
    }
    QWindow* handle() const { return window.windowHandle(); }

    QWidget window;
    KeyRecorder* table;
    QLineEdit* field;
    QList<KeyCommand> dispatched;
    bool marked = false;
    std::unique_ptr<KeyEventMonitor> monitor;
};

} // namespace

// Presses in the main window become commands before any widget sees them; presses
// typed into text fields, left to the menus or addressed to other windows do not.
class KeyEventMonitorTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLoggingCategory::setFilterRules(u"org.quillmere.Quillmere.UI.info=true"_s); }

    void mappedPressesAreConsumedAndOthersReachTheFocusedWidget() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        // Which presses are commands is KeyMappingTest's; here, where each one goes.
        QTest::keyClick(f.handle(), 'u');
        QTest::keyClick(f.handle(), Qt::Key_Space);
        QTest::keyClick(f.handle(), Qt::Key_Down);
        QTest::keyClick(f.handle(), 't', Qt::ControlModifier);
        // With nothing marked, Escape is left to the window.
        QTest::keyClick(f.handle(), Qt::Key_Escape);
        f.marked = true;
        QTest::keyClick(f.handle(), Qt::Key_Escape);
        QCOMPARE(f.dispatched, (QList<KeyCommand>{C::goToParent, C::toggleMark, C::clearMarks}));
        QCOMPARE(f.table->received, (QStringList{u"Down"_s, u"Ctrl+T"_s, u"Esc"_s}));
    }

    void textEditorsKeepEveryKey() {
        Fixture f;
        auto* layout = f.window.layout();
        auto* plain = new QPlainTextEdit;
        auto* spin = new QSpinBox;
        auto* editableCombo = new QComboBox;
        editableCombo->setEditable(true);
        auto* choices = new QComboBox;
        for (QWidget* editor : std::initializer_list<QWidget*>{plain, spin, editableCombo, choices})
            layout->addWidget(editor);
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.marked = true;
        for (QWidget* editor : std::initializer_list<QWidget*>{f.field, plain, spin, editableCombo}) {
            editor->setFocus();
            for (char key : {'u', ' ', '1', '?'})
                QTest::keyClick(f.handle(), key);
            QTest::keyClick(f.handle(), Qt::Key_Escape);
            QTest::keyClick(f.handle(), Qt::Key_Return);
            QVERIFY2(f.dispatched.isEmpty(), editor->metaObject()->className());
        }
        QCOMPARE(f.field->text(), u"u 1?"_s);
        QCOMPARE(plain->toPlainText(), u"u 1?\n"_s);

        // A combo box that only offers choices is not a text field.
        choices->setFocus();
        QTest::keyClick(f.handle(), 'b');
        QCOMPARE(f.dispatched, QList<KeyCommand>{C::goBack});
    }

    void pressesInOtherWindowsAreLeftAloneAndNotLogged() {
        Fixture f;
        KeyRecorder dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const LogCapture log;
        QTest::keyClick(dialog.windowHandle(), 'u');
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
        QCOMPARE(f.dispatched, QList<KeyCommand>());
        QCOMPARE(dialog.received, (QStringList{u"U"_s, u"Esc"_s}));
        QCOMPARE(LogCapture::lines(), QStringList());
    }

    void everyPressInTheWindowIsLogged() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.field->setFocus();
        const LogCapture log;
        QTest::keyClick(f.handle(), 'N', Qt::ShiftModifier);
        QTest::keyClick(f.handle(), Qt::Key_Escape);
        QTest::keyClick(f.handle(), Qt::Key_Down);
        const QStringList& lines = LogCapture::lines();
        const QStringList expected{
            u"raw keyDown: keyCode=16777248 chars=? mods=33554432"_s, // Shift itself
            u"raw keyDown: keyCode=78 chars=N mods=33554432"_s,
            // Control characters are written as code points, so a line stays one line.
            u"raw keyDown: keyCode=16777216 chars=U+001B mods=0"_s,
            u"raw keyDown: keyCode=16777237 chars=? mods=0"_s,
        };
        QCOMPARE(lines.size(), expected.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].endsWith(expected[i]), qPrintable(lines[i]));
    }

    void aCommandMayTakeDownItsOwnMonitor() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.monitor = std::make_unique<KeyEventMonitor>(
            *f.table,
            [&f](const KeyCommand& command) {
                f.dispatched.append(command);
                f.monitor.reset();
            },
            [] { return false; });
        QTest::keyClick(f.handle(), ']');
        QTest::keyClick(f.handle(), ']');
        QCOMPARE(f.dispatched, QList<KeyCommand>{C::nextTab});
        QCOMPARE(f.table->received, QStringList{u"]"_s});
    }
};

QTEST_MAIN(KeyEventMonitorTest)
#include "KeyEventMonitorTest.moc"
