#include "models/errors/DeleteError.h"
#include "models/errors/OperationErrorText.h"
#include "models/errors/TransferError.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "services/persistence/AppSettingsStore.h"
#include "views/content/NoticeView.h"
#include "views/content/ProgressStripView.h"
#include "views/sheets/ConflictResolutionSheet.h"
#include "views/sheets/DeleteConfirmSheet.h"
#include "views/table/FileTableView.h"

#include "support/FaultInjectingCalls.h"
#include "support/ForwardingFileSystemService.h"
#include "support/RunningProgram.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"
#include "support/WaitPastTimers.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <atomic>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// Holds a copy's worker inside its content copy, one chunk at a time, until the test
// lets it go on. Everything else the worker and the listings do passes.
class CopyGate {
public:
    explicit CopyGate(FaultInjectingCalls& calls) {
        calls.setHook([this](Primitive primitive, const char*) {
            if (m_holding && (primitive == Primitive::CopyRange || primitive == Primitive::Clone)) {
                ++m_reached;
                m_steps.acquire();
            }
            return 0;
        });
    }
    // However the test ends, no worker is left waiting.
    ~CopyGate() { open(); }

    // Call only while no worker is at the gate.
    void hold() {
        m_steps.tryAcquire(m_steps.available());
        m_reached = 0;
        m_holding = true;
    }
    void step() { m_steps.release(); }
    void open() {
        m_holding = false;
        m_steps.release(1000);
    }
    int reached() const { return m_reached; }

private:
    std::atomic<bool> m_holding = false;
    std::atomic<int> m_reached = 0;
    QSemaphore m_steps;
};

// The real service, except that start-up recovery answers with a report the test
// chooses; it notes whether any folder had been listed before it was asked.
class RecoveringFileSystem final : public ForwardingFileSystemService {
public:
    RecoveryReport report;
    int listingsBeforeRecovery = -1;

    QCoro::Task<QList<FileItem>> listDirectory(QString folder, bool showHidden) override {
        ++m_listings;
        return m_real.listDirectory(folder, showHidden);
    }
    QCoro::Task<RecoveryReport> recoverInterruptedOperations() override {
        listingsBeforeRecovery = m_listings;
        co_return report;
    }

private:
    int m_listings = 0;
};

