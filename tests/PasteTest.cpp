#include "models/paths/FilePath.h"
#include "platform/SystemCalls.h"
#include "services/filesystem/DefaultFileSystemService.h"
#include "views/content/AddressBarView.h"
#include "views/sheets/ConflictResolutionSheet.h"
#include "views/table/FileTableView.h"

#include <QMessageBox>
#include <QMimeData>

#include "support/RunningProgram.h"
#include "support/TemporaryTree.h"
#include "support/TreeSnapshot.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace quillmere;
using namespace quillmere::test;

// Files through the desktop clipboard in the real window: Ctrl+X then Ctrl+V in another
// folder moves and clears the cut; Ctrl+C then Ctrl+V copies, a hostile name byte for
// byte; a paste onto taken names goes through the conflict sheet; what another program
// put there is pasted too, and Ctrl+Z takes a paste back.
class PasteTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cutCopyAndPasteThroughTheWindow() {
        TemporaryTree tree;
        tree.writeFile("home/cut me.txt", "cut");
        tree.writeFile("home/copy\xff\n.txt", "copied");
        tree.writeFile("home/dest/keep.txt", "keep");
        tree.writeFile("elsewhere/from another program.txt", "theirs");
        Program program(tree,
                        std::make_unique<DefaultFileSystemService>(SystemCalls::real(), tree.path("state")),
                        Program::Chooser::scripted, std::chrono::milliseconds(0));
        QVERIFY(program.waitForListing(u"cut me.txt"_s));
        RecordingClipboard& clipboard = *program.clipboard;

