#include "models/errors/TransferError.h"
#include "models/paths/FilePath.h"
#include "models/rename/BatchRenameRule.h"
#include "models/tabs/AppState.h"
#include "models/undo/UndoCheck.h"
#include "models/undo/UndoRunner.h"
#include "services/desktop/LanguageEnvironment.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "services/palette/CommandPaletteStore.h"
#include "views/content/ToastView.h"
#include "views/sheets/DeleteConfirmSheet.h"
#include "views/shell/AppShellView.h"
#include "views/shell/UndoPresenter.h"

#include "support/FakeFileOpener.h"
#include "support/ForwardingFileSystemService.h"
#include "support/RunningProgram.h"
#include "support/TaskRunner.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QMessageBox>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

namespace {

// The real service, except that restoring from the trash fails as a full disk would,
// after the service's own rollback.
class FailingRestore final : public ForwardingFileSystemService {
public:
    QCoro::Task<TransferOutcome> restoreFromTrash(QList<TransferOperation> operations,
                                                  std::shared_ptr<OperationControl>) override {
        ++restores;
        throw TransferError::failed(FilePath::lastComponent(operations.first().destination), u"disk full"_s);
        co_return {};
    }
    int restores = 0;
};

// An application state over a real service and a tree with a folder, two files (one with
// a name that is not UTF-8) and a destination holding an item of the same name.
struct Fixture {
    explicit Fixture(
        std::unique_ptr<FileSystemService> fileSystem = std::make_unique<ForwardingFileSystemService>())
        : service(std::move(fileSystem))
        , state(
              [this](const QString& folder) {
                  return std::make_unique<Navigator>(folder, *service, nullptr, opener);
              },
              tree.path("tree/src"), nullptr, *service)
        , runner(state, *service) {
        tree.writeFile("tree/src/a.txt", "alpha");
        tree.writeFile("tree/src/b\xff.bin", QByteArray(70'000, 'b'));
        tree.writeFile("tree/src/folder/inner.txt", "inner");
        tree.writeFile("tree/dest/a.txt", "the old a");
        tree.writeFile("tree/src/1.txt", "one");
        tree.writeFile("tree/src/2.txt", "two");
        state.newTab(tree.path("tree/src"));
        list();
    }

    Navigator& active() { return state.activeTab()->navigator(); }
    void list() { await(active().reload()); }
    void mark(const QList<QByteArray>& names) {
        active().clearMarks();
        for (const QByteArray& name : names)
            active().toggleMark(tree.path("tree/src/" + name));
    }
    TreeSnapshot snapshot() const { return TreeSnapshot::of(tree.bytes("tree")); }

    TemporaryTree tree;
    std::unique_ptr<FileSystemService> service;
    FakeFileOpener opener;
    AppState state;
    UndoRunner runner;
};

// Runs the operation, takes it back and does it again, comparing the tree each time.
void roundTripOf(Fixture& f, const char* what, const std::function<void()>& operation) {
    const TreeSnapshot before = f.snapshot();
    operation();
    const TreeSnapshot after = f.snapshot();
    QVERIFY2(!(before == after), what);
    QVERIFY2(f.runner.nextUndo().has_value(), what);
    QVERIFY2(await(f.runner.undo()).has_value(), what);
    QVERIFY2(before.changesIn(f.tree.bytes("tree")).isEmpty(),
             qPrintable(QString::fromLatin1(what) + u": "_s + before.changesIn(f.tree.bytes("tree"))));
    QVERIFY2(await(f.runner.redo()).has_value(), what);
    QVERIFY2(after.changesIn(f.tree.bytes("tree")).isEmpty(),
             qPrintable(QString::fromLatin1(what) + u": "_s + after.changesIn(f.tree.bytes("tree"))));
    f.list();
}

} // namespace

// Every file operation taken back leaves the tree as it was before, and done again as it
// was after; an undo that no longer fits changes nothing, and one that fails half-way puts
// back what it had done.
class UndoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LanguageEnvironment> m_language;

private Q_SLOTS:
    void initTestCase() {
        m_language = std::make_unique<LanguageEnvironment>(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void everyOperationIsUndoneAndRedoneExactly() {
        Fixture f;
        const auto roundTrip = [&f](const char* what, const std::function<void()>& operation) {
            try {
                roundTripOf(f, what, operation);
            } catch (const std::exception& error) {
                QFAIL(qPrintable(QString::fromLatin1(what) + u": "_s + QString::fromUtf8(error.what())));
            }
        };

        const QList<QByteArray> all{"a.txt", "b\xff.bin", "folder"};

        roundTrip("copy with an overwrite", [&] {
            f.mark(all);
            await(f.state.copyMarked(f.tree.path("tree/dest"), {ConflictResolution::overwrite()}));
        });
        // The copy is done again: dest holds the copies, the old a.txt is in the trash.
        roundTrip("batch rename whose new names chain", [&] {
            f.mark({"1.txt", "2.txt"});
            await(f.state.batchRename(BatchRenameRule{BatchRenameRule::Sequential{{}, 2, 1}}));
            QCOMPARE(f.tree.readFile("tree/src/3.txt"), QByteArray("two"));
        });
        roundTrip("rename", [&] {
            const QString renamed = await(f.service->renameItem(f.tree.path("tree/src/a.txt"), u"z.txt"_s));
            await(f.state.didRename(f.tree.path("tree/src/a.txt"), renamed));
        });
        roundTrip("new file", [&] { await(f.state.createFile(u"new.txt"_s)); });
        roundTrip("new folder", [&] { await(f.state.createFolder(u"new folder"_s)); });
        // After those, src holds b\xff.bin, folder, 2.txt, 3.txt, z.txt, new.txt and "new folder";
        // dest holds copies of a.txt, b\xff.bin and folder.
        roundTrip("move with an overwrite", [&] {
            f.list();
            f.mark({"b\xff.bin", "folder", "z.txt"});
            await(f.state.moveMarked(f.tree.path("tree/dest"),
                                     {ConflictResolution::overwrite(), ConflictResolution::overwrite()}));
        });
        roundTrip("trash", [&] {
            f.list();
            f.mark({"2.txt", "3.txt", "new.txt", "new folder"});
            await(f.state.deleteMarked());
        });
        // Undo goes further back one operation at a time, and redo comes forward again.
        const TreeSnapshot last = f.snapshot();
        for (int i = 0; i < 3; ++i)
            QVERIFY(await(f.runner.undo()).has_value());
        for (int i = 0; i < 3; ++i)
            QVERIFY(await(f.runner.redo()).has_value());
        QCOMPARE(last.changesIn(f.tree.bytes("tree")), QString());
        QVERIFY(!await(f.runner.redo()).has_value());
    }

    void anUndoAfterAnOutsideChangeChangesNothing() {
        Fixture f;
        f.mark({"a.txt", "folder"});
        await(f.state.moveMarked(f.tree.path("tree/dest"), {ConflictResolution::rename(u"a2.txt"_s)}));
        f.mark({"b\xff.bin"});
        await(f.state.moveMarked(f.tree.path("tree/dest"), {}));

        // Something takes the place the last move would go back to.
        f.tree.writeFile("tree/src/b\xff.bin", "another");
        TreeSnapshot now = f.snapshot();
        std::optional<UndoRefused> refused = failureOf<UndoRefused>(f.runner.undo());
        QVERIFY(refused);
        QCOMPARE(refused->message(),
                 u"Cannot undo move 1 item to \u201Cdest\u201D: something else is now at \u201C"_s +
                     f.tree.path("tree/src/b\xff.bin").section(u'/', -1) + u"\u201D. Nothing was changed."_s);
        QCOMPARE(now.changesIn(f.tree.bytes("tree")), QString());

        // The refused operation leaves the history; the one before it is next, and a file it
        // moved has changed since.
        QCOMPARE(f.runner.nextUndo()->itemCount, 2);
        f.tree.writeFile("tree/dest/a2.txt", "changed, and longer");
        now = f.snapshot();
        refused = failureOf<UndoRefused>(f.runner.undo());
        QVERIFY(refused);
        QVERIFY2(refused->message().contains(u"has changed since"_s), qPrintable(refused->message()));
        QCOMPARE(now.changesIn(f.tree.bytes("tree")), QString());
        QVERIFY(!f.runner.nextUndo());
    }

    void anUndoThatFailsHalfWayPutsBackWhatItDid() {
        auto failing = std::make_unique<FailingRestore>();
        FailingRestore* service = failing.get();
        Fixture f(std::move(failing));
        // Undoing this moves a.txt back and then restores the old a.txt from the trash,
        // which fails: the move back is taken back too.
        f.mark({"a.txt"});
        await(f.state.moveMarked(f.tree.path("tree/dest"), {ConflictResolution::overwrite()}));
        const TreeSnapshot after = f.snapshot();
        QVERIFY(failureOf<TransferError>(f.runner.undo()));
        QCOMPARE(service->restores, 1);
        QCOMPARE(after.changesIn(f.tree.bytes("tree")), QString());
        QCOMPARE(f.tree.readFile("tree/dest/a.txt"), QByteArray("alpha"));
        // It stays in the history, to be tried again.
        QVERIFY(f.runner.nextUndo().has_value());
    }

    // Through the real window: d trashes the marked files, Ctrl+Z brings them back and a
    // toast says so; Ctrl+Shift+Z sends them to the trash again.
    void trashThenControlZInTheWindow() {
        TemporaryTree tree;
        tree.writeFile("home/keep.txt", "keep");
        tree.writeFile("home/one.txt", "one");
        tree.writeFile("home/two\xfe.txt", "two");
        const TreeSnapshot before = TreeSnapshot::of(tree.bytes("home"));
        Program program(tree,
                        std::make_unique<DefaultFileSystemService>(SystemCalls::real(), tree.path("state")),
                        Program::Chooser::scripted, std::chrono::milliseconds(0));
        QVERIFY(program.waitForListing(u"one.txt"_s));
        program.selectRow(u"one.txt"_s);
        program.press(Qt::Key_Space);
        program.press(Qt::Key_Down);
        program.press(Qt::Key_Space);
        program.type(u"d"_s);
        auto* sheet = openSheet<DeleteConfirmSheet>();
        QVERIFY(sheet);
        program.pressIn(sheet, Qt::Key_Return);
        program.waitForSheetsToClose();
        QTRY_VERIFY(!tree.exists("home/one.txt"));
        QTRY_VERIFY(!program.shownNames().contains(u"one.txt"_s));

        program.press(Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/one.txt") && tree.exists("home/two\xfe.txt"));
        QCOMPARE(before.changesIn(tree.bytes("home")), QString());
        QVERIFY(tree.trashContents().isEmpty());
        ToastView& toast = program.app->shell()->undoPresenter().toast();
        QTRY_COMPARE(toast.text(), u"Undid: move 2 items to the trash"_s);
        QTRY_VERIFY(program.shownNames().contains(u"one.txt"_s));

        program.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(!tree.exists("home/one.txt") && !tree.exists("home/two\xfe.txt"));
        QTRY_COMPARE(toast.text(), u"Redid: move 2 items to the trash"_s);
        QVERIFY(tree.exists("home/keep.txt"));

        // The palette offers the same, named.
        program.press(Qt::Key_K, Qt::ControlModifier);
        CommandPaletteStore& palette = *program.app->bootstrapped()->commandPaletteStore;
        QTRY_VERIFY(palette.isPresented());
        program.type(u"undo"_s);
        QVERIFY(!palette.items().isEmpty());
        QCOMPARE(palette.items().first().title, u"Undo: move 2 items to the trash"_s);
        program.press(Qt::Key_Return);
        QTRY_VERIFY(tree.exists("home/one.txt") && tree.exists("home/two\xfe.txt"));
        QCOMPARE(before.changesIn(tree.bytes("home")), QString());
        QVERIFY(program.waitForOperationsToEnd());
    }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