template <typename T> T* partOf(QWidget& view, const QString& name) {
    T* found = view.findChild<T*>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

// Waits for the alert, checks its message and closes it with Return.
void expectAlert(const QString& message) {
    QMessageBox* alert = openSheet<QMessageBox>();
    QVERIFY(alert);
    QCOMPARE(alert->text(), message);
    QTest::keyClick(alert, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

} // namespace

// Long file operations in the real window: the strip shows them while the user goes on
// browsing, they queue up, and cancelling one (from the strip or the palette) puts the
// tree back as it was and says so.
class ProgressStripTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aHeldCopyShowsInTheStripAndCancelsBackToTheTreeBefore() {
        TemporaryTree tree;
        tree.writeFile("home/a.bin", QByteArray(3'000'000, 'a'));
        tree.writeFile("home/b.bin", QByteArray(2'000'000, 'b'));
        tree.writeFile("home/x.txt", "x");
        tree.writeFile("home/old.txt", "new");
        tree.writeFile("home/docs/readme.md", "r");
        tree.writeFile("home/dest/old.txt", "old");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("home"));
        auto calls = std::make_shared<FaultInjectingCalls>();
        CopyGate gate(*calls);
        Program program(tree, std::make_unique<DefaultFileSystemService>(calls, tree.path("state/quillmere")),
                        Program::Chooser::scripted, std::chrono::milliseconds(0));
        ContentView& content = program.content();
        ProgressStripView& strip = content.progressStrip();
        auto* bar = partOf<QProgressBar>(strip, u"progressStrip.bar"_s);
        auto* title = partOf<QLabel>(strip, u"progressStrip.title"_s);
        auto* cancel = partOf<QPushButton>(strip, u"progressStrip.cancel"_s);
        QVERIFY(program.waitForListing(u"x.txt"_s));
        QVERIFY(strip.isHidden());

        // What the bar shows of one operation never goes back while it works.
        QList<int> shown;
        connect(bar, &QProgressBar::valueChanged, &strip, [&shown, bar](int value) {
            if (bar->maximum() > 0)
                shown.append(value);
        });

        // a.bin and b.bin are copied into dest; the copy is held at its first chunk.
        const auto startHeldCopy = [&] {
            gate.hold();
            for (const QString& name : {u"a.bin"_s, u"b.bin"_s}) {
                program.selectRow(name);
                program.press(Qt::Key_Space);
            }
            program.chooser->answers.push_back(tree.path("home/dest"));
            program.type(u"c"_s);
            QTRY_VERIFY(gate.reached() == 1);
            QTRY_VERIFY(!strip.isHidden());
        };
        startHeldCopy();
        QCOMPARE(title->text(), u"Copying 2 items to \u201Cdest\u201D"_s);
        QCOMPARE(cancel->accessibleName(), u"Cancel: "_s + title->text());
        QVERIFY(!strip.accessibleName().isEmpty() && !bar->accessibleName().isEmpty());

        // The user browses meanwhile: into docs and back.
        program.press(Qt::Key_Escape);
        program.selectRow(u"docs"_s);
        program.press(Qt::Key_Return);
        QVERIFY(program.waitForListing(u"readme.md"_s));
        program.type(u"u"_s);
        QVERIFY(program.waitForListing(u"x.txt"_s));

        // A trash asked for now waits its turn: its sheet steps aside, the strip lists it,
        // and taken out of the queue it never starts.
        program.selectRow(u"x.txt"_s);
        program.press(Qt::Key_Space);
        program.type(u"d"_s);
        auto* sheet = openSheet<DeleteConfirmSheet>();
        QVERIFY(sheet);
        program.pressIn(sheet, Qt::Key_Return);
        program.waitForSheetsToClose();
        QTRY_VERIFY(strip.findChild<QToolButton*>(u"progressStrip.cancelWaiting"_s));
        auto* waitingLabel = strip.findChild<QWidget*>(u"progressStrip.waiting"_s)->findChild<QLabel*>();
        QCOMPARE(waitingLabel->text(), u"Waiting: Moving 1 item to the trash"_s);
        program.tabTo(&program.app->window(), cancel);
        program.press(Qt::Key_Tab);
        QCOMPARE(program.app->window().focusWidget()->objectName(), u"progressStrip.cancelWaiting"_s);
        program.press(Qt::Key_Space);
        expectAlert(OperationErrorText::of(DeleteError::cancelled({})));
        QVERIFY(tree.exists("home/x.txt"));
        QVERIFY(tree.trashContents().isEmpty());
        QTRY_VERIFY(!strip.findChild<QToolButton*>(u"progressStrip.cancelWaiting"_s));
        QCOMPARE(program.app->window().focusWidget(), cancel);
        program.tabTo(&program.app->window(), &content.table());

        // So does a copy whose name is taken there: its conflict sheet steps aside once
        // answered (skip), and the copy follows the first one without a word.
        program.press(Qt::Key_Escape);
        program.selectRow(u"old.txt"_s);
        program.press(Qt::Key_Space);
        program.chooser->answers.push_back(tree.path("home/dest"));
        program.type(u"c"_s);
        auto* conflict = openSheet<ConflictResolutionSheet>();
        QVERIFY(conflict);
        program.pressIn(conflict, Qt::Key_Return);
        program.waitForSheetsToClose();
        QTRY_VERIFY(strip.findChild<QWidget*>(u"progressStrip.waiting"_s));
        QCOMPARE(strip.findChild<QWidget*>(u"progressStrip.waiting"_s)->findChild<QLabel*>()->text(),
                 u"Waiting: Copying 1 item to \u201Cdest\u201D"_s);

        // The copy goes on one chunk, then Escape in the strip cancels it: everything is
        // put back, the alert says so, and the strip goes.
        const std::shared_ptr<QueuedOperation> copy = program.appState().operationQueue().running();
        while (copy->control()->progress().bytesDone == 0) {
            const int reached = gate.reached();
            gate.step();
            QTRY_VERIFY(gate.reached() > reached);
        }
        QTRY_VERIFY(!shown.isEmpty() && shown.last() > 0);
        program.tabTo(&program.app->window(), cancel);
        program.press(Qt::Key_Escape);
        gate.open();
        expectAlert(OperationErrorText::of(TransferError::cancelled({})));
        QTRY_VERIFY(strip.isHidden());
        QCOMPARE(before.changesIn(tree.bytes("home")), QString());
        QVERIFY2(std::is_sorted(shown.begin(), shown.end()), qPrintable(QDebug::toString(shown)));
        QVERIFY(program.app->window().focusWidget() == &content.table());

        // Once more, cancelled from the palette this time.
        shown.clear();
        program.press(Qt::Key_Escape);
        startHeldCopy();
        program.press(Qt::Key_K, Qt::ControlModifier);
        CommandPaletteStore& palette = *program.app->bootstrapped()->commandPaletteStore;
        QTRY_VERIFY(palette.isPresented());
        QVERIFY(palette.items().last().kind.isCancelOperation());
        program.type(u"cancel run"_s);
        QVERIFY(palette.items().first().kind.isCancelOperation());
        program.press(Qt::Key_Return);
        gate.open();
        expectAlert(OperationErrorText::of(TransferError::cancelled({})));
        QTRY_VERIFY(strip.isHidden());
        QCOMPARE(before.changesIn(tree.bytes("home")), QString());
        QCOMPARE(TemporaryTree::namesIn(tree.bytes("state/quillmere")), QList<QByteArray>());
        program.press(Qt::Key_K, Qt::ControlModifier);
        QTRY_VERIFY(palette.isPresented());
        QVERIFY(std::none_of(palette.items().begin(), palette.items().end(),
                             [](const PaletteItem& item) { return item.kind.isCancelOperation(); }));
        program.press(Qt::Key_Escape);
        QTRY_VERIFY(!palette.isPresented());

        // With nothing held the same copy simply happens.
        program.chooser->answers.push_back(tree.path("home/dest"));
        program.type(u"c"_s);
        QTRY_COMPARE(tree.readFile("home/dest/b.bin").size(), 2'000'000);
        QTRY_VERIFY(strip.isHidden());

        // Quitting in the middle of a copy cancels it and waits for everything to be put
        // back before the program ends.
        const TreeSnapshot copied = TreeSnapshot::of(tree.bytes("home"));
        gate.hold();
        program.chooser->answers.push_back(tree.path("home/docs"));
        program.type(u"c"_s);
        QTRY_VERIFY(gate.reached() == 1);
        QSignalSpy ended(program.app.get(), &QuillmereApp::terminated);
        program.press(Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(waitPastTimersDueWithin(std::chrono::milliseconds(50)));
        QVERIFY(ended.isEmpty()); // not while the copy is still held
        gate.open();
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(copied.changesIn(tree.bytes("home")), QString());
    }

    // Start-up asks for recovery before any folder is listed and tells the user in a
    // notice that stays, in the window's language, until it is dismissed.
    void startUpTellsWhatItRecoveredUntilDismissed() {
        TemporaryTree tree;
        tree.writeFile("home/a.txt", "a");
        auto owned = std::make_unique<RecoveringFileSystem>();
        RecoveringFileSystem& fileSystem = *owned;
        fileSystem.report = {{RecoveredOperation::Kind::copy, 13, 10, 2, {u"a.txt"_s}},
                             {RecoveredOperation::Kind::trash, 1, 0, 1, {}}};
        Program program(tree, std::move(owned));
        QCOMPARE(fileSystem.listingsBeforeRecovery, 0);
        NoticeView& notice = program.content().notice();
        QVERIFY(!notice.isHidden());
        QCOMPARE(notice.text(),
                 u"Recovered an interrupted copy: 10 items completed, 2 items put back, left as "
                 u"found, since changed meanwhile: a.txt. Recovered an interrupted move to the "
                 u"trash: 1 item put back."_s);
        program.app->appSettingsStore().setLanguage(AppLanguage::ja);
        QTRY_COMPARE(notice.text(), u"中断されたコピーを復旧しました：10 項目は完了、2 項目は元に戻しました、"
                                    u"その後変更されていたためそのままにした項目: a.txt。 "
                                    u"中断されたゴミ箱への移動を復旧しました：1 項目は元に戻しました。"_s);
        QVERIFY(program.waitForListing(u"a.txt"_s));
        program.press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(program.app->window().focusWidget()->objectName(), u"notice.dismiss"_s);
        program.press(Qt::Key_Space);
        QVERIFY(notice.isHidden());
        QVERIFY(program.content().table().hasFocus());
    }
};

QTEST_MAIN(ProgressStripTest)
#include "ProgressStripTest.moc"