        // Ctrl+X takes the selected entry when nothing is marked.
        program.selectRow(u"cut me.txt"_s);
        program.press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard.held, (FilesOnClipboard{{tree.path("home/cut me.txt")}, true}));
        // Ctrl+C takes the marked entries.
        const QString odd = tree.path("home/copy\xff\n.txt");
        program.select(FilePath::lastComponent(odd));
        program.press(Qt::Key_Space);
        program.press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard.held, (FilesOnClipboard{{odd}, false}));

        // Pasted into dest: a copy, byte for byte; the clipboard keeps it.
        program.press(Qt::Key_Escape);
        program.selectRow(u"dest"_s);
        program.press(Qt::Key_Return);
        QVERIFY(program.waitForListing(u"keep.txt"_s));
        program.press(Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/dest/copy\xff\n.txt"));
        QCOMPARE(tree.readFile("home/dest/copy\xff\n.txt"), QByteArray("copied"));
        QVERIFY(tree.exists("home/copy\xff\n.txt"));
        QVERIFY(clipboard.held.has_value());

        // Pasted again: the name is taken, so the conflict sheet asks (skip leaves it).
        program.press(Qt::Key_V, Qt::ControlModifier);
        auto* conflict = openSheet<ConflictResolutionSheet>();
        QVERIFY(conflict);
        program.pressIn(conflict, Qt::Key_Escape);
        program.waitForSheetsToClose();

        // A cut is moved, and then gone from the clipboard.
        clipboard.held = FilesOnClipboard{{tree.path("home/cut me.txt")}, true};
        program.press(Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/dest/cut me.txt") && !tree.exists("home/cut me.txt"));
        QTRY_VERIFY(!clipboard.held.has_value());
        // Ctrl+Z puts it back where it was cut from.
        program.press(Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/cut me.txt") && !tree.exists("home/dest/cut me.txt"));

        // What another program put there (read from its own formats) is pasted as a copy.
        clipboard.held =
            FileClipboard::decode({{u"x-special/gnome-copied-files"_s,
                                    "copy\nfile://" + tree.bytes("elsewhere/from%20another%20program.txt")}});
        QVERIFY(clipboard.held.has_value());
        program.press(Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/dest/from another program.txt"));
        QVERIFY(tree.exists("elsewhere/from another program.txt"));
        QVERIFY(program.waitForOperationsToEnd());
    }

    // Files dropped on the table, a sidebar tab or a breadcrumb: Ctrl copies, Shift moves,
    // no modifier moves within one file system; a folder row takes them in; a folder
    // dropped into itself is refused.
    void dropsCopyOrMoveByTheUsualModifiers() {
        TemporaryTree tree;
        tree.writeFile("home/a.txt", "a");
        tree.writeFile("home/dest/keep.txt", "keep");
        tree.writeFile("elsewhere/x\xff.txt", "x");
        tree.writeFile("elsewhere/y.txt", "y");
        tree.writeFile("elsewhere/z.txt", "z");
        Program program(tree,
                        std::make_unique<DefaultFileSystemService>(SystemCalls::real(), tree.path("state")),
                        Program::Chooser::scripted, std::chrono::milliseconds(0));
        QVERIFY(program.waitForListing(u"a.txt"_s));
        FileTableView& table = program.content().table();
        const auto dropOn = [](QWidget* target, const QStringList& paths, QPoint at,
                               Qt::KeyboardModifiers modifiers) {
            QMimeData data;
            const QMap<QString, QByteArray> formats = FileClipboard::encode({paths, false});
            for (auto format = formats.constBegin(); format != formats.constEnd(); ++format)
                data.setData(format.key(), format.value());
            // As a drag arrives: it enters, then it drops.
            QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
            QApplication::sendEvent(target, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
            QApplication::sendEvent(target, &event);
        };
        const auto drop = [&](const QStringList& paths, QPoint at, Qt::KeyboardModifiers modifiers) {
            dropOn(table.viewport(), paths, at, modifiers);
        };
        const QPoint below(10, table.viewport()->height() - 5);
        const auto rowOf = [&](const QString& name) {
            const qsizetype row = program.shownNames().indexOf(name);
            return table.visualRect(table.model()->index(int(row), 0)).center();
        };

        drop({tree.path("elsewhere/x\xff.txt")}, below, Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/x\xff.txt"));
        QVERIFY(tree.exists("elsewhere/x\xff.txt"));

        QVERIFY(program.waitForListing(u"dest"_s));
        drop({tree.path("home/a.txt")}, rowOf(u"dest"_s), Qt::NoModifier);
        QTRY_VERIFY(tree.exists("home/dest/a.txt") && !tree.exists("home/a.txt"));

        // The shown folder itself, dropped on its own sub-folder: refused, nothing moves.
        drop({tree.path("home")}, rowOf(u"dest"_s), Qt::ShiftModifier);
        auto* alert = openSheet<QMessageBox>();
        QVERIFY(alert);
        program.pressIn(alert, Qt::Key_Return);
        QVERIFY(tree.exists("home/dest/keep.txt"));

        // A second tab in dest: Ctrl+drop on the first tab copies into home; Shift+drop on
        // the "home" breadcrumb moves there; dest dropped on its own tab is refused.
        program.appState().newTab(tree.path("home/dest"));
        QVERIFY(program.waitForListing(u"a.txt"_s));
        // The sidebar builds its rows again as tabs change: each is looked up when used.
        const auto tabRow = [&program](int index) {
            return program.app->window().findChild<QWidget*>(u"sidebar.tab."_s + QString::number(index));
        };
        QVERIFY(tabRow(0) && tabRow(1));
        dropOn(tabRow(0), {tree.path("elsewhere/y.txt")}, QPoint(5, 5), Qt::ControlModifier);
        QTRY_VERIFY(tree.exists("home/y.txt"));
        QVERIFY(tree.exists("elsewhere/y.txt"));
        QWidget* homeCrumb = nullptr;
        for (QWidget* segment : program.content().addressBar().findChildren<QWidget*>()) {
            if (segment->objectName().startsWith(u"addressBar.segment."_s) &&
                segment->accessibleName() == u"home"_s)
                homeCrumb = segment;
        }
        QVERIFY(homeCrumb);
        dropOn(homeCrumb, {tree.path("elsewhere/z.txt")}, QPoint(2, 2), Qt::ShiftModifier);
        QTRY_VERIFY(tree.exists("home/z.txt") && !tree.exists("elsewhere/z.txt"));
        dropOn(tabRow(1), {tree.path("home/dest")}, QPoint(5, 5), Qt::NoModifier);
        alert = openSheet<QMessageBox>();
        QVERIFY(alert);
        program.pressIn(alert, Qt::Key_Return);
        QVERIFY(tree.exists("home/dest/keep.txt") && tree.exists("home/dest/a.txt"));
        QVERIFY(program.waitForOperationsToEnd());
    }
};

QTEST_MAIN(PasteTest)
#include "PasteTest.moc"
